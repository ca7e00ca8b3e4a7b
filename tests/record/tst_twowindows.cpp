// Two windows on one data file, each with its own connection: a letter's number is its place
// in the list, and a deletion in one window moves the letters behind it. A save or a deletion
// in the other window reaches the letter its user meant, or nothing at all.
#include "letterfile.h"
#include "letterfixtures.h"
#include "platform/database.h"
#include "record/letterstore.h"
#include "testenvironment.h"

#include <QtTest>

#include <atomic>
#include <random>
#include <set>
#include <thread>

using common::Field;
using record::Letter;
using record::LetterListRow;
using record::LetterStore;
using V = db::Variant;

namespace {

Letter letterNamed(const QString& name, const QString& diagnosis = QString())
{
    Letter letter;
    letter.set(Field::PatientName, V::fromString(name));
    letter.set(Field::Diagnosis1, V::fromString(diagnosis));
    return letter;
}

// An edit of the letter as read: its first diagnosis rewritten.
Letter edited(const Letter& asRead, const QString& diagnosis)
{
    Letter letter;
    letter.setNo(asRead.no());
    letter.set(Field::Diagnosis1, V::fromString(diagnosis));
    return letter;
}

QString nameOf(const Letter& letter)
{
    return letter.value(Field::PatientName).toString();
}

// The patients' names in letter-number order.
QStringList names(const QString& path)
{
    QStringList result;
    for (const LetterListRow& row : LetterStore(path).list().rows)
        result << QStringLiteral("%1:%2").arg(row.letterNo).arg(row.name);
    result.sort(); // numbers below 10 in these files
    return result;
}

LetterListRow listedRow(const QString& path, qint32 no)
{
    for (const LetterListRow& row : LetterStore(path).list().rows)
        if (row.letterNo == no)
            return row;
    return {};
}

} // namespace

class TwoWindowsTest : public QObject
{
    Q_OBJECT
private:
    std::unique_ptr<TestEnvironment> m_env;
    QString m_path;

    // Letters 1..n named 患者1..患者n.
    void addLetters(int n)
    {
        const LetterStore store(m_path);
        for (int i = 1; i <= n; ++i)
            QVERIFY(store.save(letterNamed(QStringLiteral("患者%1").arg(i))).saved);
    }

private Q_SLOTS:
    void init()
    {
        m_env = std::make_unique<TestEnvironment>();
        m_path = m_env->filePath(QStringLiteral("Ruviro.mdb"));
        QString error;
        QVERIFY2(letterfixtures::createDataFile(m_path, &error), qPrintable(error));
    }
    void cleanup() { m_env.reset(); }

    // Window A has letter 3 open; window B deletes letter 1, so the row numbered 3 now holds
    // the letter that was 4. A's save writes nothing; saved again over the letter where it is
    // now, it lands on its own letter.
    void saveAfterAnotherWindowDeleted()
    {
        addLetters(5);
        const LetterStore a(m_path);
        const LetterStore b(m_path);
        const Letter open = a.read(3).letter;
        QVERIFY(b.remove(listedRow(m_path, 1)).ok);

        const QByteArray before = LetterFile::fileHash(m_path);
        const auto refused = a.save(edited(open, QStringLiteral("脳梗塞")), open);
        QVERIFY(!refused.saved);
        QVERIFY(refused.notAsRead);
        QVERIFY2(refused.error.contains(QStringLiteral("ほかの画面")), qPrintable(refused.error));
        QCOMPARE(LetterFile::fileHash(m_path), before);
        QCOMPARE(names(m_path), (QStringList{"1:患者2", "2:患者3", "3:患者4", "4:患者5"}));

        const Letter moved = a.read(2).letter;
        QCOMPARE(nameOf(moved), QStringLiteral("患者3"));
        const auto saved = a.save(edited(moved, QStringLiteral("脳梗塞")), moved);
        QVERIFY2(saved.saved, qPrintable(saved.error));
        QCOMPARE(saved.letterNo, 2);
        QCOMPARE(nameOf(saved.stored), QStringLiteral("患者3"));
        QCOMPARE(a.read(2).letter.value(Field::Diagnosis1), V::fromString(u"脳梗塞"_qs));
        QCOMPARE(a.read(3).letter.value(Field::Diagnosis1), V::fromString(QString()));
    }

