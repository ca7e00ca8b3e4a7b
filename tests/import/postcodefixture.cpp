#include "postcodefixture.h"

#include "common/schema.h"
#include "platform/database.h"

#include <QFile>
#include <QStringEncoder>

namespace PostCodeFixture {

QByteArray cp932(const QString& text)
{
    QStringEncoder encoder("Shift_JIS");
    QByteArray bytes = encoder.encode(text);
    return encoder.hasError() ? QByteArray() : bytes;
}

QString record(const QString& code, const QString& prefecture, const QString& city,
               const QString& town)
{
    return QStringLiteral("01101,\"%1\",\"%2\",\"ﾎｯｶｲﾄﾞｳ\",\"ｻｯﾎﾟﾛｼﾁｭｳｵｳｸ\",\"ｲｶﾆｹｲｻｲｶﾞﾅｲﾊﾞｱｲ\","
                          "\"%3\",\"%4\",\"%5\",0,0,0,0,0,0\r\n")
        .arg(code.left(3), code, prefecture, city, town);
}

bool writeFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) &&
           file.write(bytes) == bytes.size() && file.flush();
}

bool makeMaster(const QString& path, const QStringList& rows)
{
    QFile::remove(path);
    auto database = db::Database::create(path);
    if (!database || !common::createPostCodeTables(*database))
        return false;
    for (const QString& row : rows) {
        const QStringList parts = row.split(u'|');
        if (!database->execute(
                QStringLiteral("INSERT INTO 郵便番号マスタ VALUES (?, ?)"),
                {db::Variant::fromString(parts.value(0)), db::Variant::fromString(parts.value(1))}))
            return false;
    }
    return true;
}

QStringList masterRows(const QString& path)
{
    QStringList rows;
    auto database = db::Database::open(path, db::OpenMode::ReadOnly);
    if (!database)
        return {QStringLiteral("(cannot open)")};
    auto rs = database->openTable(common::PostCodeTable);
    if (!rs)
        return {QStringLiteral("(no table)")};
    for (rs->moveFirst(); !rs->eof(); rs->moveNext())
        rows << rs->field(common::PostCodeCode).toString() + u'|' +
                    rs->field(common::PostCodeAddress).toString();
    return rows;
}

bool refuseAddress(const QString& path, const QString& address)
{
    auto database = db::Database::open(path, db::OpenMode::ReadWrite);
    QString literal = address;
    literal.replace(u'\'', QStringLiteral("''"));
    return database && database->execute(QStringLiteral("CREATE TRIGGER refuse BEFORE INSERT ON "
                                                        "郵便番号マスタ WHEN NEW.住所 = '%1' "
                                                        "BEGIN SELECT RAISE(ABORT, 'refused'); END")
                                             .arg(literal));
}

} // namespace PostCodeFixture
