// The phrase combos of the entry form: their entries from the phrase lists, the refill of one
// list.
#include "common/appstate.h"
#include "common/fontsubstitution.h"
#include "controls/controlwidgets.h"
#include "entry/frmDat3.h"
#include "entry/formbuilder.h"
#include "entry/frmHenshu.h"
#include "entry/phrasecombos.h"
#include "phrasefixture.h"
#include "scripteddialogs.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QTabBar>
#include <QTimer>
#include <QtTest>

#include <functional>

using namespace phrasetest;
using namespace Qt::Literals::StringLiterals;
using controls::ComboBox;
using controls::kNoIndex;

Q_DECLARE_METATYPE(phrasetest::Rows)
using Lists = QMap<int, QStringList>;

namespace {

// Every box of a list: each member of an array, or the single box.
QList<ComboBox*> boxesOf(const entry::frmDat3& form, int code)
{
    const entry::PhraseList* list = entry::phraseListOfCode(code);
    QList<ComboBox*> boxes;
    if (!list)
        return boxes;
    if (list->firstMember == 0)
        boxes.append(form.control<ComboBox>(list->combo));
    for (int i = list->firstMember; list->firstMember != 0 && i <= list->lastMember; ++i)
        boxes.append(form.control<ComboBox>(list->combo, i));
    return boxes;
}

QString nameOf(const ComboBox* box)
{
    return box->isArrayMember() ? u"%1(%2)"_s.arg(box->name()).arg(box->index()) : box->name();
}

QStringList closed(QStringList items)
{
    return items << QString() << u"編集..."_s;
}

// Acts on the phrase-list editor as soon as it is shown modally, once.
class EditorScript : public QObject
{
public:
    explicit EditorScript(std::function<void(entry::frmHenshu&)> action)
        : m_action(std::move(action))
    {
        m_timer.setInterval(10);
        connect(&m_timer, &QTimer::timeout, this, [this] {
            auto* editor = qobject_cast<entry::frmHenshu*>(QApplication::activeModalWidget());
            if (!editor)
                return;
            m_timer.stop();
            ++m_runs;
            m_action(*editor);
        });
        m_timer.start();
    }
    int runs() const { return m_runs; }

private:
    std::function<void(entry::frmHenshu&)> m_action;
    QTimer m_timer;
    int m_runs = 0;
};

// What the editor showed when it opened.
struct EditorSeen
{
    QString caption;
    QString text;
    int comboNo = 0;
    bool editPending = false;
};

void closeEditor(entry::frmHenshu& editor, const QString& newText)
{
    if (newText.isNull()) {
        QTest::mouseClick(editor.control(u"cmdNo"_s)->widget(), Qt::LeftButton);
    } else {
        editor.control(u"txtHenshu"_s)->setText(newText);
        QTest::mouseClick(editor.control(u"cmdOK"_s)->widget(), Qt::LeftButton);
    }
}

// Opens the box's list and clicks the entry, as the user does.
void pickWithMouse(ComboBox* box, int entry)
{
    box->showPopup();
    QAbstractItemView* view = box->view();
    QVERIFY(QTest::qWaitForWindowExposed(view->window()));
    // A list that has just opened ignores a release for a double-click's time.
    QTest::qWait(QApplication::doubleClickInterval() + 50);
    const QPoint at = view->visualRect(view->model()->index(entry, 0)).center();
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, at);
}

struct Shown
{
    Shown(entry::frmDat3& form) : m_form(form)
    {
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
    }
    entry::frmDat3& m_form;
};

void showPageOf(entry::frmDat3& form, const controls::Control* control)
{
    for (int k = 0; k < entry::frmDat3::kPageCount; ++k) {
        if (form.page(k)->isAncestorOf(control->widget()))
            form.tabStrip()->setCurrentIndex(k);
    }
}

} // namespace

