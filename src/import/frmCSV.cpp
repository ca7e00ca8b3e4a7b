#include "import/frmCSV.h"

#include "common/datafiles.h"
#include "platform/database.h"
#include "platform/filedialogs.h"
#include "platform/helpwindow.h"
#include "platform/lzharchive.h"
#include "platform/messagebox.h"

#include <QApplication>
#include <QFileInfo>

namespace import {

namespace {

const QString kTitle = QStringLiteral("郵便番号インポート");

int px(int twips)
{
    return qRound(twips / 15.0);
}

// The message's own text, and why on a second line when the reason is known.
QString withReason(const QString& text, const QString& reason)
{
    return reason.isEmpty() ? text : text + QStringLiteral("\r\n") + reason;
}

bool isArchiveName(const QString& line)
{
    return line.endsWith(QLatin1String(".lzh"), Qt::CaseInsensitive);
}

} // namespace

frmCSV::frmCSV(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("frmCSV"));
    setWindowTitle(kTitle);
    setFixedSize(px(4995), px(3180));

    txtCSV = new QPlainTextEdit(this);
    txtCSV->setObjectName(QStringLiteral("txtCSV"));
    txtCSV->setGeometry(px(120), px(240), px(4695), px(1575));
    txtCSV->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    txtCSV->setLineWrapMode(QPlainTextEdit::NoWrap);
    txtCSV->setTabChangesFocus(true);

    auto button = [this](QPushButton*& b, const char* name, const QString& caption, int left,
                         int top, int width) {
        b = new QPushButton(caption, this);
        b->setObjectName(QString::fromLatin1(name));
        b->setGeometry(px(left), px(top), px(width), px(375));
        b->setAutoDefault(false);
    };
    button(cmdCSV, "cmdCSV", QStringLiteral("郵便番号ファイル"), 240, 2040, 1695);
    button(cmdRe, "cmdRe", QStringLiteral("選択やり直し"), 2040, 2040, 1215);
    button(cmdCancel, "cmdCancel", QStringLiteral("キャンセル"), 3720, 2040, 975);
    button(cmdInport, "cmdInport", QStringLiteral("インポート開始"), 240, 2520, 3015);
    button(cmdHelp, "cmdHelp", QStringLiteral("ヘルプ"), 3720, 2520, 975);
    connect(cmdCSV, &QPushButton::clicked, this, &frmCSV::cmdCSV_Click);
    connect(cmdRe, &QPushButton::clicked, this, &frmCSV::cmdRe_Click);
    connect(cmdCancel, &QPushButton::clicked, this, &frmCSV::cmdCancel_Click);
    connect(cmdInport, &QPushButton::clicked, this, &frmCSV::cmdInport_Click);
    connect(cmdHelp, &QPushButton::clicked, this, &frmCSV::cmdHelp_Click);

    QWidget::setTabOrder(cmdCSV, cmdRe);
    QWidget::setTabOrder(cmdRe, cmdCancel);
    QWidget::setTabOrder(cmdCancel, cmdInport);
    QWidget::setTabOrder(cmdInport, txtCSV);
    QWidget::setTabOrder(txtCSV, cmdHelp);
    cmdCSV->setFocus();
}

int frmCSV::message(const QString& text, int style, const QString& title)
{
    if (m_busy)
        QApplication::restoreOverrideCursor();
    const int answer = platform::MsgBox(text, style, title);
    if (m_busy)
        QApplication::setOverrideCursor(Qt::WaitCursor);
    return answer;
}

void frmCSV::cmdCSV_Click()
{
    // liblhasa is part of the program: archives can always be listed.
    const QString path = platform::GetOpenFile(
        QString(), QStringLiteral("郵便番号データベース(*.CSV,*.LZH)|*.csv;*.lzh"));
    if (path.isEmpty())
        return;
    const QString text = txtCSV->toPlainText();
    txtCSV->setPlainText(text.isEmpty() ? path : text + u'\n' + path);
}

void frmCSV::cmdRe_Click()
{
    txtCSV->clear();
}

void frmCSV::cmdCancel_Click()
{
    reject();
}

void frmCSV::cmdHelp_Click()
{
    platform::HelpWindow::showContext(this, platform::HelpWindow::PostCodeImportContext);
}

