#pragma once

#include <QFont>
#include <QString>

namespace record {

// The long-text boxes of the entry form (course of the disease, remarks) are 8445 twips wide
// with a vertical scroll bar and a 3D border; their text wraps inside what is left.
constexpr int LongTextBoxWidth = 8445;
constexpr int LongTextBoxBorder = 30;     // 2 pixels at 15 twips per pixel, on each side
constexpr int LongTextBoxScrollBar = 255; // 17 pixels
constexpr int LongTextWrapWidth = LongTextBoxWidth - 2 * LongTextBoxBorder - LongTextBoxScrollBar;

// The boxes' font, ＭＳ ゴシック 9 pt, sized in pixels that are twips (9 pt = 180 twips), so
// that its metrics measure the text in twips whatever the screen.
QFont LongTextBoxFont();

// The print copy of a long text: the text as the long-text box wraps it, with CR LF added at
// every line end that the box makes by word wrap. Every character of the text stays, in order;
// the user's own line ends (CR LF) stay single, and nothing is added after the last line.
QString WrapForPrint(const QString& text);

} // namespace record