class PhraseCombosTest : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { common::installFontSubstitutions(); }
    void fillEveryCombo_data();
    void fillEveryCombo();
    void fillKeepsTexts();
    void fillFromUnreadableFileTells();
    void refillEveryMember_data();
    void refillEveryMember();
    void emptyEntryPicksFirst_data();
    void emptyEntryPicksFirst();
    void editByMouseRestoresOpenerOnly_data();
    void editByMouseRestoresOpenerOnly();
    void editByArrowKeysInEmptyList();
    void editorForListOneReadsTheTable();
    void dosageCopyDown_data();
    void dosageCopyDown();
    void tabInDepartmentBox();
    void specifiedDiseaseSwitch_data();
    void specifiedDiseaseSwitch();
    void specifiedDiseaseRowsAreIndependent();
};

void PhraseCombosTest::fillEveryCombo_data()
{
    QTest::addColumn<Rows>("rows");
    QTest::addColumn<Lists>("lists");

    QTest::newRow("empty table") << Rows{} << QMap<int, QStringList>{};
    Rows every;
    QMap<int, QStringList> lists;
    // Every code gets two items, written interleaved: code 1, 2, …, 22, then again.
    for (int round = 1; round <= 2; ++round) {
        for (int code = 1; code <= 22; ++code) {
            const QString text = u"項目%1-%2"_s.arg(code).arg(round);
            every.append(row(code, text));
            lists[code].append(text);
        }
    }
    every.append(row(0, u"zero"_s));
    every.append(row(23, u"twenty-three"_s));
    QTest::newRow("every code, interleaved, with codes 0 and 23") << every << lists;
    QTest::newRow("odd items")
        << Rows{row(1, u"脳梗塞"_s), row(1, u"脳梗塞"_s),
                row(1, u""_s),       {db::Variant::fromLong(1), db::Variant::null()},
                row(1, u"A\r\nB"_s), row(20, u"あいうえおかきくけこさしすせそたちつてとなにぬ"_s)}
        << QMap<int, QStringList>{{1, {u"脳梗塞"_s, u"脳梗塞"_s, u""_s, u""_s, u"A\r\nB"_s}},
                                  {20, {u"あいうえおかきくけこさしすせそたちつてとなにぬ"_s}}};
}

void PhraseCombosTest::fillEveryCombo()
{
    QFETCH(Rows, rows);
    QFETCH(Lists, lists);
    PhraseFile file;
    QVERIFY(file.add(rows));
    entry::frmDat3 form;
    ScriptedDialogs dialogs; // no message expected
    form.fillPhraseLists(file.path());

    int boxes = 0;
    for (int code = 1; code <= 22; ++code) {
        for (ComboBox* box : boxesOf(form, code)) {
            QVERIFY2(box, qPrintable(QString::number(code)));
            QVERIFY2(box->isEditable(), qPrintable(nameOf(box)));
            QCOMPARE(box->items(), closed(lists.value(code)));
            // Nothing chosen: the box still shows nothing.
            QCOMPARE(box->text(), QString());
            ++boxes;
        }
    }
    QCOMPARE(boxes, 39);
    const QStringList departments = form.control<ComboBox>(u"cmbTaka"_s)->items();
    QCOMPARE(departments.size(), 25);
    QCOMPARE(departments.first(), u"診療内科"_s);
    QCOMPARE(departments.at(9), u"美容外科科"_s);
    QCOMPARE(departments.last(), u"歯科口腔外科"_s);
    QCOMPARE(form.control<ComboBox>(u"cmbTaka"_s)->text(), QString());
}

void PhraseCombosTest::fillKeepsTexts()
{
    PhraseFile file;
    QVERIFY(file.add(5, {u"幻覚"_s}));
    entry::frmDat3 form;
    form.control(u"cmbPsy"_s)->setText(u"せん妄"_s);
    form.fillPhraseLists(file.path());
    QCOMPARE(form.control(u"cmbPsy"_s)->text(), u"せん妄"_s);
    QCOMPARE(form.control<ComboBox>(u"cmbPsy"_s)->items(), closed({u"幻覚"_s}));
}

