#include "sheet/printarea.h"

#include <cmath>

namespace sheet {

PrintArea& printArea()
{
    static PrintArea area;
    return area;
}

namespace {
qint32 toTwips(double twipsPerPixel, int pixels)
{
    return static_cast<qint32>(std::floor(twipsPerPixel * pixels + 0.5));
}
} // namespace

PrintArea measurePrintArea(const platform::Printer& printer)
{
    if (!printer.isInstalled())
        return {};
    const double tpp = printer.twipsPerPixel();
    const QRect pixels = printer.printableAreaPixels();
    return {toTwips(tpp, pixels.x()), toTwips(tpp, pixels.y()), toTwips(tpp, pixels.width()),
            toTwips(tpp, pixels.height())};
}

Outline outlineFor(const PrintArea& a, bool paperA3, const Outline& previous)
{
    const int px = a.PhysOffsetX;
    const int py = a.PhysOffsetY;
    const int pw = a.PrintableWidth;
    const int ph = a.PrintableHeight;
    auto page = [&](int shift) {
        return std::array<OutlineLine, 4>{{
            {true, QLine(px + shift, py, px + shift, py + ph)},
            {true, QLine(px + shift, py, px + pw + shift, py)},
            {true, QLine(px + pw - 15 + shift, py, px + pw - 15 + shift, py + ph)},
            {true, QLine(px + shift, py + ph - 30, px + pw + shift, py + ph - 30)},
        }};
    };
    Outline outline = previous;
    const auto first = page(0);
    std::copy(first.begin(), first.end(), outline.begin());
    if (paperA3) {
        for (int i = 4; i < 8; ++i)
            outline[i].visible = false;
    } else {
        const auto second = page(sheetdata::Page2Shift);
        std::copy(second.begin(), second.end(), outline.begin() + 4);
    }
    return outline;
}

QString paperLabel(int code, double pageWidthTwips, double pageHeightTwips)
{
    switch (code) {
    case 8:
        return QStringLiteral("A3、297 x 420 mm");
    case 9:
        return QStringLiteral("A4、210 x 297 mm 2枚");
    case 10:
        return QStringLiteral("A4 Small、210 x 297 mm");
    case 11:
        return QStringLiteral("A5、148 x 210 mm");
    case 12:
        return QStringLiteral("B4、250 x 354 mm");
    case 13:
        return QStringLiteral("B5、182 x 257 mm");
    case 24:
        return QStringLiteral("C サイズ シート");
    case 25:
        return QStringLiteral("D サイズ シート");
    case 26:
        return QStringLiteral("E サイズ シート");
    case 27:
        return QStringLiteral("封筒 DL、110 x 220 mm");
    case 28:
        return QStringLiteral("封筒 C5、162 x 229 mm");
    case 29:
        return QStringLiteral("封筒 C3、324 x 458 mm");
    case 30:
        return QStringLiteral("封筒 C4、229 x 324 mm");
    case 31:
        return QStringLiteral("封筒 C6、114 x 162 mm");
    case 32:
        return QStringLiteral("封筒 C65、114 x 229 mm");
    case 33:
        return QStringLiteral("封筒 B4、250 x 353 mm");
    case 34:
        return QStringLiteral("封筒 B5、176 x 250 mm");
    case 35:
        return QStringLiteral("封筒 B6、176 x 125 mm");
    case 36:
        return QStringLiteral("封筒、110 x 230 mm");
    default:
        break;
    }
    // The page size, rounded to whole twips first, in whole millimetres.
    const double w = std::nearbyint(pageWidthTwips);
    const double h = std::nearbyint(pageHeightTwips);
    const auto mm = [](double twips) { return qint64(std::floor(twips / 56.7 + 0.5)); };
    return QStringLiteral("%1 x %2 mm").arg(mm(w)).arg(mm(h));
}

QString noPrinterLabel()
{
    return QStringLiteral("プリンタがありません");
}

PrinterView::~PrinterView() = default;

namespace {
PrinterView*& currentView()
{
    static PrinterView* view = nullptr;
    return view;
}
} // namespace

void setPrinterView(PrinterView* view)
{
    currentView() = view;
}

PrinterView* printerView()
{
    return currentView();
}

} // namespace sheet
