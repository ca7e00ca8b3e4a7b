#pragma once

#include <QString>
#include <QStringList>

#include <optional>

namespace shell {

// The user's stored options of the CUPS destinations: the lpoptions file that libcups
// reads and its own tools write ($HOME/.cups/lpoptions, or $CUPS_SERVERROOT/lpoptions,
// default /etc/cups/lpoptions, for root). Each line names a destination ("Dest name" or
// "Default name" for the default one, "name/instance" for an instance) followed by its
// options as text. Lines that are not touched are written back as they were read.
class PrinterOptionsFile
{
public:
    explicit PrinterOptionsFile(QString path);
    // The file libcups reads the user's options from.
    static QString userFilePath();

    QString path() const { return m_path; }
    // Reads the file. A missing file reads as empty; false when it exists but cannot be read.
    bool read();
    // Writes the file in one piece; false when that fails (the old file then stays).
    bool write() const;

    // The destination of the "Default" line, "" when there is none.
    QString defaultDestination() const;
    // The options text of a destination's line; std::nullopt when it has no line.
    std::optional<QString> options(const QString& destination) const;
    // Replaces the options of a destination's line, or adds a "Dest" line for it.
    void setOptions(const QString& destination, const QString& options);

private:
    struct Line
    {
        QString text;        // the whole line as read, for lines that are not changed
        bool isDest = false; // a "Dest" or "Default" line
        bool isDefault = false;
        QString destination;
        QString options;
    };
    static Line parse(const QString& text);
    int find(const QString& destination) const;

    QString m_path;
    QList<Line> m_lines;
};

// The default destination's name as libcups chooses it: $LPDEST, then $PRINTER (unless
// "lp"), then the user's file, the system file, and last the scheduler's default. "" when
// none is known.
QString defaultDestination(const PrinterOptionsFile& userFile);

// The default printer's stored options, kept at start-up and put back at shutdown, so that
// whatever changed them during the run is undone. The program itself never changes them.
void DevModeSave();
// False when the kept options could not be written back.
bool DevModeRestore();

// What DevModeSave kept (for tests).
struct DevModeState
{
    bool DevModeNone = false;
    QString DevModeSaved;
};
const DevModeState& devModeState();

} // namespace shell
