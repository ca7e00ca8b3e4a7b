#include "common/appstate.h"
#include "controls/controlprocs.h"
#include "controls/controlwidgets.h"
#include "platform/printerdouble.h"
#include "scripteddialogs.h"
#include "shell/form1.h"
#include "shell/frmadj.h"
#include "testenvironment.h"

#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTimer>
#include <QtTest>

using namespace shell;
using platform::FakePrinter;
using platform::FakePrinterDriver;
using platform::PrinterSettingsBlock;

namespace {

common::AppState& state()
{
    return common::appState();
}

FakePrinter::Spec threePrinters()
{
    FakePrinter::Spec spec;
    spec.names = {QStringLiteral("Office A3"), QStringLiteral("Rendering Subsystem"),
                  QStringLiteral("A4 Only")};
    spec.refusingA3 = {QStringLiteral("A4 Only")};
    return spec;
}

// What the user does in the print dialog, opening by opening.
using DialogStep = std::function<void(frmAdj&)>;

} // namespace

class PrintDialogTest : public QObject
{
    Q_OBJECT
private:
    std::unique_ptr<TestEnvironment> m_env;
    std::unique_ptr<Form1> m_form;
    FakePrinter* m_printer = nullptr;
    FakePrinterDriver* m_driver = nullptr;

    Form1& start(const FakePrinter::Spec& spec = FakePrinter::Spec{})
    {
        auto printer = std::make_unique<FakePrinter>(spec);
        m_printer = printer.get();
        platform::setPrinter(std::move(printer));
        auto driver = std::make_unique<FakePrinterDriver>();
        m_driver = driver.get();
        platform::setPrinterDriver(std::move(driver));
        m_form = std::make_unique<Form1>();
        m_form->load();
        return *m_form;
    }

    // Runs the print dialog from the main window, answering each opening with the next step.
    int runDialog(QList<DialogStep> steps)
    {
        int openings = 0;
        m_form->beforePrintDialog = [&openings, steps](frmAdj& dialog) {
            const int n = openings++;
            QTimer::singleShot(0, &dialog, [&dialog, step = steps.value(n)] {
                if (step)
                    step(dialog);
                else
                    dialog.cmdCancel_Click();
            });
        };
        m_form->mnuPrint_Click();
        m_form->beforePrintDialog = nullptr;
        return openings;
    }

private Q_SLOTS:
    void init()
    {
        m_env = std::make_unique<TestEnvironment>();
        m_env->isolatePrinterOptions();
        state() = common::AppState{};
    }
    void cleanup()
    {
        m_form.reset();
        platform::setPrinterDriver(nullptr);
        m_env.reset();
    }

    void layout_data()
    {
        QTest::addColumn<double>("twipsPerPixel");
        QTest::addColumn<int>("points");
        QTest::newRow("96 dpi") << 15.0 << 9;
        QTest::newRow("120 dpi") << 12.0 << 7;
    }
    void layout()
    {
        QFETCH(double, twipsPerPixel);
        QFETCH(int, points);
        start();
        state().TwipsX = state().TwipsY = twipsPerPixel;
        frmAdj dialog(*m_form);
        AdjFormLayout(dialog, *m_form);
        QCOMPARE(dialog.windowTitle(), QStringLiteral("印刷"));
        QCOMPARE(dialog.size(), QSize(461, 225));
        QCOMPARE(dialog.picAdj[1]->geometry(), QRect(56, 96, 30, 30));
        QCOMPARE(dialog.cmdOK->geometry(), QRect(240, 176, 88, 21));
        QCOMPARE(dialog.optA3->geometry(), QRect(376, 78, 73, 25));
        QCOMPARE(dialog.Combo1->geometry().topLeft(), QPoint(240, 32));
        QCOMPARE(dialog.Combo1->width(), 201);
        for (QWidget* w : std::initializer_list<QWidget*>{dialog.Combo1, dialog.lblAdj,
                                                          dialog.lblYp, dialog.Label8})
            QCOMPARE(w->font().pointSize(), points);
        QCOMPARE(dialog.optA4->text(), QStringLiteral("A4  ２枚　"));
        QCOMPARE(dialog.optA3->text(), QStringLiteral("A3　１枚"));
        QCOMPARE(dialog.lblYmm->text(), QStringLiteral("mm  移動"));
        QCOMPARE(dialog.Label4->text(), QStringLiteral("usb://Fake/Printer"));
    }

