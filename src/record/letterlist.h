#pragma once

#include <QList>
#include <QString>

// The record list's reading of the data file, and the deletion of a letter with the
// renumbering of the letters behind it. Storage only: every failure comes back with a
// sentence for the user, and nothing is shown here.
namespace record {

// One letter as the list shows it; a Null field reads as "".
struct LetterListRow
{
    qint32 letterNo = 0; // 作成NO
    QString chartNo;     // カルテ番号
    QString name;        // 患者名
    QString kana;        // 患者名かな
    QString sex;         // 性別 as stored: "1" man, "2" woman
    QString age;         // 年齢
    QString diagnosis;   // 診断名１
    QString writtenOn;   // 最新意見書記入日, an era date
};

struct LetterListResult
{
    bool ok = false;
    QString error;
    QList<LetterListRow> rows; // in table order
};

// Every letter of the data file at `path`, read-only, through the list's query.
LetterListResult readLetterList(const QString& path);

struct LetterDeleteResult
{
    bool ok = false;
    bool rowGone = false; // no letter had the number (deleted meanwhile): nothing was changed
    QString error;
};

// Deletes letter `letterNo` and moves every letter with a higher number down by one, in
// ascending order, all in one transaction: on any failure nothing is deleted and no number
// changes.
LetterDeleteResult deleteLetter(const QString& path, qint32 letterNo);

} // namespace record
