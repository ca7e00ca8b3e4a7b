#pragma once

#include <QString>

// LZH archives, read with liblhasa. Only what the postal-code import needs: telling an
// archive from another file, and taking one member out of it into a folder.
namespace platform {

// True when the file reads as an LZH archive: its first member's header is sound.
bool isLzhArchive(const QString& path);

struct LzhExtraction
{
    enum Outcome {
        Extracted,
        NotAnArchive, // no LZH header at the start
        UnsafeName,   // a member named with an absolute path or with ".."
        CrcMismatch,  // the member's data does not match its CRC or its length
        NoSuchMember,
        WriteFailed, // the file could not be written into the folder
    };
    Outcome outcome = NotAnArchive;
    QString path;  // the file written, when Extracted
    QString error; // what went wrong, otherwise
};

// Takes the member whose file name (its path left aside) equals `memberName` without regard
// to case out of the archive, into `folder`, under the member's own file name; a file of
// that name in the folder is replaced. Every member's name is looked at first: an archive
// that names one with an absolute path or with ".." is refused, and nothing is written
// anywhere else than `folder`. The data is checked against the member's CRC-16 and length
// before it takes the name: a damaged member leaves the folder as it was.
LzhExtraction extractLzhMember(const QString& archivePath, const QString& memberName,
                               const QString& folder);

// The CRC-16 of LZH archives (polynomial 0xA001, reflected, starting from 0).
quint16 lzhCrc16(quint16 crc, const char* data, qsizetype size);

} // namespace platform
