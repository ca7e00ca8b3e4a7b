#pragma once

#include "import/postcodemaster.h"

#include <QDialog>
#include <QPlainTextEdit>
#include <QPushButton>

namespace import {

// "郵便番号インポート": the user lists postal-code files (the published CSV, or an LZH
// archive holding it), one a line, and refills the postal-code master from them. The master
// is emptied and every listed file added in one transaction: a file that fails, or a master
// that cannot be written, leaves the old master as it was and the dialog open with its list.
// A finished import closes the dialog.
class frmCSV : public QDialog
{
    Q_OBJECT
public:
    explicit frmCSV(QWidget* parent = nullptr);

    void cmdCSV_Click();
    void cmdRe_Click();
    void cmdCancel_Click();
    void cmdHelp_Click();
    void cmdInport_Click();

    // Adds the rows of the list file `FileName` to the master being refilled; a file that
    // cannot be read to its end is told to the user, with the reason. `error` receives why
    // the master could not be written (DatabaseFailed).
    PostCodeMaster::FileResult AddNewRecord2Database(const QString& FileName, PostCodeMaster& Rs,
                                                     QString* error = nullptr);
    // Takes the list out of the archive `FileName` into the archive's folder and returns its
    // path; "" (after telling the user) when the file is no sound archive, or when it holds
    // no list of its name. A name without a folder cannot be taken out anywhere: *failed is
    // set, and the import fails as a whole.
    QString DesolveLZH(const QString& FileName, bool* failed = nullptr);

    QPlainTextEdit* txtCSV = nullptr;
    QPushButton* cmdCSV = nullptr;
    QPushButton* cmdRe = nullptr;
    QPushButton* cmdCancel = nullptr;
    QPushButton* cmdInport = nullptr;
    QPushButton* cmdHelp = nullptr;

private:
    // A message box, with the busy pointer put aside while it shows.
    int message(const QString& text, int style, const QString& title);
    // The import's failure: the transaction rolled back, the message with `reason` on its
    // second line.
    void importFailed(PostCodeMaster* master, const QString& reason);
    bool m_busy = false;
};

} // namespace import
