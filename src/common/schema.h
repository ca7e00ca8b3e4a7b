#pragma once

#include <QString>

#include <vector>

namespace db {
class Database;
}

// The tables of the program's data files, defined here and nowhere else: the letter file
// (Ruviro.mdb) holds the letters and the phrase lists, the postal-code file (PostCode.mdb)
// the postal-code master.
namespace common {

// How a letter field is stored.
enum class FieldKind {
    Text,       // text without a length limit (plain texts, era dates, joined pairs, copies)
    YesNo,      // a check flag; reads back as a Boolean
    AnswerCode, // 0 = not answered, 1..n = the chosen option; reads back as a number
};

struct LetterField
{
    QString name; // the column name, ASCII digits and full-width katakana
    FieldKind kind;
};

// Table 申請者情報: one row per letter, keyed by 作成NO (unique index "作成NO").
inline const QString LetterTable = QStringLiteral("申請者情報");
inline const QString LetterKey = QStringLiteral("作成NO");
inline const QString LetterIndex = QStringLiteral("作成NO");
// The 186 letter fields after 作成NO, in the order the save first writes them.
const std::vector<LetterField>& letterFields();
constexpr int LetterFieldCount = 186;

// The record list's query: the columns the list shows, for every letter. A file that this
// query does not run on is not a letter file of this program.
inline const QString LetterListQuery =
    QStringLiteral("SELECT 作成NO,カルテ番号,患者名,患者名かな,性別,年齢,診断名１,最新意見書記入日 "
                   "FROM 申請者情報");

// Table コンボ情報: the phrase lists, one row per item, a list being its rows in table order.
inline const QString ComboTable = QStringLiteral("コンボ情報");
inline const QString ComboCode = QStringLiteral("コンボネーム");
inline const QString ComboText = QStringLiteral("コンボ内容");

// Table 郵便番号マスタ: postal codes (seven digits and a blank; trailing blanks do not
// count when codes are compared) and their addresses, index "郵便番号" (not unique).
inline const QString PostCodeTable = QStringLiteral("郵便番号マスタ");
inline const QString PostCodeCode = QStringLiteral("郵便番号");
inline const QString PostCodeAddress = QStringLiteral("住所");
inline const QString PostCodeIndex = QStringLiteral("郵便番号");

// Create the tables of a new letter file (申請者情報 and コンボ情報) or of a new
// postal-code file, in one transaction; false with the reason when that fails.
bool createLetterTables(db::Database& database, QString* error = nullptr);
bool createPostCodeTables(db::Database& database, QString* error = nullptr);

} // namespace common
