// The engine's own words (its messages and its integrity check's findings, in English) told
// to the user in Japanese.

#include "platform/database_p.h"

#include <QRegularExpression>
#include <QStringList>

#include <sqlite3.h>

namespace db::detail {

namespace {

struct Pattern
{
    QRegularExpression words;
    QString text; // %1, %2 ... the captured names
};

QString firstMatch(const QList<Pattern>& patterns, const QString& words)
{
    for (const Pattern& pattern : patterns) {
        const QRegularExpressionMatch match = pattern.words.match(words);
        if (!match.hasMatch())
            continue;
        QString text = pattern.text;
        for (int i = 1; i <= match.lastCapturedIndex(); ++i)
            text = text.arg(match.captured(i));
        return text;
    }
    return {};
}

Pattern pattern(const char* words, const char* text)
{
    return {QRegularExpression(QLatin1String(words)), QString::fromUtf8(text)};
}

} // namespace

QString engineWordsText(int resultCode, const QString& words)
{
    static const QList<Pattern> patterns = {
        pattern("^no such table: (.+)$", "表「%1」がありません"),
        pattern("^no such column: (.+)$", "項目「%1」がありません"),
        pattern("^table (.+) has no column named (.+)$", "表「%1」に項目「%2」がありません"),
        pattern("^no such index: (.+)$", "索引「%1」がありません"),
        pattern("^no such function: (.+)$", "このプログラムにない関数「%1」が使われています"),
        pattern("^no such collation sequence: (.+)$",
                "このプログラムにない照合順序「%1」が使われています"),
        pattern("^cannot modify (.+) because it is a view$", "ビュー「%1」には書き込めません"),
        pattern("^table (.+) may not be modified$", "表「%1」には書き込めません"),
        pattern("^UNIQUE constraint failed: (.+)$", "「%1」の値がほかのデータと重なっています"),
        pattern("^NOT NULL constraint failed: (.+)$", "「%1」に値がありません"),
        pattern("^CHECK constraint failed: (.+)$", "値が条件「%1」に合いません"),
        pattern("^FOREIGN KEY constraint failed$", "ほかの表との関係に合いません"),
        pattern("^unsupported file format$", "このプログラムが扱えない形式のファイルです"),
        pattern("^too many columns", "項目が多すぎます"),
    };
    if (const QString known = firstMatch(patterns, words); !known.isEmpty())
        return known;
    switch (resultCode & 0xff) {
    case SQLITE_CONSTRAINT:
        if (resultCode == SQLITE_CONSTRAINT_TRIGGER)
            return QStringLiteral("データファイルのトリガーが書き込みを拒みました");
        return QStringLiteral("データの制約に合いません");
    case SQLITE_NOMEM:
        return QStringLiteral("メモリが足りません");
    case SQLITE_TOOBIG:
        return QStringLiteral("値が大きすぎます");
    case SQLITE_MISMATCH:
        return QStringLiteral("値の型が合いません");
    case SQLITE_SCHEMA:
        return QStringLiteral("データファイルの構造がほかで変えられました");
    case SQLITE_ABORT:
    case SQLITE_INTERRUPT:
        return QStringLiteral("処理が中断されました");
    case SQLITE_NOLFS:
        return QStringLiteral("ファイルが大きすぎます");
    default:
        break;
    }
    return QStringLiteral("エラー番号 %1").arg(resultCode);
}

QString integrityText(const QStringList& findings)
{
    static const QList<Pattern> patterns = {
        pattern("row (\\d+) missing from index (.+)$", "索引「%2」に行 %1 がありません"),
        pattern("wrong # of entries in index (.+)$", "索引「%1」の項目の数が表と合いません"),
        pattern("non-unique entry in index (.+)$", "一意の索引「%1」に同じ値が二つあります"),
        pattern("NULL value in (.+)$", "%1 に空の値があります"),
        pattern("CHECK constraint failed in (.+)$", "表「%1」の値が条件に合いません"),
        pattern("[Pp]age (\\d+)", "ページ %1 が壊れています"),
    };
    QStringList texts;
    for (const QString& finding : findings) {
        QString text = firstMatch(patterns, finding);
        if (text.isEmpty())
            text = QStringLiteral("ファイルの構造が壊れています");
        if (!texts.contains(text))
            texts << text;
    }
    QString joined = texts.mid(0, 3).join(QStringLiteral("、"));
    if (texts.size() > 3)
        joined += QStringLiteral(" ほか");
    return QStringLiteral("データファイルが壊れています（%1）。").arg(joined);
}

} // namespace db::detail
