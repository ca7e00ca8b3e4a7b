#include "record/letterstore.h"

#include "common/schema.h"
#include "platform/database.h"
#include "platform/preparedstatement.h"

#include <QFileInfo>
#include <QHash>

#include <algorithm>
#include <array>
#include <limits>
#include <memory>
#include <vector>

namespace record {

namespace {

using common::Field;
using common::letterField;

// What failed, in the user's words, followed by the data file's own account when it gave one.
QString reason(const QString& what, const QString& detail)
{
    return detail.isEmpty() ? what : what + QStringLiteral("（") + detail + QStringLiteral("）");
}

const QString& nameOf(Field field)
{
    return letterField(field).name;
}

// A file whose write permissions are all off was made read-only by its owner; it is not
// written, not even by a user whom the system would let write it.
bool isWriteProtected(const QString& path)
{
    const QFileInfo info(path);
    const auto writeBits = QFile::WriteOwner | QFile::WriteGroup | QFile::WriteOther;
    return info.exists() && (info.permissions() & writeBits) == 0;
}

// Why a save, a deletion or an addition does not write `path`, or "" when it may.
QString writeProtection(const QString& path)
{
    if (isWriteProtected(path))
        return QStringLiteral("データファイル %1 は読み取り専用です。").arg(path);
    return {};
}

// The highest 作成NO of the table (0 for an empty table), through the index.
std::optional<qint32> highestNo(db::Database& database, QString* error)
{
    QString why;
    const auto rs = database.openDynaset(
        QStringLiteral("SELECT MAX(%1) FROM %2").arg(common::LetterKey, common::LetterTable), {},
        &why);
    if (!rs || rs->eof()) {
        *error = reason(QStringLiteral("作成NO を読めませんでした。"), why);
        return std::nullopt;
    }
    const QStringList names = rs->fieldNames();
    const db::Variant v = names.isEmpty() ? db::Variant() : rs->field(names.first());
    if (v.isNull())
        return 0;
    const auto no = v.toLong();
    if (!no) {
        *error = QStringLiteral("作成NO を読めませんでした。");
        return std::nullopt;
    }
    return *no;
}

// One above the highest 作成NO; fails when the numbers have run out.
std::optional<qint32> nextNo(db::Database& database, QString* error)
{
    const auto highest = highestNo(database, error);
    if (!highest)
        return std::nullopt;
    if (*highest == std::numeric_limits<qint32>::max()) {
        *error = QStringLiteral("作成NO が上限に達しています。");
        return std::nullopt;
    }
    return std::max(*highest, 0) + 1;
}

// Writes the letter's set fields into the edit buffer; the names of the fields the table
// could not take are returned.
QStringList writeFields(const Letter& letter, db::Recordset& row)
{
    QStringList lost;
    for (int i = 0; i < common::LetterFieldCount; ++i) {
        const auto field = static_cast<Field>(i);
        if (letter.isSet(field) && !row.setField(nameOf(field), letter.value(field)))
            lost << nameOf(field);
    }
    return lost;
}

// Positions `letters` on the letter's row in edit mode, or on a new row numbered `*letterNo`.
bool positionRow(db::Database& database, db::Recordset& letters, qint32* letterNo, QString* error)
{
    if (*letterNo != 0) {
        if (!letters.setIndex(common::LetterIndex, error)) {
            *error =
                reason(QStringLiteral("索引 %1 がありません。").arg(common::LetterIndex), *error);
            return false;
        }
        if (!letters.seek(QStringLiteral("="), db::Variant::fromLong(*letterNo)) ||
            letters.noMatch()) {
            *error = QStringLiteral("作成NO %1 のデータが見つかりません。").arg(*letterNo);
            return false;
        }
        if (!letters.edit(error)) {
            *error = reason(QStringLiteral("データを書き込めません。"), *error);
            return false;
        }
        return true;
    }
    const auto next = nextNo(database, error);
    if (!next)
        return false;
    if (!letters.addNew(error) ||
        !letters.setField(common::LetterKey, db::Variant::fromLong(*next), error)) {
        *error = reason(QStringLiteral("データを書き込めません。"), *error);
        return false;
    }
    *letterNo = *next;
    return true;
}

// The letter field that a column of the letter table holds, its name matched in any width;
// -1 for a column that is no letter field.
int fieldOfColumn(const QString& column)
{
    thread_local QHash<QString, int> known;
    const auto it = known.constFind(column);
    if (it != known.cend())
        return *it;
    const auto fold = [](const QString& name) {
        return name.normalized(QString::NormalizationForm_KC).toLower();
    };
    const QString folded = fold(column);
    int found = -1;
    for (int i = 0; i < common::LetterFieldCount && found < 0; ++i)
        if (fold(nameOf(static_cast<Field>(i))) == folded)
            found = i;
    known.insert(column, found);
    return found;
}

// Whether a value stored in a field of `kind` is one the field can hold.
bool fitsKind(const db::StoredRow& row, int column, common::FieldKind kind)
{
    using Type = db::StoredRow::Type;
    const Type type = row.type(column);
    if (type == Type::Null)
        return true;
    switch (kind) {
    case common::FieldKind::Text:
        return row.isWellFormedText(column);
    case common::FieldKind::YesNo:
        return type == Type::Integer && row.integer(column) >= -1 && row.integer(column) <= 1;
    case common::FieldKind::AnswerCode:
        return type == Type::Integer && row.integer(column) >= 0 &&
               row.integer(column) <= std::numeric_limits<qint16>::max();
    }
    return false;
}

// The letter numbered `letterNo` as the open file holds it now.
LetterReadResult readRow(db::Database& database, qint32 letterNo)
{
    LetterReadResult result;
    QString error;
    std::array<bool, common::LetterFieldCount> have{};
    bool found = false;
    const bool read = database.forEachRow(
        QStringLiteral("SELECT * FROM %1 WHERE %2 = ?").arg(common::LetterTable, common::LetterKey),
        {db::Variant::fromLong(letterNo)},
        [&](const db::RowView& row) {
            if (found)
                return;
            found = true;
            for (int c = 0; c < row.columnCount(); ++c) {
                const int field = fieldOfColumn(row.columnName(c));
                if (field >= 0 && !have[std::size_t(field)]) {
                    have[std::size_t(field)] = true;
                    result.letter.set(static_cast<Field>(field), row.value(c));
                    if (!result.unfit && !fitsKind(row.stored(), c, letterField(Field(field)).kind))
                        result.unfit = Field(field);
                }
            }
        },
        &error);
    if (!read) {
        result.error =
            reason(QStringLiteral("このファイルは意見書のデータファイルではありません。"), error);
        return result;
    }
    if (!found) {
        result.status = LetterReadResult::Status::NoRow;
        result.letter = Letter();
        result.unfit.reset();
        return result;
    }
    result.letter.setNo(letterNo);
    for (int i = 0; i < common::LetterFieldCount; ++i)
        if (!have[std::size_t(i)])
            result.missing << nameOf(static_cast<Field>(i));
    result.status = LetterReadResult::Status::Read;
    return result;
}

// The same letter: the same number and, field by field, both unset or both the same value
// of the same type.
bool sameLetter(const Letter& a, const Letter& b)
{
    if (a.no() != b.no())
        return false;
    for (int i = 0; i < common::LetterFieldCount; ++i) {
        const auto field = static_cast<Field>(i);
        if (a.isSet(field) != b.isSet(field) ||
            (a.isSet(field) && !(a.value(field) == b.value(field))))
            return false;
    }
    return true;
}

// The list's row from a row of the list's rows query (its columns in the query's order).
LetterListRow listRow(const db::RowView& rs)
{
    LetterListRow row;
    row.rowId = rs.integer(8);
    row.letterNo = rs.value(0).toLong().value_or(0);
    row.chartNo = rs.text(1);
    row.name = rs.text(2);
    row.kana = rs.text(3);
    row.sex = rs.text(4);
    row.age = rs.text(5);
    row.diagnosis = rs.text(6);
    row.writtenOn = rs.text(7);
    return row;
}

// Writes the letter inside the open transaction and commits; false with the reason in
// `result`. The number is chosen and the row added inside the transaction, so that two
// programs saving at the same moment cannot take the same number; a stored letter's row is
// compared with the letter as read inside it, so that no other window can change it between
// the check and the write.
bool writeLetter(db::Database& database, const Letter& letter, const Letter& asRead,
                 LetterSaveResult* result)
{
    QString error;
    qint32 no = letter.no();
    if (no != 0) {
        const LetterReadResult now = readRow(database, no);
        if (now.status == LetterReadResult::Status::Failed) {
            result->error = now.error;
            return false;
        }
        if (!now.read() || !sameLetter(now.letter, asRead)) {
            result->notAsRead = true;
            result->error = QStringLiteral("作成NO %1 のデータは、ほかの画面で変更されたか、"
                                           "削除されて番号が変わっています。")
                                .arg(no);
            return false;
        }
    }
    std::unique_ptr<db::Recordset> letters = database.openTable(common::LetterTable, &error);
    if (!letters) {
        result->error =
            reason(QStringLiteral("表 %1 を開けません。").arg(common::LetterTable), error);
        return false;
    }
    if (!positionRow(database, *letters, &no, &error)) {
        result->error = error;
        return false;
    }
    result->lostFields = writeFields(letter, *letters);
    if (!letters->update(&error)) {
        letters->cancelUpdate();
        result->error = reason(QStringLiteral("データを書き込めません。"), error);
        return false;
    }
    letters.reset();
    LetterReadResult stored = readRow(database, no);
    if (!stored.read()) {
        result->error = reason(QStringLiteral("データを書き込めません。"), stored.error);
        return false;
    }
    if (!database.commitTrans(&error)) {
        result->error = reason(QStringLiteral("データファイルに書き込めません。"), error);
        return false;
    }
    result->letterNo = no;
    result->stored = std::move(stored.letter);
    return true;
}

} // namespace

LetterReadResult LetterStore::read(qint32 letterNo) const
{
    QString error;
    const auto database = db::Database::open(m_path, db::OpenMode::ReadOnly, &error);
    if (!database) {
        LetterReadResult result;
        result.error =
            reason(QStringLiteral("データファイル %1 を開けません。").arg(m_path), error);
        return result;
    }
    return readRow(*database, letterNo);
}

LetterSaveResult LetterStore::save(const Letter& letter, const Letter& asRead) const
{
    LetterSaveResult result;
    result.error = writeProtection(m_path);
    if (!result.error.isEmpty())
        return result;
    QString error;
    std::unique_ptr<db::Database> database =
        db::Database::open(m_path, db::OpenMode::ReadWrite, &error);
    if (!database) {
        result.error =
            reason(QStringLiteral("データファイル %1 を開けません。").arg(m_path), error);
        return result;
    }
    if (!database->beginTrans(&error)) {
        result.error = reason(QStringLiteral("データファイルに書き込めません。"), error);
        return result;
    }
    if (!writeLetter(*database, letter, asRead, &result)) {
        database->rollback();
        result.lostFields.clear();
        return result;
    }
    result.saved = true;
    return result;
}

namespace {

// Gives a letter file that lacks it the index the list is read from, when the file can be
// written at once; a file that cannot (read-only, in use, not a letter file) is listed
// without it, so nothing is told.
void addListIndex(const QString& path)
{
    if (isWriteProtected(path))
        return;
    auto database = db::Database::open(path, db::OpenMode::ReadWrite);
    if (!database)
        return;
    // Another program's transaction is not waited for: the list would wait with it.
    database->setBusyTimeout(0);
    database->execute(common::letterListIndexSql());
}

} // namespace

LetterListResult LetterStore::list() const
{
    LetterListResult result;
    QString error;
    auto database = db::Database::open(m_path, db::OpenMode::ReadOnly, &error);
    if (!database) {
        result.error = error;
        return result;
    }
    if (!database->hasIndex(common::LetterListIndex) && database->hasTable(common::LetterTable)) {
        database.reset();
        addListIndex(m_path);
        database = db::Database::open(m_path, db::OpenMode::ReadOnly, &error);
        if (!database) {
            result.error = error;
            return result;
        }
    }
    // Read row by row straight from the engine: no recordset, no row kept twice.
    const bool read = database->forEachRow(
        common::LetterListRowsQuery, {},
        [&](const db::RowView& row) { result.rows.append(listRow(row)); }, &error);
    if (!read) {
        result.rows.clear();
        result.error =
            QStringLiteral("このファイルは意見書のデータファイルではありません。（%1）").arg(error);
        return result;
    }
    result.ok = true;
    return result;
}

LetterDeleteResult LetterStore::remove(const LetterListRow& listed) const
{
    LetterDeleteResult result;
    result.error = writeProtection(m_path);
    if (!result.error.isEmpty())
        return result;
    const qint32 letterNo = listed.letterNo;
    QString error;
    auto database = db::Database::open(m_path, db::OpenMode::ReadWrite, &error);
    if (!database) {
        result.error = error;
        return result;
    }
    const auto fail = [&](const QString& why) {
        database->rollback();
        result.error = QStringLiteral("データを削除できませんでした。（%1）").arg(why);
        return result;
    };
    if (!database->beginTrans(&error))
        return fail(error);
    const QString table = common::LetterTable;
    const QString key = common::LetterKey;
    // The listed row must still be there, hold the letter the list showed and be the only row
    // at its number: another window may have deleted, renumbered or changed it meanwhile,
    // and a file restored from elsewhere may hold two letters under one number.
    QList<LetterListRow> atNumber;
    if (!database->forEachRow(
            common::LetterListRowsQuery + QStringLiteral(" WHERE %1 = ?").arg(key),
            {db::Variant::fromLong(letterNo)},
            [&](const db::RowView& row) { atNumber.append(listRow(row)); }, &error))
        return fail(error);
    if (atNumber.size() > 1) {
        database->rollback();
        result.error = QStringLiteral("作成NO %1 の意見書がデータファイルに %2 件あり、"
                                      "どれを削除するか決められません。削除しませんでした。")
                           .arg(letterNo)
                           .arg(atNumber.size());
        return result;
    }
    if (atNumber.isEmpty() || !(atNumber.first() == listed)) {
        database->rollback();
        result.notAsListed = true;
        result.error = QStringLiteral("「%1」のデータは、ほかの画面で変更されたか、削除されて"
                                      "番号が変わっています。削除しませんでした。\r\n"
                                      "一覧を読み直します。")
                           .arg(listed.name);
        return result;
    }
    const auto remove = database->prepare(
        QStringLiteral("DELETE FROM %1 WHERE rowid = ? AND %2 = ?").arg(table, key), &error);
    if (!remove)
        return fail(error);
    remove->bindInteger(1, listed.rowId);
    remove->bind(2, db::Variant::fromLong(letterNo));
    if (!remove->run(&error))
        return fail(error);
    if (remove->changes() != 1)
        return fail(QStringLiteral("削除する行が見つかりません。"));
    // Each later letter takes the number the one before it has just given up, so no two
    // rows ever hold the same number; each row is addressed by its rowid.
    QList<std::pair<qint64, qint32>> later; // rowid, 作成NO
    if (!database->forEachRow(
            QStringLiteral("SELECT rowid, %1 FROM %2 WHERE %1 > ? ORDER BY %1 ASC").arg(key, table),
            {db::Variant::fromLong(letterNo)},
            [&](const db::RowView& row) {
                later.append({row.integer(0), qint32(row.integer(1))});
            },
            &error))
        return fail(error);
    if (!later.isEmpty()) {
        const auto renumber = database->prepare(
            QStringLiteral("UPDATE %1 SET %2 = ? WHERE rowid = ?").arg(table, key), &error);
        if (!renumber)
            return fail(error);
        for (const auto& [rowId, n] : later) {
            renumber->bind(1, db::Variant::fromLong(n - 1));
            renumber->bindInteger(2, rowId);
            if (!renumber->run(&error))
                return fail(error);
        }
    }
    if (!database->commitTrans(&error))
        return fail(error);
    result.ok = true;
    return result;
}

LettersAddResult LetterStore::add(const QList<Letter>& letters, const AlsoWrite& alsoWrite) const
{
    LettersAddResult result;
    result.error = writeProtection(m_path);
    if (!result.error.isEmpty())
        return result;
    QString error;
    auto database = db::Database::open(m_path, db::OpenMode::ReadWrite, &error);
    if (!database) {
        result.error =
            reason(QStringLiteral("データファイル %1 を開けません。").arg(m_path), error);
        return result;
    }
    const auto fail = [&](const QString& why) {
        database->rollback();
        result.letterNos.clear();
        result.error = reason(QStringLiteral("データを書き込めません。"), why);
        return result;
    };
    if (!database->beginTrans(&error))
        return fail(error);
    auto rows = database->openTable(common::LetterTable, &error);
    if (!rows)
        return fail(error);
    for (const Letter& letter : letters) {
        qint32 no = 0;
        if (!positionRow(*database, *rows, &no, &error))
            return fail(error);
        const QStringList lost = writeFields(letter, *rows);
        if (!lost.isEmpty()) {
            rows->cancelUpdate();
            return fail(QStringLiteral("項目「%1」に値を書き込めません。").arg(lost.join(u'、')));
        }
        if (!rows->update(&error))
            return fail(error);
        result.letterNos.append(no);
    }
    if (alsoWrite && !alsoWrite(*database, &error))
        return fail(error);
    if (!database->commitTrans(&error))
        return fail(error);
    result.ok = true;
    return result;
}

std::optional<qint32> LetterStore::highestLetterNo(QString* error) const
{
    QString why;
    const auto database = db::Database::open(m_path, db::OpenMode::ReadOnly, &why);
    if (!database) {
        if (error)
            *error = reason(QStringLiteral("データファイル %1 を開けません。").arg(m_path), why);
        return std::nullopt;
    }
    const auto highest = highestNo(*database, &why);
    if (!highest && error)
        *error = why;
    return highest;
}

LetterCheckResult LetterStore::checkAll() const
{
    LetterCheckResult result;
    QString error;
    const auto database = db::Database::open(m_path, db::OpenMode::ReadOnly, &error);
    if (!database) {
        result.error =
            reason(QStringLiteral("データファイル %1 を開けません。").arg(m_path), error);
        return result;
    }
    // The fields the file has a column for, in the order they are selected after 作成NO.
    const auto columns = database->openDynaset(
        QStringLiteral("SELECT * FROM %1 WHERE 0").arg(common::LetterTable), {}, &error);
    if (!columns || !columns->hasField(common::LetterKey)) {
        result.error =
            reason(QStringLiteral("このファイルは意見書のデータファイルではありません。"), error);
        return result;
    }
    std::vector<Field> fields;
    QStringList selected{common::LetterKey};
    for (int i = 0; i < common::LetterFieldCount; ++i) {
        const auto field = static_cast<Field>(i);
        if (columns->hasField(nameOf(field))) {
            fields.push_back(field);
            selected << nameOf(field);
        }
    }
    const auto keyFits = [](const db::StoredRow& row) {
        return row.type(0) == db::StoredRow::Type::Integer && row.integer(0) >= 1 &&
               row.integer(0) <= std::numeric_limits<qint32>::max();
    };
    QString patient;
    const bool read = database->scanStored(
        QStringLiteral("SELECT %1 FROM %2").arg(selected.join(u','), common::LetterTable),
        [&](const db::StoredRow& row) {
            ++result.letters;
            if (!keyFits(row)) {
                result.field = common::LetterKey;
                return false;
            }
            for (std::size_t i = 0; i < fields.size(); ++i) {
                const common::LetterField& field = letterField(fields[i]);
                if (!fitsKind(row, int(i) + 1, field.kind)) {
                    result.letterNo = qint32(row.integer(0));
                    result.field = field.name;
                    // The patient's name, when it is sound, helps to find the letter.
                    for (std::size_t k = 0; k < fields.size(); ++k)
                        if (fields[k] == Field::PatientName && k != i &&
                            row.isWellFormedText(int(k) + 1))
                            patient = row.text(int(k) + 1);
                    return false;
                }
            }
            return true;
        },
        &error);
    if (!result.field.isEmpty()) {
        const QString whose = patient.isEmpty() ? QString() : QStringLiteral("（%1）").arg(patient);
        result.error =
            result.letterNo != 0
                ? QStringLiteral("作成NO %1 の意見書%2の「%3」が壊れています。")
                      .arg(result.letterNo)
                      .arg(whose, result.field)
                : QStringLiteral("%1 件目の意見書の作成NOが壊れています。").arg(result.letters);
        result.letters = 0;
        return result;
    }
    if (!read) {
        result.letters = 0;
        result.error = reason(QStringLiteral("意見書を読めませんでした。"), error);
        return result;
    }
    result.ok = true;
    return result;
}

} // namespace record
