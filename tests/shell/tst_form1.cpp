#include "common/appstate.h"
#include "platform/printerdouble.h"
#include "platform/settings.h"
#include "scripteddialogs.h"
#include "sheetfixture.h"
#include "shell/form1.h"
#include "shell/previewcanvas.h"
#include "shell/toolbaricons.h"
#include "testenvironment.h"

#include <QDir>
#include <QFile>
#include <QtTest>

using namespace shell;
using platform::FakePrinter;

namespace {
const QString App = QStringLiteral("Dizur");
const QString Startup = QStringLiteral("Startup");

QString stored(const QString& key)
{
    return platform::GetSetting(App, Startup, key, QStringLiteral("<absent>"));
}

void store(const QString& key, const QString& value)
{
    platform::SaveSetting(App, Startup, key, value);
}

QColor textColour(const QLineEdit* edit)
{
    return edit->palette().color(QPalette::Text);
}
} // namespace

class Form1Test : public QObject
{
    Q_OBJECT
private:
    std::unique_ptr<TestEnvironment> m_env;
    std::unique_ptr<Form1> m_form;

    Form1& start(std::unique_ptr<platform::Printer> printer = std::make_unique<FakePrinter>())
    {
        platform::setPrinter(std::move(printer));
        m_form = std::make_unique<Form1>();
        m_form->load();
        m_form->show();
        if (!m_form->isMinimized()) [[maybe_unused]]
            bool exposed = QTest::qWaitForWindowExposed(m_form.get());
        return *m_form;
    }
    platform::Printer& printer() { return platform::printer(); }
    const sheet::Outline& outline() { return m_form->Picture2->outline(); }

private Q_SLOTS:
    void init()
    {
        m_env = std::make_unique<TestEnvironment>();
        // The default printer's options live in the test's own folder.
        m_env->isolatePrinterOptions();
        common::appState() = common::AppState{};
    }
    void cleanup()
    {
        m_form.reset();
        m_env.reset();
    }

    void firstRunUsesTheDefaults()
    {
        Form1& f = start();
        const common::AppState& s = common::appState();
        QVERIFY(f.isMaximized());
        QVERIFY(s.ZoomType);
        QVERIFY(!s.PaperType);
        QVERIFY(!s.NoA3);
        QVERIFY(f.mnuA4->isChecked());
        QVERIFY(!f.mnuA3->isChecked());
        QVERIFY(f.mnuA3->isEnabled());
        QCOMPARE(printer().paperSize(), int(platform::PaperA4));
        QCOMPARE(printer().orientation(), int(platform::Portrait));
        QCOMPARE(printer().copies(), 1);
        QVERIFY(!s.PageHead);
        QVERIFY(!f.mnu2P_Head->isChecked());
        QCOMPARE(s.DataSort, quint8(0));
        QCOMPARE(s.SortDesc, quint8(0));
        QCOMPARE(s.InportState, quint8(0));
        QVERIFY(f.isHooked());
        QCOMPARE(s.AppPath, m_env->dataHome() + QStringLiteral("/Dizur/"));

        f.close();
        // Maximised: the default size and a centred position for the next normal window.
        QCOMPARE(stored("FormState"), QStringLiteral("2"));
        QCOMPARE(stored("FormWidth"), QStringLiteral("9600"));
        QCOMPARE(stored("FormHeight"), QStringLiteral("6735"));
        QCOMPARE(stored("FormLeft"), QStringLiteral("100000"));
        QCOMPARE(stored("FormTop"), QStringLiteral("100000"));
        QCOMPARE(stored("ZoomType"), QStringLiteral("True"));
        QCOMPARE(stored("PaperType"), QStringLiteral("False"));
        QCOMPARE(stored("PrinterCopies"), QStringLiteral("1"));
        QCOMPARE(stored("PageHead"), QStringLiteral("False"));
        QCOMPARE(stored("UserX"), QStringLiteral("0"));
        QCOMPARE(stored("DataSort"), QStringLiteral("0"));
        QCOMPARE(stored("InPort"), QStringLiteral("<absent>"));
        QVERIFY(!f.isHooked());
    }