    // A letter changed in another window since it was read is not overwritten either; a
    // letter deleted there (no row at its number any more) neither.
    void saveAfterAnotherWindowChangedOrDeleted_data()
    {
        QTest::addColumn<QString>("meanwhile");
        QTest::newRow("edited there") << "edit";
        QTest::newRow("deleted there, the last letter") << "delete";
    }
    void saveAfterAnotherWindowChangedOrDeleted()
    {
        QFETCH(QString, meanwhile);
        addLetters(3);
        const Letter open = LetterStore(m_path).read(3).letter;
        if (meanwhile == u"edit") {
            const auto other = LetterStore(m_path).save(edited(open, u"高血圧"_qs), open);
            QVERIFY2(other.saved, qPrintable(other.error));
        } else {
            QVERIFY(LetterStore(m_path).remove(listedRow(m_path, 3)).ok);
        }
        const QByteArray before = LetterFile::fileHash(m_path);
        const auto refused = LetterStore(m_path).save(edited(open, u"脳梗塞"_qs), open);
        QVERIFY(refused.notAsRead);
        QVERIFY(!refused.saved);
        QCOMPARE(LetterFile::fileHash(m_path), before);
    }

    // Both windows list the letters and both delete "letter 1": the first deletes it, the
    // second finds another letter at that number and deletes nothing.
    void twoDeletionsOfTheSameLetter()
    {
        addLetters(4);
        const LetterListRow listedInA = listedRow(m_path, 1);
        const LetterListRow listedInB = listedRow(m_path, 1);
        const auto first = LetterStore(m_path).remove(listedInA);
        QVERIFY2(first.ok, qPrintable(first.error));
        const QByteArray before = LetterFile::fileHash(m_path);
        const auto second = LetterStore(m_path).remove(listedInB);
        QVERIFY(!second.ok);
        QVERIFY(second.notAsListed);
        QVERIFY2(second.error.contains(QStringLiteral("「患者1」")), qPrintable(second.error));
        QCOMPARE(LetterFile::fileHash(m_path), before);
        QCOMPARE(names(m_path), (QStringList{"1:患者2", "2:患者3", "3:患者4"}));
    }

    // A deletion that keeps its letter's list columns (its name, reading, sex, age, first
    // diagnosis, date, chart number) but was edited elsewhere in another field still deletes
    // the same letter; one whose listed name changed is not deleted.
    void deletionChecksTheListedColumns()
    {
        addLetters(2);
        const LetterListRow listed = listedRow(m_path, 2);
        const Letter asRead = LetterStore(m_path).read(2).letter;
        Letter renamed;
        renamed.setNo(2);
        renamed.set(Field::PatientName, V::fromString(u"別人"_qs));
        QVERIFY(LetterStore(m_path).save(renamed, asRead).saved);
        const auto refused = LetterStore(m_path).remove(listed);
        QVERIFY(refused.notAsListed);
        QCOMPARE(names(m_path), (QStringList{"1:患者1", "2:別人"}));

        const LetterListRow again = listedRow(m_path, 2);
        const Letter now = LetterStore(m_path).read(2).letter;
        Letter remarks;
        remarks.setNo(2);
        remarks.set(Field::Remarks, V::fromString(u"特記"_qs));
        QVERIFY(LetterStore(m_path).save(remarks, now).saved);
        QVERIFY(LetterStore(m_path).remove(again).ok);
        QCOMPARE(names(m_path), QStringList{"1:患者1"});
    }

    // A new letter saved while another window's deletion holds the file: the save waits for
    // the deletion's commit, and the number it gives is where the letter is after both.
    void newSaveRacingADeletion()
    {
        addLetters(5);
        auto deleting = db::Database::open(m_path, db::OpenMode::ReadWrite);
        QVERIFY(deleting && deleting->beginTrans());
        QVERIFY(deleting->execute(u"DELETE FROM 申請者情報 WHERE 作成NO = 1"_qs));
        for (int n = 2; n <= 5; ++n)
            QVERIFY(deleting->execute(u"UPDATE 申請者情報 SET 作成NO = ? WHERE 作成NO = ?"_qs,
                                      {V::fromLong(n - 1), V::fromLong(n)}));
        record::LetterSaveResult saved;
        const quint64 waitsBefore = db::busyWaits();
        std::atomic<bool> done = false;
        std::thread saving([&] {
            saved = LetterStore(m_path).save(letterNamed(QStringLiteral("新患者")));
            done = true;
        });
        // The deletion commits only once the save waits for the file's lock.
        const bool blocked = QTest::qWaitFor([&] { return db::busyWaits() > waitsBefore; }, 4000);
        const bool doneFirst = done;
        QVERIFY(deleting->commitTrans());
        deleting.reset();
        saving.join();
        QVERIFY2(blocked, "the save did not wait for the deletion's lock");
        QVERIFY2(!doneFirst, "the save ended before the deletion's commit");
        QVERIFY2(saved.saved, qPrintable(saved.error));
        QCOMPARE(saved.letterNo, 5);
        QCOMPARE(nameOf(LetterStore(m_path).read(saved.letterNo).letter), u"新患者"_qs);
        QCOMPARE(LetterFile::letterNumbers(m_path), (QList<qint32>{1, 2, 3, 4, 5}));
    }

