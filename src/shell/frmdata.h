#pragma once

#include "record/letterstore.h"

#include <QDialog>
#include <QLabel>
#include <QPushButton>
#include <QTableView>

namespace shell {

class RecordListModel;

// The record list's grid. A row is chosen and never unchosen: whatever the keys or the
// modifiers, the row highlighted is the current row, the one the commands act on.
class RecordGrid : public QTableView
{
    Q_OBJECT
public:
    using QTableView::QTableView;

protected:
    QItemSelectionModel::SelectionFlags selectionCommand(const QModelIndex& index,
                                                         const QEvent* event) const override;
};

// The record list "患者情報一覧": every stored letter, one row each, in the saved order.
// The user picks a letter and writes a new one, changes or deletes the picked one, or puts it
// on the sheet. The list ends with what the user chose; whoever showed it opens what comes
// next. It reads and deletes through the data file DatabasePath. Whenever it has rows,
// exactly one is highlighted, and that is the row every command and key acts on.
class frmData : public QDialog
{
    Q_OBJECT
public:
    enum Result {
        Cancelled = 0,
        NewLetter,    // 新規登録: CurrentLetterNo is 0
        StoredLetter, // 登録更新: CurrentLetterNo is the picked letter
        LetterShown,  // 印刷準備: CurrentLetterNoText is the picked letter
    };

    // The list over `rows` (the data file's letters, read beforehand), centred on the screen.
    frmData(const QList<record::LetterListRow>& rows, QWidget* parent = nullptr);
    ~frmData() override;

    // Commands, by the names of their buttons.
    void cmdNew_Click();
    void cmdRe_Click();
    void Command3_Click();
    void cmdSelect_Click();
    void cmdCancel_Click();
    // A click on the heading of grid column `column` (2 to 8).
    void headingClick(int column);

    RecordGrid* FlexGrid = nullptr;
    QLabel* lblSort = nullptr;
    QLabel* Label1 = nullptr;
    QPushButton* cmdNew = nullptr;
    QPushButton* cmdRe = nullptr;
    QPushButton* Command3 = nullptr;
    QPushButton* cmdSelect = nullptr;
    QPushButton* cmdCancel = nullptr;
    QPushButton* headingButton(int column) const { return m_headings[column]; }

    // The letter number in a grid row (0 for none), a cell's text as the grid shows it, and
    // the row now chosen (-1 for none).
    qint32 letterNoAt(int row) const;
    QString cellText(int row, int column) const;
    int currentRow() const;
    int rowCount() const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    void fill(const QList<record::LetterListRow>& rows);
    void applySavedOrder();
    // The sort mark `mark` at `left` (twips).
    void showMark(const QString& mark, int left);
    // Reorders the grid's rows by `column`; the chosen row moves with its letter.
    void sortGrid(int column, bool descending);
    void selectRow(int row);
    void selectLetter(qint32 letterNo);
    // Reads the list from the data file again; false (and told) when it cannot be read.
    bool reload();
    // Deletes the listed letter from the data file, renumbering the letters behind it.
    record::LetterDeleteResult deleteListedLetter(const record::LetterListRow& listed) const;

    RecordListModel* m_model = nullptr;
    QPushButton* m_headings[9] = {};
    int m_clickRow = -1;   // the row of the last press on a letter, -1 before the first
    int m_sortColumn = -1; // the order the grid shows: its column, -1 for none
    bool m_sortDescending = false;
};

} // namespace shell
