#include "common/fontsubstitution.h"
#include "platform/printerdouble.h"
#include "samplesheet.h"
#include "sheet/paintertarget.h"
#include "sheet/printjob.h"
#include "sheet/recordingtarget.h"
#include "sheetdata/sheetlayout.h"
#include "sheetdata/sheetmodel.h"

#include <QImage>
#include <QPainter>
#include <QtTest>

#include <limits>

using platform::FakePrinter;
using sheet::RecordedOp;
using namespace sheetdata;

namespace {

using Pages = QList<QList<RecordedOp>>;

// A recording of one printed page that hands its operations over when the job drops it.
class PageRecording : public sheet::RecordingTarget
{
public:
    PageRecording(Pages& pages, double twipsPerPixel)
        : RecordingTarget(false, twipsPerPixel), m_pages(pages)
    {
        setScreenTwipsPerPixelX(15);
    }
    ~PageRecording() override { m_pages.append(ops()); }

private:
    Pages& m_pages;
};

sheet::PageTargetFactory recordInto(Pages& pages, const platform::Printer& printer)
{
    return [&pages, &printer](QPainter&) {
        return std::make_unique<PageRecording>(pages, printer.twipsPerPixel());
    };
}

QList<RecordedOp> opsOf(const QList<RecordedOp>& ops, RecordedOp::Kind kind)
{
    QList<RecordedOp> found;
    for (const RecordedOp& op : ops)
        if (op.kind == kind)
            found.append(op);
    return found;
}

QStringList textsOf(const QList<RecordedOp>& ops)
{
    QStringList texts;
    for (const RecordedOp& op : opsOf(ops, RecordedOp::Text))
        texts.append(op.text);
    return texts;
}

// A letter with only two texts and three ticks: the last row of page 1, the first and the
// last row of page 2.
SheetModel smallLetter()
{
    SheetModel model;
    model.resetForLetter();
    model.FormLoaded = true;
    model.FormText[PatientNameSlot] = QStringLiteral("山田　花子");
    model.FormText[Page2LastSlot - 1] = QStringLiteral("特記事項の本文");
    model.ArrengeShape(ShapeCheck, 7260, 3585, 0, 0, 2, 1, 0, Page1LastRow + 1);
    model.ArrengeShape(ShapeCheck, 15735, 4860, 0, 0, 2, 1, 0, Page2FirstRow + 1);
    model.ArrengeShape(ShapeCheck, 16000, 9000, 0, 0, 2, 1, 0, Page2LastRow + 1);
    return model;
}

enum class Job { A3, A4 };

sheet::PrintResult print(Job job, platform::Printer& printer, const sheet::PrintRequest& request,
                         Pages& pages)
{
    return job == Job::A3 ? sheet::GoPrintA3(printer, request, recordInto(pages, printer))
                          : sheet::GoPrintA4(printer, request, recordInto(pages, printer));
}

} // namespace

Q_DECLARE_METATYPE(Job)

class PrintJobTest : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { common::installFontSubstitutions(); }
    void origin_data();
    void origin();
    void titleLandsWhereTheShiftSays();
    void pages_data();
    void pages();
    void secondA4SheetIsMovedLeft();
    void paperModeAfterTheJob_data();
    void paperModeAfterTheJob();
    void brokenJobIsAbandoned_data();
    void brokenJobIsAbandoned();
    void printingTwiceGivesTheSamePages();
    void paperLinesAreATenthOfAMillimetre_data();
    void paperLinesAreATenthOfAMillimetre();
};

