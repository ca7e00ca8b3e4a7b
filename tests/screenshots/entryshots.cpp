#include "common/fontsubstitution.h"
#include "controls/controlwidgets.h"
#include "entry/frmDat3.h"
#include "shots.h"

#include <QTabBar>
#include <QtTest>

// Each page of the entry form, in its start state and with every box filled and ticked.
class EntryShots : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { common::installFontSubstitutions(); }
    void grabEveryPage_data();
    void grabEveryPage();
};

namespace {

// Fills every box and ticks every box, so that clipped texts show.
void fillEveryControl(entry::frmDat3& form)
{
    using namespace controls;
    for (Control* control : form.controls().all()) {
        if (!control->enabled() || control->foreColor() == kDisabledForeColor)
            applyLook(control, Look::Enabled);
        if (auto* box = dynamic_cast<TextBox*>(control)) {
            const int limit = box->maxLength() > 0 ? box->maxLength() : 12;
            const bool digits = box->imeMode() == ImeMode::Disabled;
            box->setText((digits ? QStringLiteral("1234567890")
                                 : QStringLiteral("記入例の文字２３４５６７８９０"))
                             .left(limit));
        } else if (auto* combo = dynamic_cast<ComboBox*>(control); combo && combo->isEditable()) {
            combo->setText(QStringLiteral("記入例の文字"));
        } else if (control->kind() == ControlKind::CheckBox) {
            control->setValue(1);
        } else if (control->kind() == ControlKind::OptionButton && control->index() <= 1) {
            control->setValue(1);
        }
    }
    for (int i = 1; i <= 10; i += 3)
        form.control("KnariUnder", i)->setVisible(true);
    // The longest level definition.
    form.control("lblComment")
        ->setText(QStringLiteral(
            "屋内での生活は何らかの介助を要し、日中もベッド上での生活が主体であるが、座位を保つ。"
            "\r\n車いすに移乗し、食事、排泄はベッドから離れて行う。"));
    form.control("txtKeika")->setText(QStringLiteral("一行目\r\n二行目"));
}

} // namespace

void EntryShots::grabEveryPage_data()
{
    QTest::addColumn<bool>("filled");
    QTest::newRow("start state") << false;
    QTest::newRow("filled") << true;
}

void EntryShots::grabEveryPage()
{
    QFETCH(bool, filled);
    entry::frmDat3 form;
    form.TabNew();
    form.applyEraDefaults();
    if (filled)
        fillEveryControl(form);
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    for (int k = 0; k < entry::frmDat3::kPageCount; ++k) {
        form.tabStrip()->setCurrentIndex(k);
        QCOMPARE(form.TabNow(), k);
        if (filled && k == 2)
            form.control("lblComment")->setVisible(true); // as over a level option
        const QString path = shots::file(QStringLiteral("frmDat3_%1page%2.png")
                                             .arg(filled ? QStringLiteral("filled_") : QString())
                                             .arg(k + 1));
        QVERIFY2(form.grab().save(path), qPrintable(path));
    }
}

std::unique_ptr<QObject> shots::entryShots()
{
    return std::make_unique<EntryShots>();
}

#include "entryshots.moc"
