#pragma once

#include <QtGlobal>

class QWidget;

// Small procedures the forms share: placing a control in twips, selecting a box's text on
// focus, the pressed look of a picture button, a window without a close button, and the
// halves of a 32-bit message parameter.
namespace common {

// Sets the widget's width, height, left and top, given in twips (1440 to the inch), as
// pixels of the screen. A top-level window is placed on the screen, any other widget in
// its parent.
void SizeMove(QWidget& ctl, int w, int h, int l, int t);

// Selects the whole text of a line edit, an editable combo box or a multi-line text box, so
// that typing replaces it; an empty box gets an empty selection. Other widgets are left
// alone.
void SelAllText(QWidget& ctl);

// The pressed look of a picture button while the mouse is held on it. Mode 0 or 2 presses:
// a black and white two-line bevel is drawn over the widget and the widget moves one unit
// right and down. Mode 1 or 3 releases: the bevel goes and the widget moves back. The unit
// is 15 twips for modes 0 and 1 (a widget measured in twips) and one pixel for 2 and 3.
// One button is shown pressed at a time, for the whole program: a press while another is
// pressed does nothing, and a release restores the button that is pressed (whichever
// widget reports it) or does nothing when none is. Any other mode does nothing.
void PressLook(QWidget& pic, int mode);
// Whether a button is shown pressed (the program's one pressed flag).
bool PressedFlag();

// Takes the close button off the window's title bar (the window's other buttons stay).
void NoCloseMenu(QWidget& frm);

// The high and low halves of a message parameter, by division: n / 65536 truncated toward
// zero, and the remainder with the sign of n.
qint32 HiWord(qint32 n);
qint32 LoWord(qint32 n);

} // namespace common
