#pragma once

#include "platform/variant.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <functional>
#include <optional>
#include <utility>

// How a letter of the other opinion-letter program becomes a letter of ours: which column
// goes into which field, and the few values built from several columns. Tables, not code:
// every field name of the import is spelt here and nowhere else.
namespace import {

// The letter tables of the other program's database, joined on 作成NO.
inline const QString SourceKey = QStringLiteral("作成NO");
const QStringList& sourceLetterTables();
// Every column the letter query selects (作成NO excepted), as the query spells them: a
// source without one of them cannot be imported.
const QStringList& sourceLetterColumns();

// One row of the letter query: a column's value by name (matched without regard to width).
using SourceRow = std::function<db::Variant(const QString& column)>;

// The fields of a new letter, in the order they are written; a field not listed keeps what a
// new row has. 作成NO is not among them.
using LetterValues = QList<std::pair<QString, db::Variant>>;
LetterValues mapLetter(const SourceRow& row);

// The computed values, on their own for the tests.
// 他科受診その他: the department codes "13" to "37" become the department's name; any
// other value stays as it is.
db::Variant departmentName(const db::Variant& value);
// The dose followed by its unit, each in its text form, Null counting as ""; Null when both
// are Null.
db::Variant joinDose(const db::Variant& dose, const db::Variant& unit);

// The phrase lists: the list code (コンボネーム) of a phrase category of the other program,
// std::nullopt for a category that has no list here (and for Null).
std::optional<int> phraseListCode(const db::Variant& category);
// The item text of a phrase of `category`: the phrase as stored, or its first 22 characters
// for the care notes' list.
db::Variant phraseText(const db::Variant& category, const db::Variant& phrase);
// The doctor-name list.
constexpr int DoctorListCode = 22;

inline const QString PhraseTable = QStringLiteral("定型文マスタ");
inline const QString PhraseCategory = QStringLiteral("定型文区分");
inline const QString PhraseColumn = QStringLiteral("定型文");
inline const QString DoctorTable = QStringLiteral("医師マスタ");
inline const QString DoctorColumn = QStringLiteral("医師名");

} // namespace import
