#pragma once

#include <QString>

#include <optional>

namespace shell {

// The settings section "Startup" of application "Dizur": window placement and options,
// read once at start-up and written once at shutdown. A stored value that cannot be read as
// its type gives the key's default.
namespace startup {

float readSingle(const QString& key, float def);
double readDouble(const QString& key, double def);
int readInteger(const QString& key, int def, int minimum, int maximum);
bool readBoolean(const QString& key, bool def);

void write(const QString& key, const QString& value);
void writeNumber(const QString& key, double value);
void writeSingle(const QString& key, float value);
void writeBoolean(const QString& key, bool value);

// A single-precision number in its shortest decimal text ("0.1", "-2.5", "9600").
QString singleText(float value);

} // namespace startup
} // namespace shell
