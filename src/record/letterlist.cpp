#include "record/letterlist.h"

#include "common/schema.h"
#include "platform/database.h"

#include <memory>

namespace record {

namespace {

QString textOf(const db::Recordset& rs, const QString& field)
{
    return rs.field(field).toString();
}

} // namespace

LetterListResult readLetterList(const QString& path)
{
    LetterListResult result;
    QString error;
    auto database = db::Database::open(path, db::OpenMode::ReadOnly, &error);
    if (!database) {
        result.error = error;
        return result;
    }
    auto rs = database->openSnapshot(common::LetterListQuery, {}, &error);
    if (!rs) {
        result.error =
            QStringLiteral("このファイルは意見書のデータファイルではありません。（%1）").arg(error);
        return result;
    }
    result.rows.reserve(rs->recordCount());
    for (; !rs->eof(); rs->moveNext()) {
        LetterListRow row;
        row.letterNo = rs->field(common::LetterKey).toLong().value_or(0);
        row.chartNo = textOf(*rs, QStringLiteral("カルテ番号"));
        row.name = textOf(*rs, QStringLiteral("患者名"));
        row.kana = textOf(*rs, QStringLiteral("患者名かな"));
        row.sex = textOf(*rs, QStringLiteral("性別"));
        row.age = textOf(*rs, QStringLiteral("年齢"));
        row.diagnosis = textOf(*rs, QStringLiteral("診断名１"));
        row.writtenOn = textOf(*rs, QStringLiteral("最新意見書記入日"));
        result.rows.append(std::move(row));
    }
    result.ok = true;
    return result;
}

LetterDeleteResult deleteLetter(const QString& path, qint32 letterNo)
{
    LetterDeleteResult result;
    QString error;
    auto database = db::Database::open(path, db::OpenMode::ReadWrite, &error);
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
    auto found =
        database->openDynaset(QStringLiteral("SELECT %1 FROM %2 WHERE %1 = ?").arg(key, table),
                              {db::Variant::fromLong(letterNo)}, &error);
    if (!found)
        return fail(error);
    if (found->eof()) {
        database->rollback();
        result.rowGone = true;
        result.error = QStringLiteral("作成NO %1 のデータはもうありません。"
                                      "ほかの画面で削除された可能性があります。")
                           .arg(letterNo);
        return result;
    }
    found.reset();
    if (!database->execute(QStringLiteral("DELETE FROM %1 WHERE %2 = ?").arg(table, key),
                           {db::Variant::fromLong(letterNo)}, &error))
        return fail(error);
    // Each later letter takes the number the one before it has just given up, so no two
    // rows ever hold the same number.
    auto later = database->openDynaset(
        QStringLiteral("SELECT %1 FROM %2 WHERE %1 > ? ORDER BY %1 ASC").arg(key, table),
        {db::Variant::fromLong(letterNo)}, &error);
    if (!later)
        return fail(error);
    QList<qint32> numbers;
    for (; !later->eof(); later->moveNext())
        numbers.append(later->field(key).toLong().value_or(0));
    later.reset();
    for (qint32 n : numbers)
        if (!database->execute(QStringLiteral("UPDATE %1 SET %2 = ? WHERE %2 = ?").arg(table, key),
                               {db::Variant::fromLong(n - 1), db::Variant::fromLong(n)}, &error))
            return fail(error);
    if (!database->commitTrans(&error))
        return fail(error);
    result.ok = true;
    return result;
}

} // namespace record
