#include "entry/phraselists.h"

#include "common/schema.h"
#include "platform/database.h"

#include <cmath>
#include <vector>

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

namespace {

// The lines of an item as the editor showed it: an empty item is one empty line.
QStringList linesOf(const QString& shownItem)
{
    return shownItem.split(QStringLiteral("\r\n"));
}

// True when the lines from `at` on begin with `chunk`.
bool standsAt(const QStringList& lines, qsizetype at, const QStringList& chunk)
{
    if (at + chunk.size() > lines.size())
        return false;
    for (qsizetype i = 0; i < chunk.size(); ++i) {
        if (lines.at(at + i) != chunk.at(i))
            return false;
    }
    return true;
}

// Cells of the alignment table above which the middle of a large edit is taken line by line.
constexpr qsizetype kMaxAlignmentCells = 16 * 1024 * 1024;

} // namespace

QStringList phraseItemsOfEdit(const QStringList& items, const QStringList& shown,
                              const QString& text)
{
    const QStringList lines = phraseItemsOfText(text);
    if (items.size() != shown.size())
        return lines;
    QList<QStringList> chunks;
    chunks.reserve(shown.size());
    for (const QString& item : shown)
        chunks.append(linesOf(item));

    // The items whose lines stand unchanged at the start and at the end of the text.
    qsizetype first = 0;
    qsizetype line = 0;
    while (first < chunks.size() && standsAt(lines, line, chunks.at(first)))
        line += chunks.at(first++).size();
    qsizetype lastChunk = chunks.size();
    qsizetype lastLine = lines.size();
    while (lastChunk > first && lastLine - chunks.at(lastChunk - 1).size() >= line &&
           standsAt(lines, lastLine - chunks.at(lastChunk - 1).size(), chunks.at(lastChunk - 1)))
        lastLine -= chunks.at(--lastChunk).size();

    QStringList result = items.mid(0, first);
    // In between, the most lines that still show an item in the same order keep their items
    // (an alignment over items and lines); every other line is an item of its own.
    const qsizetype n = lastChunk - first;
    const qsizetype m = lastLine - line;
    if (n > 0 && m > 0 && (n + 1) * (m + 1) <= kMaxAlignmentCells) {
        // kept[i][k]: lines kept as items by the best alignment of chunks i.. and lines k..
        std::vector<int> kept(std::size_t((n + 1) * (m + 1)), 0);
        const auto at = [&](qsizetype i, qsizetype k) -> int& {
            return kept[std::size_t(i * (m + 1) + k)];
        };
        for (qsizetype i = n - 1; i >= 0; --i) {
            const QStringList& chunk = chunks.at(first + i);
            for (qsizetype k = m - 1; k >= 0; --k) {
                int best = qMax(at(i + 1, k), at(i, k + 1));
                if (k + chunk.size() <= m && standsAt(lines, line + k, chunk))
                    best = qMax(best, int(chunk.size()) + at(i + 1, k + chunk.size()));
                at(i, k) = best;
            }
        }
        qsizetype i = 0;
        qsizetype k = 0;
        while (k < m) {
            if (i < n) {
                const QStringList& chunk = chunks.at(first + i);
                if (k + chunk.size() <= m && standsAt(lines, line + k, chunk) &&
                    at(i, k) == int(chunk.size()) + at(i + 1, k + chunk.size())) {
                    result.append(items.at(first + i));
                    k += chunk.size();
                    ++i;
                    continue;
                }
                if (at(i, k) == at(i + 1, k)) {
                    ++i;
                    continue;
                }
            }
            result.append(lines.at(line + k));
            ++k;
        }
    } else {
        result += lines.mid(line, m);
    }
    result += items.mid(lastChunk);
    return result;
}

} // namespace entry
