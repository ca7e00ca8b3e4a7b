#include "common/appstate.h"
#include "common/datafiles.h"
#include "platform/printerdouble.h"
#include "shell/form1.h"
#include "testenvironment.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QDialogButtonBox>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QTimer>
#include <QtTest>

#include <functional>

using namespace shell;

namespace {

// Acts on the program's modal dialogs as they come up, one step each, while the commands
// wait in them. Each step closes its dialog (also one of a kind it did not expect).
class ModalSteps : public QObject
{
public:
    using Step = std::function<void(QWidget*)>;

    explicit ModalSteps(QList<Step> steps) : m_steps(std::move(steps))
    {
        connect(&m_timer, &QTimer::timeout, this, &ModalSteps::poll);
        m_timer.start(10);
    }
    // Steps that were not reached.
    qsizetype remaining() const { return m_steps.size(); }

private:
    void poll()
    {
        QWidget* modal = QApplication::activeModalWidget();
        if (!modal || m_busy)
            return;
        if (modal == m_handled) {
            // A dialog its step left up is closed after a while: the test then fails on
            // what it saw rather than waits for ever.
            if (m_since.elapsed() > 20000)
                modal->close();
            return;
        }
        // A guarded pointer: a new dialog made where a gone one was is not taken for it.
        m_handled = modal;
        m_since.start();
        m_busy = true;
        if (m_steps.isEmpty())
            modal->close();
        else
            m_steps.takeFirst()(modal);
        m_busy = false;
    }

    QList<Step> m_steps;
    QTimer m_timer;
    QPointer<QWidget> m_handled;
    QElapsedTimer m_since;
    bool m_busy = false;
};

// The names Qt's file dialog lists in the folder it shows, once it has read the folder.
QStringList listedNames(QFileDialog* dialog, const QString& expected)
{
    auto* view = dialog->findChild<QAbstractItemView*>(QStringLiteral("listView"));
    if (!view)
        return {QStringLiteral("(no list view)")};
    QStringList names;
    // The comparison after it tells when the name never came.
    static_cast<void>(QTest::qWaitFor(
        [&] {
            names.clear();
            const QAbstractItemModel* model = view->model();
            for (int row = 0; row < model->rowCount(view->rootIndex()); ++row)
                names << model->index(row, 0, view->rootIndex()).data().toString();
            return names.contains(expected);
        },
        5000));
    names.sort();
    return names;
}

} // namespace

// The backup and restore commands through Qt's own file dialogs and message boxes, as the
// user meets them.
class BackupDialogsTest : public QObject
{
    Q_OBJECT
private:
    std::unique_ptr<TestEnvironment> m_env;
    std::unique_ptr<Form1> m_form;

private Q_SLOTS:
    void init()
    {
        m_env = std::make_unique<TestEnvironment>();
        QVERIFY(common::ensureDataFolder());
        common::appState().AppPath = common::dataFolder();
        platform::setPrinter(std::make_unique<platform::FakePrinter>());
        m_form = std::make_unique<Form1>();
    }
    void cleanup()
    {
        m_form.reset();
        m_env.reset();
    }

    // A backup named without a suffix is written as ".mdb", and the restore's dialog opens
    // in its folder and lists it.
    void backupIsFoundByTheRestoreDialog_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("written");
        QTest::newRow("no suffix") << "控え"
                                   << "控え.mdb";
        QTest::newRow("no suffix, a space in the name") << "12月 控え"
                                                        << "12月 控え.mdb";
        QTest::newRow("its own suffix in capitals") << "控え.MDB"
                                                    << "控え.MDB";
    }
    void backupIsFoundByTheRestoreDialog()
    {
        QFETCH(QString, typed);
        QFETCH(QString, written);
        const QString folder = m_env->filePath(QStringLiteral("USB"));
        QVERIFY(QDir().mkpath(folder));
        QFile other(QDir(folder).filePath(QStringLiteral("メモ.txt")));
        QVERIFY(other.open(QIODevice::WriteOnly));
        other.close();

        QString saveMode;
        QString savedText;
        QString openedIn;
        QStringList listed;
        ModalSteps steps({
            // データ保存: the name typed, then the message that it was written.
            [&](QWidget* modal) {
                auto* dialog = qobject_cast<QFileDialog*>(modal);
                auto* name = modal->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
                auto* buttons = modal->findChild<QDialogButtonBox*>();
                if (!dialog || !name || !buttons || !buttons->button(QDialogButtonBox::Save)) {
                    modal->close();
                    return;
                }
                saveMode = dialog->acceptMode() == QFileDialog::AcceptSave ? QStringLiteral("save")
                                                                           : QStringLiteral("open");
                name->setText(QDir(folder).filePath(typed));
                buttons->button(QDialogButtonBox::Save)->click();
            },
            [&](QWidget* modal) {
                if (auto* box = qobject_cast<QMessageBox*>(modal))
                    savedText = box->text();
                modal->close();
            },
            // データ復帰: the folder and its list looked at, then cancelled, which is told.
            [&](QWidget* modal) {
                if (auto* dialog = qobject_cast<QFileDialog*>(modal)) {
                    openedIn = dialog->directory().absolutePath();
                    listed = listedNames(dialog, written);
                }
                modal->close();
            },
            [&](QWidget* modal) { modal->close(); },
        });
        m_form->mnuReserve_Click();
        QCOMPARE(saveMode, QStringLiteral("save"));
        QCOMPARE(savedText, QStringLiteral("バックアップファイルを保存しました。"));
        QVERIFY(QFile::exists(QDir(folder).filePath(written)));
        QCOMPARE(QDir(folder).entryList(QDir::Files).size(), 2);

        m_form->mnuReturn_Click();
        QCOMPARE(steps.remaining(), 0);
        QCOMPARE(openedIn, QDir(folder).absolutePath());
        QCOMPARE(listed, QStringList{written});
    }
};

QTEST_MAIN(BackupDialogsTest)
#include "tst_backupdialogs.moc"
