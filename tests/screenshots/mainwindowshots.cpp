#include "common/appstate.h"
#include "common/datafiles.h"
#include "common/fontsubstitution.h"
#include "entry/frmDat3.h"
#include "letterfixtures.h"
#include "platform/clock.h"
#include "platform/helpwindow.h"
#include "platform/printerdouble.h"
#include "platform/settings.h"
#include "scripteddialogs.h"
#include "shell/form1.h"
#include "shell/frmadj.h"
#include "shell/frmdata.h"
#include "shell/frmstart.h"
#include "shots.h"
#include "testenvironment.h"

#include <QRadioButton>
#include <QScreen>
#include <QtTest>

using namespace shell;

namespace {

// Forty letters with plausible names, ages, diagnoses and writing dates in both eras.
bool writeFortyLetters(const QString& path)
{
    static const char16_t* const family[] = {u"佐藤", u"鈴木", u"高橋", u"田中", u"伊藤",
                                             u"渡辺", u"山本", u"中村", u"小林", u"加藤"};
    static const char16_t* const familyKana[] = {u"さとう",   u"すずき",   u"たかはし", u"たなか",
                                                 u"いとう",   u"わたなべ", u"やまもと", u"なかむら",
                                                 u"こばやし", u"かとう"};
    static const char16_t* const given[] = {u"花子", u"太郎", u"幸子", u"一郎"};
    static const char16_t* const givenKana[] = {u"はなこ", u"たろう", u"さちこ", u"いちろう"};
    static const char16_t* const diagnosis[] = {u"脳梗塞後遺症", u"変形性膝関節症",
                                                u"アルツハイマー型認知症", u"慢性心不全",
                                                u"パーキンソン病"};
    if (!letterfixtures::createDataFile(path))
        return false;
    for (int i = 1; i <= 40; ++i) {
        const int g = i % 4;
        const QString name = QString::fromUtf16(family[i % 10]) + QStringLiteral("　") +
                             QString::fromUtf16(given[g]);
        const QString kana = QString::fromUtf16(familyKana[i % 10]) + QStringLiteral("　") +
                             QString::fromUtf16(givenKana[g]);
        const QString date = i % 3 ? QStringLiteral("令和%1年%2月%3日")
                                         .arg(1 + i % 7)
                                         .arg(1 + i % 12, 2, 10, QLatin1Char('0'))
                                         .arg(1 + i % 28, 2, 10, QLatin1Char('0'))
                                   : QStringLiteral("平成%1年%2月%3日")
                                         .arg(20 + i % 11)
                                         .arg(1 + i % 12, 2, 10, QLatin1Char('0'))
                                         .arg(1 + i % 28, 2, 10, QLatin1Char('0'));
        auto text = [](const QString& value) { return db::Variant::fromString(value); };
        if (!letterfixtures::writeLetter(
                path, i,
                {{QStringLiteral("カルテ番号"), text(QString::number(1000 + 37 * i))},
                 {QStringLiteral("患者名"), text(name)},
                 {QStringLiteral("患者名かな"), text(kana)},
                 {QStringLiteral("年齢"), text(QString::number(65 + (i * 7) % 30))},
                 {QStringLiteral("性別"), text(g % 2 ? QStringLiteral("1") : QStringLiteral("2"))},
                 {QStringLiteral("診断名１"), text(QString::fromUtf16(diagnosis[i % 5]))},
                 {QStringLiteral("最新意見書記入日"), text(date)}}))
            return false;
    }
    return true;
}

// A fresh program state whose data file, in the data folder, holds the forty letters.
bool startWithFortyLetters()
{
    common::appState() = common::AppState{};
    if (!common::ensureDataFolder())
        return false;
    common::appState().AppPath = common::dataFolder();
    const QString data = common::appState().AppPath + common::LetterFileName;
    common::appState().DatabasePath = data;
    return QFile::remove(data) && writeFortyLetters(data);
}

} // namespace

