#pragma once

#include <QFont>
#include <QString>

namespace record {

// The long-text boxes of the entry form (course of the disease, remarks) are 8445 twips wide,
// with a one-pixel frame, a vertical scroll bar and a margin inside; their text wraps within
// what is left (at 15 twips per pixel: 44 full-width or 89 half-width characters a line).
// Printed in ＭＳ 明朝 10.5 pt, such a line fits the sheet's frames.
constexpr int LongTextBoxWidth = 8445;
constexpr int LongTextBoxFrame = 15;      // 1 pixel, on each side
constexpr int LongTextBoxScrollBar = 210; // 14 pixels
constexpr int LongTextBoxMargin = 60;     // 4 pixels, on each side
constexpr int LongTextWrapWidth =
    LongTextBoxWidth - 2 * LongTextBoxFrame - LongTextBoxScrollBar - 2 * LongTextBoxMargin;
// A tab in the text moves to the box's next tab stop, every 80 pixels.
constexpr int LongTextBoxTabStop = 1200;

// The boxes' font, ＭＳ ゴシック 9 pt, sized in pixels that are twips (9 pt = 180 twips), so
// that its metrics measure the text in twips whatever the screen.
QFont LongTextBoxFont();

// The print copy of a long text: the text as the long-text box wraps it, with CR LF added at
// every line end that the box makes by word wrap. Every character of the text stays, in order;
// the user's own line ends (CR LF) stay single, and nothing is added after the last line.
QString WrapForPrint(const QString& text);

namespace detail {

// The print copy made by the text layout for every paragraph: what WrapForPrint must equal.
QString WrapForPrintByLayout(const QString& text);

// Whether WrapForPrint measures this paragraph (no line end inside) by adding the advances of
// its characters rather than by the text layout.
bool WrapsByAdvances(const QString& paragraph);

} // namespace detail

} // namespace record
