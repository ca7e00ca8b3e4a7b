#include "common/appstate.h"
#include "common/fontsubstitution.h"
#include "platform/helpwindow.h"
#include "platform/printerdouble.h"
#include "platform/settings.h"
#include "shell/form1.h"
#include "shell/frmadj.h"
#include "shell/frmstart.h"
#include "testenvironment.h"

#include <QRadioButton>
#include <QtTest>

using namespace shell;

// Pictures of the main window for a person to look at: full size and fitted, with the blank
// sheet. Written only when RUVIRO_SCREENSHOT_DIR names a folder; run under a real display
// server (xvfb-run) to see the window as the user does.
class ScreenshotTest : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void mainWindow_data()
    {
        QTest::addColumn<bool>("fitted");
        QTest::newRow("full size") << false;
        QTest::newRow("fitted") << true;
    }
    void mainWindow()
    {
        QFETCH(bool, fitted);
        const QString folder = qEnvironmentVariable("RUVIRO_SCREENSHOT_DIR");
        if (folder.isEmpty())
            QSKIP("RUVIRO_SCREENSHOT_DIR is not set");
        TestEnvironment env;
        env.isolatePrinterOptions();
        common::appState() = common::AppState{};
        platform::setPrinter(platform::FakePrinter::at600DpiWithOffset100());
        const QString app = QStringLiteral("Dizur");
        const QString section = QStringLiteral("Startup");
        platform::SaveSetting(app, section, QStringLiteral("FormState"), QStringLiteral("0"));
        platform::SaveSetting(app, section, QStringLiteral("FormWidth"), QStringLiteral("21000"));
        platform::SaveSetting(app, section, QStringLiteral("FormHeight"), QStringLiteral("13500"));
        platform::SaveSetting(app, section, QStringLiteral("ZoomType"),
                              fitted ? QStringLiteral("False") : QStringLiteral("True"));
        common::installFontSubstitutions();
        Form1 form;
        form.load();
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        QTest::qWait(200);
        const QString name =
            fitted ? QStringLiteral("main-fitted.png") : QStringLiteral("main-full-size.png");
        QVERIFY(form.grab().save(QDir(folder).filePath(name)));
    }

    void helpWindow()
    {
        const QString folder = qEnvironmentVariable("RUVIRO_SCREENSHOT_DIR");
        if (folder.isEmpty())
            QSKIP("RUVIRO_SCREENSHOT_DIR is not set");
        TestEnvironment env;
        platform::setPrinter(std::make_unique<platform::FakePrinter>());
        common::installFontSubstitutions();
        Form1 form;
        form.show();
        form.mnuTopic_Click();
        auto* help = form.findChild<platform::HelpWindow*>();
        QVERIFY(help && QTest::qWaitForWindowExposed(help));
        QTest::qWait(200);
        QVERIFY(help->grab().save(QDir(folder).filePath(QStringLiteral("help-contents.png"))));
        form.showHelpContext(30);
        QTest::qWait(200);
        QVERIFY(help->grab().save(QDir(folder).filePath(QStringLiteral("help-main.png"))));
    }

    void startupForm()
    {
        const QString folder = qEnvironmentVariable("RUVIRO_SCREENSHOT_DIR");
        if (folder.isEmpty())
            QSKIP("RUVIRO_SCREENSHOT_DIR is not set");
        common::installFontSubstitutions();
        frmStart splash;
        splash.show();
        QVERIFY(QTest::qWaitForWindowExposed(&splash));
        QVERIFY(splash.grab().save(QDir(folder).filePath(QStringLiteral("start.png"))));
    }

    // The print dialog over the main window, with a shift and three printers.
    void printDialog()
    {
        const QString folder = qEnvironmentVariable("RUVIRO_SCREENSHOT_DIR");
        if (folder.isEmpty())
            QSKIP("RUVIRO_SCREENSHOT_DIR is not set");
        TestEnvironment env;
        env.isolatePrinterOptions();
        common::appState() = common::AppState{};
        platform::FakePrinter::Spec spec;
        spec.names = {QStringLiteral("CUPS-PDF"), QStringLiteral("Office_A3"),
                      QStringLiteral("Reception_A4")};
        spec.port = QStringLiteral("cups-pdf:/");
        platform::setPrinter(std::make_unique<platform::FakePrinter>(spec));
        common::installFontSubstitutions();
        Form1 form;
        form.load();
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        common::appState().UserX = -1.5f;
        common::appState().UserY = 2;
        frmAdj dialog(form);
        AdjFormLayout(dialog, form);
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        QTest::qWait(200);
        QVERIFY(dialog.grab().save(QDir(folder).filePath(QStringLiteral("print-dialog.png"))));
        dialog.optA3->setChecked(true);
        QTest::qWait(100);
        QVERIFY(
            form.grab().save(QDir(folder).filePath(QStringLiteral("print-dialog-main-a3.png"))));
    }
};

QTEST_MAIN(ScreenshotTest)
#include "tst_screenshots.moc"
