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

// What failed, in the user's words, followed by the data file's own account when it gave one.
QString reason(const QString& what, const QString& detail)
{
    return detail.isEmpty() ? what : what + QStringLiteral("（") + detail + QStringLiteral("）");
}

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
    const auto next = nextLetterNo(letters, error);
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
            reason(QStringLiteral("データファイル %1 を開けません。").arg(databasePath), error);
        return result;
    }
    if (!database->beginTrans(&error)) {
        result.error = reason(QStringLiteral("データファイルに書き込めません。"), error);
        return result;
    }
    // The number is chosen and the row added inside the transaction, so that two programs
    // saving at the same moment cannot take the same number.
    qint32 no = letterNo;
    std::unique_ptr<db::Recordset> letters = database->openTable(common::LetterTable, &error);
    if (!letters) {
        result.error =
            reason(QStringLiteral("表 %1 を開けません。").arg(common::LetterTable), error);
    } else if (!positionRow(*letters, &no, &error)) {
        result.error = error;
    } else {
        DataSave3(form, *letters);
        if (!letters->update(&error)) {
            letters->cancelUpdate();
            result.error = reason(QStringLiteral("データを書き込めません。"), error);
        } else if (!database->commitTrans(&error)) {
            result.error = reason(QStringLiteral("データファイルに書き込めません。"), error);
        }
    }
    if (!result.error.isEmpty()) {
        database->rollback();
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
