#pragma once

#include <QPainter>
#include <QRect>
#include <QSizeF>
#include <QString>
#include <QStringList>

#include <memory>

namespace platform {

// Paper codes as the printer settings number them (DMPAPER_*).
enum PaperCode : int {
    PaperLetter = 1,
    PaperA3 = 8,
    PaperA4 = 9,
    PaperA4Small = 10,
    PaperA5 = 11,
    PaperB4 = 12,
    PaperB5 = 13,
};

enum Orientation : int { Portrait = 1, Landscape = 2 };

// Colour modes as the printer settings number them (DMCOLOR_*).
enum ColorMode : int { Monochrome = 1, Color = 2 };

// The printer the program prints on: the current printer of the run, chosen from the
// installed ones, with the paper, orientation and copies the program sets on it. Setting a
// value the printer does not accept returns false and leaves the old value in force.
// Every measure of the device is in its own pixels; twipsPerPixel converts.
//
// The program never changes the system's stored defaults through this interface: every
// setting lives only in the printer object of the run.
class Printer
{
public:
    virtual ~Printer();

    // False when no printer is installed at all: every setter then fails and the page
    // measures are 0.
    virtual bool isInstalled() const = 0;
    virtual QStringList printerNames() const = 0;
    virtual QString defaultPrinterName() const = 0;
    // The current printer's name ("" without a printer).
    virtual QString deviceName() const = 0;
    virtual bool setDeviceName(const QString& name) = 0;

    virtual int paperSize() const = 0;
    virtual bool setPaperSize(int code) = 0;
    virtual int orientation() const = 0;
    virtual bool setOrientation(int orientation) = 0;
    // The number of copies; 0 leaves it to the printer's own setting (a driver that reports
    // none), and is reported so.
    virtual int copies() const = 0;
    virtual bool setCopies(int copies) = 0;
    virtual int colorMode() const = 0;
    virtual bool setColorMode(int mode) = 0;
    // The print quality in dots per inch (0 without a printer).
    virtual int printQuality() const = 0;
    virtual bool setPrintQuality(int dotsPerInch) = 0;
    // Where the current printer is connected: its device address ("" when unknown).
    virtual QString port() const = 0;

    // Dots per inch, the same across and down.
    virtual int resolution() const = 0;
    double twipsPerPixel() const;
    // The printable area in device pixels: its top-left corner is the unprintable offset
    // from the paper's corner, its size the printable width and height.
    virtual QRect printableAreaPixels() const = 0;
    // The paper's size in twips, in the current orientation.
    virtual QSizeF paperSizeTwips() const = 0;

    // A print job: a painter in device pixels on the first page (nullptr when the job cannot
    // start), further pages, and the end that hands the job over. abortDocument drops it.
    virtual QPainter* beginDocument(const QString& title) = 0;
    virtual bool newPage() = 0;
    virtual bool endDocument() = 0;
    virtual void abortDocument() = 0;
};

// The printer of the run: the system's printers through Qt unless a test installed another.
Printer& printer();
// Installs `replacement` as the printer of the run and returns the one it replaces.
std::unique_ptr<Printer> setPrinter(std::unique_ptr<Printer> replacement);

} // namespace platform
