#include "common/appstate.h"
#include "common/datafiles.h"
#include "common/fontsubstitution.h"
#include "letterfixtures.h"
#include "mainwindowstart.h"
#include "platform/messagebox.h"
#include "platform/printer.h"
#include "privatescheduler.h"
#include "shell/form1.h"
#include "shell/frmadj.h"
#include "shots.h"
#include "testenvironment.h"

#include <QApplication>
#include <QFileDialog>
#include <QLineEdit>
#include <QPrintDialog>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

namespace {

const QString Queue = QStringLiteral("CUPS-PDF");

// The first visible top-level widget of type T, or null.
template <typename T> T* visibleDialog()
{
    for (QWidget* w : QApplication::topLevelWidgets())
        if (auto* d = qobject_cast<T*>(w); d && d->isVisible())
            return d;
    return nullptr;
}

// Answers every message box OK, keeping what it said.
class OkToEveryBox : public platform::MessageBoxes
{
public:
    OkToEveryBox() : m_before(platform::setMessageBoxes(this)) {}
    ~OkToEveryBox() override { platform::setMessageBoxes(m_before); }
    int messageBox(const QString& text, int, const QString&) override
    {
        texts << text;
        return platform::vbOK;
    }
    QStringList texts;

private:
    platform::MessageBoxes* m_before;
};

} // namespace

// Qt's own dialogs as the user meets them: the backup's and the restore's file dialogs and
// the printer properties on a real queue of a private CUPS scheduler.
class DialogShots : public QObject
{
    Q_OBJECT
private:
    QTemporaryDir m_dir;
    privatecups::PrivateScheduler m_scheduler;

private Q_SLOTS:
    void initTestCase()
    {
        QVERIFY(m_dir.isValid());
        QVERIFY(privatecups::useClientFolders(m_dir.path()));
        common::installFontSubstitutions();
    }
    void cleanupTestCase()
    {
        platform::setPrinter(nullptr);
        m_scheduler.stop();
    }

    // "データ保存" and "データ復帰": the file dialogs, in the folder of the backup just written.
    void backupDialogs()
    {
        TestEnvironment env;
        env.isolatePrinterOptions();
        common::appState() = common::AppState{};
        QVERIFY(common::ensureDataFolder());
        common::appState().AppPath = common::dataFolder();
        const QString data = common::appState().AppPath + common::LetterFileName;
        common::appState().DatabasePath = data;
        QFile::remove(data);
        QVERIFY(letterfixtures::createDataFile(data));
        QVERIFY(letterfixtures::writeLetter(data, 1, letterfixtures::fullyFilledLetter()));
        platform::setPrinter(nullptr);
        shell::Form1 form;
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        const QString folder = m_dir.filePath(QStringLiteral("home/バックアップ"));
        QVERIFY(QDir().mkpath(folder));

        OkToEveryBox boxes;
        QStringList shots;
        const auto answer = [&](const QString& name, const QString& typed) {
            QTimer::singleShot(300, [&, name, typed] {
                auto* dialog = visibleDialog<QFileDialog>();
                if (!dialog)
                    return;
                if (typed.isEmpty())
                    dialog->setDirectory(folder);
                QTest::qWait(200);
                if (dialog->grab().save(shots::file(name)))
                    shots << name;
                if (typed.isEmpty()) {
                    dialog->reject();
                    return;
                }
                dialog->setDirectory(folder);
                auto* name = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
                if (!name)
                    return dialog->reject();
                name->setText(typed);
                QTest::keyClick(name, Qt::Key_Return);
            });
        };
        answer(QStringLiteral("backup-dialog.png"), QString());
        form.mnuReserve_Click();
        answer(QStringLiteral("backup-dialog-typed.png"), QStringLiteral("医院の控え"));
        form.mnuReserve_Click();
        answer(QStringLiteral("restore-dialog.png"), QString());
        form.mnuReturn_Click();
        QCOMPARE(shots.size(), 3);
        QCOMPARE(boxes.texts.value(0), QStringLiteral("バックアップファイルを保存しました。"));
        QVERIFY(QFile::exists(QDir(folder).filePath(QStringLiteral("医院の控え.mdb"))));
    }

    // "プロパティ..." of the print dialog on an A3 queue, with the page setup it opens.
    void printerProperties()
    {
        QString problem = m_scheduler.start();
        if (problem.isEmpty())
            problem = m_scheduler.addCupsPdfQueue(Queue);
        QVERIFY2(
            problem.isEmpty(),
            qPrintable(QStringLiteral("no CUPS-PDF queue on a private scheduler: ") + problem));
        TestEnvironment env;
        const auto form = privatecups::startMainWindow(m_scheduler, Queue, true);
        form->show();
        QVERIFY(QTest::qWaitForWindowExposed(form.get()));

        QStringList shots;
        int phase = 0;
        QTimer answer;
        answer.setInterval(100);
        QObject::connect(&answer, &QTimer::timeout, [&] {
            auto* dialog = visibleDialog<QPrintDialog>();
            if (!dialog)
                return;
            if (phase == 0) {
                phase = 1;
                QTest::qWait(200);
                if (dialog->grab().save(shots::file(QStringLiteral("printer-properties.png"))))
                    shots << QStringLiteral("properties");
                if (auto* more = dialog->findChild<QPushButton*>(QStringLiteral("properties")))
                    QTimer::singleShot(0, more, &QPushButton::click);
                return;
            }
            QDialog* setup = nullptr;
            for (QDialog* d : dialog->findChildren<QDialog*>())
                if (d->isVisible())
                    setup = d;
            if (phase == 1 && setup) {
                phase = 2;
                QTest::qWait(200);
                if (setup->grab().save(shots::file(QStringLiteral("printer-page-setup.png"))))
                    shots << QStringLiteral("page setup");
                QTimer::singleShot(0, setup, &QDialog::reject);
            } else if (phase == 2 && !setup) {
                answer.stop();
                dialog->reject();
            }
        });
        int openings = 0;
        form->beforePrintDialog = [&](shell::frmAdj& d) {
            const int n = openings++;
            QTimer::singleShot(200, &d, [&, n, dialog = &d] {
                if (n == 0) {
                    if (dialog->grab().save(shots::file(QStringLiteral("print-dialog-a3.png"))))
                        shots << QStringLiteral("print dialog");
                    answer.start();
                    dialog->cmdProperty_Click();
                    return;
                }
                dialog->cmdCancel_Click();
            });
        };
        form->mnuPrint_Click();
        form->beforePrintDialog = nullptr;
        answer.stop();
        QCOMPARE(shots, QStringList({"print dialog", "properties", "page setup"}));
    }
};

std::unique_ptr<QObject> shots::dialogShots()
{
    return std::make_unique<DialogShots>();
}

#include "dialogshots.moc"
