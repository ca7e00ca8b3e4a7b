// The roads from the main window to the stored letters: opening the data file, the record
// list, the entry form opened from it, and the letter put on the sheet. The windows run one
// after another from this flat loop: each ends with its result, and the loop opens the next.

#include "common/appstate.h"
#include "common/datafiles.h"
#include "entry/frmDat3.h"
#include "load/entryformopening.h"
#include "platform/busypointer.h"
#include "platform/filedialogs.h"
#include "platform/messagebox.h"
#include "record/letterstore.h"
#include "sheetdata/setformdata.h"
#include "sheetdata/sheetlayout.h"
#include "shell/form1.h"
#include "shell/frmdata.h"
#include "shell/previewcanvas.h"

#include <QFileInfo>
#include <QPoint>

#include <optional>

namespace shell {

namespace {

common::AppState& state()
{
    return common::appState();
}

} // namespace

void Form1::DataOpen()
{
    common::AppState& s = state();
    s.DatabasePath = s.AppPath + common::LetterFileName;
    if (!QFileInfo::exists(s.DatabasePath)) {
        s.DatabasePath.clear();
        if (platform::MsgBox(QStringLiteral("Ruviro.mdb が見つかりません。\r\n"
                                            "自分でファイルを探しますか？"),
                             platform::vbYesNo + platform::vbQuestion,
                             QStringLiteral("Serch Err！")) != platform::vbYes)
            return;
        DataSerch();
        if (s.DatabasePath.isEmpty())
            return;
    }
    runRecordList();
}

void Form1::DataSerch()
{
    const QString picked = platform::GetOpenFile(
        QString(), QStringLiteral("フォームファイル(*.BDB,*.OLD)|*.mdb;*.old"));
    if (picked.isEmpty())
        return;
    // The picked file must hold letters: a file that is no letter database of this program
    // is refused here, before the list opens on it or anything writes into it.
    const record::LetterListResult list = record::LetterStore(picked).list();
    if (!list.ok) {
        platform::MsgBox(list.error, platform::vbCritical, QStringLiteral("Serch Err！"));
        return;
    }
    state().DatabasePath = picked;
    state().InportState = 1;
}

void Form1::runRecordList()
{
    common::AppState& s = state();
    // Where the window handed over from stood: the list comes back where the entry form
    // was, and the entry form opens where the list was. The first list is centred.
    std::optional<QPoint> place;
    for (;;) {
        const record::LetterListResult list = record::LetterStore(s.DatabasePath).list();
        if (!list.ok) {
            platform::MsgBox(list.error, platform::vbCritical, QStringLiteral("患者情報一覧"));
            return;
        }
        int chosen = frmData::Cancelled;
        {
            frmData dialog(list.rows, this);
            if (place)
                dialog.move(*place);
            chosen = dialog.exec();
            place = dialog.pos();
        }
        switch (chosen) {
        case frmData::NewLetter:
        case frmData::StoredLetter:
            if (runEntryForm(*place) == entry::frmDat3::SavedForPrint) {
                // Saved for printing: the letter goes on the sheet and the print dialog
                // opens; the list is not shown again.
                s.CurrentLetterNoText = QString::number(s.CurrentLetterNo);
                showLetter(s.CurrentLetterNoText);
                runPrintDialog();
                return;
            }
            continue; // the entry form returns to the list, saved or discarded
        case frmData::LetterShown:
            showLetter(s.CurrentLetterNoText);
            return;
        default:
            return;
        }
    }
}

int Form1::runEntryForm(QPoint& place)
{
    common::AppState& s = state();
    // The busy pointer from the list's command until the form shows.
    platform::BusyPointer busy;
    entry::frmDat3 form(this);
    form.move(place);
    const load::EntryFormOpening opening =
        load::OpenEntryForm(form, s.DatabasePath, s.CurrentLetterNo);
    if (!opening.opened) {
        busy.restore();
        // A letter that cannot be read is never opened for editing: the list comes back.
        platform::MsgBox(QStringLiteral("データを読み込めませんでした。\r\n") + opening.error,
                         platform::vbCritical, QStringLiteral("患者情報一覧"));
        return entry::frmDat3::Discarded;
    }
    busy.restoreWhenShown(&form);
    const int result = form.exec();
    place = form.pos();
    return result;
}

void Form1::showLetter(const QString& letterNoText)
{
    sheetdata::SetFormData(m_model, state().DatabasePath, letterNoText);
    Picture2->clear();
    drawSheet();
    // The status bar names the patient of the letter on the sheet, "" for a number without
    // a letter.
    lblPointer->setText(m_model.FormText[sheetdata::PatientNameSlot]);
    if (!state().ZoomType)
        ZoomOut();
}

} // namespace shell