void PhraseCombosTest::fillFromUnreadableFileTells()
{
    QTemporaryDir dir;
    entry::frmDat3 form;
    ScriptedDialogs dialogs;
    dialogs.answer(platform::vbOK);
    form.fillPhraseLists(dir.filePath(u"missing.mdb"_s));
    QCOMPARE(dialogs.messages().size(), 1);
    QVERIFY(dialogs.messages().at(0).text.contains(u"読み込めませんでした"_s));
    for (int code = 1; code <= 22; ++code) {
        for (ComboBox* box : boxesOf(form, code))
            QCOMPARE(box->items(), closed({}));
    }
}

void PhraseCombosTest::refillEveryMember_data()
{
    QTest::addColumn<int>("code");
    QTest::addColumn<QStringList>("changed");
    QTest::newRow("list 1: three diagnoses")
        << 1 << QStringList{"cmbSippei(1)", "cmbSippei(2)", "cmbSippei(3)"};
    QTest::newRow("list 2: six medicines")
        << 2 << QStringList{"cmbYakuzai(1)", "cmbYakuzai(2)", "cmbYakuzai(3)",
                            "cmbYakuzai(4)", "cmbYakuzai(5)", "cmbYakuzai(6)"};
    QTest::newRow("list 17: one care note") << 17 << QStringList{"cmbKanten(3)"};
    QTest::newRow("list 22: doctor") << 22 << QStringList{"cmbKisaisya"};
}

void PhraseCombosTest::refillEveryMember()
{
    QFETCH(int, code);
    QFETCH(QStringList, changed);
    PhraseFile file;
    entry::frmDat3 form;
    form.fillPhraseLists(file.path());
    for (int c = 1; c <= 22; ++c) {
        for (ComboBox* box : boxesOf(form, c))
            box->setText(nameOf(box));
    }
    form.refillPhraseList(code, {u"新"_s, u""_s});
    for (int c = 1; c <= 22; ++c) {
        for (ComboBox* box : boxesOf(form, c)) {
            const bool isChanged = changed.contains(nameOf(box));
            QCOMPARE(box->items(), isChanged ? closed({u"新"_s, u""_s}) : closed({}));
            QCOMPARE(box->text(), nameOf(box));
        }
    }
}

void PhraseCombosTest::emptyEntryPicksFirst_data()
{
    QTest::addColumn<QStringList>("items");
    QTest::addColumn<QString>("shown");
    QTest::newRow("list with phrases") << QStringList{"上肢", "下肢"} << u"上肢"_s;
    QTest::newRow("empty list") << QStringList{} << u""_s;
}

void PhraseCombosTest::emptyEntryPicksFirst()
{
    QFETCH(QStringList, items);
    QFETCH(QString, shown);
    PhraseFile file;
    QVERIFY(file.add(8, items));
    entry::frmDat3 form;
    form.fillPhraseLists(file.path());
    Shown showing(form);
    auto* box = form.control<ComboBox>(u"cmbTeika"_s);
    showPageOf(form, box);
    box->setText(u"typed"_s);
    pickWithMouse(box, int(items.size())); // the empty entry
    QCOMPARE(box->text(), shown);
    QCOMPARE(box->currentIndex(), 0);
}

void PhraseCombosTest::editByMouseRestoresOpenerOnly_data()
{
    QTest::addColumn<QString>("combo");
    QTest::addColumn<int>("member");
    QTest::addColumn<int>("code");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("newText"); // a null text: キャンセル
    QTest::addColumn<QStringList>("rows");

    QTest::newRow("diagnosis 2, OK")
        << u"cmbSippei"_s << 2 << 1 << u"「診断名」の編集"_s << u"脳梗塞\r\n\r\n糖尿病"_s
        << QStringList{"4:朝", "1:脳梗塞", "1:", "1:糖尿病"};
    QTest::newRow("care note 4, OK")
        << u"cmbKanten"_s << 4 << 18 << u"「運動の留意事項」の編集"_s << u"転倒注意"_s
        << QStringList{"1:高血圧", "4:朝", "18:転倒注意"};
    QTest::newRow("対処方針, キャンセル") << u"cmbTaisyo"_s << -1 << 14 << u"「対処方針」の編集"_s
                                          << QString() << QStringList{"1:高血圧", "4:朝"};
}