void PrintJobTest::origin_data()
{
    QTest::addColumn<float>("userX");
    QTest::addColumn<float>("userY");
    QTest::addColumn<int>("offsetX");
    QTest::addColumn<int>("offsetY");
    QTest::addColumn<int>("x");
    QTest::addColumn<int>("y");
    QTest::newRow("no shift, no offset") << 0.0f << 0.0f << 0 << 0 << 0 << 0;
    QTest::newRow("offsets only") << 0.0f << 0.0f << 240 << 200 << -240 << -200;
    // Int(85.05 + 0.5) = 85, Int(-113.4 + 0.5) = -113.
    QTest::newRow("right and up") << 1.5f << -2.0f << 240 << 200 << -155 << -313;
    // Int(28.35 + 0.5) = 28, Int(-28.35 + 0.5) = -28: halves round upwards.
    QTest::newRow("half millimetres") << 0.5f << -0.5f << 0 << 0 << 28 << -28;
    QTest::newRow("left of the paper edge") << -12.5f << 3.0f << 100 << 100 << -809 << 70;
    // Beyond the old 16-bit limit of 577 mm the origin is still exact.
    QTest::newRow("600 mm") << 600.0f << -600.0f << 0 << 0 << 34020 << -34020;
    QTest::newRow("huge shift is bounded")
        << 1e30f << -1e30f << 240 << 200 << sheet::MaxPrintShiftTwips - 240
        << -sheet::MaxPrintShiftTwips - 200;
    QTest::newRow("not a number counts as no shift")
        << std::numeric_limits<float>::quiet_NaN() << std::numeric_limits<float>::infinity() << 10
        << 20 << -10 << sheet::MaxPrintShiftTwips - 20;
}

void PrintJobTest::origin()
{
    QFETCH(float, userX);
    QFETCH(float, userY);
    QFETCH(int, offsetX);
    QFETCH(int, offsetY);
    QFETCH(int, x);
    QFETCH(int, y);
    sheet::PrintArea area;
    area.PhysOffsetX = offsetX;
    area.PhysOffsetY = offsetY;
    QCOMPARE(sheet::printOrigin(userX, userY, area), (sheet::PrintOrigin{x, y}));
}

void PrintJobTest::titleLandsWhereTheShiftSays()
{
    // The title at sheet (1140, 1785) with the shift (1.5, -2) mm on a printer whose
    // printable corner lies 240, 200 twips inside the paper prints at (985, 1472).
    FakePrinter printer;
    SheetModel model;
    sheet::PrintArea area;
    area.PhysOffsetX = 240;
    area.PhysOffsetY = 200;
    for (const Job job : {Job::A3, Job::A4}) {
        Pages pages;
        QVERIFY(print(job, printer, {model, false, 1.5f, -2.0f, area}, pages).printed);
        bool found = false;
        for (const RecordedOp& op : opsOf(pages.value(0), RecordedOp::Text))
            found = found ||
                    (op.text == QStringLiteral("主治医意見書") && op.x1 == 985 && op.y1 == 1472);
        QVERIFY(found);
    }
}

void PrintJobTest::pages_data()
{
    QTest::addColumn<Job>("job");
    QTest::addColumn<bool>("loaded");
    QTest::addColumn<int>("pageCount");
    QTest::newRow("A3, blank form") << Job::A3 << false << 1;
    QTest::newRow("A3, letter") << Job::A3 << true << 1;
    QTest::newRow("A4, blank form") << Job::A4 << false << 2;
    QTest::newRow("A4, letter") << Job::A4 << true << 2;
}

