// The name's reading through a real input method: fcitx5 with Mozc, driven by xdotool on an
// X server. Run by with-fcitx5.sh, which starts the X server, a private session bus and
// fcitx5; without any of them the test fails and says which is missing.
#include "common/fontsubstitution.h"
#include "handlerfixture.h"

#include <QProcess>
#include <QtTest>

using namespace controls;

namespace {

// Runs xdotool; "" when it ran, else what went wrong.
QString xdotool(const QStringList& arguments)
{
    QProcess process;
    process.start(QStringLiteral("xdotool"), arguments);
    if (!process.waitForFinished(20000))
        return QStringLiteral("xdotool %1 did not finish: %2")
            .arg(arguments.join(QLatin1Char(' ')), process.errorString());
    if (process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0)
        return QStringLiteral("xdotool %1 failed: %2")
            .arg(arguments.join(QLatin1Char(' ')),
                 QString::fromLocal8Bit(process.readAllStandardError()));
    return QString();
}

} // namespace

class RealInputMethodTest : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void typedNameGivesItsReading();
};

void RealInputMethodTest::initTestCase()
{
    common::installFontSubstitutions();
    if (QGuiApplication::platformName() != QLatin1String("xcb"))
        QFAIL(qPrintable(QStringLiteral("needs an X server (platform xcb), runs on %1")
                             .arg(QGuiApplication::platformName())));
    if (qgetenv("QT_IM_MODULE") != "fcitx")
        QFAIL("QT_IM_MODULE is not fcitx: the program would not talk to fcitx5");
}

void RealInputMethodTest::typedNameGivesItsReading()
{
    handlertest::Form form;
    form->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&*form));
    Control* name = form.at(QStringLiteral("txtname"));
    Control* kana = form.at(QStringLiteral("txtKana"));
    name->widget()->setFocus(Qt::TabFocusReason);
    QVERIFY(name->widget()->hasFocus());
    QTest::qWait(500); // fcitx5 makes the box's input context
    // Ctrl+Space switches from the keyboard layout to Mozc; then the name in romaji,
    // Space converts, Return commits.
    const QList<QStringList> steps = {
        {"key", "--clearmodifiers", "ctrl+space"},
        {"type", "--delay", "80", "satouhanako"},
        {"key", "space"},
        {"key", "Return"},
    };
    for (const QStringList& step : steps) {
        const QString failure = xdotool(step);
        if (!failure.isEmpty())
            QFAIL(qPrintable(failure));
        QTest::qWait(700);
    }
    QTRY_COMPARE_WITH_TIMEOUT(name->text(), QStringLiteral("佐藤花子"), 10000);
    QCOMPARE(kana->text(), QStringLiteral("さとうはなこ"));
    QCOMPARE(form.at(QStringLiteral("lblKanaPre"))->text(), QStringLiteral("さとうはなこ"));
}

QTEST_MAIN(RealInputMethodTest)
#include "ime_fcitx5.moc"
