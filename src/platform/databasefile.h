#pragma once

#include <QByteArrayView>
#include <QString>

#include <optional>

// What a data file and the rollback journal beside it hold, read from their bytes without the
// engine: whether a file is kept the way this program keeps its files (a rollback journal,
// never a write-ahead log), and whether a journal can be shown to belong to the file it lies
// beside before the engine is let play it back into that file.
namespace db {

// The fields of a data file's header (the first 100 bytes of its first page) that tell how
// it is kept and how far it has come.
struct FileHeader
{
    quint32 pageSize = 0;
    quint8 writeVersion = 0; // 1: rollback journal; 2: write-ahead log
    quint8 readVersion = 0;
    quint32 changeCounter = 0; // counts the file's transactions
    quint32 pageCount = 0;     // the file's size in pages, as the header records it
    quint32 validFor = 0;      // the change counter for which pageCount holds

    // Kept with a rollback journal beside it, as this program keeps its files.
    bool rollbackJournal() const { return writeVersion == 1 && readVersion == 1; }
    bool pageCountValid() const { return validFor == changeCounter && pageCount > 0; }
};

// The header in a first page's image; nullopt when it is no data file's header.
std::optional<FileHeader> parseFileHeader(QByteArrayView firstPage);
// The header of the data file at `path`; nullopt with a sentence for the user when the file
// cannot be read or is no data file.
std::optional<FileHeader> readFileHeader(const QString& path, QString* error = nullptr);

struct JournalProof
{
    enum class Verdict {
        // No journal, or an empty one: nothing to give back.
        None,
        // The journal of a save that had not begun to write the file: every page it holds is
        // the file's own, unchanged. The file holds what was last committed; the journal can go.
        NothingToUndo,
        // The journal of a save cut off while it wrote the file, shown to belong to the file:
        // the engine must play it back for the file to hold what was last committed.
        Undo,
        // Damaged, or not shown to belong to the file: `reason` says why.
        Refused,
    };
    Verdict verdict = Verdict::Refused;
    QString reason; // a sentence for the user, when refused
};

// Reads the journal `journalPath` against the data file `databasePath` as the engine would
// play it back, and proves it before the engine is let near it. Refused: a header or a page
// record that is damaged or cut short (the engine would stop there in silence and leave the
// file half rolled back); a page size, or a size of the file before the save, that differs
// from the file's; pages that the save cannot yet have written but that differ from the
// file's. Once the journal has reached the disk, the save may have begun to write the file,
// its first page first: then the journal's image of the first page must be either the file's
// first page as it stands, with every other page of the journal still the file's own, or the
// one that the commit replaced (the change counter one lower, the rest of the header the
// same). A save larger than the engine's page cache, which writes pages before the first,
// is refused with the rest: nothing ties such a journal to the file. A journal of a file
// made alike and exactly one save behind this one is not told apart. Neither file is written.
JournalProof proveJournal(const QString& databasePath, const QString& journalPath);

} // namespace db
