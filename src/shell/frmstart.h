#pragma once

#include <QLockFile>
#include <QWidget>

#include <memory>

namespace shell {

class Form1;

// The start-up form: a small window without caption that tells the program is starting
// while the main window loads.
class frmStart : public QWidget
{
    Q_OBJECT
public:
    explicit frmStart(QWidget* parent = nullptr);
};

// Tells whether another instance of the program runs for this user: the first one holds a
// lock file in the settings folder for its whole run (a crashed run leaves a stale lock,
// which is taken over).
class InstanceLock
{
public:
    InstanceLock();
    // True when this run holds the lock; false when another instance holds it.
    bool acquire();

private:
    std::unique_ptr<QLockFile> m_lock;
};

// The start-up: the second-instance question, the splash while the main window loads, and
// the main window shown. Returns the main window, or nullptr when the user chose not to
// start a second instance.
std::unique_ptr<Form1> startProgram(InstanceLock& lock);

} // namespace shell