PostCodeMaster::FileResult frmCSV::AddNewRecord2Database(const QString& FileName,
                                                         PostCodeMaster& Rs, QString* error)
{
    QString reason;
    const PostCodeMaster::FileResult result = Rs.addFile(FileName, &reason);
    if (result == PostCodeMaster::FileResult::FileFailed)
        message(withReason(QStringLiteral("郵便番号のインポートに失敗しました。"), reason),
                platform::vbCritical, kTitle);
    if (error)
        *error = reason;
    return result;
}

QString frmCSV::DesolveLZH(const QString& FileName, bool* failed)
{
    if (failed)
        *failed = false;
    if (!FileName.contains(u'/')) {
        if (failed)
            *failed = true;
        return QString();
    }
    const QFileInfo info(FileName);
    const QString member = info.completeBaseName() + QStringLiteral(".csv");
    const platform::LzhExtraction extraction =
        platform::extractLzhMember(FileName, member, info.absolutePath());
    switch (extraction.outcome) {
    case platform::LzhExtraction::Extracted:
        return extraction.path;
    case platform::LzhExtraction::NoSuchMember:
    case platform::LzhExtraction::WriteFailed:
        // Reading the list that is not there tells the failure.
        return QString();
    default:
        message(FileName + QStringLiteral(" は正しい書庫ﾌｧｲﾙではありません。"), platform::vbOKOnly,
                QString());
        return QString();
    }
}

void frmCSV::importFailed(PostCodeMaster* master, const QString& reason)
{
    if (master)
        master->rollback();
    if (m_busy)
        QApplication::restoreOverrideCursor();
    m_busy = false;
    platform::MsgBox(withReason(QStringLiteral("データベースのインポートに失敗しました。"), reason),
                     platform::vbCritical, QStringLiteral("インポート"));
}

void frmCSV::cmdInport_Click()
{
    QString text = txtCSV->toPlainText();
    if (text.isEmpty()) {
        platform::MsgBox(QStringLiteral("郵便番号ファイルを選択して下さい。"),
                         platform::vbExclamation, kTitle);
        return;
    }
    QApplication::setOverrideCursor(Qt::WaitCursor);
    m_busy = true;
    // A file in use is told as an import refused.
    const db::ActionScope action(db::Action::Import);

    QString error;
    auto master = PostCodeMaster::open(common::dataFolder() + common::PostCodeFileName, &error);
    if (!master) {
        importFailed(nullptr, error);
        return;
    }
    bool readable = false;
    const bool hasRows = master->hasRows(&readable, &error);
    if (!readable) {
        importFailed(master.get(), error);
        return;
    }
    if (hasRows &&
        message(QStringLiteral("現在の郵便番号データは全て削除されます。"),
                platform::vbOKCancel | platform::vbExclamation, kTitle) != platform::vbOK) {
        master.reset();
        QApplication::restoreOverrideCursor();
        m_busy = false;
        return;
    }
    if (!master->refill(&error)) {
        importFailed(master.get(), error);
        return;
    }

    // Every line is a file, in list order; a newline after the last line adds none. A file
    // that fails is told and the next one is read, but the master keeps its old rows.
    bool fileFailed = false;
    while (!text.isEmpty()) {
        const qsizetype end = text.indexOf(u'\n');
        QString line = end < 0 ? text : text.left(end);
        text = end < 0 ? QString() : text.mid(end + 1);
        if (isArchiveName(line)) {
            const QString archive = line;
            bool noFolder = false;
            line = DesolveLZH(archive, &noFolder);
            if (noFolder) {
                importFailed(master.get(),
                             QStringLiteral("%1 にはフォルダーの指定がありません。").arg(archive));
                return;
            }
        }
        switch (AddNewRecord2Database(line, *master, &error)) {
        case PostCodeMaster::FileResult::Added:
            break;
        case PostCodeMaster::FileResult::FileFailed:
            fileFailed = true;
            break;
        case PostCodeMaster::FileResult::DatabaseFailed:
            importFailed(master.get(), error);
            return;
        }
    }
    if (fileFailed) {
        master->rollback();
        QApplication::restoreOverrideCursor();
        m_busy = false;
        return;
    }
    if (!master->commit(&error)) {
        importFailed(master.get(), error);
        return;
    }
    master.reset();
    QApplication::restoreOverrideCursor();
    m_busy = false;
    platform::MsgBox(QStringLiteral("郵便番号のインポートが終了しました。"),
                     platform::vbInformation, kTitle);
    accept();
}

} // namespace import