    void shift_data()
    {
        QTest::addColumn<float>("userX");
        QTest::addColumn<float>("userY");
        QTest::addColumn<int>("arrow");
        QTest::addColumn<int>("clicks");
        QTest::addColumn<QString>("shown"); // lblRight lblXp lblDown lblYp
        QTest::newRow("as stored") << -1.5f << 2.0f << 3 << 0 << u"左へ 1.5 下へ 2"_qs;
        QTest::newRow("one step right") << -1.5f << 2.0f << 3 << 1 << u"左へ 1 下へ 2"_qs;
        QTest::newRow("three steps right") << -1.5f << 2.0f << 3 << 3 << u"右へ 0 下へ 2"_qs;
        QTest::newRow("four steps right") << -1.5f << 2.0f << 3 << 4 << u"右へ 0.5 下へ 2"_qs;
        QTest::newRow("no shift") << 0.0f << 0.0f << 0 << 0 << u"右へ 0 下へ 0"_qs;
        QTest::newRow("up from nothing") << 0.0f << 0.0f << 0 << 1 << u"右へ 0 上へ 0.5"_qs;
        QTest::newRow("left twice") << 0.5f << 0.0f << 1 << 2 << u"左へ 0.5 下へ 0"_qs;
        QTest::newRow("down to 12.5") << 0.0f << 10.0f << 2 << 5 << u"右へ 0 下へ 12.5"_qs;
    }
    void shift()
    {
        QFETCH(float, userX);
        QFETCH(float, userY);
        QFETCH(int, arrow);
        QFETCH(int, clicks);
        QFETCH(QString, shown);
        start();
        state().UserX = userX;
        state().UserY = userY;
        frmAdj dialog(*m_form);
        AdjFormLayout(dialog, *m_form);
        dialog.show();
        for (int i = 0; i < clicks; ++i)
            QTest::mouseClick(dialog.picAdj[arrow], Qt::LeftButton);
        const QString text = QStringList{dialog.lblRight->text(), dialog.lblXp->text(),
                                         dialog.lblDown->text(), dialog.lblYp->text()}
                                 .join(u' ');
        QCOMPARE(text, shown);
        QVERIFY(!dialog.Timer1->isActive());
        QVERIFY(!common::PressedFlag());
    }

    // Held down, an arrow steps on every tick of the 200 ms timer, stepped here by hand; the
    // click at release adds the last step.
    void heldArrowRepeats_data()
    {
        QTest::addColumn<int>("arrow");
        QTest::addColumn<int>("ticks");
        QTest::addColumn<QString>("shown"); // lblRight lblXp lblDown lblYp
        QTest::newRow("down, four ticks") << 2 << 4 << u"右へ 0 下へ 2.5"_qs;
        QTest::newRow("up, five ticks") << 0 << 5 << u"右へ 0 上へ 3"_qs;
        QTest::newRow("right, no tick") << 3 << 0 << u"右へ 0.5 下へ 0"_qs;
        QTest::newRow("left, nine ticks") << 1 << 9 << u"左へ 5 下へ 0"_qs;
    }
    void heldArrowRepeats()
    {
        QFETCH(int, arrow);
        QFETCH(int, ticks);
        QFETCH(QString, shown);
        start();
        frmAdj dialog(*m_form);
        AdjFormLayout(dialog, *m_form);
        dialog.show();
        QSignalSpy timeouts(dialog.Timer1, &QTimer::timeout);
        QTest::mousePress(dialog.picAdj[arrow], Qt::LeftButton);
        QVERIFY(dialog.Timer1->isActive());
        QCOMPARE(dialog.Timer1->interval(), 200);
        QCOMPARE(dialog.AdjIndex(), arrow);
        QVERIFY(common::PressedFlag());
        for (int i = 0; i < ticks; ++i)
            QVERIFY(QMetaObject::invokeMethod(dialog.Timer1, "timeout"));
        QTest::mouseRelease(dialog.picAdj[arrow], Qt::LeftButton);
        QVERIFY(!dialog.Timer1->isActive());
        QVERIFY(!common::PressedFlag());
        QCOMPARE(timeouts.size(), ticks); // no tick of its own came between
        const QString text = QStringList{dialog.lblRight->text(), dialog.lblXp->text(),
                                         dialog.lblDown->text(), dialog.lblYp->text()}
                                 .join(u' ');
        QCOMPARE(text, shown);
    }