void PrintJobTest::pages()
{
    QFETCH(Job, job);
    QFETCH(bool, loaded);
    QFETCH(int, pageCount);
    FakePrinter printer;
    SheetModel model = loaded ? smallLetter() : SheetModel();
    Pages pages;
    const sheet::PrintResult result = print(job, printer, {model, false, 0, 0, {}}, pages);
    QVERIFY2(result.printed, qPrintable(result.error));
    QCOMPARE(printer.endedJobs(), 1);
    QCOMPARE(printer.printedPages().size(), pageCount);
    QCOMPARE(pages.size(), pageCount);
    QCOMPARE(printer.lastTitle(), QStringLiteral("主治医意見書"));

    QList<RecordedOp> all;
    for (const QList<RecordedOp>& page : pages)
        all += page;
    const QStringList texts = textsOf(all);
    // The blank form's captions are printed; the empty sheet's onset-date template is not.
    QVERIFY(texts.contains(QStringLiteral("主治医意見書")));
    QVERIFY(texts.contains(QStringLiteral("５．特記すべき事項")));
    QVERIFY(!texts.contains(QStringLiteral("(昭和･平成")));
    QCOMPARE(texts.contains(QStringLiteral("山田　花子")), loaded);
    QCOMPARE(texts.contains(QStringLiteral("特記事項の本文")), loaded);
    // The ideographic space in the vertical Mincho opens the first page of a letter only.
    const QList<RecordedOp> firstTexts = opsOf(pages.value(0), RecordedOp::Text);
    QCOMPARE(firstTexts.value(0).text == QStringLiteral("　"), loaded);
    if (loaded)
        QCOMPARE(firstTexts.value(0).state.fontName, QStringLiteral("@ＭＳ 明朝"));
    QCOMPARE(texts.count(QStringLiteral("　")), loaded ? 1 : 0);
    // Ticks: three rows for the letter (one on page 1, two on page 2), none without it.
    const auto ticks = [&](double x, double y) {
        int n = 0;
        for (const RecordedOp& op : opsOf(all, RecordedOp::Line))
            n += op.x1 == x + 45 && op.y1 == y + 75;
        return n;
    };
    QCOMPARE(ticks(7260, 3585), loaded ? 1 : 0);
    const double page2X = job == Job::A4 ? -Page2Shift : 0;
    QCOMPARE(ticks(15735 + page2X, 4860), loaded ? 1 : 0);
    QCOMPARE(ticks(16000 + page2X, 9000), loaded ? 1 : 0);
}

void PrintJobTest::secondA4SheetIsMovedLeft()
{
    FakePrinter printer;
    SheetModel model = smallLetter();
    model.FormText[Page2FirstSlot] = QStringLiteral("160"); // the height: three digits at 15750
    sheet::PrintArea area;
    area.PhysOffsetX = 100;
    area.PhysOffsetY = 50;
    Pages pages;
    QVERIFY(sheet::GoPrintA4(printer, {model, false, 1.0f, 0.0f, area}, recordInto(pages, printer))
                .printed);
    QCOMPARE(pages.size(), 2);
    const int x = sheet::printShiftTwips(1.0f) - 100;
    // Page 1 keeps its marks and texts, page 2 has only its own, moved left by 11907 twips.
    const auto tickOn = [](const QList<RecordedOp>& ops, double x1, double y1) {
        for (const RecordedOp& op : opsOf(ops, RecordedOp::Line))
            if (op.x1 == x1 + 45 && op.y1 == y1 + 75)
                return true;
        return false;
    };
    QVERIFY(tickOn(pages[0], 7260 + x, 3585 - 50));
    QVERIFY(!tickOn(pages[1], 7260 + x - Page2Shift, 3585 - 50));
    QVERIFY(tickOn(pages[1], 15735 + x - Page2Shift, 4860 - 50));
    QVERIFY(tickOn(pages[1], 16000 + x - Page2Shift, 9000 - 50));
    QVERIFY(!tickOn(pages[0], 15735 + x, 4860 - 50));
    QVERIFY(textsOf(pages[0]).contains(QStringLiteral("山田　花子")));
    QVERIFY(!textsOf(pages[1]).contains(QStringLiteral("山田　花子")));
    QVERIFY(textsOf(pages[1]).contains(QStringLiteral("特記事項の本文")));
    // A page-2 text lands at its sheet x less one A4 width, plus the origin.
    const QList<RecordedOp> height = [&] {
        QList<RecordedOp> found;
        for (const RecordedOp& op : opsOf(pages[1], RecordedOp::Text))
            if (op.text == QStringLiteral("160"))
                found.append(op);
        return found;
    }();
    QCOMPARE(height.size(), 1);
    QCOMPARE(height[0].x1, double(15750 - 11907 + x));
    QVERIFY(!textsOf(pages[0]).contains(QStringLiteral("160")));
    // Every page-2 drawing lies on the A4 sheet: nothing is left at page-2 sheet places.
    for (const RecordedOp& op : opsOf(pages[1], RecordedOp::Box))
        QVERIFY2(op.x2 <= Page2Shift, qPrintable(sheet::RecordingTarget::describe(op)));
}

