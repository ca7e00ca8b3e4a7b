#include "platform/printer.h"

#include "platform/printerqt.h"

namespace platform {

Printer::~Printer() = default;

double Printer::twipsPerPixel() const
{
    const int dpi = resolution();
    return dpi > 0 ? 1440.0 / dpi : 0.0;
}

namespace {
std::unique_ptr<Printer>& currentPrinter()
{
    static std::unique_ptr<Printer> current;
    return current;
}
} // namespace

Printer& printer()
{
    auto& current = currentPrinter();
    if (!current)
        current = std::make_unique<QtPrinter>();
    return *current;
}

std::unique_ptr<Printer> setPrinter(std::unique_ptr<Printer> replacement)
{
    auto old = std::move(currentPrinter());
    currentPrinter() = std::move(replacement);
    return old;
}

} // namespace platform
