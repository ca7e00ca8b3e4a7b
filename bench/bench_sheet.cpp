// Drawing the whole sheet with a letter: on the preview canvas, and into a PDF.
#include "common/fontsubstitution.h"
#include "fullletter.h"
#include "platform/printerqt.h"
#include "sheet/paintertarget.h"
#include "sheet/printjob.h"
#include "sheet/sheetdrawing.h"
#include "sheetfixture.h"

#include <QBuffer>
#include <QGuiApplication>
#include <QPainter>
#include <QPdfWriter>
#include <QPrinter>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

// The sheet model of a letter with every question answered, read from a data file.
sheetdata::SheetModel filledLetter()
{
    SheetFixture fixture;
    sheetdata::SheetModel model;
    if (!fixture.add(1, letterfixtures::fullyFilledLetter()) ||
        !fixture.fill(model, QStringLiteral("1")).letterFound)
        qFatal("bench_sheet: the test letter cannot be read: %s", qPrintable(fixture.error()));
    return model;
}

void previewCanvas(benchmark::State& state)
{
    const sheetdata::SheetModel model = filledLetter();
    for (auto _ : state) {
        QImage canvas = sheet::newPreviewCanvas(15);
        {
            QPainter painter(&canvas);
            sheet::PainterTarget target(painter, true);
            sheet::DrawSheet(target, model, true);
        }
        benchmark::DoNotOptimize(canvas.constBits());
    }
}
BENCHMARK(previewCanvas)->Unit(benchmark::kMillisecond);

// The letter filled to every limit of the entry form, many of its values too long for their
// boxes: on the preview canvas and on one A3 sheet of a 600 dpi PDF. Read against
// previewCanvas and pdfSheet/a4:0 of the same run.
void fullLetter(benchmark::State& state)
{
    const bool pdf = state.range(0) != 0;
    const sheetdata::SheetModel model = fullletter::sheet();
    for (auto _ : state) {
        if (!pdf) {
            QImage canvas = sheet::newPreviewCanvas(15);
            {
                QPainter painter(&canvas);
                sheet::PainterTarget target(painter, true);
                sheet::DrawSheet(target, model, true);
            }
            benchmark::DoNotOptimize(canvas.constBits());
            continue;
        }
        QBuffer buffer;
        buffer.open(QIODevice::WriteOnly);
        {
            QPdfWriter writer(&buffer);
            writer.setResolution(600);
            writer.setPageLayout(
                QPageLayout(QPageSize(QPageSize::A3), QPageLayout::Landscape, QMarginsF()));
            QPainter painter(&writer);
            sheet::PainterTarget target(painter, false);
            sheet::DrawPrintedPage(target, sheet::PrintedPage::WholeSheet, 0, 0, model, true);
        }
        benchmark::DoNotOptimize(buffer.data().size());
    }
}
BENCHMARK(fullLetter)->Arg(0)->Arg(1)->ArgName("pdf")->Unit(benchmark::kMillisecond);

void pdfSheet(benchmark::State& state)
{
    const bool a4 = state.range(0) != 0;
    const sheetdata::SheetModel model = filledLetter();
    for (auto _ : state) {
        QBuffer buffer;
        buffer.open(QIODevice::WriteOnly);
        {
            QPdfWriter pdf(&buffer);
            pdf.setResolution(600);
            pdf.setPageLayout(QPageLayout(QPageSize(a4 ? QPageSize::A4 : QPageSize::A3),
                                          a4 ? QPageLayout::Portrait : QPageLayout::Landscape,
                                          QMarginsF()));
            QPainter painter(&pdf);
            sheet::PainterTarget target(painter, false);
            if (a4) {
                sheet::DrawPrintedPage(target, sheet::PrintedPage::FirstA4, 0, 0, model, true);
                pdf.newPage();
                sheet::DrawPrintedPage(target, sheet::PrintedPage::SecondA4, 0, 0, model, true);
            } else {
                sheet::DrawPrintedPage(target, sheet::PrintedPage::WholeSheet, 0, 0, model, true);
            }
        }
        benchmark::DoNotOptimize(buffer.data().size());
    }
}
BENCHMARK(pdfSheet)->Arg(0)->Arg(1)->ArgName("a4")->Unit(benchmark::kMillisecond);

// The print procedures on Qt's printer writing a 600 dpi PDF file: from the call to the
// closed file.
void printToPdfFile(benchmark::State& state)
{
    const bool a4 = state.range(0) != 0;
    const sheetdata::SheetModel model = filledLetter();
    QTemporaryDir dir;
    auto pdf = std::make_unique<QPrinter>(QPrinter::HighResolution);
    pdf->setOutputFormat(QPrinter::PdfFormat);
    pdf->setOutputFileName(dir.filePath(QStringLiteral("letter.pdf")));
    pdf->setResolution(600);
    platform::QtPrinter printer(std::move(pdf));
    printer.setPaperSize(a4 ? platform::PaperA4 : platform::PaperA3);
    printer.setOrientation(a4 ? platform::Portrait : platform::Landscape);
    const sheet::PrintRequest request{model, true, 0, 0, sheet::measurePrintArea(printer)};
    for (auto _ : state) {
        const sheet::PrintResult result =
            a4 ? sheet::GoPrintA4(printer, request) : sheet::GoPrintA3(printer, request);
        if (!result.printed)
            state.SkipWithError(qPrintable(result.error));
    }
}
BENCHMARK(printToPdfFile)->Arg(0)->Arg(1)->ArgName("a4")->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    common::installFontSubstitutions();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
