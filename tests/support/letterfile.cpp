#include "letterfile.h"

#include "common/schema.h"
#include "platform/database.h"

#include <QCryptographicHash>
#include <QFile>

#include <algorithm>

namespace LetterFile {

namespace {

const QString& Letters = common::LetterTable;
const QString& LetterNo = common::LetterKey;

std::unique_ptr<db::Recordset> seekLetter(db::Database& database, qint32 no)
{
    std::unique_ptr<db::Recordset> rs = database.openTable(Letters);
    if (!rs || !rs->setIndex(LetterNo) ||
        !rs->seek(QStringLiteral("="), db::Variant::fromLong(no)) || rs->noMatch())
        return nullptr;
    return rs;
}

bool run(const QString& path, const QString& sql, const QList<db::Variant>& params = {})
{
    const auto database = db::Database::open(path, db::OpenMode::ReadWrite);
    return database && database->execute(sql, params);
}

} // namespace

QMap<QString, QString> readLetter(const QString& path, qint32 no)
{
    QMap<QString, QString> row;
    const auto database = db::Database::open(path, db::OpenMode::ReadOnly);
    if (!database)
        return row;
    const auto rs = seekLetter(*database, no);
    if (!rs)
        return row;
    for (const QString& name : rs->fieldNames())
        row.insert(name, rs->field(name).toString());
    return row;
}

bool isNull(const QString& path, qint32 no, const QString& field)
{
    const auto database = db::Database::open(path, db::OpenMode::ReadOnly);
    const auto rs = database ? seekLetter(*database, no) : nullptr;
    return !rs || rs->field(field).isNull();
}

QList<qint32> letterNumbers(const QString& path)
{
    QList<qint32> numbers;
    const auto database = db::Database::open(path, db::OpenMode::ReadOnly);
    const auto rs = database ? database->openTable(Letters) : nullptr;
    if (!rs)
        return numbers;
    for (rs->moveFirst(); !rs->eof(); rs->moveNext())
        numbers.append(rs->field(LetterNo).toLong().value_or(-1));
    std::sort(numbers.begin(), numbers.end());
    return numbers;
}

bool addEmptyLetter(const QString& path, qint32 no)
{
    return run(path, QStringLiteral("INSERT INTO 申請者情報 (作成NO) VALUES (?)"),
               {db::Variant::fromLong(no)});
}

bool dropColumn(const QString& path, const QString& column)
{
    return run(path, QStringLiteral("ALTER TABLE 申請者情報 DROP COLUMN \"%1\"").arg(column));
}

bool refuseNewLetters(const QString& path)
{
    return run(path, QStringLiteral("CREATE TRIGGER refuse_letters BEFORE INSERT ON 申請者情報 "
                                    "BEGIN SELECT RAISE(ABORT, 'refused'); END"));
}

QByteArray fileHash(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QCryptographicHash::hash(file.readAll(), QCryptographicHash::Sha256);
}

} // namespace LetterFile
