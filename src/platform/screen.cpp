#include "platform/screen.h"

#include <QGuiApplication>
#include <QScreen>

namespace platform {

namespace {
constexpr double TwipsPerInch = 1440.0;
constexpr double DefaultTwipsPerPixel = 15.0;

double twipsPerPixel(double dotsPerInch)
{
    return dotsPerInch > 0 ? TwipsPerInch / dotsPerInch : DefaultTwipsPerPixel;
}

QScreen* primaryScreen()
{
    return qobject_cast<QGuiApplication*>(QCoreApplication::instance())
               ? QGuiApplication::primaryScreen()
               : nullptr;
}
} // namespace

double twipsPerPixelX()
{
    const QScreen* screen = primaryScreen();
    return screen ? twipsPerPixel(screen->logicalDotsPerInchX()) : DefaultTwipsPerPixel;
}

double twipsPerPixelY()
{
    const QScreen* screen = primaryScreen();
    return screen ? twipsPerPixel(screen->logicalDotsPerInchY()) : DefaultTwipsPerPixel;
}

} // namespace platform
