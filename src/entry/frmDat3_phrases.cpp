// The phrase lists on the entry form: the fill at the opening, the refill of one list, the
// phrase combos' handlers (the empty entry, "編集...", the dosage copy-down) and the
// specified-disease switch of the diagnosis rows.

#include "common/appstate.h"
#include "entry/diseasebuttonface.h"
#include "entry/formbuilder.h"
#include "entry/frmDat3.h"
#include "entry/frmDat3_handlers.h"
#include "entry/frmHenshu.h"
#include "entry/phrasecombos.h"
#include "entry/phraselists.h"
#include "platform/messagebox.h"

#include <QLineEdit>
#include <QSignalBlocker>
#include <QTabBar>

namespace entry {

using namespace controls;

namespace {

// The other departments, fixed; no closing entries.
const QStringList& departments()
{
    static const QStringList names = {QStringLiteral("診療内科"),    QStringLiteral("神経科"),
                                      QStringLiteral("呼吸器科"),    QStringLiteral("消化器科"),
                                      QStringLiteral("循環器科"),    QStringLiteral("アレルギー科"),
                                      QStringLiteral("リウマチ科"),  QStringLiteral("小児科"),
                                      QStringLiteral("形成外科"),    QStringLiteral("美容外科科"),
                                      QStringLiteral("呼吸器外科"),  QStringLiteral("心臓血管外科"),
                                      QStringLiteral("小児外科"),    QStringLiteral("性病科"),
                                      QStringLiteral("こう門科"),    QStringLiteral("気管食道科"),
                                      QStringLiteral("放射線科"),    QStringLiteral("神経内科"),
                                      QStringLiteral("胃腸科"),      QStringLiteral("皮膚泌尿器科"),
                                      QStringLiteral("産科"),        QStringLiteral("産婦人科"),
                                      QStringLiteral("矯正歯科"),    QStringLiteral("小児歯科"),
                                      QStringLiteral("歯科口腔外科")};
    return names;
}

// Replaces the box's entries; the text it shows stays, and no entry becomes chosen.
void setComboEntries(ComboBox* box, const QStringList& entries)
{
    if (!box)
        return;
    const QString text = box->text();
    {
        const QSignalBlocker blockBox(box);
        const QSignalBlocker blockEdit(box->lineEdit());
        box->clear();
        box->addItems(entries);
        box->setCurrentIndex(-1);
    }
    box->setText(text);
}

QStringList withClosingEntries(QStringList items)
{
    items.append(QString());
    items.append(kEditEntry);
    return items;
}

// The specified diseases, in the order the diagnosis box offers them.
const QStringList& specifiedDiseases()
{
    static const QStringList names = {
        QStringLiteral("初老期認知症"),
        QStringLiteral("脳血管障害"),
        QStringLiteral("筋萎縮性側索硬化症(ALS)"),
        QStringLiteral("パーキンソン病関連疾患"),
        QStringLiteral("脊髄小脳変性症"),
        QStringLiteral("多系統萎縮症"),
        QStringLiteral("閉塞性動脈硬化症"),
        QStringLiteral("慢性閉塞性肺疾患"),
        QStringLiteral("両側の膝関節または股関節に著しい変形を伴う変形性関節症"),
        QStringLiteral("関節リウマチ"),
        QStringLiteral("後縦靭帯骨化症"),
        QStringLiteral("脊柱管狭窄症"),
        QStringLiteral("骨折を伴う骨粗鬆症"),
        QStringLiteral("早老症（ウェルナー症候群）"),
        QStringLiteral("糖尿病性腎症"),
        QStringLiteral("糖尿病性網膜症"),
        QStringLiteral("糖尿病性神経障害"),
        QStringLiteral("がん（末期）")};
    return names;
}

const QString kYouhou = QStringLiteral("cmbYouhou");
const QString kYakuzaiKeizyo = QStringLiteral("cmbYakuzaiKeizyo");
constexpr OleColor kCopiedColor = 0x808080;

// The combo names of the phrase lists, each once.
QStringList phraseComboNames()
{
    QStringList names;
    for (const PhraseList& list : phraseLists()) {
        if (!names.contains(list.combo))
            names.append(list.combo);
    }
    return names;
}

} // namespace

void frmDat3::fillPhraseLists(const QString& databasePath)
{
    m_databasePath = databasePath;
    PhraseListsResult lists = readPhraseLists(databasePath);
    for (const PhraseList& list : phraseLists())
        refillPhraseList(list.code, lists.items[list.code]);
    setComboEntries(control<ComboBox>(QStringLiteral("cmbTaka")), departments());
    if (!lists.ok)
        platform::MsgBox(lists.error, platform::vbExclamation, QStringLiteral("注意！"));
}

void frmDat3::refillPhraseList(int code, const QStringList& items)
{
    const PhraseList* list = phraseListOfCode(code);
    if (!list)
        return;
    const QStringList entries = withClosingEntries(items);
    if (list->firstMember == 0) {
        setComboEntries(control<ComboBox>(list->combo), entries);
        return;
    }
    for (int i = list->firstMember; i <= list->lastMember; ++i)
        setComboEntries(control<ComboBox>(list->combo, i), entries);
}

void frmDat3::connectPhraseCombos()
{
    for (const QString& name : phraseComboNames()) {
        const QList<Control*> members = handlers::members(m_controls, name);
        for (qsizetype position = 0; position < members.size(); ++position) {
            auto* box = dynamic_cast<ComboBox*>(members.at(position));
            if (!box)
                continue;
            const int index = box->index();
            ControlEvents* events = box->events();
            connect(events, &ControlEvents::dropDown, this,
                    [this, name, index] { phraseCombo_DropDown(name, index); });
            connect(events, &ControlEvents::click, this,
                    [this, name, index] { phraseCombo_Click(name, index); });
            connect(events, &ControlEvents::gotFocus, this,
                    [this, name, index] { phraseCombo_GotFocus(name, index); });
            // What the user types is what the box shows before a pick.
            if (QLineEdit* edit = box->lineEdit())
                connect(edit, &QLineEdit::textEdited, this,
                        [this, name, position](const QString& text) {
                            QStringList& kept = m_keptTexts[name];
                            if (position < kept.size())
                                kept[position] = text;
                        });
            if (name == kYouhou)
                connect(events, &ControlEvents::lostFocus, this,
                        [this, index] { cmbYouhou_LostFocus(index); });
        }
    }
    // Tab in the department box, with or without modifiers, goes to the tab strip (after
    // Ctrl+Tab has turned the page).
    if (Control* taka = control(QStringLiteral("cmbTaka")))
        connect(taka->events(), &ControlEvents::keyDown, this, [this](KeyArgs& args) {
            if (args.key == Qt::Key_Tab || args.key == Qt::Key_Backtab) {
                args.handled = true;
                m_tabStrip->setFocus(Qt::TabFocusReason);
            }
        });
    for (int row = 1; row <= 3; ++row) {
        if (Control* button = control(QStringLiteral("picToctei%1").arg(row)))
            connect(button->events(), &ControlEvents::mouseDown, this,
                    [this, row] { picToctei_MouseDown(row); });
    }
}

void frmDat3::keepTexts(const QString& name)
{
    QStringList texts;
    for (Control* member : handlers::members(m_controls, name))
        texts.append(member->text());
    m_keptTexts.insert(name, texts);
}

void frmDat3::restoreTexts(const QString& name)
{
    const auto kept = m_keptTexts.constFind(name);
    if (kept == m_keptTexts.constEnd())
        return;
    const QList<Control*> members = handlers::members(m_controls, name);
    for (qsizetype i = 0; i < members.size() && i < kept->size(); ++i)
        members.at(i)->setText(kept->at(i));
}

void frmDat3::phraseCombo_DropDown(const QString& name, int index)
{
    if (name == kYouhou) {
        if (Control* box = control(name, index))
            box->setForeColor(kSystemButtonText);
    }
    keepTexts(name);
}

void frmDat3::phraseCombo_GotFocus(const QString& name, int index)
{
    // The dosage copy-down: an empty usage of a row with an amount takes the usage of the
    // row above, shown in grey. A usage that is there already is never overwritten.
    if (name == kYouhou && index >= 2) {
        Control* box = control(name, index);
        Control* above = control(name, index - 1);
        Control* amount = control(kYakuzaiKeizyo, index);
        if (box && above && amount && !amount->text().isEmpty() && box->text().isEmpty()) {
            box->setText(above->text());
            box->setForeColor(kCopiedColor);
        }
    }
    keepTexts(name);
}

void frmDat3::cmbYouhou_LostFocus(int index)
{
    if (index < 2)
        return;
    if (Control* box = control(kYouhou, index))
        box->setForeColor(kSystemButtonText);
}

void frmDat3::phraseCombo_Click(const QString& name, int index)
{
    auto* box = control<ComboBox>(name, index);
    if (!box)
        return;
    // The empty entry stands for the first entry of the list.
    if (box->text().isEmpty() && box->count() > 0)
        box->setCurrentIndex(0);
    if (box->text() != kEditEntry)
        return;
    restoreTexts(name);
    openPhraseEditor(name, index);
}

void frmDat3::openPhraseEditor(const QString& name, int index)
{
    const PhraseList* list = phraseListOf(name, index);
    auto* box = control<ComboBox>(name, index);
    if (!list || !box)
        return;
    QStringList items;
    if (list->code == 1) {
        // From the data file: a diagnosis box may offer the specified diseases instead.
        PhraseListResult stored = readPhraseList(m_databasePath, 1);
        if (!stored.ok) {
            platform::MsgBox(stored.error, platform::vbExclamation, QStringLiteral("注意！"));
            return;
        }
        items = stored.items;
    } else if (auto* first = control<ComboBox>(
                   list->combo, list->firstMember == 0 ? kNoIndex : list->firstMember)) {
        items = first->items();
        // Without the two closing entries.
        items.resize(qMax<qsizetype>(0, items.size() - 2));
    }

    m_editPending = true;
    common::appState().ComboNo = static_cast<quint8>(list->code);
    {
        frmHenshu editor(list->code, m_databasePath, items, this);
        editor.setWindowTitle(list->caption);
        if (editor.exec() == QDialog::Accepted)
            refillPhraseList(list->code, editor.storedItems());
    }
    // The opener's texts come back whatever the editor did.
    restoreTexts(name);
    m_editPending = false;
    box->setFocus(Qt::OtherFocusReason);
}

void frmDat3::Tokutei(ComboBox* target, int flag)
{
    if (!target)
        return;
    if (flag == -1) {
        setComboEntries(target, specifiedDiseases());
    } else if (flag == 0) {
        PhraseListResult stored = readPhraseList(m_databasePath, 1);
        setComboEntries(target, withClosingEntries(stored.items));
        if (!stored.ok)
            platform::MsgBox(stored.error, platform::vbExclamation, QStringLiteral("注意！"));
    }
}

int frmDat3::TokuteiOn(int row) const
{
    return row >= 1 && row <= 3 ? m_tokutei[row - 1].TokuteiOn : 0;
}

void frmDat3::picToctei_MouseDown(int row)
{
    if (row < 1 || row > 3)
        return;
    SpecifiedDiseaseRow& state = m_tokutei[row - 1];
    auto* button = control<PictureBox>(QStringLiteral("picToctei%1").arg(row));
    auto* box = control<ComboBox>(QStringLiteral("cmbSippei"), row);
    if (!button || !box)
        return;
    const int shift = FormBuilder::px(15);
    if (state.TokuteiOn == 0) {
        button->move(button->pos() + QPoint(shift, shift));
        button->setPixmap(diseaseButtonFace(true));
        state.NormalText = box->text();
        Tokutei(box, -1);
        box->setText(state.TokuteiText);
        state.TokuteiOn = 1;
    } else if (state.TokuteiOn == 1) {
        button->move(button->pos() - QPoint(shift, shift));
        button->setPixmap(diseaseButtonFace(false));
        state.TokuteiText = box->text();
        Tokutei(box, 0);
        box->setText(state.NormalText);
        state.TokuteiOn = 0;
    }
}

} // namespace entry
