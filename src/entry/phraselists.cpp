#include "entry/phraselists.h"

#include "common/schema.h"
#include "platform/database.h"

#include <cmath>

namespace entry {

namespace {

// The list code of a stored code value: 1 to 22, or 0 for a row of no list.
int listCode(const db::Variant& value)
{
    const std::optional<double> number = value.toDouble();
    if (!number || *number != std::floor(*number) || *number < 1 || *number > kPhraseListCount)
        return 0;
    return static_cast<int>(*number);
}

} // namespace

PhraseListsResult readPhraseLists(const QString& path)
{
    PhraseListsResult result;
    QString error;
    auto database = db::Database::open(path, db::OpenMode::ReadOnly, &error);
    if (!database) {
        result.error = QStringLiteral("入力候補の一覧を読み込めませんでした。（%1）").arg(error);
        return result;
    }
    // Read in full at once: the rows' values, not only their keys.
    auto rows = database->openDynaset(
        QStringLiteral("SELECT %1, IFNULL(%2, '') AS item FROM %3 ORDER BY rowid")
            .arg(common::ComboCode, common::ComboText, common::ComboTable),
        {}, &error);
    if (!rows) {
        result.error = QStringLiteral("入力候補の一覧を読み込めませんでした。（%1）").arg(error);
        return result;
    }
    for (; !rows->eof(); rows->moveNext()) {
        const int code = listCode(rows->field(common::ComboCode));
        if (code != 0)
            result.items[code].append(rows->field(QStringLiteral("item")).toString());
    }
    result.ok = true;
    return result;
}

PhraseListResult readPhraseList(const QString& path, int code)
{
    PhraseListsResult all = readPhraseLists(path);
    PhraseListResult result;
    result.ok = all.ok;
    result.error = all.error;
    if (all.ok && code >= 1 && code <= kPhraseListCount)
        result.items = std::move(all.items[code]);
    return result;
}

bool replacePhraseList(const QString& path, int code, const QStringList& items, QString* error)
{
    QString why;
    const auto fail = [&](db::Database* database) {
        if (database)
            database->rollback();
        if (error)
            *error = QStringLiteral("入力候補の一覧を保存できませんでした。（%1）").arg(why);
        return false;
    };
    auto database = db::Database::open(path, db::OpenMode::ReadWrite, &why);
    if (!database)
        return fail(nullptr);
    if (!database->beginTrans(&why))
        return fail(database.get());
    const db::Variant codeValue = db::Variant::fromLong(code);
    if (!database->execute(QStringLiteral("DELETE FROM %1 WHERE %2 = ?")
                               .arg(common::ComboTable, common::ComboCode),
                           {codeValue}, &why))
        return fail(database.get());
    const QString insert = QStringLiteral("INSERT INTO %1 (%2, %3) VALUES (?, ?)")
                               .arg(common::ComboTable, common::ComboCode, common::ComboText);
    for (const QString& item : items) {
        if (!database->execute(insert, {codeValue, db::Variant::fromString(item)}, &why))
            return fail(database.get());
    }
    if (!database->commitTrans(&why))
        return fail(database.get());
    return true;
}

QStringList phraseItemsOfText(const QString& text)
{
    QStringList items;
    const QString lineEnd = QStringLiteral("\r\n");
    qsizetype from = 0;
    while (from < text.size()) {
        const qsizetype end = text.indexOf(lineEnd, from);
        if (end < 0) {
            items.append(text.mid(from));
            break;
        }
        items.append(text.mid(from, end - from));
        from = end + lineEnd.size();
    }
    return items;
}

} // namespace entry