void PhraseCombosTest::editByMouseRestoresOpenerOnly()
{
    QFETCH(QString, combo);
    QFETCH(int, member);
    QFETCH(int, code);
    QFETCH(QString, caption);
    QFETCH(QString, newText);
    QFETCH(QStringList, rows);
    PhraseFile file;
    QVERIFY(file.add({row(1, u"高血圧"_s), row(4, u"朝"_s)}));
    entry::frmDat3 form;
    form.fillPhraseLists(file.path());
    Shown showing(form);

    // Every phrase combo shows its own name; the usage list was the last one dropped down.
    for (int c = 1; c <= 22; ++c) {
        for (ComboBox* box : boxesOf(form, c))
            box->setText(nameOf(box));
    }
    auto* usage = form.control<ComboBox>(u"cmbYouhou"_s, 1);
    showPageOf(form, usage);
    usage->showPopup();
    usage->hidePopup();
    usage->setText(u"usage typed later"_s);

    const int index = member < 0 ? kNoIndex : member;
    auto* box = form.control<ComboBox>(combo, index);
    showPageOf(form, box);
    EditorSeen seen;
    EditorScript script([&](entry::frmHenshu& editor) {
        seen = {editor.windowTitle(), editor.control(u"txtHenshu"_s)->text(),
                common::appState().ComboNo, form.EditPending()};
        closeEditor(editor, newText);
    });
    pickWithMouse(box, box->count() - 1); // "編集..."
    QCOMPARE(script.runs(), 1);
    QCOMPARE(seen.caption, caption);
    QCOMPARE(seen.comboNo, code);
    QVERIFY(seen.editPending);
    QVERIFY(!form.EditPending());
    QCOMPARE(file.rows(), rows);

    // The opener's members show their texts again; no other box changed.
    for (int c = 1; c <= 22; ++c) {
        for (ComboBox* other : boxesOf(form, c)) {
            const QString expected = other == usage ? u"usage typed later"_s : nameOf(other);
            QCOMPARE(other->text(), expected);
        }
    }
    if (!newText.isNull()) {
        QStringList items;
        for (const QString& r : rows) {
            if (r.startsWith(QString::number(code) + u':'))
                items.append(r.section(u':', 1));
        }
        for (ComboBox* refilled : boxesOf(form, code))
            QCOMPARE(refilled->items(), closed(items));
    }
}

void PhraseCombosTest::editByArrowKeysInEmptyList()
{
    PhraseFile file;
    entry::frmDat3 form;
    form.fillPhraseLists(file.path());
    Shown showing(form);
    auto* psy = form.control<ComboBox>(u"cmbPsy"_s);
    psy->setText(u"幻覚"_s);
    psy->showPopup();
    psy->hidePopup();

    auto* box = form.control<ComboBox>(u"cmbKesson"_s);
    showPageOf(form, box);
    box->setFocus();
    QTRY_VERIFY(box->hasFocus());
    QTest::keyClicks(box, u"left hand"_s);
    QCOMPARE(box->text(), u"left hand"_s);
    EditorSeen seen;
    EditorScript script([&](entry::frmHenshu& editor) {
        seen = {editor.windowTitle(), editor.control(u"txtHenshu"_s)->text(),
                common::appState().ComboNo, form.EditPending()};
        closeEditor(editor, QString());
    });
    QTest::keyClick(box, Qt::Key_Down); // the empty entry
    QCOMPARE(box->text(), QString());
    QCOMPARE(script.runs(), 0);
    QTest::keyClick(box, Qt::Key_Down); // "編集..."
    QCOMPARE(script.runs(), 1);
    QCOMPARE(seen.caption, u"「四肢欠損部位」の編集"_s);
    QCOMPARE(seen.comboNo, 6);
    QCOMPARE(box->text(), u"left hand"_s);
    QCOMPARE(psy->text(), u"幻覚"_s);
}

