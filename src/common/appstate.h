#pragma once

#include <QString>
#include <QtGlobal>

// The program's shared state, one instance for the run: where the data lives, the letter in
// hand, the options kept in the settings store and the flags of the run.
namespace common {

struct AppState
{
    // The per-user data folder, with a trailing "/".
    QString AppPath;
    // The database file in use: the data file once it is opened, a file chosen in the open
    // dialog, or the other program's file during an import.
    QString DatabasePath;
    // 作成NO of the letter in hand: the one open in the entry form (0 for a new letter), the
    // row chosen in the record list, and the base of the import's numbering.
    qint32 CurrentLetterNo = 0;
    // 作成NO, as decimal text, of the letter to put on the sheet.
    QString CurrentLetterNoText;
    // The import offer's state (0, 1, 2, 3, 4, 10, 12); 4 = never offer again.
    quint8 InportState = 0;

    // Options kept in the settings store.
    bool ZoomType = true;   // full-size preview (true) or fitted (false)
    bool PaperType = false; // one A3 landscape sheet (true) or two A4 portrait sheets (false)
    bool PageHead = false;  // header line on page 2
    float UserX = 0;        // print offsets in millimetres
    float UserY = 0;
    quint8 DataSort = 0; // record-list order code: column and direction
    quint8 SortDesc = 0; // 1 when DataSort's direction is descending

    // Flags of the run.
    bool NoA3 = false;  // the printer refused A3
    quint8 ComboNo = 0; // code (1 to 22) of the phrase list being edited

    // The screen's twips per pixel, taken at start-up (kept exact: 1440 / logical DPI need
    // not be a whole number).
    double TwipsX = 15;
    double TwipsY = 15;
    // Whether the platform is of the NT family, noted at start-up.
    bool IsNT = false;
    // The default printer whose settings were kept at start-up; "" when none were.
    QString PrinterKey;
};

// The one instance.
AppState& appState();

// The record-list direction flag of an order code: 1 when its last digit is not 0.
quint8 SortDescOf(quint8 dataSort);

} // namespace common
