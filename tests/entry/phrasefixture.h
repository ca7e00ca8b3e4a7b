#pragma once

// A data file with the program's tables whose phrase rows a test writes and reads back as
// "code:text" in table order (a Null as <Null>).

#include "common/schema.h"
#include "platform/database.h"
#include "platform/variant.h"

#include <QStringList>
#include <QTemporaryDir>
#include <QtTest>

namespace phrasetest {

struct Row
{
    db::Variant code;
    db::Variant text;
};
using Rows = QList<Row>;

inline Row row(int code, const QString& text)
{
    return {db::Variant::fromLong(code), db::Variant::fromString(text)};
}

class PhraseFile
{
public:
    PhraseFile() : m_path(m_dir.filePath(QStringLiteral("Ruviro.mdb")))
    {
        auto database = db::Database::create(m_path);
        QVERIFY(database);
        QVERIFY(common::createLetterTables(*database));
    }

    QString path() const { return m_path; }

    bool add(const Rows& rows) const
    {
        auto database = db::Database::open(m_path, db::OpenMode::ReadWrite);
        if (!database || !database->beginTrans())
            return false;
        for (const Row& r : rows) {
            if (!database->execute(
                    QStringLiteral("INSERT INTO %1 (%2, %3) VALUES (?, ?)")
                        .arg(common::ComboTable, common::ComboCode, common::ComboText),
                    {r.code, r.text}))
                return false;
        }
        return database->commitTrans();
    }
    bool add(int code, const QStringList& texts) const
    {
        Rows rows;
        for (const QString& text : texts)
            rows.append(row(code, text));
        return add(rows);
    }

    bool run(const QString& sql) const
    {
        auto database = db::Database::open(m_path, db::OpenMode::ReadWrite);
        return database && database->execute(sql);
    }

    // Every row as "code:text", in table order.
    QStringList rows() const
    {
        QStringList list;
        auto database = db::Database::open(m_path, db::OpenMode::ReadOnly);
        if (!database)
            return {QStringLiteral("<no file>")};
        auto rs = database->openTable(common::ComboTable);
        if (!rs)
            return {QStringLiteral("<no table>")};
        for (; !rs->eof(); rs->moveNext()) {
            const db::Variant code = rs->field(common::ComboCode);
            const db::Variant text = rs->field(common::ComboText);
            list.append((code.isNull() ? QStringLiteral("<Null>") : code.toString()) +
                        QLatin1Char(':') +
                        (text.isNull() ? QStringLiteral("<Null>") : text.toString()));
        }
        return list;
    }

private:
    QTemporaryDir m_dir;
    QString m_path;
};

} // namespace phrasetest
