#include "controls/controlcolor.h"

#include <QGuiApplication>
#include <QPalette>

namespace controls {

bool isSystemColor(OleColor color)
{
    return (color & 0xFF000000u) == 0x80000000u;
}

QColor toQColor(OleColor color)
{
    if (!isSystemColor(color))
        return QColor(int(color & 0xFF), int((color >> 8) & 0xFF), int((color >> 16) & 0xFF));
    const QPalette palette = QGuiApplication::palette();
    switch (color & 0xFF) {
    case 5:
        return palette.color(QPalette::Base);
    case 8:
        return palette.color(QPalette::Text);
    case 15:
        return palette.color(QPalette::Button);
    case 18:
        return palette.color(QPalette::ButtonText);
    default:
        return palette.color(QPalette::WindowText);
    }
}

} // namespace controls