    void copies_data()
    {
        QTest::addColumn<int>("copies");
        QTest::addColumn<QString>("shown");
        QTest::newRow("one") << 1 << u"1"_qs;
        QTest::newRow("three") << 3 << u"3"_qs;
        QTest::newRow("none reported") << 0 << u"プロパティ参照"_qs;
    }
    void copies()
    {
        QFETCH(int, copies);
        QFETCH(QString, shown);
        FakePrinter::Spec spec;
        spec.copies = copies;
        start(spec);
        m_printer->setDeviceName(m_printer->deviceName()); // back to the printer's own copies
        frmAdj dialog(*m_form);
        QCOMPARE(dialog.Label7->text(), QStringLiteral("印刷部数："));
        QCOMPARE(dialog.Label8->text(), shown);
    }

    // Opening the dialog changes nothing; choosing a printer that refuses A3 disables A3 in
    // the dialog and the menu and leaves A4; one that takes A3 enables it again, still in A4.
    void printerList()
    {
        start(threePrinters());
        m_form->mnuA3_Click();
        QVERIFY(state().PaperType);
        frmAdj dialog(*m_form);
        QCOMPARE(dialog.Combo1->count(), 2);
        QCOMPARE(dialog.Combo1->itemText(1), QStringLiteral("A4 Only"));
        QCOMPARE(dialog.Combo1->currentText(), QStringLiteral("Office A3"));
        QVERIFY(dialog.optA3->isChecked());
        QVERIFY(state().PaperType);
        QCOMPARE(m_printer->paperSize(), int(platform::PaperA3));
        QCOMPARE(m_printer->orientation(), int(platform::Landscape));

        dialog.Combo1->setCurrentIndex(1);
        QCOMPARE(m_printer->deviceName(), QStringLiteral("A4 Only"));
        QVERIFY(state().NoA3);
        QVERIFY(!dialog.optA3->isEnabled());
        QVERIFY(!m_form->mnuA3->isEnabled());
        QVERIFY(dialog.optA4->isChecked());
        QVERIFY(!state().PaperType);
        QVERIFY(m_form->mnuA4->isChecked());
        QVERIFY(!m_form->mnuA3->isChecked());
        QCOMPARE(m_printer->paperSize(), int(platform::PaperA4));
        QCOMPARE(m_printer->orientation(), int(platform::Portrait));

        dialog.Combo1->setCurrentIndex(0);
        QVERIFY(!state().NoA3);
        QVERIFY(dialog.optA3->isEnabled());
        QVERIFY(m_form->mnuA3->isEnabled());
        QVERIFY(dialog.optA4->isChecked());
        QVERIFY(!state().PaperType);
        QCOMPARE(m_printer->paperSize(), int(platform::PaperA4));

        // Opened again while A3 is refused: A3 stays disabled.
        dialog.Combo1->setCurrentIndex(1);
        frmAdj again(*m_form);
        QVERIFY(!again.optA3->isEnabled());
        QVERIFY(again.optA4->isChecked());
        QCOMPARE(again.Combo1->currentText(), QStringLiteral("A4 Only"));
    }

