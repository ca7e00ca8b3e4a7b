#pragma once

#include "sheet/printarea.h"
#include "sheet/printjob.h"
#include "sheetdata/sheetmodel.h"
#include "shell/viewlayout.h"

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenu>
#include <QScrollBar>
#include <QToolBar>

#include <functional>

namespace shell {

class PreviewCanvas;
class frmAdj;
class Viewport;

// The main window: the sheet preview with its menus, toolbar, paper label and status bar.
// It sets the run up when it is loaded (the window placement and options from the settings,
// the printer's paper mode, the blank sheet) and writes the placement and options back
// when it is closed.
class Form1 : public QMainWindow, public sheet::PrinterView
{
    Q_OBJECT
public:
    explicit Form1(QWidget* parent = nullptr);
    ~Form1() override;

    // Sets the run up: the wheel hook, the screen measures, the placement and options from
    // the settings, the printer, the blank sheet, the zoom state, the outline and label.
    // The window is not shown.
    void load();

    // The two views: the fitted copy of the sheet, and the full-size canvas.
    void ZoomOut();
    void ZoomIn();
    // Refreshes the printable area with its outline, and the paper label.
    void GetPrintArea() override;
    void ShowPaperSize() override;
    // Draws the sheet on the (cleared) canvas: both pages and, when a letter is on the sheet,
    // its texts and marks; the blank sheet shows the onset-date template instead.
    void drawSheet();

    // The sheet model: the letter on the sheet, or none.
    sheetdata::SheetModel& model() { return m_model; }

    // The toolbar's click handler: the action of the button with `key`.
    void toolbarButtonClick(const QString& key);

    // Menu commands.
    void mnuDel_Click();
    void mnuA3_Click();
    void mnuA4_Click();
    void mnu2P_Head_Click();
    void mnuUnzoom_Click();
    void mnuZoom_Click();
    void mnuAbout_Click();
    void mnuPrint_Click();
    // Prints the sheet on one A3 landscape page, or on two A4 portrait pages; afterwards the
    // printer is in that paper mode again. A job the printer breaks is abandoned and told.
    void GoPrintA3();
    void GoPrintA4();
    // The print dialog, opened again after the printer's properties, until it prints or is
    // cancelled.
    void runPrintDialog();
    // The printer's own settings dialog for the current printer; afterwards the paper mode
    // follows the paper chosen there (A3 stays A3 landscape, anything else is A4 portrait).
    void printerProperties();
    // Makes the printer picked in the driver's dialog the current one, tries A3 on it as a
    // choice in the printer list does; false, told to the user, when it cannot be chosen.
    bool followPrinterPicked(const QString& name);
    // The stored letters: DataOpen points DatabasePath at the data file (or, when it is
    // missing and the user wants, at a file picked with DataSerch) and runs the record list
    // with the entry form; it returns when they have closed.
    void DataOpen();
    void DataSerch();
    // The letter import from the other program's database: the offer, the import and the
    // record list; the menu command asks for it with InportState 10.
    void DataInport();
    void mnuIken_Click();
    // The postal-code import "郵便番号インポート", modal.
    void mnuYubin_Click();
    // Once the main window shows: the record list when InportState is 4, else the import offer.
    void openAtStartUp();
    // Puts stored letter `letterNoText` on the sheet and shows its name in the status bar.
    void showLetter(const QString& letterNoText);

    // Backup and restore of the data file, and the help. A backup typed without a suffix is
    // written as ".mdb", so that the restore's filter lists it; both dialogs open in the
    // folder of the last backup written in this run.
    void mnuReserve_Click();
    void mnuReturn_Click();
    void mnuTopic_Click();
    void showHelpContext(int context);
    // The end: closes the main window, which ends the run.
    void mnuEne_Click();

