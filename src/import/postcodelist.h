#pragma once

#include <QByteArrayView>
#include <QString>
#include <QStringView>

#include <functional>

// The nationwide postal-code list in its published comma-separated layout: one record a
// line, 15 fields, in code page 932. Of a record the master keeps the seven-digit code
// (field 3) and the address (fields 7, 8 and 9).
namespace import {

inline constexpr int PostCodeFieldCount = 15;
inline constexpr int PostCodeCodeWidth = 8;

// One row of the postal-code master.
struct PostCodeRow
{
    QString code;    // field 3, cut or padded with blanks to 8 characters
    QString address; // fields 7, 8 and 9 joined, without a closing "以下に掲載がない場合"
};

// The master's row made from a record's code and its three address fields.
PostCodeRow postCodeRow(QStringView code, QStringView prefecture, QStringView city,
                        QStringView town);

// Reads the records of a decoded list, one line after another. A field ends at a comma or
// at the line's end; a field in double quotes is taken without them and may hold commas
// (a doubled quote inside stands for one quote); blanks before a field are skipped. Lines
// that are empty are passed over. A line that does not hold exactly 15 fields, or that is
// not written as above (a quote left open, text after a closing quote), is a bad record:
// reading stops there.
class PostCodeListReader
{
public:
    enum class Result { Row, End, BadRecord };

    explicit PostCodeListReader(QStringView text) : m_text(text) {}

    // The next record's row, the end of the list, or a bad record (then `error` says which
    // line and why, and every later call gives BadRecord again).
    Result next(PostCodeRow& row, QString* error = nullptr);
    // The line of the record read last (from 1).
    qsizetype lineNumber() const { return m_line; }

private:
    QStringView m_text;
    qsizetype m_pos = 0;
    qsizetype m_line = 0;
    bool m_failed = false;
};

// Decodes the bytes of a list (code page 932) and hands every row to `sink` in file order.
// False with the reason when the bytes are not code page 932, when a record is bad, or when
// `sink` returns false (then `error` is left as `sink` set it); the rows handed over before
// stay handed over.
bool readPostCodeList(QByteArrayView bytes, const std::function<bool(const PostCodeRow&)>& sink,
                      QString* error = nullptr);

} // namespace import
