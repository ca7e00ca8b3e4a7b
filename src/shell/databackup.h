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

// Tests that `path` is a sound letter database: the engine's integrity check passes and the
// record list's query runs on it. The file is opened read-only and never written.
BackupResult testLetterDatabase(const QString& path);

// Writes a tested copy of the data file `dataFile` to `target` (replacing an existing
// target only once the copy is complete). A hot journal left beside the data file by a save
// that was cut off is rolled back first, so the copy is of a consistent file.
BackupResult backupDataFile(const QString& dataFile, const QString& target);

// Puts a tested copy of `source` in place of the data file `dataFile`: the copy is made in
// the data file's folder, tested, and renamed over the data file, after any journal left
// beside the data file has been dealt with (so that it cannot be replayed into the restored
// file). On failure the data file is left as it was.
BackupResult replaceDataFile(const QString& source, const QString& dataFile);

// Copies `source` to `target` (overwriting it), flushed to the disk; the file's bytes only.
BackupResult copyFileSynced(const QString& source, const QString& target);

// Whether the file's owner may not write it (its read-only attribute).
bool isReadOnlyFile(const QString& path);

// For tests: every block written by the copies goes through `writer` (the bytes, their
// count; returns the count written or -1 with errno set), so that a full disk can be
// simulated. An empty function restores the plain write.
using BlockWriter = std::function<qint64(int fd, const char* data, qint64 size)>;
void setBlockWriterForTesting(BlockWriter writer);

} // namespace shell