    // Controls, by the names the program gives them.
    QToolBar* Toolbar1 = nullptr;
    QLineEdit* txtPapersize = nullptr;
    QLineEdit* txtPaper = nullptr;
    QWidget* picStatus = nullptr;
    QLabel* Label1 = nullptr;
    QLabel* lblPointer = nullptr;
    Viewport* Picture1 = nullptr;
    PreviewCanvas* Picture2 = nullptr;
    QScrollBar* HScroll1 = nullptr;
    QScrollBar* VScroll1 = nullptr;
    QWidget* picSumi = nullptr;
    QLabel* imgSumi = nullptr;

    QMenu* mnuFile = nullptr;
    QAction* mnuNew = nullptr;
    QAction* mnuDel = nullptr;
    QMenu* mnuArea = nullptr;
    QAction* mnuA4 = nullptr;
    QAction* mnuA3 = nullptr;
    QAction* mnuPrint = nullptr;
    QMenu* mnuInport = nullptr;
    QAction* mnuIken = nullptr;
    QAction* mnuYubin = nullptr;
    QMenu* mnuBack = nullptr;
    QAction* mnuReserve = nullptr;
    QAction* mnuReturn = nullptr;
    QAction* mnuEne = nullptr;
    QMenu* mnuExp = nullptr;
    QAction* mnuUnzoom = nullptr;
    QAction* mnuZoom = nullptr;
    QMenu* mnuOption = nullptr;
    QMenu* OpPrint = nullptr;
    QAction* mnu2P_Head = nullptr;
    QMenu* mnuHelp = nullptr;
    QAction* mnuTopic = nullptr;
    QAction* mnuAbout = nullptr;

    // A toolbar button by its index (1 to 13; separators included).
    QAction* toolbarButton(int index) const;

    // The inner area of the window (below the menu bar) in twips.
    int innerWidthTwips() const;
    int innerHeightTwips() const;
    // The resize handler: lays the viewport, canvas and scroll bars out for the inner size.
    void Form_Resize();

    // The mouse-wheel hook on the window, from load to unload.
    void HookMain();
    void UnhookMain();
    bool isHooked() const { return m_hooked; }

    // What a finished restore opens: DataOpen unless set otherwise (tests set it).
    std::function<void()> openRecordList;
    // Called with the print dialog, laid out, just before it is shown (tests answer it).
    std::function<void(frmAdj&)> beforePrintDialog;

Q_SIGNALS:
    // A command whose work lives elsewhere (letter list, printing, imports, backup, help):
    // the name of its menu item.
    void commandRequested(const QString& name);

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void runRecordList();
    // The open-file dialog of the import: a Jet database chosen sets DatabasePath and
    // InportState 1; a cancelled dialog changes nothing.
    void searchImportSource();
    // The entry form at `place`; afterwards `place` is where it was left.
    int runEntryForm(QPoint& place);
    void createMenus();
    void createToolbar();
    void createStatusBar();
    void createPreview();
    void layoutBands();
    void placeWindow();
    void setUpPrinter();
    void printerSetUpFailed();
    void setZoomControls();
    void setPaperChecks(bool a3);
    void finishPrintJob(const sheet::PrintResult& result);
    // Close step D: the placement and options to the settings store, the default printer's
    // options back. "" when all was written, else what could not be, for the user.
    QString saveSettings();
    void place(QWidget* widget, const ControlRect& twips);
    int toPixelsX(double twips) const;
    int toPixelsY(double twips) const;

    sheetdata::SheetModel m_model;
    QWidget* m_inner = nullptr;
    QList<QAction*> m_buttons;
    WheelScroller m_wheel;
    bool m_hooked = false;
    bool m_closed = false;
    bool m_loaded = false;
    int m_copiesSetting = 1;
    // The folder of the last backup written in this run ("" before the first).
    QString m_backupFolder;
};

// The message when a printer cannot be made the current one: which, and the printer that
// stays in use.
QString printerNotChosenText(const QString& chosen, const QString& current);

} // namespace shell
