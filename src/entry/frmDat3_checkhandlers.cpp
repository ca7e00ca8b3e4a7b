// The entry form's check boxes: the masters that enable their dependants, Enter that ticks
// and unticks a box, the walking-aid boxes that exclude each other, and the items of medical
// management with their underline.

#include "entry/frmDat3_handlers.h"

#include "controls/controlwidgets.h"

#include <QAbstractButton>

#include <vector>

namespace entry {

using namespace controls;
using handlers::lookOf;
using handlers::Looks;
using handlers::members;

namespace {

// The trigger of a master that reacts to a click on any member of its array.
constexpr int kEveryMember = -2;

struct Dependant
{
    const char* name;
    int first = kNoIndex;
    int last = kNoIndex;
};

// A check box whose tick gives its dependants the enabled look and whose untick gives them the
// disabled look.
struct Master
{
    const char* name;
    int trigger; // the member whose click runs it, kEveryMember, or kNoIndex for a single box
    int reads;   // the member whose tick decides
    std::vector<Dependant> dependants;
};

const std::vector<Master>& masters()
{
    static const std::vector<Master> table = {
        {"chkKesson", kNoIndex, kNoIndex, {{"cmbKesson"}, {"Label36", 0, 0}}},
        {"chkTeika", kNoIndex, kNoIndex, {{"cmbTeika"}, {"optKintei", 1, 3}, {"Label36", 3, 3}}},
        {"chkKousyuku",
         kNoIndex,
         kNoIndex,
         {{"cmbKousyuku"}, {"optKousyuku", 1, 3}, {"Label36", 4, 4}}},
        {"chkToutsu", kNoIndex, kNoIndex, {{"cmbToutsu"}, {"optToutsu", 1, 3}, {"Label36", 5, 5}}},
        {"chkJokusou",
         kNoIndex,
         kNoIndex,
         {{"cmbJokusou"}, {"opJokusou", 1, 3}, {"Label36", 6, 6}}},
        {"chkHihu", kNoIndex, kNoIndex, {{"cmbHihu"}, {"optHihu", 1, 3}, {"Label36", 2, 2}}},
        {"chkHuzui", 0, 0, {{"chkHuzui", 1, 6}, {"Label38", 0, 2}}},
        {"chkJoutai", 14, 14, {{"cmbTabyotai"}}},
        {"chkTaka", kEveryMember, 13, {{"cmbTaka"}}},
        {"chkShuhen", kEveryMember, 12, {{"txtMondai"}}},
        {"chkKanri", kEveryMember, 10, {{"txtKanri"}, {"Label15", 11, 11}, {"Label40", 8, 8}}},
    };
    return table;
}

// The boxes that Enter ticks and unticks as a click would.
const QStringList& enterToggles()
{
    static const QStringList names = {"cheTokubetu", "chkHihu",   "chkHuzui",    "chkJokusou",
                                      "chkJoutai",   "chkKesson", "chkKousyuku", "chkMahi",
                                      "chkMahibui",  "chkShuhen", "chkTaka",     "chkTeika",
                                      "chkToutsu"};
    return names;
}

// The degree options of each paralysed part, part 1 to 5.
constexpr int kParts = 5;

QString degreeOptions(int part)
{
    return QStringLiteral("optTeido%1").arg(part);
}

bool isEnter(const KeyArgs& args)
{
    return args.key == Qt::Key_Return || args.key == Qt::Key_Enter;
}

void toggle(Control* box)
{
    box->setValue(box->value() == 1 ? 0 : 1);
}

void applyMaster(const Looks& looks, const Master& master)
{
    const Look look = lookOf(looks.value(QLatin1String(master.name), master.reads) == 1);
    for (const Dependant& dependant : master.dependants)
        looks.range(QLatin1String(dependant.name), dependant.first, dependant.last, look);
}

// "麻痺": unticking disables the part boxes and everything that hangs on them; ticking
// enables the part boxes only, each part's degree options coming back with a click on a part.
void chkMahi_Click(const Looks& looks)
{
    if (looks.value(QStringLiteral("chkMahi")) == 1) {
        looks.range(QStringLiteral("chkMahibui"), 1, kParts, Look::Enabled);
        return;
    }
    looks.range(QStringLiteral("chkMahibui"), 1, kParts, Look::Disabled);
    for (int i = 1; i <= 3; ++i) {
        for (int part = 1; part <= kParts; ++part)
            looks.set(degreeOptions(part), i, Look::Disabled);
    }
    looks.set(QStringLiteral("cmbMahibui"), Look::Disabled);
    looks.set(QStringLiteral("Label36"), 1, Look::Disabled);
}

// Any part box: every part's degree options follow that part's own tick; "その他" also takes its
// site box and label along.
void chkMahibui_Click(const Looks& looks)
{
    for (int part = 1; part <= kParts; ++part) {
        const Look look = lookOf(looks.value(QStringLiteral("chkMahibui"), part) == 1);
        looks.range(degreeOptions(part), 1, 3, look);
        if (part == kParts) {
            looks.set(QStringLiteral("cmbMahibui"), look);
            looks.set(QStringLiteral("Label36"), 1, look);
        }
    }
}

// "歩行補助具・装具の使用": "用いてない" excludes the other two; the other two may go together.
void hozyoExclusive(const ControlRegistry& controls, int index)
{
    const auto untick = [&controls](int other) {
        if (Control* box = controls.find(QStringLiteral("chkHozyo"), other))
            box->setValue(0);
    };
    if (controls.value(QStringLiteral("chkHozyo"), index).value_or(0) != 1)
        return;
    if (index == 1) {
        untick(2);
        untick(3);
    } else if (index == 2 || index == 3) {
        untick(1);
    }
}

} // namespace

void attachCheckHandlers(const ControlRegistry& controls)
{
    const Looks looks(controls);

    for (const Master& master : masters()) {
        const QString name = QLatin1String(master.name);
        for (Control* box : members(controls, name)) {
            if (master.trigger != kEveryMember && box->index() != master.trigger)
                continue;
            QObject::connect(box->events(), &ControlEvents::click, box->events(),
                             [looks, &master] { applyMaster(looks, master); });
        }
    }

    if (Control* mahi = controls.find(QStringLiteral("chkMahi")))
        QObject::connect(mahi->events(), &ControlEvents::click, mahi->events(),
                         [looks] { chkMahi_Click(looks); });
    for (Control* part : members(controls, QStringLiteral("chkMahibui")))
        QObject::connect(part->events(), &ControlEvents::click, part->events(),
                         [looks] { chkMahibui_Click(looks); });

    for (const QString& name : enterToggles()) {
        for (Control* box : members(controls, name)) {
            QObject::connect(box->events(), &ControlEvents::keyPress, box->events(),
                             [box](KeyArgs& args) {
                                 if (!isEnter(args))
                                     return;
                                 args.handled = true;
                                 toggle(box);
                             });
        }
    }

    // The walking-aid boxes: exclusivity after Enter, after the click of the left mouse
    // button or of the Space bar has changed the tick, and after any other mouse button is
    // released over the box.
    for (Control* box : members(controls, QStringLiteral("chkHozyo"))) {
        const int index = box->index();
        const ControlRegistry* registry = &controls;
        QObject::connect(box->events(), &ControlEvents::keyPress, box->events(),
                         [box, registry, index](KeyArgs& args) {
                             if (!isEnter(args))
                                 return;
                             args.handled = true;
                             toggle(box);
                             hozyoExclusive(*registry, index);
                         });
        if (auto* button = dynamic_cast<QAbstractButton*>(box))
            QObject::connect(button, &QAbstractButton::clicked, box->events(),
                             [registry, index] { hozyoExclusive(*registry, index); });
        QObject::connect(box->events(), &ControlEvents::mouseUp, box->events(),
                         [registry, index](const MouseArgs& args) {
                             if (args.button != Qt::LeftButton)
                                 hozyoExclusive(*registry, index);
                         });
    }

    // The items of medical management: unticked, ticked, ticked and underlined. Unticking
    // hides the underline whichever way it happens.
    for (Control* box : members(controls, QStringLiteral("chkKanri"))) {
        const int index = box->index();
        Control* line = controls.find(QStringLiteral("KnariUnder"), index);
        if (!line)
            continue;
        QObject::connect(box->events(), &ControlEvents::click, box->events(), [box, line] {
            if (box->value() == 0)
                line->setVisible(false);
        });
        // Enter runs the whole cycle back to unticked.
        QObject::connect(box->events(), &ControlEvents::keyPress, box->events(),
                         [box, line](KeyArgs& args) {
                             if (!isEnter(args))
                                 return;
                             args.handled = true;
                             if (box->value() == 0) {
                                 box->setValue(1);
                             } else if (!line->visible()) {
                                 line->setVisible(true);
                             } else {
                                 box->setValue(0);
                                 line->setVisible(false);
                             }
                         });
        // A click on the item's text ticks it, then switches the underline on and off; it
        // never unticks. An unticked item that shows its underline (a loaded letter may hold
        // one) is ticked and keeps the line.
        if (Control* text = controls.find(QStringLiteral("lblKanri"), index)) {
            QObject::connect(text->events(), &ControlEvents::click, text->events(), [box, line] {
                if (box->value() == 0)
                    box->setValue(1);
                else
                    line->setVisible(!line->visible());
            });
        }
    }
}

} // namespace entry
