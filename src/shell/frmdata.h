#pragma once

#include "record/letterstore.h"

#include <QDialog>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>

namespace shell {

// The record list "患者情報一覧": every stored letter, one row each, in the saved order.
// The user picks a letter and writes a new one, changes or deletes the picked one, or puts it
// on the sheet. The list ends with what the user chose; whoever showed it opens what comes
// next. It reads and deletes through the data file DatabasePath.
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

    // The list over `rows` (the data file's letters, read beforehand).
    frmData(const QList<record::LetterListRow>& rows, QWidget* parent = nullptr);

    // Commands, by the names of their buttons.
    void cmdNew_Click();
    void cmdRe_Click();
    void Command3_Click();
    void cmdSelect_Click();
    void cmdCancel_Click();
    // A click on the heading of grid column `column` (2 to 8).
    void headingClick(int column);

    QTableWidget* FlexGrid = nullptr;
    QLabel* lblSort = nullptr;
    QLabel* Label1 = nullptr;
    QPushButton* cmdNew = nullptr;
    QPushButton* cmdRe = nullptr;
    QPushButton* Command3 = nullptr;
    QPushButton* cmdSelect = nullptr;
    QPushButton* cmdCancel = nullptr;
    QPushButton* headingButton(int column) const { return m_headings[column]; }

    // The letter number in a grid row (0 for none), and the row now chosen (-1 for none).
    qint32 letterNoAt(int row) const;
    int currentRow() const;
    int rowCount() const { return FlexGrid->rowCount(); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void fill(const QList<record::LetterListRow>& rows);
    void applySavedOrder();
    // Reorders the grid's rows by `column` (the cells move, the rows stay).
    void sortGrid(int column, bool descending);
    void selectRow(int row);
    void selectLetter(qint32 letterNo);
    void reload();
    // The letter `letterNo` as the list read it (a deletion checks that its row still reads so).
    record::LetterListRow listedRow(qint32 letterNo) const;

    QList<record::LetterListRow> m_rows; // as read, in table order
    QPushButton* m_headings[9] = {};
    int m_clickRow = -1; // the row of the last press on a letter, -1 before the first
};

} // namespace shell
