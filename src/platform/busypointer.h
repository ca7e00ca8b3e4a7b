#pragma once

class QWidget;

// The busy mouse pointer (the hourglass) over every window of the program while a piece of
// work runs: shown when made, the normal pointer back at restore(), when `window` given to
// restoreWhenShown() shows, or when it goes out of scope, whichever comes first. A message box
// shown meanwhile has the normal pointer.
namespace platform {

class BusyPointer
{
public:
    BusyPointer();
    ~BusyPointer();
    BusyPointer(const BusyPointer&) = delete;
    BusyPointer& operator=(const BusyPointer&) = delete;

    void restore();
    // `window` must not outlive this object.
    void restoreWhenShown(QWidget* window);

private:
    bool m_shown = false;
};

} // namespace platform
