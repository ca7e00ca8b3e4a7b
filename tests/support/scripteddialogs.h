#pragma once

#include "platform/filedialogs.h"
#include "platform/messagebox.h"

#include <QList>
#include <QString>

// Answers message boxes and file dialogs from a script while it lives, and records what was
// shown. Answers are given in the order the program asks; a question of the wrong kind, or
// one more than scripted, fails the running test with the question's text.
//
//     ScriptedDialogs dialogs;
//     dialogs.answer(platform::vbYes).chooseFile("/tmp/x.mdb");
//     ...
//     QCOMPARE(dialogs.shown().at(0).text, "...");
class ScriptedDialogs : public platform::MessageBoxes, public platform::FileDialogs
{
public:
    enum class Kind { MessageBox, OpenFile, SaveFile };

    struct Shown
    {
        Kind kind;
        QString text; // message text, or the file dialog's title
        int style = 0;
        QString title;
        QString filter;
        QString initialDir;
        QString defaultName;
    };

    ScriptedDialogs();
    ~ScriptedDialogs() override;
    ScriptedDialogs(const ScriptedDialogs&) = delete;
    ScriptedDialogs& operator=(const ScriptedDialogs&) = delete;

    // The next message box is answered `answer` (vbOK, vbCancel, vbYes, vbNo).
    ScriptedDialogs& answer(int answer);
    // The next file dialog (open or save) returns `path`; "" cancels it.
    ScriptedDialogs& chooseFile(const QString& path);
    ScriptedDialogs& cancelFile() { return chooseFile(QString()); }

    const QList<Shown>& shown() const { return m_shown; }
    // The message boxes shown, in order.
    QList<Shown> messages() const;
    // Answers not used yet.
    qsizetype remaining() const { return m_script.size(); }

    int messageBox(const QString& text, int style, const QString& title) override;
    QString openFile(const QString& title, const QString& filter,
                     const QString& initialDir) override;
    // The answer is the file's name as it stands: a default suffix is the real dialog's.
    QString saveFile(const QString& title, const QString& filter, const QString& initialDir,
                     const QString& defaultName, const QString& defaultSuffix) override;

private:
    struct Answer
    {
        bool isFile;
        int answer;
        QString path;
    };
    // Records `shown` and takes the next answer; false (after failing the test) when the
    // script has none of that kind.
    bool takeAnswer(bool file, const Shown& shown, Answer& out);

    QList<Answer> m_script;
    QList<Shown> m_shown;
    platform::MessageBoxes* m_previousBoxes = nullptr;
    platform::FileDialogs* m_previousDialogs = nullptr;
};
