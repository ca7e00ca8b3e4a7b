#include "shell/viewlayout.h"

#include <algorithm>
#include <cmath>

namespace shell {

int roundHalfEven(double value)
{
    constexpr double limit = 1e9;
    if (std::isnan(value))
        return 0;
    // The default floating-point rounding mode rounds halves to even.
    return static_cast<int>(std::nearbyint(std::clamp(value, -limit, limit)));
}

namespace {
ScrollRange range(int max, int largeDivisor, int smallDivisor)
{
    return {max, roundHalfEven(double(max) / largeDivisor),
            roundHalfEven(double(max) / smallDivisor)};
}
} // namespace

FullSizeLayout fullSizeLayout(int sw, int sh)
{
    FullSizeLayout layout;
    const int bands = ToolbarHeight + StatusHeight; // 795
    layout.wide = sw - ScrollBarSize >= SheetWidth;
    if (layout.wide) {
        layout.viewport = {sw - ScrollBarSize, sh - bands, 0, ToolbarHeight};
        layout.vScroll = {ScrollBarSize, sh - bands, sw - ScrollBarSize, ToolbarHeight};
        layout.vRange = range(SheetHeight - (sh - bands), 20, 50);
    } else {
        const int withBar = bands + ScrollBarSize; // 1050
        layout.viewport = {sw - ScrollBarSize, sh - withBar, 0, ToolbarHeight};
        layout.hScroll = {sw - ScrollBarSize, ScrollBarSize, 0, sh - StatusHeight - ScrollBarSize};
        layout.vScroll = {ScrollBarSize, sh - withBar, sw - ScrollBarSize, ToolbarHeight};
        layout.hRange = range(SheetWidth - (sw - ScrollBarSize), 20, 40);
        layout.vRange = range(SheetHeight - (sh - withBar), 20, 50);
    }
    layout.corner = QPoint(sw - ScrollBarSize, sh - StatusHeight - ScrollBarSize);
    return layout;
}

std::optional<FittedView> fittedView(int w, int h, double twipsX, double twipsY)
{
    const int bands = ToolbarHeight + StatusHeight;
    const int withBar = bands + ScrollBarSize;
    if (twipsX <= 0 || twipsY <= 0 || h <= withBar || w <= ScrollBarSize)
        return std::nullopt;

    FittedView view;
    view.viewportWidth = w;
    view.viewportHeight = h - bands;
    const double pw = view.viewportWidth;
    const double ph = view.viewportHeight;
    const double tx = twipsX;
    const double ty = twipsY;
    const float ratio = float(w - ScrollBarSize) / float(h - withBar);
    view.wide = ratio >= 1.4f;

    double dx, dy, dw, dh, sourceWidth;
    if (view.wide) {
        dx = (pw / tx - ph * 1.4 / ty) / 2;
        dy = 0;
        dw = ph * 1.4 / tx;
        dh = ph / ty;
        sourceWidth = 22290;
    } else {
        dx = 0;
        dy = (ph / ty - pw * 0.7 / ty) / 2;
        dw = pw / tx;
        dh = pw * 0.7 / ty;
        sourceWidth = 22190;
    }
    view.destination =
        QRect(roundHalfEven(dx), roundHalfEven(dy), roundHalfEven(dw), roundHalfEven(dh));
    view.source = QRect(roundHalfEven(570 / tx), roundHalfEven(900 / ty),
                        roundHalfEven(sourceWidth / tx), roundHalfEven(15915 / ty));
    return view;
}

int WheelScroller::scroll(int value, int minimum, int maximum, int delta)
{
    // A turn the other way drops what was left over from the last direction.
    if ((delta > 0 && m_pending < 0) || (delta < 0 && m_pending > 0))
        m_pending = 0;
    m_pending += delta;
    const int notches = m_pending / DeltaPerNotch;
    m_pending -= notches * DeltaPerNotch;
    if (notches == 0)
        return value;
    const int v = value - notches * TwipsPerNotch;
    return std::clamp(v, minimum, std::max(minimum, maximum));
}

} // namespace shell

namespace shell {

QRect placeOnScreens(const QRect& window, const QSize& minimum, const QList<QRect>& screens)
{
    if (screens.isEmpty())
        return window;
    const QPoint corner = window.topLeft();
    const QRect* landing = nullptr;
    qint64 best = -1;
    for (const QRect& screen : screens) {
        const qint64 dx =
            qint64(std::clamp(corner.x(), screen.left(), screen.right())) - corner.x();
        const qint64 dy =
            qint64(std::clamp(corner.y(), screen.top(), screen.bottom())) - corner.y();
        const qint64 distance = dx * dx + dy * dy;
        if (best < 0 || distance < best) {
            best = distance;
            landing = &screen;
        }
    }
    const QSize lower = minimum.boundedTo(landing->size());
    const QSize size(std::clamp(window.width(), lower.width(), landing->width()),
                     std::clamp(window.height(), lower.height(), landing->height()));
    QRect placed(corner, size);
    if (size.width() < window.width() || size.height() < window.height()) {
        // Cut down to the screen: it goes wholly on it.
        placed.moveLeft(
            std::clamp(placed.left(), landing->left(), landing->right() - size.width() + 1));
        placed.moveTop(
            std::clamp(placed.top(), landing->top(), landing->bottom() - size.height() + 1));
    }
    return pullOntoScreens(placed, screens);
}

QRect pullOntoScreens(const QRect& window, const QList<QRect>& screens)
{
    if (screens.isEmpty())
        return window;
    // On screen when a piece of its top edge, where the title bar is, can be reached.
    const QRect titleBand(window.left(), window.top(), window.width(), 30);
    for (const QRect& screen : screens) {
        const QRect seen = screen.intersected(titleBand);
        if (seen.width() >= std::min(100, window.width()) && seen.height() >= 10)
            return window;
    }
    const QPoint centre = window.center();
    const QRect* nearest = &screens.first();
    qint64 best = -1;
    for (const QRect& screen : screens) {
        const qint64 dx = std::clamp(centre.x(), screen.left(), screen.right()) - centre.x();
        const qint64 dy = std::clamp(centre.y(), screen.top(), screen.bottom()) - centre.y();
        const qint64 distance = dx * dx + dy * dy;
        if (best < 0 || distance < best) {
            best = distance;
            nearest = &screen;
        }
    }
    QRect placed(window.topLeft(), window.size().boundedTo(nearest->size()));
    placed.moveLeft(
        std::clamp(placed.left(), nearest->left(), nearest->right() - placed.width() + 1));
    placed.moveTop(
        std::clamp(placed.top(), nearest->top(), nearest->bottom() - placed.height() + 1));
    return placed;
}

} // namespace shell
