#pragma once

#include "record/letter.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <functional>
#include <optional>

// The letters of the data file (Ruviro.mdb): the only code that opens it for letters.
// Storage only: every failure comes back as a result with a sentence for the user, and
// nothing is shown here.
namespace db {
class Database;
}

namespace record {

struct LetterReadResult
{
    enum class Status { Read, NoRow, Failed };
    Status status = Status::Failed;
    Letter letter;       // when read: every field the file has a column for is set
    QStringList missing; // the fields the file has no column for (left unset)
    QString error;       // why it could not be read, when Failed
    // When read: the first field whose stored value it cannot hold (see checkAll), which
    // reads as best it can; such a letter is not to be edited.
    std::optional<common::Field> unfit;
    bool read() const { return status == Status::Read; }
};

struct LetterSaveResult
{
    bool saved = false;
    // The letter's row no longer holds the letter that was read (another window changed
    // it, or a deletion there moved another letter to its number or took it away): nothing
    // was written.
    bool notAsRead = false;
    // The number the letter is stored under (a new letter's new number), when saved.
    qint32 letterNo = 0;
    // The set fields the file could not take (it has no such column): the letter was stored
    // without them.
    QStringList lostFields;
    // Why the letter could not be saved, a sentence for the user; "" when saved.
    QString error;
    // When saved: the row as it stands at the commit, read back inside the transaction (the
    // letter as read, for the next save of the same form).
    Letter stored;
};

// One letter as the list shows it; a Null field reads as "".
struct LetterListRow
{
    qint64 rowId = 0;    // the row in the file: a renumbering keeps it, a restore does not
    qint32 letterNo = 0; // 作成NO
    QString chartNo;     // chart number
    QString name;        // patient's name
    QString kana;        // its reading
    QString sex;         // as stored: "1" man, "2" woman
    QString age;
    QString diagnosis; // the first diagnosis
    QString writtenOn; // the writing date, an era date

    bool operator==(const LetterListRow&) const = default;
};

} // namespace record
// Its members move as plain bytes: a list of 10,000 rows grows without copying each text.
Q_DECLARE_TYPEINFO(record::LetterListRow, Q_RELOCATABLE_TYPE);
namespace record {

struct LetterListResult
{
    bool ok = false;
    QString error;
    QList<LetterListRow> rows; // in table order
};

struct LetterDeleteResult
{
    bool ok = false;
    // The row at the listed number is gone or holds another letter than the one listed
    // (another window deleted, renumbered or changed it): nothing was changed.
    bool notAsListed = false;
    QString error;
};

struct LettersAddResult
{
    bool ok = false;
    QList<qint32> letterNos; // the numbers given, in the order of the letters
    QString error;
};

struct LetterCheckResult
{
    bool ok = false;
    int letters = 0;     // the letters read, when ok
    qint32 letterNo = 0; // the first damaged letter (0 when its number itself is damaged)
    QString field;       // its damaged field
    QString error;       // why the file failed the check, a sentence for the user
};

class LetterStore
{
public:
    explicit LetterStore(QString path) : m_path(std::move(path)) {}

    QString path() const { return m_path; }

    // The letter numbered `letterNo`, read-only, the number bound as a parameter.
    LetterReadResult read(qint32 letterNo) const;

    // Saves the letter in one transaction. A new one (no() 0) gets one above the highest
    // stored number, chosen and added inside the same transaction. A stored letter (no() not
    // 0) is found by its 作成NO and its set fields rewritten (an unset field keeps what the
    // row holds), but only when the row, read inside the transaction, still holds `asRead`,
    // the letter as it was read before the user edited it (the same number, every field the
    // same, Null apart from ""): a letter's number is its place, and another window may have
    // changed the letter or moved another one to its place. Otherwise notAsRead is set and
    // nothing is written. When anything fails (the file cannot be opened or written, the row
    // or the commit is refused) nothing is written.
    LetterSaveResult save(const Letter& letter, const Letter& asRead = Letter()) const;

    // Every letter through the list's query, read-only.
    LetterListResult list() const;

    // Deletes the row the list showed as `listed` (its rowid) and moves every letter with a
    // higher number down by one, in ascending order, all in one transaction; only when that
    // row is still there and reads as `listed`, number included (else notAsListed), and no
    // other row holds its number (else the error names the number). On any refusal or
    // failure nothing is deleted and no number changes.
    LetterDeleteResult remove(const LetterListRow& listed) const;

    // More rows written in the same transaction as the letters (an import's phrase-list
    // items): false with the reason rolls everything back.
    using AlsoWrite = std::function<bool(db::Database& database, QString* error)>;

    // Adds the letters under new numbers after the highest stored one, in their order, then
    // runs `alsoWrite`, all in one transaction. A set field that cannot be written (no column
    // for it, a value it cannot take) fails the whole addition: nothing arrives incomplete.
    LettersAddResult add(const QList<Letter>& letters, const AlsoWrite& alsoWrite = {}) const;

    // The highest stored 作成NO (0 for no letters), read through its index.
    std::optional<qint32> highestLetterNo(QString* error = nullptr) const;

    // Reads every field of every letter as the file stores it and checks it against its kind:
    // a text must be well-formed UTF-8 text, a Yes/No one of 0, 1 (or -1), an answer code a
    // whole number from 0 to 32767, a 作成NO a positive 32-bit number; Null is taken
    // everywhere but in 作成NO. Fails on the first value that breaks this (a file damaged
    // inside its rows, which the engine's own check does not see), naming its letter and
    // field, or when a row cannot be read. Read-only; a column the file lacks is not checked.
    LetterCheckResult checkAll() const;

private:
    QString m_path;
};

} // namespace record