    void normalWindowKeepsItsPlacement_data()
    {
        QTest::addColumn<QString>("left");
        QTest::addColumn<QPoint>("position");
        // The offscreen screen is 800 pixels wide: (12000 - 9000) / 2 = 1500 twips.
        QTest::newRow("centred") << QStringLiteral("100000") << QPoint(100, 60);
        QTest::newRow("given") << QStringLiteral("3000") << QPoint(200, 60);
        QTest::newRow("negative") << QStringLiteral("-150") << QPoint(-10, 60);
        QTest::newRow("off every screen") << QStringLiteral("300000") << QPoint(800 - 600, 60);
    }
    void normalWindowKeepsItsPlacement()
    {
        QFETCH(QString, left);
        QFETCH(QPoint, position);
        store("FormState", "0");
        store("FormWidth", "9000");
        store("FormHeight", "6000");
        store("FormLeft", left);
        store("FormTop", "900");
        Form1& f = start();
        QVERIFY(!f.isMaximized());
        QCOMPARE(f.size(), QSize(600, 400));
        QCOMPARE(f.pos(), position);
        f.close();
        QCOMPARE(stored("FormState"), QStringLiteral("0"));
        QCOMPARE(stored("FormWidth"), QStringLiteral("9000"));
        QCOMPARE(stored("FormHeight"), QStringLiteral("6000"));
        QCOMPARE(stored("FormLeft"), QString::number(position.x() * 15));
        QCOMPARE(stored("FormTop"), QStringLiteral("900"));
    }

    // A broken placement in the settings gives a window the screen can hold, and what is
    // written back at the end is that window.
    void brokenPlacementIsMadeSound_data()
    {
        QTest::addColumn<QString>("size");
        QTest::addColumn<QString>("position");
        QTest::newRow("10^9") << "1000000000"
                              << "1000000000";
        QTest::newRow("-10^9") << "-1000000000"
                               << "-1000000000";
        QTest::newRow("3.4e38") << "3.4e38"
                                << "3.4e38";
        QTest::newRow("1e300") << "1e300"
                               << "1e300";
        QTest::newRow("NaN text") << "NaN"
                                  << "NaN";
        QTest::newRow("0") << "0"
                           << "0";
    }
    void brokenPlacementIsMadeSound()
    {
        QFETCH(QString, size);
        QFETCH(QString, position);
        store("FormState", "0");
        store("FormWidth", size);
        store("FormHeight", size);
        store("FormLeft", position);
        store("FormTop", position);
        Form1& f = start();
        const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
        QVERIFY(screen.contains(f.pos()));
        QVERIFY(f.width() <= screen.width() && f.height() <= screen.height());
        QVERIFY(f.width() >= std::min(493, screen.width()));
        QVERIFY(f.height() >= std::min(297, screen.height()));
        f.close();
        const double written = stored("FormWidth").toDouble();
        QVERIFY(written > 0 && written <= screen.width() * 15);
        const double left = stored("FormLeft").toDouble();
        QVERIFY(left >= screen.left() * 15 && left <= screen.right() * 15);
    }

    void minimisedWindowStoresANormalOne()
    {
        store("FormState", "0");
        store("FormWidth", "9000");
        Form1& f = start();
        f.showMinimized();
        f.close();
        QCOMPARE(stored("FormState"), QStringLiteral("0"));
        QCOMPARE(stored("FormWidth"), QStringLiteral("9600"));
        QCOMPARE(stored("FormLeft"), QStringLiteral("100000"));
    }

    void unreadableValuesGiveTheDefaults()
    {
        store("FormWidth", "abc");
        store("FormState", "x");
        store("ZoomType", "maybe");
        store("PrinterCopies", "many");
        Form1& f = start();
        QVERIFY(f.isMaximized());
        QVERIFY(common::appState().ZoomType);
        QCOMPARE(printer().copies(), 1);
    }

