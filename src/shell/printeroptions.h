#pragma once

#include <QString>
#include <QStringList>

#include <optional>

namespace shell {

// The user's stored options of the CUPS destinations: the lpoptions file that libcups
// reads and its own tools write ($HOME/.cups/lpoptions, root's too; $CUPS_SERVERROOT/lpoptions,
// default /etc/cups/lpoptions, without a home folder). Each line names a destination ("Dest name"
// or "Default name" for the default one, "name/instance" for an instance) followed by its options
// as text. Lines that are not touched are written back as they were read.
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
    // A destination's whole line as read; std::nullopt when it has none.
    std::optional<QString> line(const QString& destination) const;
    // Puts `text` in place of a destination's line, or adds it at the end.
    void setLine(const QString& destination, const QString& text);

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

// The default destination's name: the printer the program prints on when none is chosen,
// as the printing system finds it ($LPDEST, $PRINTER, the user's file and the system file
// where they name a printer that exists, else the scheduler's default). When no scheduler
// answers, or the printer named is gone, the name $LPDEST, $PRINTER (unless "lp"), the user's
// file or the system file gives. "" when none is known.
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
    QString DevModeSaved; // the options
    QString DevModeLine;  // the whole line they were read from, as it was
};
const DevModeState& devModeState();

} // namespace shell
