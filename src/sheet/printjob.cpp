#include "sheet/printjob.h"

#include "sheet/paintertarget.h"
#include "sheet/sheetdrawing.h"
#include "sheetdata/sheetmodel.h"

#include <algorithm>
#include <cmath>

namespace sheet {

qint32 printShiftTwips(float mm)
{
    const double twips = std::floor(double(mm) * PrintShiftTwipsPerMm + 0.5);
    if (std::isnan(twips))
        return 0;
    return qint32(std::clamp<double>(twips, -MaxPrintShiftTwips, MaxPrintShiftTwips));
}

PrintOrigin printOrigin(float userX, float userY, const PrintArea& area)
{
    return {printShiftTwips(userX) - area.PhysOffsetX, printShiftTwips(userY) - area.PhysOffsetY};
}

std::unique_ptr<DrawTarget> paperTarget(QPainter& painter)
{
    return std::make_unique<PainterTarget>(painter, false);
}

QString printJobTitle()
{
    return QStringLiteral("主治医意見書");
}

namespace {

enum class Paper { A3, A4 };

QString printerProblem(const platform::Printer& printer, const QString& what)
{
    return QStringLiteral(
               "プリンタ「%1」で%2\r\n印刷を中止しました。プリンタの状態を確かめて下さい。")
        .arg(printer.deviceName(), what);
}

// One page: the blank form and, when a letter is on the sheet, its texts and marks. The
// first page of a letter starts with one ideographic space in the vertical Mincho at the
// printable corner, which prints nothing.
void drawPage(DrawTarget& target, PrintedPage page, PrintOrigin origin, const PrintRequest& r)
{
    if (r.model.FormLoaded && page != PrintedPage::SecondA4) {
        target.setCurrentX(0);
        target.setCurrentY(0);
        target.setFontName(QStringLiteral("@ＭＳ 明朝"));
        target.printLine(QStringLiteral("　"));
    }
    DrawPrintedPage(target, page, origin.x, origin.y, r.model, r.pageHead);
}

PrintResult printJob(platform::Printer& printer, const PrintRequest& request, Paper paper,
                     const PageTargetFactory& makeTarget)
{
    const PrintOrigin origin = printOrigin(request.userX, request.userY, request.area);
    PrintResult result;
    if (QPainter* painter = printer.beginDocument(printJobTitle())) {
        const auto draw = [&](PrintedPage page) {
            const std::unique_ptr<DrawTarget> target = makeTarget(*painter);
            drawPage(*target, page, origin, request);
        };
        if (paper == Paper::A3) {
            draw(PrintedPage::WholeSheet);
        } else {
            draw(PrintedPage::FirstA4);
            if (printer.newPage())
                draw(PrintedPage::SecondA4);
            else
                result.error =
                    printerProblem(printer, QStringLiteral("2枚目を始められませんでした。"));
        }
        if (!result.error.isEmpty())
            printer.abortDocument();
        else if (!printer.endDocument())
            result.error =
                printerProblem(printer, QStringLiteral("印刷データを送れませんでした。"));
    } else {
        result.error = printer.isInstalled()
                           ? printerProblem(printer, QStringLiteral("印刷を始められませんでした。"))
                           : QStringLiteral("プリンタがありません。\r\n"
                                            "プリンタを設定してから印刷して下さい。");
    }
    result.printed = result.error.isEmpty();
    // The paper mode of the procedure, after a printed job and after an abandoned one alike;
    // a printer that refuses the paper keeps its orientation too.
    if (printer.isInstalled()) {
        const bool a3 = paper == Paper::A3;
        if (printer.setPaperSize(a3 ? platform::PaperA3 : platform::PaperA4))
            printer.setOrientation(a3 ? platform::Landscape : platform::Portrait);
    }
    return result;
}

} // namespace

PrintResult GoPrintA3(platform::Printer& printer, const PrintRequest& request,
                      const PageTargetFactory& makeTarget)
{
    return printJob(printer, request, Paper::A3, makeTarget);
}

PrintResult GoPrintA4(platform::Printer& printer, const PrintRequest& request,
                      const PageTargetFactory& makeTarget)
{
    return printJob(printer, request, Paper::A4, makeTarget);
}

} // namespace sheet