    void inPortIsWrittenOnlyAsFour_data()
    {
        QTest::addColumn<QString>("before");
        QTest::addColumn<int>("state");
        QTest::addColumn<QString>("after");
        QTest::newRow("declined for now") << QStringLiteral("2") << 12 << QStringLiteral("2");
        QTest::newRow("done") << QStringLiteral("0") << 4 << QStringLiteral("4");
        QTest::newRow("first run") << QString() << 1 << QStringLiteral("<absent>");
    }
    void inPortIsWrittenOnlyAsFour()
    {
        QFETCH(QString, before);
        QFETCH(int, state);
        QFETCH(QString, after);
        if (!before.isNull())
            store("InPort", before);
        Form1& f = start();
        QCOMPARE(common::appState().InportState, quint8(before.toInt()));
        common::appState().InportState = quint8(state);
        f.close();
        QCOMPARE(stored("InPort"), after);
    }

    void sortDirectionFollowsTheOrder_data()
    {
        QTest::addColumn<QString>("dataSort");
        QTest::addColumn<int>("sortDesc");
        QTest::newRow("81") << QStringLiteral("81") << 1;
        QTest::newRow("80") << QStringLiteral("80") << 0;
        QTest::newRow("0") << QStringLiteral("0") << 0;
    }
    void sortDirectionFollowsTheOrder()
    {
        QFETCH(QString, dataSort);
        QFETCH(int, sortDesc);
        store("DataSort", dataSort);
        start();
        QCOMPARE(int(common::appState().SortDesc), sortDesc);
    }

    void optionsRoundTrip()
    {
        store("UserX", "1.5");
        store("UserY", "-0.5");
        store("ZoomType", "False");
        store("PageHead", "True");
        store("PaperType", "True");
        store("PrinterCopies", "3");
        store("DataSort", "21");
        Form1& f = start();
        const common::AppState& s = common::appState();
        QCOMPARE(s.UserX, 1.5f);
        QVERIFY(!s.ZoomType);
        QVERIFY(s.PageHead);
        QVERIFY(f.mnu2P_Head->isChecked());
        QVERIFY(s.PaperType);
        QVERIFY(f.mnuA3->isChecked());
        QCOMPARE(printer().paperSize(), int(platform::PaperA3));
        QCOMPARE(printer().orientation(), int(platform::Landscape));
        QCOMPARE(printer().copies(), 3);
        QVERIFY(f.mnuZoom->isEnabled());
        QVERIFY(!f.mnuUnzoom->isEnabled());
        QCOMPARE(f.txtPaper->text(), QStringLiteral("A3、297 x 420 mm"));
        QCOMPARE(textColour(f.txtPaper), QColor(0, 0, 255));
        f.close();
        QCOMPARE(stored("UserX"), QStringLiteral("1.5"));
        QCOMPARE(stored("UserY"), QStringLiteral("-0.5"));
        QCOMPARE(stored("ZoomType"), QStringLiteral("False"));
        QCOMPARE(stored("PageHead"), QStringLiteral("True"));
        QCOMPARE(stored("PaperType"), QStringLiteral("True"));
        QCOMPARE(stored("PrinterCopies"), QStringLiteral("3"));
        QCOMPARE(stored("DataSort"), QStringLiteral("21"));
    }

    void printerThatRefusesA3GivesTwoA4Sheets()
    {
        store("PaperType", "True");
        Form1& f = start(FakePrinter::refusingA3());
        const common::AppState& s = common::appState();
        QVERIFY(s.NoA3);
        QVERIFY(!s.PaperType);
        QVERIFY(!f.mnuA3->isEnabled());
        QVERIFY(f.mnuA4->isChecked());
        QVERIFY(!f.mnuA3->isChecked());
        QCOMPARE(printer().paperSize(), int(platform::PaperA4));
        QCOMPARE(printer().orientation(), int(platform::Portrait));
        QCOMPARE(f.txtPaper->text(), QStringLiteral("A4、210 x 297 mm 2枚"));
        // The outline is that of two A4 pages.
        QVERIFY(outline()[4].visible);
        f.close();
        QCOMPARE(stored("PaperType"), QStringLiteral("False"));
    }

