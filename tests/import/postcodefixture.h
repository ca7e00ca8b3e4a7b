#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

// Postal-code lists and masters for the import tests, made by the tests themselves.
namespace PostCodeFixture {

// The text in code page 932.
QByteArray cp932(const QString& text);
// One record of the published layout (15 fields, CR LF), the kana fields filled in.
QString record(const QString& code, const QString& prefecture, const QString& city,
               const QString& town);
bool writeFile(const QString& path, const QByteArray& bytes);

// A new PostCode.mdb with the program's schema at `path`, holding `rows` ("code|address").
bool makeMaster(const QString& path, const QStringList& rows = {});
// The master's rows in table order, as "code|address".
QStringList masterRows(const QString& path);
// Makes the master refuse a new row whose address is `address`, as a full disk would.
bool refuseAddress(const QString& path, const QString& address);

} // namespace PostCodeFixture