// The main window, full size and fitted, with the blank sheet; the help window; the record
// list and the entry form; the start-up form; the print dialog.
class MainWindowShots : public QObject
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
        QVERIFY(form.grab().save(shots::file(name)));
    }

    void helpWindow()
    {
        TestEnvironment env;
        platform::setPrinter(std::make_unique<platform::FakePrinter>());
        common::installFontSubstitutions();
        Form1 form;
        form.show();
        form.mnuTopic_Click();
        auto* help = form.findChild<platform::HelpWindow*>();
        QVERIFY(help && QTest::qWaitForWindowExposed(help));
        QTest::qWait(200);
        QVERIFY(help->grab().save(shots::file(QStringLiteral("help-contents.png"))));
        form.showHelpContext(30);
        QTest::qWait(200);
        QVERIFY(help->grab().save(shots::file(QStringLiteral("help-main.png"))));
    }

    // The record list on forty letters, and the entry form opened from it on a stored letter.
    void recordListAndEntryForm()
    {
        TestEnvironment env;
        QVERIFY(startWithFortyLetters());
        platform::setPrinter(std::make_unique<platform::FakePrinter>());
        platform::setToday(QDate(2025, 4, 1));
        common::installFontSubstitutions();
        Form1 form;
        form.show();
        bool listShot = false;
        bool entryShot = false;
        QTimer::singleShot(0, [&] {
            auto* list = qobject_cast<frmData*>(QApplication::activeModalWidget());
            QVERIFY(list && QTest::qWaitForWindowExposed(list));
            QCOMPARE(list->rowCount(), 40);
            QTest::qWait(200);
            listShot = list->grab().save(shots::file(QStringLiteral("record-list.png")));
            QTimer::singleShot(0, [&] {
                auto* entry = qobject_cast<entry::frmDat3*>(QApplication::activeModalWidget());
                QVERIFY(entry && QTest::qWaitForWindowExposed(entry));
                QTest::qWait(200);
                entryShot = entry->grab().save(shots::file(QStringLiteral("entry-from-list.png")));
                QTimer::singleShot(0, [] {
                    auto* again = qobject_cast<frmData*>(QApplication::activeModalWidget());
                    if (again)
                        again->cmdCancel_Click();
                });
                entry->Command3_Click();
            });
            list->cmdRe_Click();
        });
        form.DataOpen();
        platform::setToday(QDate());
        QVERIFY(listShot);
        QVERIFY(entryShot);
    }

    // Under a column order (name, descending): the list after a deletion, then the list and
    // the entry form one after the other, each over the whole screen to show its place.
    void recordListDeletionAndPlaces()
    {
        TestEnvironment env;
        QVERIFY(startWithFortyLetters());
        platform::SaveSetting(QStringLiteral("Dizur"), QStringLiteral("Startup"),
                              QStringLiteral("DataSort"), QStringLiteral("31"));
        common::appState().CurrentLetterNo = 12;
        platform::setPrinter(std::make_unique<platform::FakePrinter>());
        platform::setToday(QDate(2025, 4, 1));
        common::installFontSubstitutions();
        Form1 form;
        form.load();
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        ScriptedDialogs dialogs;
        dialogs.answer(platform::vbOK); // 登録削除's question
        const auto screen = [&](const QString& name) {
            QTest::qWait(300);
            return QGuiApplication::primaryScreen()->grabWindow(0).save(shots::file(name));
        };
        QStringList shots;
        QTimer::singleShot(0, [&] {
            auto* list = qobject_cast<frmData*>(QApplication::activeModalWidget());
            QVERIFY(list && QTest::qWaitForWindowExposed(list));
            list->Command3_Click(); // letter 12 deleted, the list read again by name
            QTest::qWait(200);
            if (list->grab().save(shots::file(QStringLiteral("record-list-after-deletion.png"))))
                shots << QStringLiteral("deletion");
            list->move(60, 40);
            if (screen(QStringLiteral("places-1-list.png")))
                shots << QStringLiteral("list");
            QTimer::singleShot(0, [&] {
                auto* entry = qobject_cast<entry::frmDat3*>(QApplication::activeModalWidget());
                QVERIFY(entry && QTest::qWaitForWindowExposed(entry));
                if (screen(QStringLiteral("places-2-entry-form.png")))
                    shots << QStringLiteral("entry");
                entry->move(180, 90);
                QTest::qWait(100);
                QTimer::singleShot(0, [&] {
                    auto* again = qobject_cast<frmData*>(QApplication::activeModalWidget());
                    QVERIFY(again && QTest::qWaitForWindowExposed(again));
                    if (screen(QStringLiteral("places-3-list-again.png")))
                        shots << QStringLiteral("again");
                    again->cmdCancel_Click();
                });
                entry->Command3_Click();
            });
            list->cmdRe_Click();
        });
        form.DataOpen();
        platform::setToday(QDate());
        QCOMPARE(shots, QStringList({"deletion", "list", "entry", "again"}));
    }

    void startupForm()
    {
        common::installFontSubstitutions();
        frmStart splash;
        splash.show();
        QVERIFY(QTest::qWaitForWindowExposed(&splash));
        QVERIFY(splash.grab().save(shots::file(QStringLiteral("start.png"))));
    }

    // The print dialog over the main window, with a shift and three printers.
    void printDialog()
    {
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
        QVERIFY(dialog.grab().save(shots::file(QStringLiteral("print-dialog.png"))));
        dialog.optA3->setChecked(true);
        QTest::qWait(100);
        QVERIFY(form.grab().save(shots::file(QStringLiteral("print-dialog-main-a3.png"))));
    }
};

std::unique_ptr<QObject> shots::mainWindowShots()
{
    return std::make_unique<MainWindowShots>();
}

#include "mainwindowshots.moc"
