#pragma once

#include <QString>

// Modal message boxes with the classic style codes and answers. The program asks through
// MsgBox(); what shows the box is an installable implementation, so that tests can answer
// from a script.
namespace platform {

// Style codes, added together: one button set, one icon, one default button.
enum MsgBoxStyle : int {
    vbOKOnly = 0,
    vbOKCancel = 1,
    vbYesNoCancel = 3,
    vbYesNo = 4,
    vbCritical = 16,
    vbQuestion = 32,
    vbExclamation = 48,
    vbInformation = 64,
    vbDefaultButton2 = 256,
    vbDefaultButton3 = 512,
};

// Answers.
enum MsgBoxResult : int {
    vbOK = 1,
    vbCancel = 2,
    vbYes = 6,
    vbNo = 7,
};

class MessageBoxes
{
public:
    virtual ~MessageBoxes() = default;
    // Shows the box and returns the answer.
    virtual int messageBox(const QString& text, int style, const QString& title) = 0;
};

// The program's name as its users know it: the title of a box given none.
QString applicationTitle();

// Shows `text` in a modal box of `style` and returns the answer (vbOK, vbCancel, vbYes,
// vbNo). An empty title shows applicationTitle(). Closing the box without a button
// answers Cancel when the box has one, else the only answer it has (OK, or No for Yes/No).
// While the box is up the mouse pointer is the normal one, also during a piece of work that
// shows the busy pointer.
int MsgBox(const QString& text, int style = vbOKOnly, const QString& title = QString());

// Installs `boxes` as the implementation (nullptr: the QMessageBox one) and returns the
// previous one. The caller keeps ownership.
MessageBoxes* setMessageBoxes(MessageBoxes* boxes);

// The QMessageBox implementation, with Japanese button texts.
class QtMessageBoxes : public MessageBoxes
{
public:
    int messageBox(const QString& text, int style, const QString& title) override;
};

} // namespace platform
