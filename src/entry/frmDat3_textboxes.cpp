// The little behaviour some text boxes add while a letter is typed: the whole text selected
// on focus, the leading "0" of a one-character date part, and the age computed on entering
// the age box.
#include "common/textcuts.h"
#include "controls/controlprocs.h"
#include "entry/frmDat3.h"
#include "entry/frmDat3_handlers.h"

namespace entry {

using namespace controls;

namespace {

// The boxes whose whole text is selected when they receive the focus (txtToshi apart: it
// computes the age first).
const QStringList& selectAllBoxes()
{
    static const QStringList names = {// page 1
                                      "txtNenD", "txtTukiD", "txtHiD", "txtname", "txtKana",
                                      "txtNen", "txtTuki", "txtHi", "txtYubin1", "txtYubin2",
                                      "txtTel", "txtNen2", "txtTuki2", "txtHi2",
                                      // page 2
                                      "txtSippeiNen", "txtSippeiTuki", "txtSippeiHi",
                                      // page 5
                                      "txtHight", "txtWeight",
                                      // page 9
                                      "txtYubin1Dr", "txtYubin2Dr", "Kisaisya"};
    return names;
}

// The year, month and day boxes of the four dates.
const QStringList& datePartBoxes()
{
    static const QStringList names = {"txtNenD", "txtTukiD",     "txtHiD",        "txtNen",
                                      "txtTuki", "txtHi",        "txtNen2",       "txtTuki2",
                                      "txtHi2",  "txtSippeiNen", "txtSippeiTuki", "txtSippeiHi"};
    return names;
}

} // namespace

void frmDat3::connectTextBoxes()
{
    for (const QString& name : selectAllBoxes()) {
        const QList<Control*> boxes = handlers::members(m_controls, name);
        Q_ASSERT_X(!boxes.isEmpty(), "frmDat3::connectTextBoxes", qPrintable(name));
        for (Control* box : boxes) {
            connect(box->events(), &ControlEvents::gotFocus, this,
                    [box] { common::SelAllText(*box->widget()); });
        }
    }
    if (Control* age = control(QStringLiteral("txtToshi"))) {
        connect(age->events(), &ControlEvents::gotFocus, this, [this, age] {
            Nenrei();
            common::SelAllText(*age->widget());
        });
    }
    // A one-character part gets its leading "0" when the box is left (4 becomes 04), so
    // that the stored date carries two-digit parts.
    for (const QString& name : datePartBoxes()) {
        for (Control* box : handlers::members(m_controls, name)) {
            connect(box->events(), &ControlEvents::lostFocus, this, [box] {
                const QString text = box->text();
                if (common::charCount(text) == 1)
                    box->setText(QLatin1Char('0') + text);
            });
        }
    }
}

} // namespace entry
