// The letter import: finding the other program's database, the offer, the import into the
// data file and the record list that follows.

#include "common/appstate.h"
#include "common/datafiles.h"
#include "import/frmIken.h"
#include "import/letterimport.h"
#include "import/sourcesearch.h"
#include "platform/database.h"
#include "platform/filedialogs.h"
#include "platform/jetfile.h"
#include "platform/messagebox.h"
#include "shell/databackup.h"
#include "shell/form1.h"

#include <QApplication>
#include <QFile>
#include <QFileInfo>

namespace shell {

namespace {

common::AppState& state()
{
    return common::appState();
}

bool declined()
{
    return state().InportState == 3 || state().InportState == 4;
}

const QString ImportTitle = QStringLiteral("インポート");

} // namespace

void Form1::openAtStartUp()
{
    if (state().InportState == 4)
        DataOpen();
    else
        DataInport();
}

void Form1::mnuIken_Click()
{
    state().InportState = 10;
    DataInport();
}

void Form1::searchImportSource()
{
    const QString picked = platform::GetOpenFile(
        QString(), QStringLiteral("フォームファイル(*.BDB,*.OLD)|*.mdb;*.old"));
    if (picked.isEmpty())
        return;
    // Only a database the import can read is taken; anything else is refused with its reason
    // and the not-found prompt comes again.
    QString error;
    if (!platform::JetFile::open(picked, &error)) {
        platform::MsgBox(error, platform::vbCritical, QStringLiteral("Serch Err！"));
        return;
    }
    state().DatabasePath = picked;
    state().InportState = 1;
}

void Form1::DataInport()
{
    common::AppState& s = state();
    s.DatabasePath = import::findSource();
    std::function<void()> openList = [this] { DataOpen(); };
    import::frmIken offer(openList, this);
    while (s.DatabasePath.isEmpty()) {
        s.InportState = s.InportState == 10 ? 12 : 2;
        offer.showModal();
        if (declined())
            return;
        searchImportSource();
        if (s.InportState == 2)
            continue;
        offer.nameSource(s.DatabasePath);
        break;
    }
    if (declined())
        return;
    offer.showModal();
    if (declined())
        return;

    // A read-only source is read from a copy in the data folder. Whatever lies under the
    // copy's name goes when the run ends, but never the source itself, not even when the
    // source is a file of that name.
    const QString source = s.DatabasePath;
    const QString copy = s.AppPath + QStringLiteral("Rizari.mdb");
    auto removeCopy = [&] {
        if (!isSameFile(source, copy))
            removeWorkingCopy(copy);
    };
    auto fail = [&](const QString& reason) {
        removeCopy();
        QApplication::restoreOverrideCursor();
        QString text = QStringLiteral("データベースのインポートに失敗しました。");
        if (!reason.isEmpty())
            text += QStringLiteral("\r\n") + reason;
        platform::MsgBox(text, platform::vbCritical, ImportTitle);
    };
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const QFile::Permissions writable = QFile::WriteOwner | QFile::WriteGroup | QFile::WriteOther;
    if (!(QFileInfo(source).permissions() & writable) && !isSameFile(source, copy)) {
        // An old copy that cannot be removed, or a copy that cannot be made whole, ends the
        // run: a stale copy is never read.
        const BackupResult copied = makeWorkingCopy(source, copy);
        if (!copied.ok) {
            fail(copied.error);
            return;
        }
        s.DatabasePath = copy;
    }

    const import::ImportResult result = [&] {
        const db::ActionScope action(db::Action::Import);
        return import::importLetters(s.DatabasePath, s.AppPath + common::LetterFileName);
    }();
    if (!result.ok) {
        fail(result.error);
        return;
    }
    s.CurrentLetterNo = result.nextLetterNo;
    s.InportState = 4;
    QApplication::restoreOverrideCursor();
    platform::MsgBox(QStringLiteral("データベースのインポートが終了しました。"),
                     platform::vbInformation, ImportTitle);
    DataOpen();
    removeCopy();
}

} // namespace shell
