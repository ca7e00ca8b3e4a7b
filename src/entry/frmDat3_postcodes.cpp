// The postal-code boxes of both addresses (the patient's on page 1, the institution's on
// page 9): the focus moves on when a part is complete, a part of the wrong length is refused,
// and entering the address box puts the code's address from the postal-code master into it.
#include "common/appstate.h"
#include "common/datafiles.h"
#include "common/textcuts.h"
#include "entry/frmDat3.h"
#include "entry/postcodelookup.h"
#include "platform/messagebox.h"

#include <QLineEdit>

#include <memory>

namespace entry {

using namespace controls;

namespace {

struct Address
{
    const char* part1;
    const char* part2;
    const char* address;
};

constexpr Address kAddresses[] = {{"txtYubin1", "txtYubin2", "txtZusho"},
                                  {"txtYubin1Dr", "txtYubin2Dr", "txtZushoDr"}};

// Puts the address of the code in part1 and part2 from the postal-code master into
// `address`.
void lookUpAddress(const Control& part1, const Control& part2, Control& address)
{
    const QString code = part1.text() + part2.text();
    // Without a code there is nothing to look up (a letter without a postal code).
    if (code.isEmpty())
        return;
    const PostCodeLookup found =
        LookUpPostCode(common::appState().AppPath + common::PostCodeFileName, code);
    switch (found.status) {
    case PostCodeLookup::Status::NoMaster:
    case PostCodeLookup::Status::Unusable:
        // The boxes are plain text boxes then; the address is typed by hand.
        return;
    case PostCodeLookup::Status::NotFound:
        platform::MsgBox(QStringLiteral("該当する郵便番号の住所はありません。"),
                         platform::vbOKOnly + platform::vbCritical, QString());
        break;
    case PostCodeLookup::Status::Found:
        address.setText(MergeAddress(address.text(), found.address));
        break;
    }
    // The caret after the last character, nothing selected, to type the rest.
    if (auto* edit = qobject_cast<QLineEdit*>(address.widget())) {
        edit->deselect();
        edit->setCursorPosition(int(edit->text().size()));
    }
}

} // namespace

void frmDat3::connectPostCodes()
{
    for (const Address& names : kAddresses) {
        Control* part1 = control(QString::fromLatin1(names.part1));
        Control* part2 = control(QString::fromLatin1(names.part2));
        Control* address = control(QString::fromLatin1(names.address));
        Q_ASSERT(part1 && part2 && address);
        if (!part1 || !part2 || !address)
            continue;
        const struct
        {
            Control* box;
            int length;
            Control* next;
        } parts[] = {{part1, 3, part2}, {part2, 4, address}};
        for (const auto& part : parts) {
            Control* box = part.box;
            const int length = part.length;
            Control* next = part.next;
            // A complete part moves the focus on, when the key changed the box's text (a
            // cursor key or Shift+Tab in a full box leaves the focus where the user put it).
            auto textAtKeyDown = std::make_shared<QString>();
            connect(box->events(), &ControlEvents::keyDown, this,
                    [box, textAtKeyDown](KeyArgs&) { *textAtKeyDown = box->text(); });
            connect(box->events(), &ControlEvents::keyUp, this,
                    [box, length, next, textAtKeyDown](KeyArgs&) {
                        const QString text = box->text();
                        if (text != *textAtKeyDown && common::charCount(text) == length &&
                            box->widget()->hasFocus())
                            next->widget()->setFocus(Qt::OtherFocusReason);
                        *textAtKeyDown = text;
                    });
            // A part of the wrong length keeps the focus; an empty part is accepted.
            connect(box->events(), &ControlEvents::validate, this, [box, length](bool& cancel) {
                const QString text = box->text();
                if (text.isEmpty() || common::charCount(text) == length)
                    return;
                cancel = true;
                platform::MsgBox(QStringLiteral("正しい番号を入力してください。"),
                                 platform::vbOKOnly, QString());
            });
        }
        connect(address->events(), &ControlEvents::gotFocus, this,
                [part1, part2, address] { lookUpAddress(*part1, *part2, *address); });
    }
}

} // namespace entry
