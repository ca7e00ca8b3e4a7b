#pragma once

#include <QString>

namespace entry {

// What looking a postal code up in the postal-code master found.
struct PostCodeLookup
{
    enum class Status {
        Found,
        NotFound,
        NoMaster, // no such file
        Unusable, // a file that cannot be opened, or lacks the table: reason says why
    };
    Status status = Status::NoMaster;
    QString address; // the master's 住所 when found
    QString reason;
};

// Seeks `code` (as typed, the seven digits without a hyphen) in table 郵便番号マスタ of the
// master file at `masterPath`, opened read-only for this one look-up. A stored key's
// trailing blanks take no part in the comparison; of several rows with the key, the first
// stored wins.
PostCodeLookup LookUpPostCode(const QString& masterPath, const QString& code);

// The address box's text after the master's address `master` is put into it:
// - an empty box takes the master's address;
// - a box that contains it anywhere stays as it is;
// - otherwise, where the box holds the last two characters of the master's address (all of
//   it when shorter), what stands up to and including them is replaced by the master's
//   address and what follows (house number, building) stays;
// - a box without them stays as it is: what the user typed is never dropped.
QString MergeAddress(const QString& box, const QString& master);

} // namespace entry
