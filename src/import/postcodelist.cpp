#include "import/postcodelist.h"

#include "import/cp932.h"

namespace import {

namespace {

const QString kNotListedHere = QStringLiteral("以下に掲載がない場合");

bool isBlank(QChar c)
{
    return c == u' ' || c == u'\t';
}

bool isLineEnd(QChar c)
{
    return c == u'\n' || c == u'\r';
}

// The length of the line end at `i` of `text`: 2 for CR LF, 1 for a lone CR or LF, 0 for none.
qsizetype lineEndLength(QStringView text, qsizetype i)
{
    if (i >= text.size() || !isLineEnd(text[i]))
        return 0;
    return text[i] == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n' ? 2 : 1;
}

bool fail(QString* error, const QString& text)
{
    if (error)
        *error = text;
    return false;
}

} // namespace

namespace {

// Fills `row` in place: its strings keep their room from record to record.
void fillRow(PostCodeRow& row, QStringView code, QStringView prefecture, QStringView city,
             QStringView town)
{
    row.code.clear();
    row.code.append(code.left(PostCodeCodeWidth));
    while (row.code.size() < PostCodeCodeWidth)
        row.code.append(u' ');
    row.address.clear();
    row.address.append(prefecture).append(city).append(town);
    if (row.address.endsWith(kNotListedHere))
        row.address.chop(kNotListedHere.size());
}

} // namespace

PostCodeRow postCodeRow(QStringView code, QStringView prefecture, QStringView city,
                        QStringView town)
{
    PostCodeRow row;
    fillRow(row, code, prefecture, city, town);
    return row;
}

PostCodeListReader::Result PostCodeListReader::next(PostCodeRow& row, QString* error)
{
    if (m_failed) {
        fail(error, QStringLiteral("%1 行目が正しくありません。").arg(m_line));
        return Result::BadRecord;
    }
    const qsizetype n = m_text.size();
    const QChar* const text = m_text.data();
    // Empty lines hold no record.
    while (const qsizetype endLength = lineEndLength(m_text, m_pos)) {
        ++m_line;
        m_pos += endLength;
    }
    if (m_pos >= n)
        return Result::End;
    ++m_line;

    const auto bad = [&](const QString& why) {
        m_failed = true;
        fail(error, QStringLiteral("%1 行目：%2").arg(m_line).arg(why));
        return Result::BadRecord;
    };

    QStringView fields[PostCodeFieldCount];
    QString unquoted[PostCodeFieldCount]; // a quoted field that held a doubled quote
    int count = 0;
    qsizetype i = m_pos;
    for (;;) {
        while (i < n && isBlank(text[i]))
            ++i;
        QStringView field;
        if (i < n && text[i] == u'"') {
            const qsizetype start = ++i;
            bool doubled = false;
            for (;;) {
                while (i < n && text[i] != u'"' && !isLineEnd(text[i]))
                    ++i;
                if (i >= n || isLineEnd(text[i]))
                    return bad(QStringLiteral("引用符が閉じていません。"));
                if (i + 1 < n && text[i + 1] == u'"') {
                    doubled = true;
                    i += 2;
                    continue;
                }
                break;
            }
            field = QStringView(text + start, text + i);
            ++i; // the closing quote
            while (i < n && isBlank(text[i]))
                ++i;
            if (i < n && text[i] != u',' && !isLineEnd(text[i]))
                return bad(QStringLiteral("引用符の後に余分な文字があります。"));
            if (doubled && count < PostCodeFieldCount) {
                unquoted[count] =
                    field.toString().replace(QStringLiteral("\"\""), QStringLiteral("\""));
                field = unquoted[count];
            }
        } else {
            const qsizetype start = i;
            while (i < n && text[i] != u',' && !isLineEnd(text[i]))
                ++i;
            field = QStringView(text + start, text + i);
        }
        if (count == PostCodeFieldCount)
            return bad(QStringLiteral("項目が %1 個を超えています。").arg(PostCodeFieldCount));
        fields[count++] = field;
        if (i < n && text[i] == u',') {
            ++i;
            continue;
        }
        break; // the line's end, or the text's
    }
    if (count != PostCodeFieldCount)
        return bad(QStringLiteral("項目が %1 個しかありません（%2 個必要です）。")
                       .arg(count)
                       .arg(PostCodeFieldCount));
    m_pos = i + lineEndLength(m_text, i);
    fillRow(row, fields[2], fields[6], fields[7], fields[8]);
    return Result::Row;
}

bool readPostCodeList(QByteArrayView bytes, const std::function<bool(const PostCodeRow&)>& sink,
                      QString* error)
{
    QString text;
    if (!decodeCp932(bytes, text))
        return fail(
            error, QStringLiteral("日本語の文字コード（シフトJIS）として読めない文字があります。"));
    PostCodeListReader reader(text);
    PostCodeRow row;
    for (;;) {
        switch (reader.next(row, error)) {
        case PostCodeListReader::Result::End:
            return true;
        case PostCodeListReader::Result::BadRecord:
            return false;
        case PostCodeListReader::Result::Row:
            if (!sink(row))
                return false;
            break;
        }
    }
}

} // namespace import
