#include "platform/messagebox.h"

#include <QAbstractButton>
#include <QApplication>
#include <QGuiApplication>
#include <QMessageBox>
#include <QPushButton>

#include <vector>

namespace platform {

namespace {

MessageBoxes*& installed()
{
    static MessageBoxes* boxes = nullptr;
    return boxes;
}

struct Button
{
    const char* text; // UTF-8
    int answer;
    QMessageBox::ButtonRole role;
};

std::vector<Button> buttonsOf(int style)
{
    const Button ok{"OK", vbOK, QMessageBox::AcceptRole};
    const Button cancel{"キャンセル", vbCancel, QMessageBox::RejectRole};
    const Button yes{"はい", vbYes, QMessageBox::YesRole};
    const Button no{"いいえ", vbNo, QMessageBox::NoRole};
    switch (style & 15) {
    case vbOKCancel:
        return {ok, cancel};
    case vbYesNoCancel:
        return {yes, no, cancel};
    case vbYesNo:
        return {yes, no};
    default:
        return {ok};
    }
}

QMessageBox::Icon iconOf(int style)
{
    switch (style & 0x70) {
    case vbCritical:
        return QMessageBox::Critical;
    case vbQuestion:
        return QMessageBox::Question;
    case vbExclamation:
        return QMessageBox::Warning;
    case vbInformation:
        return QMessageBox::Information;
    default:
        return QMessageBox::NoIcon;
    }
}

} // namespace

QString applicationTitle()
{
    return QStringLiteral("Sarnet意見書");
}

int MsgBox(const QString& text, int style, const QString& title)
{
    // A box asked while the busy pointer is up has the normal pointer: the user is to act.
    const bool busy = QGuiApplication::overrideCursor() != nullptr;
    if (busy)
        QGuiApplication::setOverrideCursor(Qt::ArrowCursor);
    int answer = 0;
    if (MessageBoxes* boxes = installed()) {
        answer = boxes->messageBox(text, style, title);
    } else {
        QtMessageBoxes shown;
        answer = shown.messageBox(text, style, title);
    }
    if (busy)
        QGuiApplication::restoreOverrideCursor();
    return answer;
}

MessageBoxes* setMessageBoxes(MessageBoxes* boxes)
{
    MessageBoxes* previous = installed();
    installed() = boxes;
    return previous;
}

int QtMessageBoxes::messageBox(const QString& text, int style, const QString& title)
{
    QMessageBox box(QApplication::activeWindow());
    box.setWindowTitle(title.isEmpty() ? applicationTitle() : title);
    // Texts come with CR LF line ends; the box shows them as plain text.
    box.setTextFormat(Qt::PlainText);
    box.setText(QString(text).replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
    box.setIcon(iconOf(style));

    const std::vector<Button> buttons = buttonsOf(style);
    std::vector<QPushButton*> pushButtons;
    for (const Button& b : buttons)
        pushButtons.push_back(box.addButton(QString::fromUtf8(b.text), b.role));
    const size_t defaultIndex = (style & vbDefaultButton3) ? 2 : (style & vbDefaultButton2) ? 1 : 0;
    box.setDefaultButton(pushButtons[defaultIndex < buttons.size() ? defaultIndex : 0]);
    // Escape and the title bar's close button give the last button: Cancel when the box has
    // one, else OK, or No.
    box.setEscapeButton(pushButtons.back());

    box.exec();
    const QAbstractButton* clicked = box.clickedButton();
    for (size_t i = 0; i < buttons.size(); ++i) {
        if (clicked == pushButtons[i])
            return buttons[i].answer;
    }
    return buttons.back().answer;
}

} // namespace platform
