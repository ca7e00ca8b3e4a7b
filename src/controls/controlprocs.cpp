#include "controls/controlprocs.h"

#include "platform/screen.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPointer>
#include <QTextEdit>

#include <algorithm>
#include <cmath>

namespace common {

namespace {

int toPixelsX(int twips)
{
    return int(std::lround(twips / platform::twipsPerPixelX()));
}

int toPixelsY(int twips)
{
    return int(std::lround(twips / platform::twipsPerPixelY()));
}

// The bevel drawn over a pressed picture button: a child that covers its parent, lets the
// mouse through and paints the two rings.
class PressedBevel : public QWidget
{
public:
    PressedBevel(QWidget& pic, int unit) : QWidget(&pic), m_unit(unit)
    {
        setAttribute(Qt::WA_TransparentForMouseEvents);
        setAttribute(Qt::WA_NoSystemBackground);
        setGeometry(pic.rect());
        show();
        raise();
    }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter p(this);
        const int u = m_unit;
        const int sw = width();
        const int sh = height();
        for (int ring = 0; ring < 2; ++ring) {
            const int a = ring * u;    // where the ring's dark lines start
            const int b = a + u;       // where its light lines start
            const int r = sw - b;      // its right edge
            const int bottom = sh - b; // its bottom edge
            p.setPen(Qt::black);
            p.drawLine(a, a, r, a);
            p.drawLine(a, a, a, bottom);
            p.setPen(Qt::white);
            p.drawLine(b, bottom, r, bottom);
            p.drawLine(r, b, r, bottom);
        }
    }

private:
    int m_unit;
};

struct PressState
{
    bool pressed = false;
    QPointer<QWidget> pic;
    QPointer<PressedBevel> bevel;
    int unit = 0;
};

PressState& pressState()
{
    static PressState state;
    return state;
}

} // namespace

void SizeMove(QWidget& ctl, int w, int h, int l, int t)
{
    ctl.resize(toPixelsX(w), toPixelsY(h));
    ctl.move(toPixelsX(l), toPixelsY(t));
}

void SelAllText(QWidget& ctl)
{
    if (auto* edit = qobject_cast<QLineEdit*>(&ctl)) {
        edit->selectAll();
    } else if (auto* combo = qobject_cast<QComboBox*>(&ctl)) {
        if (combo->lineEdit())
            combo->lineEdit()->selectAll();
    } else if (auto* plain = qobject_cast<QPlainTextEdit*>(&ctl)) {
        plain->selectAll();
    } else if (auto* rich = qobject_cast<QTextEdit*>(&ctl)) {
        rich->selectAll();
    }
}

void PressLook(QWidget& pic, int mode)
{
    PressState& state = pressState();
    if (mode == 0 || mode == 2) {
        if (state.pressed)
            return;
        // 15 twips in modes 0 and 1; at least one pixel.
        const int unit = mode == 0 ? std::max(1, toPixelsX(15)) : 1;
        state.pressed = true;
        state.pic = &pic;
        state.unit = unit;
        state.bevel = new PressedBevel(pic, unit);
        pic.move(pic.x() + unit, pic.y() + unit);
    } else if (mode == 1 || mode == 3) {
        if (!state.pressed)
            return;
        // The button that is pressed goes back, by the unit it moved.
        delete state.bevel.data();
        if (state.pic)
            state.pic->move(state.pic->x() - state.unit, state.pic->y() - state.unit);
        state = PressState();
    }
}

bool PressedFlag()
{
    return pressState().pressed;
}

void NoCloseMenu(QWidget& frm)
{
    const bool visible = frm.isVisible();
    Qt::WindowFlags flags = frm.windowFlags();
    flags |= Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint;
    flags &= ~Qt::WindowCloseButtonHint;
    frm.setWindowFlags(flags);
    if (visible)
        frm.show(); // changing the flags hides a window
}

qint32 HiWord(qint32 n)
{
    return n / 65536;
}

qint32 LoWord(qint32 n)
{
    return n % 65536;
}

} // namespace common
