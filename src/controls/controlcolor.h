#pragma once

#include <QColor>
#include <QtGlobal>

namespace controls {

// A colour as the forms store it: &H00BBGGRR for a fixed colour, &H800000nn for system
// colour nn.
using OleColor = quint32;

constexpr OleColor rgb(int red, int green, int blue)
{
    return static_cast<OleColor>(red) | (static_cast<OleColor>(green) << 8) |
           (static_cast<OleColor>(blue) << 16);
}

constexpr OleColor kSystemButtonText = 0x80000012; // system colour 18
constexpr OleColor kSystemWindow = 0x80000005;     // system colour 5
constexpr OleColor kSystemWindowText = 0x80000008; // system colour 8
constexpr OleColor kSystemButtonFace = 0x8000000F; // system colour 15

// The two looks of a dependent control.
constexpr OleColor kEnabledBackColor = 0xFFFFC0;  // light cyan
constexpr OleColor kDisabledBackColor = 0xC0C0C0; // grey
constexpr OleColor kEnabledForeColor = kSystemButtonText;
constexpr OleColor kDisabledForeColor = 0x808080; // dark grey

// The entry areas' colours.
constexpr OleColor kLightYellow = 0xC0FFFF; // RGB (255, 255, 192)
constexpr OleColor kLightCyan = 0xFFFFC0;   // RGB (192, 255, 255)

bool isSystemColor(OleColor color);
// The colour to paint: a fixed colour as it is, a system colour from the application's
// palette.
QColor toQColor(OleColor color);

} // namespace controls
