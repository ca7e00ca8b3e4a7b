#pragma once

#include <QList>
#include <QPoint>
#include <QRect>

#include <optional>

namespace shell {

// The sheet and the main window's fixed bands, in twips.
inline constexpr int SheetWidth = 23814;
inline constexpr int SheetHeight = 16840;
inline constexpr int ToolbarHeight = 420;
inline constexpr int StatusHeight = 375;
inline constexpr int ScrollBarSize = 255;

// A floating-point size made whole the way the window's measures are: to the nearest
// whole number, halves to the even neighbour. A value beyond what a window measure can be
// (a broken setting) gives the nearest of ±1,000,000,000; NaN gives 0.
int roundHalfEven(double value);

// Width, height, left and top of a control, in twips.
struct ControlRect
{
    int width = 0;
    int height = 0;
    int left = 0;
    int top = 0;
    friend bool operator==(const ControlRect&, const ControlRect&) = default;
};

// The range of a scroll bar (its minimum is always 0). The steps are as computed: they
// may be 0 or below when the viewport holds the whole sheet.
struct ScrollRange
{
    int max = 0;
    int largeChange = 0;
    int smallChange = 0;
    friend bool operator==(const ScrollRange&, const ScrollRange&) = default;
};

// The full-size layout of the main window for an inner area of SW × SH twips.
struct FullSizeLayout
{
    ControlRect viewport; // Picture1
    bool wide = false;    // the whole sheet width fits: no horizontal bar, canvas at left 0
    ControlRect hScroll;  // only in a narrow window
    ScrollRange hRange;   // only in a narrow window
    ControlRect vScroll;
    ScrollRange vRange;
    QPoint corner; // picSumi's left and top
};
FullSizeLayout fullSizeLayout(int innerWidth, int innerHeight);

// The fitted view: the part of the canvas image that is copied, and where in the viewport it
// goes, both in pixels. Empty when the inner area is too small for the bands.
struct FittedView
{
    int viewportWidth = 0;  // twips
    int viewportHeight = 0; // twips
    bool wide = false;
    QRect destination;
    QRect source;
    friend bool operator==(const FittedView&, const FittedView&) = default;
};
std::optional<FittedView> fittedView(int innerWidth, int innerHeight, double twipsX, double twipsY);

// The mouse wheel: 150 twips of the sheet for every 120 units of wheel delta, added up
// across events so that the small deltas of a touchpad move the sheet as far as one notch.
class WheelScroller
{
public:
    static constexpr int TwipsPerNotch = 150;
    static constexpr int DeltaPerNotch = 120;

    // The new value of a scroll bar at `value` in [minimum, maximum] after a wheel event;
    // a positive delta (the wheel turned away from the user) moves toward the sheet's top.
    int scroll(int value, int minimum, int maximum, int delta);

private:
    int m_pending = 0;
};

} // namespace shell

namespace shell {

// A window rectangle (pixels) that lies off every screen is moved onto the nearest one
// (and made to fit it); one that shows on a screen is returned as it is.
QRect pullOntoScreens(const QRect& window, const QList<QRect>& screens);

// The window rectangle (pixels) from a stored placement: its size kept within the available
// area of the screen it lands on (the screen holding its top-left corner, else the nearest),
// at least `minimum` unless that screen is smaller, then pulled onto the screens.
QRect placeOnScreens(const QRect& window, const QSize& minimum, const QList<QRect>& screens);

} // namespace shell