void PhraseCombosTest::editorForListOneReadsTheTable()
{
    PhraseFile file;
    QVERIFY(file.add(1, {u"脳梗塞"_s, u"高血圧"_s}));
    entry::frmDat3 form;
    form.fillPhraseLists(file.path());
    Shown showing(form);
    form.picToctei_MouseDown(1);
    QCOMPARE(form.TokuteiOn(1), 1);

    QString text;
    EditorScript script([&](entry::frmHenshu& editor) {
        text = editor.control(u"txtHenshu"_s)->text();
        closeEditor(editor, u"脳梗塞\r\n心不全"_s);
    });
    auto* box = form.control<ComboBox>(u"cmbSippei"_s, 1);
    showPageOf(form, box);
    // Row 1 offers the specified diseases: the list is opened from row 2.
    pickWithMouse(form.control<ComboBox>(u"cmbSippei"_s, 2), 3);
    QCOMPARE(script.runs(), 1);
    QCOMPARE(text, u"脳梗塞\r\n高血圧"_s);
    QCOMPARE(file.rows(), (QStringList{"1:脳梗塞", "1:心不全"}));
    // The pressed row takes the new list too and stays pressed.
    QCOMPARE(form.TokuteiOn(1), 1);
    QCOMPARE(box->items(), closed({u"脳梗塞"_s, u"心不全"_s}));
}

void PhraseCombosTest::dosageCopyDown_data()
{
    QTest::addColumn<int>("member");
    QTest::addColumn<QString>("amount");
    QTest::addColumn<QString>("own");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<bool>("grey");
    QTest::newRow("empty usage with an amount takes the row above")
        << 3 << u"1錠"_s << u""_s << u"朝食後"_s << true;
    QTest::newRow("a usage that is there stays")
        << 3 << u"1錠"_s << u"就寝前"_s << u"就寝前"_s << false;
    QTest::newRow("no amount, nothing copied") << 3 << u""_s << u""_s << u""_s << false;
    QTest::newRow("row 1 never changes") << 1 << u"1錠"_s << u""_s << u""_s << false;
}

void PhraseCombosTest::dosageCopyDown()
{
    QFETCH(int, member);
    QFETCH(QString, amount);
    QFETCH(QString, own);
    QFETCH(QString, shown);
    QFETCH(bool, grey);
    PhraseFile file;
    entry::frmDat3 form;
    form.fillPhraseLists(file.path());
    Shown showing(form);
    const auto usage = [&form](int i) { return form.control<ComboBox>(u"cmbYouhou"_s, i); };
    for (int i = 1; i <= 6; ++i)
        usage(i)->setText(i == member ? own : u"朝食後"_s);
    form.control(u"cmbYakuzaiKeizyo"_s, member)->setText(amount);
    showPageOf(form, usage(member));
    const controls::OleColor before = usage(member)->foreColor();
    usage(member)->setFocus();
    QTRY_VERIFY(usage(member)->hasFocus());
    QCOMPARE(usage(member)->text(), shown);
    QCOMPARE(usage(member)->foreColor() == 0x808080, grey);
    if (!grey)
        QCOMPARE(usage(member)->foreColor(), before);
    // Leaving the box: the normal colour again, the text stays.
    form.control(u"cmbYakuzai"_s, 1)->widget()->setFocus();
    QTRY_VERIFY(!usage(member)->hasFocus());
    QCOMPARE(usage(member)->text(), shown);
    if (member >= 2)
        QCOMPARE(usage(member)->foreColor(), controls::kSystemButtonText);
}

void PhraseCombosTest::tabInDepartmentBox()
{
    PhraseFile file;
    entry::frmDat3 form;
    form.fillPhraseLists(file.path());
    Shown showing(form);
    auto* taka = form.control<ComboBox>(u"cmbTaka"_s);
    taka->setFocus();
    QTRY_VERIFY(taka->hasFocus());
    QTest::keyClick(taka, Qt::Key_Tab);
    QTRY_VERIFY(form.tabStrip()->hasFocus());
    QCOMPARE(form.TabNow(), 0);
    taka->setFocus();
    QTRY_VERIFY(taka->hasFocus());
    QTest::keyClick(taka, Qt::Key_Tab, Qt::ControlModifier);
    QTRY_VERIFY(form.tabStrip()->hasFocus());
    QCOMPARE(form.TabNow(), 1);
}