    // A printer that cannot be made current (gone since the list was filled) is told; the
    // list shows the printer still in use again, and OK prints there.
    void printerThatCannotBeChosenIsTold()
    {
        FakePrinter::Spec spec = threePrinters();
        spec.unreachable = {QStringLiteral("A4 Only")};
        start(spec);
        m_form->mnuA3_Click();
        ScriptedDialogs dialogs;
        dialogs.answer(platform::vbOK);
        runDialog({[](frmAdj& d) {
            d.Combo1->setCurrentIndex(1);
            QCOMPARE(d.Combo1->currentText(), QStringLiteral("Office A3"));
            QVERIFY(d.optA3->isEnabled());
            QVERIFY(d.optA3->isChecked());
            d.cmdOK_Click();
        }});
        QCOMPARE(dialogs.messages().size(), 1);
        QCOMPARE(dialogs.messages().at(0).text,
                 QStringLiteral("プリンタ「A4 Only」に切り替えられませんでした。\r\n"
                                "「Office A3」で印刷します。"));
        QCOMPARE(dialogs.messages().at(0).style, int(platform::vbExclamation));
        QCOMPARE(m_printer->deviceName(), QStringLiteral("Office A3"));
        QVERIFY(!state().NoA3);
        QVERIFY(state().PaperType);
        QCOMPARE(m_printer->endedJobs(), 1);
        QCOMPARE(m_printer->paperSize(), int(platform::PaperA3));
    }

    // The chosen printer comes with its own copies, not the ones set on the one before.
    void chosenPrinterShowsItsOwnCopies()
    {
        FakePrinter::Spec spec = threePrinters();
        spec.copiesOf = {{QStringLiteral("A4 Only"), 3}};
        start(spec);
        QVERIFY(m_printer->setCopies(2));
        frmAdj dialog(*m_form);
        QCOMPARE(dialog.Label8->text(), QStringLiteral("2"));
        dialog.Combo1->setCurrentIndex(1);
        QCOMPARE(dialog.Label8->text(), QStringLiteral("3"));
        QCOMPARE(m_printer->copies(), 3);
        dialog.Combo1->setCurrentIndex(0);
        QCOMPARE(dialog.Label8->text(), QStringLiteral("1"));
    }

    // Escape and the window's close button are Cancel: nothing is printed, the shift stays.
    void escapeAndCloseAreCancel_data()
    {
        QTest::addColumn<bool>("escape");
        QTest::newRow("Escape") << true;
        QTest::newRow("close button") << false;
    }
    void escapeAndCloseAreCancel()
    {
        QFETCH(bool, escape);
        start();
        QCOMPARE(runDialog({[escape](frmAdj& d) {
                     d.picAdj_Click(3);
                     if (escape)
                         QTest::keyClick(&d, Qt::Key_Escape);
                     else
                         d.close();
                 }}),
                 1);
        QCOMPARE(m_printer->endedJobs(), 0);
        QCOMPARE(state().UserX, 0.5f);
    }

    // A current printer the list leaves out: nothing is chosen, and the first pick counts.
    void currentPrinterNotListed()
    {
        FakePrinter::Spec spec = threePrinters();
        start(spec);
        QVERIFY(m_printer->setDeviceName(QStringLiteral("Rendering Subsystem")));
        frmAdj dialog(*m_form);
        QCOMPARE(dialog.Combo1->currentIndex(), -1);
        dialog.Combo1->setCurrentIndex(1);
        QCOMPARE(m_printer->deviceName(), QStringLiteral("A4 Only"));
        QVERIFY(state().NoA3);
    }

