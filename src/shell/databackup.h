#pragma once

#include <QString>

#include <functional>

// Copies of the whole data file: a backup written where the user chooses, and a backup put
// back in place of the data file. Every copy is written to a temporary file beside its
// target, flushed to the disk, tested as a letter database and only then renamed over the
// target, so that a target is always either the old file or the whole new one. Nothing here
// shows a message: each step returns what went wrong, in a sentence for the user.
namespace shell {

struct BackupResult
{
    bool ok = false;
    QString error; // "" when ok
    // The file to copy is no sound letter database (rather than a copy that failed).
    bool notLetterFile = false;
};

// What the file tested is to the user: the data file, or a backup to restore.
enum class FileRole { DataFile, Backup };

// Tests that `path` is a sound letter database of this program: kept with a rollback journal
// (never a write-ahead log, which the engine is then not let open), the engine's integrity
// check passes, its schema holds only the program's own objects (common::foreignSchemaObject:
// no trigger, no view, the unique index on 作成NO ...) and the record list's query runs on it.
// The file is opened read-only and never written. A failure names the file as `shownName`
// (the path itself when it is ""), as a file not written by this program when it is kept
// another way or holds what the program never makes.
BackupResult testLetterDatabase(const QString& path, const QString& shownName = QString(),
                                FileRole role = FileRole::DataFile);

// Writes a tested copy of the data file `dataFile` to `target` (replacing an existing
// target only once the copy is complete). A hot journal left beside the data file by a save
// that was cut off is rolled back first, so the copy is of a consistent file.
BackupResult backupDataFile(const QString& dataFile, const QString& target);

// Puts a tested copy of `source` in place of the data file `dataFile`: the copy is made in
// the data file's folder, tested, and renamed over the data file, after any journal left
// beside the data file has been dealt with (so that it cannot be replayed into the restored
// file). A file kept with a write-ahead log is refused before the engine opens it. A journal
// beside `source` (the file was copied while a save was under way) is copied along, proven
// to belong to the copy (db::proveJournal) and rolled back in it, so that the copy holds
// what was last committed; a journal that is damaged, not shown to be the file's own, or that
// cannot be copied or rolled back refuses the file. The copy is tested as testLetterDatabase
// does, and every letter of it is then read and checked (record::LetterStore::checkAll): a
// damaged letter refuses the file, named in the error. `source` and its journal are only
// read. On failure the data file is left as it was, and nothing of the copy stays. Errors
// name the picked file as `shownName` (`source` when ""), never a copy of it.
BackupResult replaceDataFile(const QString& source, const QString& dataFile,
                             const QString& shownName = QString());

// Copies `source` to `target` (overwriting it), flushed to the disk; the file's bytes only.
BackupResult copyFileSynced(const QString& source, const QString& target);

// Whether both paths name one file (after links are followed); false when either is missing.
bool isSameFile(const QString& a, const QString& b);

// Makes `copy` a fresh, writable copy of `source` (with the journal beside `source`, when one
// lies there, as `copy` + "-journal"): a picked file that is read-only is worked on through
// it. An earlier file at `copy` and its journal are removed first; when one cannot be
// removed, or the copy cannot be made whole, it fails and no file of its making is left at
// `copy`, so that a stale copy is never taken for the new one. `source` must not be `copy`
// itself (isSameFile).
BackupResult makeWorkingCopy(const QString& source, const QString& copy);
// Removes a working copy and its journal, where they exist.
void removeWorkingCopy(const QString& copy);

// Whether the file's owner may not write it (its read-only attribute).
bool isReadOnlyFile(const QString& path);

// For tests: every block written by the copies goes through `writer` (the bytes, their
// count; returns the count written or -1 with errno set), so that a full disk can be
// simulated. An empty function restores the plain write.
using BlockWriter = std::function<qint64(int fd, const char* data, qint64 size)>;
void setBlockWriterForTesting(BlockWriter writer);

} // namespace shell