    void settingsThatCannotBeWrittenAreTold()
    {
        Form1& f = start();
        // A folder where the settings file should be: nothing can be written there.
        const QString file = platform::SettingsFilePath(QStringLiteral("Dizur"));
        QFile::remove(file);
        QVERIFY(QDir().mkpath(file));

        ScriptedDialogs dialogs;
        dialogs.answer(platform::vbOK);
        f.close();
        QCOMPARE(dialogs.messages().size(), 1);
        QCOMPARE(dialogs.messages().at(0).style, 48);
        QCOMPARE(dialogs.messages().at(0).title, QStringLiteral("終了"));
        QCOMPARE(dialogs.messages().at(0).text,
                 QStringLiteral("画面と印刷の設定を保存できませんでした。"));
    }

    void programWorksWithoutAPrinter()
    {
        store("PaperType", "True");
        store("PrinterCopies", "2");
        Form1& f = start(FakePrinter::none());
        QVERIFY(f.isVisible());
        QCOMPARE(f.txtPaper->text(), QStringLiteral("プリンタがありません"));
        for (const sheet::OutlineLine& line : outline())
            QVERIFY(!line.visible);
        QVERIFY(!common::appState().NoA3);

        ScriptedDialogs dialogs;
        dialogs.answer(platform::vbOK);
        QSignalSpy commands(&f, &Form1::commandRequested);
        f.mnuPrint->trigger();
        QCOMPARE(commands.size(), 0);
        QCOMPARE(dialogs.messages().size(), 1);
        QCOMPARE(dialogs.messages().at(0).style, 48);
        QVERIFY(dialogs.messages().at(0).text.startsWith(QStringLiteral("プリンタがありません。")));

        // The views and the paper menu still work.
        f.mnuUnzoom->trigger();
        f.mnuZoom->trigger();
        f.mnuA4->trigger();
        QVERIFY(f.mnuA4->isChecked());
        f.close();
        QCOMPARE(stored("PrinterCopies"), QStringLiteral("2"));
        QCOMPARE(stored("PaperType"), QStringLiteral("False"));
    }

    void outlineAndLabelFollowThePaperMode()
    {
        Form1& f = start(FakePrinter::at600DpiWithOffset100());
        const sheet::PrintArea a4 = sheet::printArea();
        QCOMPARE(a4.PhysOffsetX, 240);
        QCOMPARE(outline()[6].line.x1(), 240 + a4.PrintableWidth - 15 + 11907);
        QCOMPARE(textColour(f.txtPaper), QColor(0, 0, 0xC0));

        f.mnuA3->trigger();
        QVERIFY(f.mnuA3->isChecked());
        QVERIFY(!f.mnuA4->isChecked());
        QVERIFY(common::appState().PaperType);
        QCOMPARE(f.txtPaper->text(), QStringLiteral("A3、297 x 420 mm"));
        for (int i = 4; i < 8; ++i)
            QVERIFY(!outline()[i].visible);
        QVERIFY(sheet::printArea().PrintableWidth > a4.PrintableWidth);
        QCOMPARE(outline()[1].line.x2(), 240 + sheet::printArea().PrintableWidth);

        f.mnuA4->trigger();
        QCOMPARE(f.txtPaper->text(), QStringLiteral("A4、210 x 297 mm 2枚"));
        // Once A3 has been shown the label stays blue.
        QCOMPARE(textColour(f.txtPaper), QColor(0, 0, 255));
        QVERIFY(outline()[4].visible);
    }

