// The name's reading through a real input method: fcitx5 with Mozc, driven by xdotool on an
// X server. Run by with-fcitx5.sh, which starts the X server, a private session bus and
// fcitx5; without any of them the test fails and says which is missing.
#include "common/fontsubstitution.h"
#include "handlerfixture.h"

#include <QInputMethodEvent>
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
    // What the input method shows while the name is typed.
    QString preedit;
    connect(name->events(), &ControlEvents::inputMethod, this,
            [&preedit](const QInputMethodEvent& event) { preedit = event.preeditString(); });

    // Mozc switched on for the box: fcitx5 makes the box's input context when the box gets
    // the focus, at its own pace; "a" shows as あ once Mozc converts, and Escape takes it back.
    bool on = false;
    for (int attempt = 0; attempt < 10 && !on; ++attempt) {
        QProcess::execute(QStringLiteral("fcitx5-remote"), {QStringLiteral("-o")});
        QTest::qWait(300);
        name->setText(QString());
        const QString failure = xdotool({"type", "a"});
        if (!failure.isEmpty())
            QFAIL(qPrintable(failure));
        for (int wait = 0; wait < 30 && preedit != QStringLiteral("あ"); ++wait)
            QTest::qWait(100);
        on = preedit == QStringLiteral("あ");
    }
    if (!on)
        QFAIL(qPrintable(
            QStringLiteral("Mozc did not take the keys: the box holds \"%1\"").arg(name->text())));
    QVERIFY(xdotool({"key", "Escape"}).isEmpty());
    QTRY_COMPARE_WITH_TIMEOUT(preedit, QString(), 10000);
    name->setText(QString());

    // The name in romaji, Space converts, Return commits.
    QVERIFY(xdotool({"type", "--delay", "50", "satouhanako"}).isEmpty());
    QTRY_COMPARE_WITH_TIMEOUT(preedit, QStringLiteral("さとうはなこ"), 20000);
    QVERIFY(xdotool({"key", "space"}).isEmpty());
    QTRY_COMPARE_WITH_TIMEOUT(preedit, QStringLiteral("佐藤花子"), 20000);
    QVERIFY(xdotool({"key", "Return"}).isEmpty());
    QTRY_COMPARE_WITH_TIMEOUT(name->text(), QStringLiteral("佐藤花子"), 20000);
    QCOMPARE(kana->text(), QStringLiteral("さとうはなこ"));
    QCOMPARE(form.at(QStringLiteral("lblKanaPre"))->text(), QStringLiteral("さとうはなこ"));
}

QTEST_MAIN(RealInputMethodTest)
#include "ime_fcitx5.moc"
