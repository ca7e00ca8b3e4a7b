// Drawing the whole sheet with a letter: on the preview canvas, and into a PDF.
#include "common/fontsubstitution.h"
#include "samplesheet.h"
#include "sheet/paintertarget.h"
#include "sheet/sheetdrawing.h"

#include <QBuffer>
#include <QGuiApplication>
#include <QPainter>
#include <QPdfWriter>

#include <benchmark/benchmark.h>

namespace {

void previewCanvas(benchmark::State& state)
{
    const sheetdata::SheetModel model = sampleFilledSheet();
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

void pdfSheet(benchmark::State& state)
{
    const bool a4 = state.range(0) != 0;
    const sheetdata::SheetModel model = sampleFilledSheet();
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