    void paperOptions()
    {
        start();
        frmAdj dialog(*m_form);
        QVERIFY(dialog.optA4->isChecked());
        dialog.optA3->setChecked(true);
        QVERIFY(state().PaperType);
        QVERIFY(m_form->mnuA3->isChecked());
        QVERIFY(!m_form->mnuA4->isChecked());
        QCOMPARE(m_printer->paperSize(), int(platform::PaperA3));
        QCOMPARE(m_printer->orientation(), int(platform::Landscape));
        QVERIFY(m_form->txtPaper->text().contains(QStringLiteral("A3")));
        dialog.optA4->setChecked(true);
        QVERIFY(!state().PaperType);
        QVERIFY(!m_form->mnuA3->isChecked());
        QVERIFY(m_form->mnuA4->isChecked());
        QCOMPARE(m_printer->paperSize(), int(platform::PaperA4));
        QCOMPARE(m_printer->orientation(), int(platform::Portrait));
    }

    void okPrintsInThePaperMode_data()
    {
        QTest::addColumn<bool>("a3");
        QTest::addColumn<int>("pages");
        QTest::newRow("one A3 sheet") << true << 1;
        QTest::newRow("two A4 sheets") << false << 2;
    }
    void okPrintsInThePaperMode()
    {
        QFETCH(bool, a3);
        QFETCH(int, pages);
        start();
        QCOMPARE(runDialog({[a3](frmAdj& d) {
                     (a3 ? d.optA3 : d.optA4)->setChecked(true);
                     d.cmdOK_Click();
                 }}),
                 1);
        QCOMPARE(m_printer->endedJobs(), 1);
        QCOMPARE(m_printer->printedPages().size(), pages);
        QCOMPARE(m_printer->paperSize(), int(a3 ? platform::PaperA3 : platform::PaperA4));
    }

    // Cancel keeps the new position, and the next print uses it.
    void cancelKeepsTheShift()
    {
        start();
        runDialog({[](frmAdj& d) {
            d.picAdj_Click(3);
            d.picAdj_Click(2);
            d.cmdCancel_Click();
        }});
        QCOMPARE(m_printer->endedJobs(), 0);
        QCOMPARE(state().UserX, 0.5f);
        QCOMPARE(state().UserY, 0.5f);
        runDialog({[](frmAdj& d) {
            QCOMPARE(d.lblXp->text(), QStringLiteral("0.5"));
            d.cmdOK_Click();
        }});
        QCOMPARE(m_printer->endedJobs(), 1);
    }

    // A job the printer breaks is told, and the paper mode is back.
    void brokenJobIsTold()
    {
        FakePrinter::Spec spec;
        spec.failsOnNewPage = true;
        start(spec);
        ScriptedDialogs dialogs;
        dialogs.answer(platform::vbOK);
        runDialog({[](frmAdj& d) { d.cmdOK_Click(); }});
        QCOMPARE(dialogs.messages().size(), 1);
        QCOMPARE(dialogs.messages().at(0).title, QStringLiteral("印刷"));
        QCOMPARE(dialogs.messages().at(0).style, int(platform::vbExclamation));
        QVERIFY(dialogs.messages().at(0).text.contains(QStringLiteral("印刷を中止しました。")));
        QCOMPARE(m_printer->endedJobs(), 0);
        QVERIFY(!m_printer->inJob());
        QCOMPARE(m_printer->paperSize(), int(platform::PaperA4));
        QCOMPARE(m_printer->orientation(), int(platform::Portrait));
    }

    void noPrinterIsTold()
    {
        FakePrinter::Spec none;
        none.installed = false;
        none.names.clear();
        start(none);
        ScriptedDialogs dialogs;
        dialogs.answer(platform::vbOK);
        QCOMPARE(runDialog({}), 0);
        QCOMPARE(dialogs.messages().size(), 1);
        QVERIFY(dialogs.messages().at(0).text.startsWith(QStringLiteral("プリンタがありません。")));
    }

