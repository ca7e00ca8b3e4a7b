#pragma once

#include <QString>

#include <memory>

namespace shell {
class Form1;
}

namespace privatecups {

class PrivateScheduler;

// The main window as the program starts on the system's printers through Qt, with `queue`
// made the scheduler's default printer and the paper mode stored as `storedA3` in the
// settings the test points at (TestEnvironment).
std::unique_ptr<shell::Form1> startMainWindow(PrivateScheduler& scheduler, const QString& queue,
                                              bool storedA3);

} // namespace privatecups
