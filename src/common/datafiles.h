#pragma once

#include <QString>

// The per-user data folder and the data files in it.
namespace common {

inline const QString LetterFileName = QStringLiteral("Ruviro.mdb");
inline const QString PostCodeFileName = QStringLiteral("PostCode.mdb");

// $XDG_DATA_HOME/Dizur/ (default ~/.local/share/Dizur/), always with a trailing "/".
QString dataFolder();

// The first start: when the data folder does not exist yet, creates it (mode 0700) with an
// empty letter file and an empty postal-code file (mode 0600) that hold their tables.
// An existing folder is left exactly as it is, and no file is ever overwritten. False
// with the reason when the folder or a file cannot be made; nothing half-made is left.
bool ensureDataFolder(QString* error = nullptr);

} // namespace common