    void viewsSwitchTheirCommands()
    {
        Form1& f = start();
        QVERIFY(f.toolbarButton(5)->isEnabled());
        QVERIFY(!f.toolbarButton(6)->isEnabled());
        f.toolbarButtonClick(QStringLiteral("UnZoom"));
        QVERIFY(!common::appState().ZoomType);
        QVERIFY(!f.toolbarButton(5)->isEnabled());
        QVERIFY(f.toolbarButton(6)->isEnabled());
        QVERIFY(!f.mnuUnzoom->isEnabled());
        QVERIFY(f.mnuZoom->isEnabled());
        QVERIFY(f.Picture2->isHidden());
        QVERIFY(f.VScroll1->isHidden());
        QVERIFY(f.HScroll1->isHidden());
        QVERIFY(!f.Picture1->fitted().isNull());

        f.mnuZoom->trigger();
        QVERIFY(common::appState().ZoomType);
        QVERIFY(f.mnuUnzoom->isEnabled());
        QVERIFY(!f.mnuZoom->isEnabled());
        QVERIFY(f.Picture2->isVisible());
        QVERIFY(f.VScroll1->isVisible());
        QVERIFY(f.Picture1->fitted().isNull());
    }

    void layoutAndWheelMoveTheCanvas()
    {
        store("FormState", "0");
        store("FormWidth", "9000");
        store("FormHeight", "6000");
        Form1& f = start();
        const FullSizeLayout l = fullSizeLayout(f.innerWidthTwips(), f.innerHeightTwips());
        QVERIFY(!l.wide);
        QVERIFY(f.HScroll1->isVisible());
        QCOMPARE(f.VScroll1->maximum(), l.vRange.max);
        QCOMPARE(f.HScroll1->maximum(), l.hRange.max);
        QCOMPARE(f.Picture1->height(), qRound(l.viewport.height / 15.0));

        QWheelEvent down(QPointF(10, 10), f.Picture1->mapToGlobal(QPointF(10, 10)), QPoint(),
                         QPoint(0, -120), Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(f.Picture2, &down);
        QCOMPARE(f.VScroll1->value(), 150);
        QCOMPARE(f.Picture2->y(), -10);

        f.HScroll1->setValue(1500);
        QCOMPARE(f.Picture2->x(), -100);
        // Minimising and restoring keeps the position.
        f.showMinimized();
        f.showNormal();
        QCOMPARE(f.VScroll1->value(), 150);
        QCOMPARE(f.Picture2->pos(), QPoint(-100, -10));

        // Wide enough for the whole sheet: no horizontal bar, the canvas back at the left.
        f.resize(1700, 500);
        QTRY_VERIFY(f.HScroll1->isHidden());
        QCOMPARE(f.Picture2->x(), 0);
        f.resize(600, 400);
        QTRY_VERIFY(f.HScroll1->isVisible());
        QCOMPARE(f.HScroll1->value(), 0);
    }

    void menusAndToolbarHaveEveryItem()
    {
        Form1& f = start();
        QCOMPARE(f.windowTitle(), QStringLiteral("Sarnet意見書"));
        // The window carries the program's own icon.
        QCOMPARE(f.windowIcon().pixmap(16).toImage(), shell::windowIcon().pixmap(16).toImage());
        QVERIFY(!f.windowIcon().isNull());
        QCOMPARE(f.mnuNew->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_O));
        QCOMPARE(f.mnuPrint->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_P));
        QCOMPARE(f.mnuA3->text(), QStringLiteral("A３　１枚"));
        QCOMPARE(f.mnuA4->text(), QStringLiteral("A４　２枚"));
        const QStringList keys{"",       "New",     "Del", "",     "UnZoom", "Zoom", "",
                               "Settei", "GoPrint", "",    "Help", "About",  "End"};
        for (int i = 1; i <= 13; ++i) {
            QAction* button = f.toolbarButton(i);
            QVERIFY(button);
            QCOMPARE(button->isSeparator(), keys[i - 1].isEmpty());
            if (!button->isSeparator()) {
                QCOMPARE(button->data().toString(), keys[i - 1]);
                QVERIFY(!button->icon().isNull());
                QVERIFY(!button->toolTip().isEmpty());
            }
        }
        QCOMPARE(f.toolbarButton(9)->toolTip(), QStringLiteral("印刷実行"));
        QCOMPARE(f.txtPapersize->text(), QStringLiteral("用紙サイズ"));
    }

    void versionBox()
    {
        Form1& f = start();
        ScriptedDialogs dialogs;
        dialogs.answer(platform::vbOK);
        f.toolbarButtonClick(QStringLiteral("About"));
        QCOMPARE(dialogs.messages().size(), 1);
        QCOMPARE(dialogs.messages().at(0).text, QStringLiteral("Sarnet意見書　Ver.2.51"));
        QCOMPARE(dialogs.messages().at(0).style, 64);
        QCOMPARE(dialogs.messages().at(0).title, QStringLiteral("バージョン情報"));
    }

    void pageHeadToggles()
    {
        Form1& f = start();
        f.mnu2P_Head->trigger();
        QVERIFY(common::appState().PageHead);
        QVERIFY(f.mnu2P_Head->isChecked());
        f.mnu2P_Head->trigger();
        QVERIFY(!common::appState().PageHead);
        QVERIFY(!f.mnu2P_Head->isChecked());
    }

    void clearingTheSheetEmptiesThePatientName()
    {
        Form1& f = start();
        SheetFixture letters;
        QVERIFY2(letters.isValid(), qPrintable(letters.error()));
        QVERIFY(letters.add(1, letterfixtures::fullyFilledLetter()));
        QVERIFY(letters.fill(f.model(), QStringLiteral("1")).letterFound);
        QVERIFY(f.model().FormLoaded);
        f.lblPointer->setText(QStringLiteral("山田　太郎"));
        f.toolbarButtonClick(QStringLiteral("Del"));
        QCOMPARE(f.lblPointer->text(), QString());
        QVERIFY(!f.model().FormLoaded);
        QCOMPARE(f.model().ShapeCount, qint16(0));
        for (const QString& text : f.model().FormText)
            QVERIFY(text.isEmpty());
    }

    void commandsRedrawTheSheet()
    {
        Form1& f = start();
        const QImage blank = f.Picture2->image().copy();
        QVERIFY(blank != QImage(blank.size(), blank.format()));
        // Clearing a blank sheet draws the same blank sheet.
        f.mnuDel->trigger();
        QCOMPARE(f.Picture2->image(), blank);
        // The paper mode changes the outline and the label, not the drawing.
        f.mnuA3->trigger();
        QCOMPARE(f.Picture2->image(), blank);

        SheetFixture letters;
        QVERIFY(letters.add(1, letterfixtures::fullyFilledLetter()));
        QVERIFY(letters.fill(f.model(), QStringLiteral("1")).letterFound);
        f.mnu2P_Head->trigger();
        const QImage withHeader = f.Picture2->image().copy();
        QVERIFY(withHeader != blank);
        f.mnu2P_Head->trigger();
        const QImage withoutHeader = f.Picture2->image().copy();
        QVERIFY(withoutHeader != withHeader);
        f.mnu2P_Head->trigger();
        QCOMPARE(f.Picture2->image(), withHeader);

        // The fitted view is the same picture however often it is made.
        f.mnuUnzoom->trigger();
        const QImage fitted = f.Picture1->fitted().copy();
        f.ZoomOut();
        QCOMPARE(f.Picture1->fitted(), fitted);
        // A sheet cleared in the fitted view shows there at once.
        f.mnuDel->trigger();
        QVERIFY(f.Picture1->fitted() != fitted);
        QCOMPARE(f.Picture2->image(), blank);
    }

    void endClosesTheWindow()
    {
        Form1& f = start();
        f.toolbarButtonClick(QStringLiteral("End"));
        QVERIFY(!f.isVisible());
        QCOMPARE(stored("FormState"), QStringLiteral("2"));
    }
};

QTEST_MAIN(Form1Test)
#include "tst_form1.moc"
