#pragma once

#include <QString>

namespace import {

// The other program's database, where its registration says it is: the App Paths key of
// dararir2.exe names the program, whose database is data/rododova.mdb in its folder; only
// when that key has no value, the key of dararir1.exe and VadureData.mdb in its folder.
// Read from the Wine prefix's registry. "" when the file named there does not exist, when
// neither key has a value, or when the value names no folder.
QString findSource();

} // namespace import