    void ctrlPAndToolbarOpenTheDialog()
    {
        start();
        QCOMPARE(m_form->mnuPrint->text(), QStringLiteral("印刷実行(&P)"));
        QCOMPARE(m_form->mnuPrint->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_P));
        int openings = 0;
        m_form->beforePrintDialog = [&openings](frmAdj& d) {
            ++openings;
            QTimer::singleShot(0, &d, [&d] { d.cmdCancel_Click(); });
        };
        m_form->toolbarButtonClick(QStringLiteral("GoPrint"));
        QCOMPARE(openings, 1);
        QCOMPARE(m_form->toolbarButton(9)->toolTip(), QStringLiteral("印刷実行"));
        m_form->mnuPrint->trigger();
        QCOMPARE(openings, 2);
    }

    // The printer's properties: the driver's dialog, then the paper mode from its paper, and
    // the print dialog again.
    void properties_data()
    {
        QTest::addColumn<bool>("confirms");
        QTest::addColumn<int>("paper");
        QTest::addColumn<int>("orientation");
        QTest::addColumn<int>("copies");
        QTest::addColumn<int>("paperAfter");
        QTest::addColumn<int>("orientationAfter");
        QTest::addColumn<QString>("copiesShown");
        using namespace platform;
        QTest::newRow("A3 chosen") << true << int(PaperA3) << int(Portrait) << 1 << int(PaperA3)
                                   << int(Landscape) << u"1"_qs;
        QTest::newRow("A4 landscape chosen") << true << int(PaperA4) << int(Landscape) << 1
                                             << int(PaperA4) << int(Portrait) << u"1"_qs;
        QTest::newRow("B4 chosen") << true << int(PaperB4) << int(Portrait) << 1 << int(PaperA4)
                                   << int(Portrait) << u"1"_qs;
        QTest::newRow("three copies") << true << int(PaperA4) << int(Portrait) << 3 << int(PaperA4)
                                      << int(Portrait) << u"3"_qs;
        QTest::newRow("cancelled") << false << int(PaperA3) << int(Landscape) << 3 << int(PaperA4)
                                   << int(Portrait) << u"2"_qs;
        QTest::newRow("driver reports no copies")
            << true << int(PaperA4) << int(Portrait) << 0 << int(PaperA4) << int(Portrait)
            << u"プロパティ参照"_qs;
    }
    void properties()
    {
        QFETCH(bool, confirms);
        QFETCH(int, paper);
        QFETCH(int, orientation);
        QFETCH(int, copies);
        QFETCH(int, paperAfter);
        QFETCH(int, orientationAfter);
        QFETCH(QString, copiesShown);
        start();
        QVERIFY(m_printer->setCopies(2));
        m_driver->confirms = confirms;
        m_driver->choose = [=](PrinterSettingsBlock& b) {
            b.dmPaperSize = qint16(paper);
            b.dmOrientation = qint16(orientation);
            b.dmCopies = qint16(copies);
        };
        bool a3Chosen = false;
        QString shownCopies;
        QCOMPARE(runDialog({[](frmAdj& d) { d.cmdProperty_Click(); },
                            [&](frmAdj& d) {
                                a3Chosen = d.optA3->isChecked();
                                shownCopies = d.Label8->text();
                                d.cmdCancel_Click();
                            }}),
                 2);
        QCOMPARE(m_driver->prompts, 1);
        // The driver's dialog started from the printer object's values.
        QCOMPARE(m_driver->shown->dmCopies, 2);
        QCOMPARE(m_driver->shown->dmPaperSize, int(platform::PaperA4));
        QCOMPARE(m_printer->paperSize(), paperAfter);
        QCOMPARE(m_printer->orientation(), orientationAfter);
        const bool a3 = paperAfter == platform::PaperA3;
        QCOMPARE(state().PaperType, a3);
        QCOMPARE(m_form->mnuA3->isChecked(), a3);
        QCOMPARE(m_form->mnuA4->isChecked(), !a3);
        QCOMPARE(a3Chosen, a3);
        QCOMPARE(shownCopies, copiesShown);
        QCOMPARE(m_printer->endedJobs(), 0);
    }

    // Should the driver's dialog let another printer be picked, that printer becomes the
    // current one with the values confirmed for it; the print dialog then shows it, its
    // copies and whether it takes A3. One that cannot be chosen is told, and nothing is
    // taken.
    void propertiesFollowThePrinterPickedThere_data()
    {
        QTest::addColumn<bool>("reachable");
        QTest::newRow("picked printer followed") << true;
        QTest::newRow("picked printer gone") << false;
    }
    void propertiesFollowThePrinterPickedThere()
    {
        QFETCH(bool, reachable);
        FakePrinter::Spec spec = threePrinters();
        if (!reachable)
            spec.unreachable = {QStringLiteral("A4 Only")};
        start(spec);
        m_form->mnuA3_Click();
        QVERIFY(m_printer->setCopies(2));
        m_driver->picks = QStringLiteral("A4 Only");
        m_driver->choose = [](PrinterSettingsBlock& b) {
            b.dmPaperSize = platform::PaperA3;
            b.dmCopies = 4;
        };
        ScriptedDialogs dialogs;
        dialogs.answer(platform::vbOK);
        QString listed;
        QString copiesShown;
        bool a3Enabled = true;
        QCOMPARE(runDialog({[](frmAdj& d) { d.cmdProperty_Click(); },
                            [&](frmAdj& d) {
                                listed = d.Combo1->currentText();
                                copiesShown = d.Label8->text();
                                a3Enabled = d.optA3->isEnabled();
                                d.cmdCancel_Click();
                            }}),
                 2);
        if (reachable) {
            QVERIFY(dialogs.messages().isEmpty());
            QCOMPARE(m_printer->deviceName(), QStringLiteral("A4 Only"));
            QCOMPARE(listed, QStringLiteral("A4 Only"));
            QCOMPARE(copiesShown, QStringLiteral("4"));
            // A3 chosen there is refused by that printer: A4 portrait, A3 disabled.
            QVERIFY(state().NoA3);
            QVERIFY(!a3Enabled);
            QVERIFY(!m_form->mnuA3->isEnabled());
            QVERIFY(!state().PaperType);
            QCOMPARE(m_printer->paperSize(), int(platform::PaperA4));
        } else {
            QCOMPARE(dialogs.messages().size(), 1);
            QVERIFY(dialogs.messages().at(0).text.startsWith(
                QStringLiteral("プリンタ「A4 Only」に切り替えられませんでした。")));
            QCOMPARE(m_printer->deviceName(), QStringLiteral("Office A3"));
            QCOMPARE(listed, QStringLiteral("Office A3"));
            QCOMPARE(copiesShown, QStringLiteral("2"));
            QVERIFY(!state().NoA3);
            QVERIFY(state().PaperType);
            QCOMPARE(m_printer->paperSize(), int(platform::PaperA3));
        }
    }

    void propertiesOfAPrinterThatCannotBeOpened()
    {
        start();
        m_form->mnuA3_Click();
        m_driver->opens = false;
        ScriptedDialogs dialogs;
        dialogs.answer(platform::vbOK);
        QCOMPARE(runDialog({[](frmAdj& d) { d.cmdProperty_Click(); }}), 2);
        QCOMPARE(dialogs.messages().size(), 1);
        QCOMPARE(dialogs.messages().at(0).text,
                 QStringLiteral("このバージョンのWindows では表示できません。\r\n"
                                "コントロールパネルから設定して下さい。"));
        QCOMPARE(dialogs.messages().at(0).style, int(platform::vbExclamation));
        QVERIFY(!dialogs.messages().at(0).title.contains(QStringLiteral("Windows")));
        QCOMPARE(m_driver->prompts, 0);
        QVERIFY(state().PaperType);
        QCOMPARE(m_printer->paperSize(), int(platform::PaperA3));
    }

    void propertiesOfADriverWithoutSettings()
    {
        start();
        m_driver->block.reset();
        QCOMPARE(runDialog({[](frmAdj& d) { d.cmdProperty_Click(); }}), 2);
        QCOMPARE(m_driver->prompts, 0);
        QVERIFY(!state().PaperType);
    }
};

QTEST_MAIN(PrintDialogTest)
#include "tst_printdialog.moc"