void PrintJobTest::paperModeAfterTheJob_data()
{
    QTest::addColumn<Job>("job");
    QTest::addColumn<bool>("acceptsA3");
    QTest::addColumn<int>("paperBefore");
    QTest::addColumn<int>("orientationBefore");
    QTest::addColumn<int>("paperAfter");
    QTest::addColumn<int>("orientationAfter");
    using namespace platform;
    QTest::newRow("A3 job") << Job::A3 << true << int(PaperA3) << int(Landscape) << int(PaperA3)
                            << int(Landscape);
    QTest::newRow("A3 job on paper turned portrait")
        << Job::A3 << true << int(PaperA3) << int(Portrait) << int(PaperA3) << int(Landscape);
    QTest::newRow("A4 job after landscape in the properties")
        << Job::A4 << true << int(PaperA4) << int(Landscape) << int(PaperA4) << int(Portrait);
    QTest::newRow("A4 job on B5") << Job::A4 << true << int(PaperB5) << int(Portrait)
                                  << int(PaperA4) << int(Portrait);
    // The printer refuses A3: the paper stays, and so does the orientation.
    QTest::newRow("A3 job, printer refuses A3")
        << Job::A3 << false << int(PaperA4) << int(Portrait) << int(PaperA4) << int(Portrait);
}

void PrintJobTest::paperModeAfterTheJob()
{
    QFETCH(Job, job);
    QFETCH(bool, acceptsA3);
    QFETCH(int, paperBefore);
    QFETCH(int, orientationBefore);
    FakePrinter::Spec spec;
    spec.acceptsA3 = acceptsA3;
    FakePrinter printer(spec);
    QVERIFY(printer.setPaperSize(paperBefore));
    QVERIFY(printer.setOrientation(orientationBefore));
    const SheetModel model = smallLetter();
    Pages pages;
    QVERIFY(print(job, printer, {model, false, 0, 0, {}}, pages).printed);
    QTEST(printer.paperSize(), "paperAfter");
    QTEST(printer.orientation(), "orientationAfter");
}

void PrintJobTest::brokenJobIsAbandoned_data()
{
    QTest::addColumn<Job>("job");
    QTest::addColumn<bool>("installed");
    QTest::addColumn<bool>("failsToStart");
    QTest::addColumn<bool>("failsOnNewPage");
    QTest::addColumn<bool>("failsAtEnd");
    QTest::addColumn<QString>("told");
    QTest::newRow("no printer") << Job::A4 << false << false << false << false
                                << u"プリンタがありません。"_qs;
    QTest::newRow("A3 refused at the start")
        << Job::A3 << true << true << false << false << u"印刷を始められませんでした。"_qs;
    QTest::newRow("A4 refused at the start")
        << Job::A4 << true << true << false << false << u"印刷を始められませんでした。"_qs;
    QTest::newRow("second A4 sheet refused")
        << Job::A4 << true << false << true << false << u"2枚目を始められませんでした。"_qs;
    QTest::newRow("A3 not taken at the end")
        << Job::A3 << true << false << false << true << u"印刷データを送れませんでした。"_qs;
    QTest::newRow("A4 not taken at the end")
        << Job::A4 << true << false << false << true << u"印刷データを送れませんでした。"_qs;
}

