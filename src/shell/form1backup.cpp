// The main window's backup, restore and help commands.

#include "common/appstate.h"
#include "common/datafiles.h"
#include "platform/database.h"
#include "platform/filedialogs.h"
#include "platform/helpwindow.h"
#include "platform/messagebox.h"
#include "shell/databackup.h"
#include "shell/form1.h"

#include <QDir>
#include <QFileInfo>

namespace shell {

namespace {

const QString BackupFilter = QStringLiteral("Sarnet意見書データファイル(*.mdb)|*.mdb");
const QString BackupSuffix = QStringLiteral("mdb");
const QString TemporaryCopyName = QStringLiteral("Rizari.mdb");

QString dataFilePath()
{
    return common::appState().AppPath + common::LetterFileName;
}

void tellRestoreFailed(const QString& reason = QString())
{
    QString text = QStringLiteral("バックアップファイルから復帰に失敗しました。");
    if (!reason.isEmpty())
        text += QStringLiteral("\r\n") + reason;
    platform::MsgBox(text, platform::vbCritical, QStringLiteral("インポート"));
}

} // namespace

void Form1::mnuReserve_Click()
{
    const QString target = platform::GetSaveFile(QStringLiteral("データ保存"), BackupFilter,
                                                 m_backupFolder, QString(), BackupSuffix);
    if (target.isEmpty())
        return;
    const BackupResult result = [&] {
        const db::ActionScope action(db::Action::Backup);
        return backupDataFile(dataFilePath(), target);
    }();
    if (!result.ok) {
        platform::MsgBox(QStringLiteral("バックアップファイルを保存できませんでした。\r\n") +
                             result.error,
                         platform::vbCritical, QStringLiteral("バックアップ"));
        return;
    }
    m_backupFolder = QFileInfo(target).absolutePath();
    platform::MsgBox(QStringLiteral("バックアップファイルを保存しました。"),
                     platform::vbInformation, QStringLiteral("バックアップ"));
}

void Form1::mnuReturn_Click()
{
    const QString picked =
        platform::GetOpenFile(QStringLiteral("データ復帰"), BackupFilter, m_backupFolder);
    if (picked.isEmpty()) {
        tellRestoreFailed();
        return;
    }
    if (platform::MsgBox(QStringLiteral("現在のSarnet意見書データファイルは上書きされます。"
                                        "続けますか？"),
                         platform::vbYesNo + platform::vbExclamation,
                         QStringLiteral("注意！")) != platform::vbYes)
        return;

    // A read-only backup is restored from a writable copy in the data folder, which goes
    // again at the end; the picked file itself is never changed or removed, not even when
    // it is a read-only file of that copy's name.
    QString file = picked;
    const QString copy = common::appState().AppPath + TemporaryCopyName;
    bool madeCopy = false;
    auto removeCopy = [&] {
        if (madeCopy)
            removeWorkingCopy(copy);
    };
    if (isReadOnlyFile(file) && !isSameFile(file, copy)) {
        const BackupResult copied = makeWorkingCopy(file, copy);
        if (!copied.ok) {
            tellRestoreFailed(copied.error);
            return;
        }
        madeCopy = true;
        file = copy;
    }
    if (!QFileInfo::exists(file)) {
        removeCopy();
        tellRestoreFailed(
            QStringLiteral("%1 がありません。").arg(QDir::toNativeSeparators(picked)));
        return;
    }

    const BackupResult replaced = [&] {
        const db::ActionScope action(db::Action::Restore);
        return replaceDataFile(file, dataFilePath(), picked);
    }();
    if (!replaced.ok) {
        removeCopy();
        tellRestoreFailed(replaced.error);
        return;
    }
    platform::MsgBox(QStringLiteral("バックアップファイルから復帰を行いました。"),
                     platform::vbInformation, QStringLiteral("バックアップ"));
    if (openRecordList)
        openRecordList();
    else
        DataOpen();
    removeCopy();
}

void Form1::mnuTopic_Click()
{
    platform::HelpWindow::showContents(this);
}

void Form1::showHelpContext(int context)
{
    platform::HelpWindow::showContext(this, context);
}

} // namespace shell
