#pragma once

#include "controls/controlregistry.h"
#include "controls/controlwidgets.h"
#include "entry/kanareading.h"

#include <QDialog>

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

    // Shows page frame n (0 to 8) and gives the tab strip the focus.
    void NextTab(int n);
    // Gives every dependent control the disabled look: the start state of a letter.
    void TabNew();
    // The era boxes' defaults, each only where the box shows nothing.
    void applyEraDefaults();

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
    void connectTextBoxes();
    void connectPostCodes();
    void connectNameReading();
    void showSelectedPage();
    void setHints(int tab);
    void look(const QString& name, int index, controls::Look look);

    controls::ControlRegistry m_controls;
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