    // Two writers at once, each with its own connection: one deletes letters as its list
    // shows them, the other saves new letters and edits of stored ones. Afterwards every
    // letter saved and not deleted is there exactly once, numbered 1..N, and every letter
    // holds only its own edits.
    void twoWritersAtOnce()
    {
        constexpr int kStart = 20;
        constexpr int kRounds = 60;
        for (int i = 1; i <= kStart; ++i)
            QVERIFY(LetterStore(m_path).save(letterNamed(QStringLiteral("L%1").arg(i))).saved);

        std::set<QString> created;
        for (int i = 1; i <= kStart; ++i)
            created.insert(QStringLiteral("L%1").arg(i));
        std::map<QString, QString> lastEdit; // name -> its last saved diagnosis
        std::set<QString> deleted;
        int newSaves = 0, edits = 0, editsRefused = 0, deletions = 0, deletionsRefused = 0;
        int otherFailures = 0;
        QStringList failures;

        std::thread deleter([&] {
            std::mt19937 random(1);
            for (int round = 0; round < kRounds; ++round) {
                const auto list = LetterStore(m_path).list();
                if (!list.ok || list.rows.isEmpty())
                    continue;
                const LetterListRow& row = list.rows.at(int(random() % list.rows.size()));
                const auto result = LetterStore(m_path).remove(row);
                if (result.ok) {
                    ++deletions;
                    deleted.insert(row.name);
                } else if (result.notAsListed) {
                    ++deletionsRefused;
                } else {
                    ++otherFailures;
                    failures << result.error;
                }
            }
        });
        std::mt19937 random(2);
        for (int round = 0; round < kRounds; ++round) {
            const LetterStore store(m_path);
            if (round % 3 == 0) {
                const QString name = QStringLiteral("N%1").arg(round);
                const auto saved = store.save(letterNamed(name));
                if (saved.saved) {
                    ++newSaves;
                    created.insert(name);
                    // The number given is where the letter was at the commit.
                    if (nameOf(saved.stored) != name || saved.stored.no() != saved.letterNo)
                        failures << QStringLiteral("new letter %1 told as %2")
                                        .arg(name)
                                        .arg(saved.letterNo);
                } else {
                    ++otherFailures;
                    failures << saved.error;
                }
                continue;
            }
            const auto highest = store.highestLetterNo();
            if (!highest || *highest == 0)
                continue;
            const auto read = store.read(1 + qint32(random() % *highest));
            if (!read.read())
                continue;
            const QString name = nameOf(read.letter);
            const QString diagnosis = QStringLiteral("%1 edit %2").arg(name).arg(round);
            const auto saved = store.save(edited(read.letter, diagnosis), read.letter);
            if (saved.saved) {
                ++edits;
                lastEdit[name] = diagnosis;
                if (nameOf(saved.stored) != name)
                    failures << QStringLiteral("edit of %1 stored on %2")
                                    .arg(name, nameOf(saved.stored));
            } else if (saved.notAsRead) {
                ++editsRefused;
            } else {
                ++otherFailures;
                failures << saved.error;
            }
        }
        deleter.join();
        qInfo("rounds %d per writer: %d new letters, %d edits saved, %d edits refused, "
              "%d deletions, %d deletions refused, %d other failures",
              kRounds, newSaves, edits, editsRefused, deletions, deletionsRefused, otherFailures);
        QVERIFY2(failures.isEmpty(), qPrintable(failures.join(u'\n')));

        const auto list = LetterStore(m_path).list();
        QVERIFY(list.ok);
        std::map<QString, int> seen;
        QList<qint32> numbers;
        for (const LetterListRow& row : list.rows) {
            ++seen[row.name];
            numbers << row.letterNo;
            const auto edit = lastEdit.find(row.name);
            QCOMPARE(row.diagnosis, edit == lastEdit.end() ? QString() : edit->second);
        }
        std::sort(numbers.begin(), numbers.end());
        for (int i = 0; i < numbers.size(); ++i)
            QCOMPARE(numbers[i], i + 1);
        for (const QString& name : created) {
            const int expected = deleted.count(name) ? 0 : 1;
            QVERIFY2(seen[name] == expected, qPrintable(name));
        }
        QCOMPARE(int(list.rows.size()), int(created.size() - deleted.size()));
        QVERIFY(deletions > 0 && edits > 0);
    }
};

QTEST_GUILESS_MAIN(TwoWindowsTest)
#include "tst_twowindows.moc"
