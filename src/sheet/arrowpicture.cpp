#include "sheet/arrowpicture.h"

#include <cmath>

namespace sheet {

namespace {

QImage makeArrow()
{
    constexpr int Width = 109;
    constexpr int Height = 39;
    constexpr int Stroke = 4;      // width of the vertical stroke and the shaft
    constexpr int ShaftTop = 26;   // the shaft covers rows 26 to 29
    constexpr int HeadLeft = 85;   // the head spans columns 85 to 108
    constexpr int TipRow = 28;     // its tip on row 28 at the right edge
    constexpr int HalfHeight = 10; // rows 18 to 38 at its base
    QImage image(Width, Height, QImage::Format_RGB32);
    image.fill(Qt::white);
    const QRgb black = qRgb(0, 0, 0);
    const QRgb edge = qRgb(96, 96, 96);
    for (int y = 0; y < ShaftTop + Stroke; ++y)
        for (int x = 0; x < Stroke; ++x)
            image.setPixel(x, y, black);
    for (int y = ShaftTop; y < ShaftTop + Stroke; ++y)
        for (int x = 0; x < HeadLeft; ++x)
            image.setPixel(x, y, black);
    for (int x = HeadLeft; x < Width; ++x) {
        const double half = HalfHeight * double(Width - 1 - x) / (Width - 1 - HeadLeft);
        const int reach = int(std::floor(half));
        for (int y = TipRow - reach; y <= TipRow + reach; ++y)
            image.setPixel(x, y, black);
        // A dark grey pixel where the slanting edge passes half way through one.
        if (half - reach >= 0.5) {
            image.setPixel(x, TipRow - reach - 1, edge);
            if (TipRow + reach + 1 < Height)
                image.setPixel(x, TipRow + reach + 1, edge);
        }
    }
    return image;
}

} // namespace

const QImage& arrowPicture()
{
    static const QImage arrow = makeArrow();
    return arrow;
}

} // namespace sheet
