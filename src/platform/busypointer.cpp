#include "platform/busypointer.h"

#include <QEvent>
#include <QGuiApplication>
#include <QWidget>

namespace platform {

namespace {

class RestoreOnShow : public QObject
{
public:
    RestoreOnShow(QWidget* window, BusyPointer* busy) : QObject(window), m_busy(busy)
    {
        window->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (watched == parent() && event->type() == QEvent::Show) {
            m_busy->restore();
            watched->removeEventFilter(this);
        }
        return false;
    }

private:
    BusyPointer* m_busy;
};

} // namespace

BusyPointer::BusyPointer()
{
    QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    m_shown = true;
}

BusyPointer::~BusyPointer()
{
    restore();
}

void BusyPointer::restore()
{
    if (!m_shown)
        return;
    m_shown = false;
    QGuiApplication::restoreOverrideCursor();
}

void BusyPointer::restoreWhenShown(QWidget* window)
{
    if (m_shown && window)
        new RestoreOnShow(window, this);
}

} // namespace platform
