// The order in which the save writes a letter's fields: each field first written in the order
// of the letter table, resets before answers, and the closing writes at the end.
#include "common/schema.h"
#include "platform/variant.h"
#include "record/datasave3.h"
#include "tableformreader.h"
#include "testenvironment.h"

#include <QtTest>

namespace {

// A letter that records every write.
class RecordingRow
{
public:
    QList<std::pair<QString, db::Variant>> writes;
    record::Letter letter;

    RecordingRow()
    {
        letter.watchWrites([this](common::Field field, const db::Variant& value) {
            writes.append({common::letterField(field).name, value});
        });
    }
    RecordingRow(const RecordingRow&) = delete;
    RecordingRow& operator=(const RecordingRow&) = delete;

    // The fields in the order of their first write.
    QStringList firstWrites() const
    {
        QStringList order;
        for (const auto& [name, value] : writes) {
            if (!order.contains(name))
                order.append(name);
        }
        return order;
    }
    QList<db::Variant> writesOf(const QString& field) const
    {
        QList<db::Variant> values;
        for (const auto& [name, value] : writes) {
            if (name == field)
                values.append(value);
        }
        return values;
    }
};

} // namespace

class WriteOrderTest : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    // With every finding ticked (a finding's flag has no reset before its answer), the first
    // write of each field comes in the order of the letter table.
    void fieldsFirstWrittenInTableOrder()
    {
        TestEnvironment env;
        TableFormReader form = TableFormReader::fullLetter();
        QVERIFY(form.apply({"chkKesson.Value=1", "chkTeika.Value=1", "chkKousyuku.Value=1",
                            "chkToutsu.Value=1", "chkJokusou.Value=1", "chkHihu.Value=1",
                            "chkHuzui(0).Value=1"}));
        RecordingRow row;
        record::DataSave3(form, row.letter);
        QStringList table;
        for (const common::LetterField& f : common::letterFields())
            table.append(f.name);
        QCOMPARE(row.firstWrites(), table);
    }

    // Every save writes every field but 作成NO, whatever the form holds.
    void everyFieldWritten()
    {
        TestEnvironment env;
        RecordingRow row;
        record::DataSave3(TableFormReader::blankLetter(), row.letter);
        QStringList written = row.firstWrites();
        QStringList table;
        for (const common::LetterField& f : common::letterFields())
            table.append(f.name);
        written.sort();
        table.sort();
        QCOMPARE(written, table);
    }

    // Resets come first and as Integer 0; answers follow as digit strings; the closing
    // writes repeat the institution.
    void resetThenSet()
    {
        TestEnvironment env;
        RecordingRow row;
        record::DataSave3(TableFormReader::fullLetter(), row.letter);
        using V = db::Variant;
        QCOMPARE(row.writesOf(QStringLiteral("寝たきり度")),
                 (QList<V>{V::fromInteger(0), V::fromString(QStringLiteral("6"))}));
        QCOMPARE(row.writesOf(QStringLiteral("医師同意")),
                 (QList<V>{V::fromInteger(0), V::fromInteger(1)}));
        QCOMPARE(row.writesOf(QStringLiteral("専門医")), QList<V>{V::fromInteger(1)});
        QCOMPARE(row.writesOf(QStringLiteral("医療機関電話")).size(), 2);
        QCOMPARE(row.writesOf(QStringLiteral("医療機関郵便番号")).size(), 1);
        QCOMPARE(row.writes.constLast().first, QStringLiteral("医療機関FAX"));
        QCOMPARE(row.writesOf(QStringLiteral("他科受診")),
                 (QList<V>{V::fromString(QString()), V::fromString(QStringLiteral("01")),
                           V::fromString(QStringLiteral("0104")),
                           V::fromString(QStringLiteral("010412"))}));
    }
};

QTEST_MAIN(WriteOrderTest)
#include "tst_writeorder.moc"
