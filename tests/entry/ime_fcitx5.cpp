// The name's reading through a real input method: fcitx5 with Mozc, driven by xdotool on an
// X server. Run by with-fcitx5.sh, which starts the X server, a private session bus and
// fcitx5; without any of them the test fails and says which is missing. With
// RUVIRO_SCREENSHOT_DIR set, it leaves pictures of the form there.
#include "common/appstate.h"
#include "common/datafiles.h"
#include "common/fontsubstitution.h"
#include "common/schema.h"
#include "handlerfixture.h"
#include "platform/database.h"

#include <QInputMethodEvent>
#include <QProcess>
#include <QTemporaryDir>
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

// A postal-code master with one row.
bool writeMaster(const QString& path, const QString& code, const QString& address)
{
    auto master = db::Database::create(path);
    return master && common::createPostCodeTables(*master) &&
           master->execute(
               QStringLiteral("INSERT INTO %1 (%2, %3) VALUES (?, ?)")
                   .arg(common::PostCodeTable, common::PostCodeCode, common::PostCodeAddress),
               {db::Variant::fromString(code), db::Variant::fromString(address)});
}

// The window as the user sees it, into $RUVIRO_SCREENSHOT_DIR when that is set.
void screenshot(QWidget& window, const QString& name)
{
    const QString folder = qEnvironmentVariable("RUVIRO_SCREENSHOT_DIR");
    if (folder.isEmpty())
        return;
    QTest::qWait(200);
    QVERIFY(window.grab().save(QDir(folder).filePath(name)));
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
    screenshot(*form, QStringLiteral("entry-name-converting.png"));
    QVERIFY(xdotool({"key", "Return"}).isEmpty());
    QTRY_COMPARE_WITH_TIMEOUT(name->text(), QStringLiteral("佐藤花子"), 20000);
    QCOMPARE(kana->text(), QStringLiteral("さとうはなこ"));
    QCOMPARE(form.at(QStringLiteral("lblKanaPre"))->text(), QStringLiteral("さとうはなこ"));

    // Then the postal code, typed past the input method (the code boxes have none): the
    // focus moves on by itself into the address box, which takes the code's address.
    QTemporaryDir data;
    QVERIFY(data.isValid());
    common::appState().AppPath = data.path() + QLatin1Char('/');
    const QString address = QStringLiteral("東京都千代田区丸の内");
    QVERIFY(writeMaster(common::appState().AppPath + common::PostCodeFileName,
                        QStringLiteral("1000005 "), address));
    form.at(QStringLiteral("txtYubin1"))->widget()->setFocus(Qt::TabFocusReason);
    QVERIFY(xdotool({"type", "--delay", "50", "1000005"}).isEmpty());
    QTRY_COMPARE_WITH_TIMEOUT(form.at(QStringLiteral("txtZusho"))->text(), address, 20000);
    QCOMPARE(form.at(QStringLiteral("txtYubin1"))->text(), QStringLiteral("100"));
    QCOMPARE(form.at(QStringLiteral("txtYubin2"))->text(), QStringLiteral("0005"));
    form.at(QStringLiteral("txtname"))->widget()->setFocus(Qt::TabFocusReason);
    form.at(QStringLiteral("txtZusho"))->widget()->setFocus(Qt::TabFocusReason);
    screenshot(*form, QStringLiteral("entry-name-reading-address.png"));
}

QTEST_MAIN(RealInputMethodTest)
#include "ime_fcitx5.moc"
