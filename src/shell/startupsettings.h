#pragma once

#include <QString>

namespace shell {

// The settings section "Startup" of application "Dizur": window placement and options,
// read once at start-up and written once at shutdown. A stored value that cannot be read as
// its type gives the key's default.
namespace startup {

float readSingle(const QString& key, float def);
double readDouble(const QString& key, double def);
int readInteger(const QString& key, int def, int minimum, int maximum);
bool readBoolean(const QString& key, bool def);

// False when the settings file could not be written.
bool write(const QString& key, const QString& value);
bool writeNumber(const QString& key, double value);
bool writeSingle(const QString& key, float value);
bool writeBoolean(const QString& key, bool value);

} // namespace startup
} // namespace shell