void PhraseCombosTest::specifiedDiseaseSwitch_data()
{
    QTest::addColumn<int>("row");
    QTest::addColumn<QStringList>("list");
    QTest::addColumn<int>("button"); // Qt::MouseButton
    for (int r = 1; r <= 3; ++r) {
        QTest::addRow("row %d with list 1", r)
            << r << QStringList{"脳梗塞", "高血圧"} << int(Qt::LeftButton);
        QTest::addRow("row %d without list 1", r) << r << QStringList{} << int(Qt::RightButton);
    }
}

void PhraseCombosTest::specifiedDiseaseSwitch()
{
    QFETCH(int, row);
    QFETCH(QStringList, list);
    QFETCH(int, button);
    PhraseFile file;
    QVERIFY(file.add(1, list));
    QVERIFY(file.add(2, {u"薬"_s}));
    entry::frmDat3 form;
    form.fillPhraseLists(file.path());
    Shown showing(form);
    auto* box = form.control<ComboBox>(u"cmbSippei"_s, row);
    auto* picture = form.control<controls::PictureBox>(u"picToctei%1"_s.arg(row));
    showPageOf(form, box);
    const QPoint place = picture->pos();
    const QPoint shifted = place + QPoint(entry::FormBuilder::px(15), entry::FormBuilder::px(15));
    const auto press = [&] {
        QTest::mousePress(picture, Qt::MouseButton(button), {}, QPoint(5, 5));
        QTest::mouseRelease(picture, Qt::MouseButton(button), {}, QPoint(5, 5));
    };
    box->setText(u"X"_s);

    press();
    QCOMPARE(form.TokuteiOn(row), 1);
    QCOMPARE(picture->pos(), shifted);
    const QStringList diseases = box->items();
    QCOMPARE(diseases.size(), 18);
    QCOMPARE(diseases.first(), u"初老期認知症"_s);
    QCOMPARE(diseases.at(2), u"筋萎縮性側索硬化症(ALS)"_s);
    QCOMPARE(diseases.at(13), u"早老症（ウェルナー症候群）"_s);
    QCOMPARE(diseases.last(), u"がん（末期）"_s);
    QCOMPARE(box->text(), QString());
    pickWithMouse(box, 1);
    QCOMPARE(box->text(), u"脳血管障害"_s);

    press();
    QCOMPARE(form.TokuteiOn(row), 0);
    QCOMPARE(picture->pos(), place);
    QCOMPARE(box->items(), closed(list));
    QCOMPARE(box->text(), u"X"_s);

    press();
    QCOMPARE(box->text(), u"脳血管障害"_s);
    box->setText(u"typed in the pressed state"_s);
    press();
    QCOMPARE(box->text(), u"X"_s);
    press();
    QCOMPARE(box->text(), u"typed in the pressed state"_s);
}

void PhraseCombosTest::specifiedDiseaseRowsAreIndependent()
{
    PhraseFile file;
    QVERIFY(file.add(1, {u"脳梗塞"_s}));
    entry::frmDat3 form;
    form.fillPhraseLists(file.path());
    for (int r = 1; r <= 3; ++r)
        form.control(u"cmbSippei"_s, r)->setText(u"d%1"_s.arg(r));
    form.picToctei_MouseDown(2);
    QCOMPARE(form.TokuteiOn(1), 0);
    QCOMPARE(form.TokuteiOn(2), 1);
    QCOMPARE(form.TokuteiOn(3), 0);
    for (int r : {1, 3}) {
        QCOMPARE(form.control(u"cmbSippei"_s, r)->text(), u"d%1"_s.arg(r));
        QCOMPARE(form.control<ComboBox>(u"cmbSippei"_s, r)->items(), closed({u"脳梗塞"_s}));
    }
    // A new opening of the form starts with every row raised.
    entry::frmDat3 next;
    for (int r = 1; r <= 3; ++r)
        QCOMPARE(next.TokuteiOn(r), 0);
}

QTEST_MAIN(PhraseCombosTest)
#include "tst_phrasecombos.moc"
