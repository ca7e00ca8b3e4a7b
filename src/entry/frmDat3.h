#pragma once

#include "controls/controlregistry.h"
#include "controls/controlwidgets.h"
#include "entry/kanareading.h"
#include "record/letter.h"

#include <QDialog>
#include <QHash>

class QStackedWidget;
class QTabBar;

namespace entry {

class FormBuilder;

// The entry form: the nine pages on which one opinion letter is written. Its controls are
// the letter's only working copy; saving and loading address them by name and index
// through controls().
class frmDat3 : public QDialog
{
    Q_OBJECT
public:
    static constexpr int kPageCount = 9;

    // How the form ends (its dialog result): the letter saved, or discarded.
    enum Result { Discarded = 0, Saved = 1, SavedForPrint = 2 };

    explicit frmDat3(QWidget* parent = nullptr);
    ~frmDat3() override;

    controls::ControlRegistry& controls() { return m_controls; }
    const controls::ControlRegistry& controls() const { return m_controls; }
    template <class T = controls::Control>
    T* control(const QString& name, int index = controls::kNoIndex) const
    {
        return m_controls.find<T>(name, index);
    }

    // Index (0 to 8) of the page frame now shown.
    int TabNow() const { return m_tabNow; }
    // True while the form holds a letter opened as new.
    bool NewData() const { return m_newData; }
    void setNewData(bool isNew) { m_newData = isNew; }
    // The stored letter as it was read into the form (an empty letter when none was): a save
    // rewrites the letter's row only while the row still holds it.
    const record::Letter& letterAsRead() const { return m_letterAsRead; }
    void setLetterAsRead(const record::Letter& letter) { m_letterAsRead = letter; }

    // Shows page frame n (0 to 8) and gives the tab strip the focus.
    void NextTab(int n);
    // Gives every dependent control the disabled look: the start state of a letter.
    void TabNew();
    // The era boxes' defaults, each only where the box shows nothing.
    void applyEraDefaults();

    // The opening's fill of the lists: every phrase combo gets its list's items from the
    // data file, then "" and "編集..."; the department box gets its fixed names. Boxes keep
    // their texts. When the lists cannot be read the user is told, and the phrase combos
    // offer the two closing entries alone. The form keeps the path for the lists' editor
    // and the specified-disease switch.
    void fillPhraseLists(const QString& databasePath);
    // Gives every box of list `code` the entries items, "" and "編集...", each keeping its
    // text.
    void refillPhraseList(int code, const QStringList& items);

    // The specified-disease switch of diagnosis row n (1 to 3): a press of any mouse button
    // on picToctei<n> switches the row's box between phrase list 1 and the 18 specified
    // diseases, each mode keeping the text last shown in it.
    void picToctei_MouseDown(int row);
    // Fills a diagnosis box: flag -1 with the 18 specified diseases alone, 0 with phrase
    // list 1 from the data file and the two closing entries; any other flag changes nothing.
    // The box keeps its text.
    void Tokutei(controls::ComboBox* target, int flag);
    // 1 while row n (1 to 3) offers the specified diseases, else 0.
    int TokuteiOn(int row) const;
    // True while the phrase-list editor opened from a phrase combo is open.
    bool EditPending() const { return m_editPending; }

    QTabBar* tabStrip() const { return m_tabStrip; }

    // Commands: "登　録(&R)" saves and ends the form (Saved); "取り消し(&D)" asks and ends it
    // without saving (Discarded); "今日の日付" writes today's date as the writing date.
    void Command3_Click();
    // "印刷(&P)" saves and ends the form for printing (SavedForPrint).
    void Command2_Click();
    void Command1_Click();
    void Command8_Click();
    // Writes today's date into the writing date: its era, the year in it, month and day as
    // two digits.
    void writeTodayAsWritingDate();
    // The age rule: writes into txtToshi the age on the writing date of the birth date, in
    // whole years; when either date is no real date, txtToshi keeps what it shows.
    void Nenrei();
    QWidget* page(int frameIndex) const;

protected:
    // The form is left only through its own commands: Escape and the window's close do
    // nothing.
    void reject() override {}
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildFormControls(FormBuilder& b);
    void buildPage1(FormBuilder& b, QWidget* page);
    void buildPage2(FormBuilder& b, QWidget* page);
    void buildPage3(FormBuilder& b, QWidget* page);
    void buildPage4(FormBuilder& b, QWidget* page);
    void buildPage5(FormBuilder& b, QWidget* page);
    void buildPage6(FormBuilder& b, QWidget* page);
    void buildPage7(FormBuilder& b, QWidget* page);
    void buildPage8(FormBuilder& b, QWidget* page);
    void buildPage9(FormBuilder& b, QWidget* page);
    void connectPageJumps();
    void connectCommands();
    void connectPhraseCombos();
    void phraseCombo_DropDown(const QString& name, int index);
    void phraseCombo_Click(const QString& name, int index);
    void phraseCombo_GotFocus(const QString& name, int index);
    void cmbYouhou_LostFocus(int index);
    // The texts of every member of the combo, kept for putting back after "編集...".
    void keepTexts(const QString& name);
    void restoreTexts(const QString& name);
    void openPhraseEditor(const QString& name, int index);
    void connectTextBoxes();
    void connectPostCodes();
    void connectNameReading();
    void showSelectedPage();
    void setHints(int tab);
    void look(const QString& name, int index, controls::Look look);

    controls::ControlRegistry m_controls;
    record::Letter m_letterAsRead;
    QString m_databasePath; // the data file whose phrase lists the form offers
    // Per phrase combo (by name): the texts its members showed before a pick from its list,
    // put back after "編集..." into that combo alone.
    QHash<QString, QStringList> m_keptTexts;
    bool m_editPending = false;
    struct SpecifiedDiseaseRow
    {
        quint8 TokuteiOn = 0;
        QString NormalText;  // the box's text while it offers the specified diseases
        QString TokuteiText; // the box's text while it offers phrase list 1
    };
    SpecifiedDiseaseRow m_tokutei[3];
    QTabBar* m_tabStrip = nullptr;
    QStackedWidget* m_pages = nullptr;
    controls::Frame* m_frames[kPageCount] = {};
    int m_tabNow = 0;
    bool m_newData = false;
    // The reading of the name's pieces as the input method converts them; ImeKey: a commit
    // came that the next change of the name takes its reading from.
    ImeReading m_nameReading;
    bool m_imeKey = false;
};

} // namespace entry
