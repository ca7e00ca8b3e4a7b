#include "record/lettersave.h"

#include "common/schema.h"
#include "platform/database.h"
#include "platform/messagebox.h"
#include "record/datasave3.h"

#include <QFileInfo>

#include <limits>
#include <memory>
#include <optional>

namespace record {

namespace {

// A file whose write permissions are all off was made read-only by its owner; it is not
// written, not even by a user whom the system would let write it.
bool isWriteProtected(const QString& path)
{
    const QFileInfo info(path);
    const auto writeBits = QFile::WriteOwner | QFile::WriteGroup | QFile::WriteOther;
    return info.exists() && (info.permissions() & writeBits) == 0;
}

// One above the highest 作成NO of the table; 1 for an empty table.
std::optional<qint32> nextLetterNo(db::Recordset& letters, QString* error)
{
    qint32 highest = 0;
    if (letters.recordCount() > 0) {
        for (letters.moveFirst(); !letters.eof(); letters.moveNext()) {
            bool ok = false;
            const auto no = letters.field(common::LetterKey, &ok).toLong();
            if (!ok) {
                *error = QStringLiteral("作成NO を読めませんでした。");
                return std::nullopt;
            }
            if (no && *no > highest)
                highest = *no;
        }
    }
    if (highest == std::numeric_limits<qint32>::max()) {
        *error = QStringLiteral("作成NO が上限に達しています。");
        return std::nullopt;
    }
    return highest + 1;
}

// Positions `letters` on the letter's row in edit mode, or on a new row numbered `*letterNo`.
bool positionRow(db::Recordset& letters, qint32* letterNo, QString* error)
{
    if (*letterNo != 0) {
        if (!letters.setIndex(common::LetterIndex, error))
            return false;
        if (!letters.seek(QStringLiteral("="), db::Variant::fromLong(*letterNo)) ||
            letters.noMatch()) {
            *error = QStringLiteral("作成NO %1 のデータが見つかりません。").arg(*letterNo);
            return false;
        }
        return letters.edit(error);
    }
    const auto next = nextLetterNo(letters, error);
    if (!next)
        return false;
    if (!letters.addNew(error))
        return false;
    if (!letters.setField(common::LetterKey, db::Variant::fromLong(*next), error))
        return false;
    *letterNo = *next;
    return true;
}

QString orDefault(const QString& error, const QString& fallback)
{
    return error.isEmpty() ? fallback : error;
}

} // namespace

LetterSaveResult SaveLetter(const QString& databasePath, qint32 letterNo, const FormReader& form)
{
    LetterSaveResult result;
    if (isWriteProtected(databasePath)) {
        result.error = QStringLiteral("データファイル %1 は読み取り専用です。").arg(databasePath);
        return result;
    }
    QString error;
    std::unique_ptr<db::Database> database =
        db::Database::open(databasePath, db::OpenMode::ReadWrite, &error);
    if (!database) {
        result.error =
            orDefault(error, QStringLiteral("データファイル %1 を開けません。").arg(databasePath));
        return result;
    }
    if (!database->beginTrans(&error)) {
        result.error = orDefault(error, QStringLiteral("データファイルに書き込めません。"));
        return result;
    }
    // The number is chosen and the row added inside the transaction, so that two programs
    // saving at the same moment cannot take the same number.
    bool ok = false;
    qint32 no = letterNo;
    if (std::unique_ptr<db::Recordset> letters = database->openTable(common::LetterTable, &error)) {
        if (positionRow(*letters, &no, &error)) {
            DataSave3(form, *letters);
            ok = letters->update(&error);
            if (!ok)
                letters->cancelUpdate();
        }
    }
    if (ok)
        ok = database->commitTrans(&error);
    if (!ok) {
        database->rollback();
        result.error = orDefault(error, QStringLiteral("データファイルに書き込めません。"));
        return result;
    }
    result.saved = true;
    result.letterNo = no;
    return result;
}

qint32 SaveLetterOrTell(const QString& databasePath, qint32 letterNo, const FormReader& form)
{
    const LetterSaveResult result = SaveLetter(databasePath, letterNo, form);
    if (result.saved)
        return result.letterNo;
    platform::MsgBox(QStringLiteral("データを保存できませんでした。\r\n") + result.error,
                     platform::vbCritical, QStringLiteral("登録エラー"));
    return 0;
}

} // namespace record
