// The patient name's reading: while the name is typed through the input method, the reading
// of each converted piece is collected in lblKanaPre and shown in hiragana in txtKana; leaving
// the name box gives the form its title.
#include "entry/frmDat3.h"

#include <QInputMethodEvent>

namespace entry {

using namespace controls;

void frmDat3::connectNameReading()
{
    Control* name = control(QStringLiteral("txtname"));
    Control* collected = control(QStringLiteral("lblKanaPre"));
    Control* kana = control(QStringLiteral("txtKana"));
    Control* title = control(QStringLiteral("Label52"));
    Q_ASSERT(name && collected && kana && title);
    if (!name || !collected || !kana || !title)
        return;
    // The input method's pre-edit and commits: a commit means the next change of the name
    // came through the input method.
    connect(name->events(), &ControlEvents::inputMethod, this,
            [this](const QInputMethodEvent& event) {
                m_nameReading.take(event);
                if (m_nameReading.hasCommit())
                    m_imeKey = true;
            });
    // A key the box takes itself (the input method let it through) is no conversion.
    connect(name->events(), &ControlEvents::keyDown, this, [this](KeyArgs&) {
        m_imeKey = false;
        m_nameReading.forget();
    });
    connect(name->events(), &ControlEvents::changed, this, [this, name, collected, kana] {
        if (name->text().isEmpty()) {
            // A fresh name starts a fresh reading; txtKana keeps what it shows.
            collected->setText(QString());
            m_imeKey = false;
            m_nameReading.forget();
            return;
        }
        if (!m_imeKey)
            return;
        m_imeKey = false;
        const QString reading = m_nameReading.takeCommitted();
        // Only a change that brought a reading rewrites txtKana: a name edited by hand, or a
        // stored letter's name, keeps the ふりがな it has.
        if (reading.isEmpty())
            return;
        collected->setText(collected->text() + reading);
        kana->setText(ToHiragana(collected->text()));
    });
    connect(name->events(), &ControlEvents::lostFocus, this, [name, title] {
        if (!name->text().isEmpty())
            title->setText(name->text());
    });
}

} // namespace entry
