#include "entry/postcodelookup.h"

#include "common/schema.h"
#include "common/textcuts.h"
#include "platform/database.h"

#include <QFileInfo>

namespace entry {

PostCodeLookup LookUpPostCode(const QString& masterPath, const QString& code)
{
    PostCodeLookup result;
    if (!QFileInfo(masterPath).isFile())
        return result;
    result.status = PostCodeLookup::Status::Unusable;
    QString error;
    const std::unique_ptr<db::Database> master =
        db::Database::open(masterPath, db::OpenMode::ReadOnly, &error);
    if (!master) {
        result.reason = error;
        return result;
    }
    if (!master->hasTable(common::PostCodeTable)) {
        result.reason = QStringLiteral("%1 に %2 がありません。")
                            .arg(QFileInfo(masterPath).fileName(), common::PostCodeTable);
        return result;
    }
    // The key column compares without trailing blanks (COLLATE RTRIM); its index finds it.
    const std::unique_ptr<db::Recordset> rows = master->openDynaset(
        QStringLiteral("SELECT %1 FROM %2 WHERE %3 = ? ORDER BY rowid LIMIT 1")
            .arg(common::PostCodeAddress, common::PostCodeTable, common::PostCodeCode),
        {db::Variant::fromString(code)}, &error);
    if (!rows) {
        result.reason = error;
        return result;
    }
    if (rows->eof()) {
        result.status = PostCodeLookup::Status::NotFound;
        return result;
    }
    result.status = PostCodeLookup::Status::Found;
    result.address = rows->field(common::PostCodeAddress).toString();
    return result;
}

QString MergeAddress(const QString& box, const QString& master)
{
    if (box.isEmpty())
        return master;
    if (box.contains(master))
        return box;
    const QString tail = common::rightChars(master, 2);
    const qsizetype at = box.indexOf(tail);
    if (at < 0)
        return box;
    return master + box.mid(at + tail.size());
}

} // namespace entry