void PrintJobTest::brokenJobIsAbandoned()
{
    QFETCH(Job, job);
    QFETCH(bool, installed);
    QFETCH(QString, told);
    FakePrinter::Spec spec;
    spec.installed = installed;
    if (!installed)
        spec.names.clear();
    QFETCH(bool, failsToStart);
    QFETCH(bool, failsOnNewPage);
    QFETCH(bool, failsAtEnd);
    spec.failsToStart = failsToStart;
    spec.failsOnNewPage = failsOnNewPage;
    spec.failsAtEnd = failsAtEnd;
    FakePrinter printer(spec);
    if (installed) {
        // Turned away from the job's mode, so that the reset shows.
        printer.setPaperSize(platform::PaperB5);
        printer.setOrientation(platform::Landscape);
    }
    const SheetModel model = smallLetter();
    Pages pages;
    const sheet::PrintResult result = print(job, printer, {model, false, 0, 0, {}}, pages);
    QVERIFY(!result.printed);
    QVERIFY2(result.error.contains(told), qPrintable(result.error));
    QVERIFY(!printer.inJob());
    QCOMPARE(printer.endedJobs(), 0);
    QCOMPARE(printer.abortedJobs(), failsOnNewPage ? 1 : 0);
    if (installed) {
        QVERIFY(result.error.contains(QStringLiteral("印刷を中止しました。")));
        QCOMPARE(printer.paperSize(), int(job == Job::A3 ? platform::PaperA3 : platform::PaperA4));
        QCOMPARE(printer.orientation(),
                 int(job == Job::A3 ? platform::Landscape : platform::Portrait));
    }
}

void PrintJobTest::printingTwiceGivesTheSamePages()
{
    FakePrinter printer;
    const SheetModel model = sampleFilledSheet();
    for (const Job job : {Job::A3, Job::A4}) {
        Pages first;
        Pages second;
        QVERIFY(print(job, printer, {model, true, 0.5f, 0.5f, {}}, first).printed);
        QVERIFY(print(job, printer, {model, true, 0.5f, 0.5f, {}}, second).printed);
        QCOMPARE(first.size(), second.size());
        for (int page = 0; page < first.size(); ++page) {
            QCOMPARE(first[page].size(), second[page].size());
            for (int i = 0; i < first[page].size(); ++i)
                QCOMPARE(sheet::RecordingTarget::describe(first[page][i]),
                         sheet::RecordingTarget::describe(second[page][i]));
        }
    }
}

void PrintJobTest::paperLinesAreATenthOfAMillimetre_data()
{
    QTest::addColumn<int>("dpi");
    QTest::addColumn<int>("drawWidth");
    QTest::addColumn<int>("dots");
    // 0.1 mm is 1.18 dots at 300 dpi, 2.36 at 600, 4.72 at 1200 and 9.45 at 2400.
    QTest::newRow("300 dpi, thinnest") << 300 << 1 << 2;
    QTest::newRow("600 dpi, thinnest") << 600 << 1 << 3;
    QTest::newRow("1200 dpi, thinnest") << 1200 << 1 << 5;
    QTest::newRow("2400 dpi, thinnest") << 2400 << 1 << 10;
    QTest::newRow("254 dpi, one dot is 0.1 mm") << 254 << 1 << 1;
    QTest::newRow("1200 dpi, wider lines keep their width") << 1200 << 13 << 13;
}

void PrintJobTest::paperLinesAreATenthOfAMillimetre()
{
    QFETCH(int, dpi);
    QFETCH(int, drawWidth);
    QFETCH(int, dots);
    QCOMPARE(sheet::paperPenWidth(drawWidth, 1440.0 / dpi), dots);
    // On a page of that resolution a horizontal rule is that many dots thick, a vertical one
    // that many wide; the preview keeps its one pixel.
    QImage page(dpi, dpi, QImage::Format_RGB32);
    page.setDotsPerMeterX(qRound(dpi / 0.0254));
    page.setDotsPerMeterY(qRound(dpi / 0.0254));
    for (const bool preview : {false, true}) {
        page.fill(Qt::white);
        {
            QPainter painter(&page);
            sheet::PainterTarget target(painter, preview);
            target.setDrawWidth(drawWidth);
            target.line(100, 720, 1340, 720);
            target.line(720, 100, 720, 600);
        }
        int thick = 0;
        int wide = 0;
        for (int y = 0; y < page.height(); ++y)
            thick += qGray(page.pixel(page.width() * 3 / 4, y)) < 128;
        for (int x = 0; x < page.width(); ++x)
            wide += qGray(page.pixel(x, page.height() / 5)) < 128;
        QCOMPARE(thick, preview ? drawWidth : dots);
        QCOMPARE(wide, preview ? drawWidth : dots);
    }
}

QTEST_MAIN(PrintJobTest)
#include "tst_printjob.moc"
