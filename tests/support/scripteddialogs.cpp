#include "scripteddialogs.h"

#include <QtTest>

ScriptedDialogs::ScriptedDialogs()
{
    m_previousBoxes = platform::setMessageBoxes(this);
    m_previousDialogs = platform::setFileDialogs(this);
}

ScriptedDialogs::~ScriptedDialogs()
{
    platform::setMessageBoxes(m_previousBoxes);
    platform::setFileDialogs(m_previousDialogs);
}

ScriptedDialogs& ScriptedDialogs::answer(int answer)
{
    m_script.append({false, answer, QString()});
    return *this;
}

ScriptedDialogs& ScriptedDialogs::chooseFile(const QString& path)
{
    m_script.append({true, 0, path});
    return *this;
}

QList<ScriptedDialogs::Shown> ScriptedDialogs::messages() const
{
    QList<Shown> out;
    for (const Shown& s : m_shown) {
        if (s.kind == Kind::MessageBox)
            out.append(s);
    }
    return out;
}

bool ScriptedDialogs::takeAnswer(bool file, const Shown& shown, Answer& out)
{
    m_shown.append(shown);
    const char* what = file ? "file dialog" : "message box";
    QString problem;
    if (m_script.isEmpty())
        problem = QStringLiteral("unscripted %1").arg(QLatin1String(what));
    else if (m_script.first().isFile != file)
        problem =
            QStringLiteral("a %1 was shown where the script expected a %2")
                .arg(QLatin1String(what), QLatin1String(file ? "message box" : "file dialog"));
    if (!problem.isEmpty()) {
        const QString message =
            QStringLiteral("ScriptedDialogs: %1: \"%2\" (style %3, title \"%4\")")
                .arg(problem, shown.text)
                .arg(shown.style)
                .arg(shown.title);
        QTest::qFail(qPrintable(message), __FILE__, __LINE__);
        return false;
    }
    out = m_script.takeFirst();
    return true;
}

int ScriptedDialogs::messageBox(const QString& text, int style, const QString& title)
{
    Answer a;
    if (!takeAnswer(false, {Kind::MessageBox, text, style, title, {}, {}, {}}, a))
        return (style & 15) == platform::vbYesNo    ? platform::vbNo
               : (style & 15) == platform::vbOKOnly ? platform::vbOK
                                                    : platform::vbCancel;
    return a.answer;
}

QString ScriptedDialogs::openFile(const QString& title, const QString& filter,
                                  const QString& initialDir)
{
    Answer a;
    if (!takeAnswer(true, {Kind::OpenFile, title, 0, title, filter, initialDir, {}}, a))
        return QString();
    return a.path;
}

QString ScriptedDialogs::saveFile(const QString& title, const QString& filter,
                                  const QString& initialDir, const QString& defaultName,
                                  const QString& /*defaultSuffix*/)
{
    Answer a;
    if (!takeAnswer(true, {Kind::SaveFile, title, 0, title, filter, initialDir, defaultName}, a))
        return QString();
    return a.path;
}
