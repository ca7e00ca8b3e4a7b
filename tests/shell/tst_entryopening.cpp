// Opening the entry form from the record list and going back: a letter that cannot be read
// is never opened for editing, the busy pointer while the form is made, the title of a letter
// without a name, and the discard question.
#include "common/appstate.h"
#include "common/datafiles.h"
#include "controls/controlwidgets.h"
#include "emptydatafolder.h"
#include "entry/formbuilder.h"
#include "entry/frmDat3.h"
#include "letterfixtures.h"
#include "platform/database.h"
#include "scripteddialogs.h"
#include "shell/form1.h"
#include "shell/frmdata.h"

#include <QApplication>
#include <QCryptographicHash>
#include <QPointer>
#include <QTabBar>
#include <QTimer>
#include <QtTest>

#include <functional>
#include <map>

using namespace shell;
using namespace Qt::Literals::StringLiterals;

namespace {

common::AppState& state()
{
    return common::appState();
}

bool busyPointer()
{
    const QCursor* cursor = QGuiApplication::overrideCursor();
    return cursor && cursor->shape() == Qt::WaitCursor;
}

QByteArray hashOf(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return "no file";
    return QCryptographicHash::hash(file.readAll(), QCryptographicHash::Sha256).toHex();
}

// Letters 1..n named 患者1..; `nameless` letters have no name.
bool writeLetters(const QString& path, int n, const QList<int>& nameless = {})
{
    if (!letterfixtures::createDataFile(path))
        return false;
    for (int i = 1; i <= n; ++i) {
        letterfixtures::Fields fields{
            {u"最新意見書記入日"_s, db::Variant::fromString(u"令和7年03月0%1日"_s.arg(i))},
            {u"性別"_s, db::Variant::fromString(u"1"_s)}};
        if (!nameless.contains(i))
            fields.append({u"患者名"_s, db::Variant::fromString(u"患者%1"_s.arg(i))});
        if (!letterfixtures::writeLetter(path, i, fields))
            return false;
    }
    return true;
}

// Acts on each modal window of the flat loop as it comes up (the list, the entry form).
class ModalDriver : public QObject
{
public:
    explicit ModalDriver(std::function<void(QWidget*)> onModal) : m_onModal(std::move(onModal))
    {
        connect(&m_timer, &QTimer::timeout, this, [this] {
            QWidget* modal = QApplication::activeModalWidget();
            if (!modal || modal == m_last)
                return;
            m_last = modal;
            if (++m_seen > 12) { // a loop that does not end: close what is open
                QVERIFY2(false, "too many windows");
                if (auto* dialog = qobject_cast<QDialog*>(modal))
                    dialog->done(0);
                return;
            }
            m_onModal(modal);
        });
        m_timer.start(5);
    }

private:
    std::function<void(QWidget*)> m_onModal;
    QTimer m_timer;
    QPointer<QWidget> m_last;
    int m_seen = 0;
};

// Watches every entry form: whether it was shown, and the mouse pointer at every event it or
// its controls receive before it shows.
class FormWatcher : public QObject
{
public:
    FormWatcher() { qApp->installEventFilter(this); }
    ~FormWatcher() override { qApp->removeEventFilter(this); }

    int shown = 0;
    int eventsBeforeShow = 0;
    int notBusyBeforeShow = 0;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        auto* widget = qobject_cast<QWidget*>(watched);
        auto* form = widget ? qobject_cast<entry::frmDat3*>(widget->window()) : nullptr;
        if (!form)
            return false;
        auto found = m_forms.find(form);
        if (found == m_forms.end()) {
            found = m_forms.emplace(form, false).first;
            connect(form, &QObject::destroyed, this, [this, form] { m_forms.erase(form); });
        }
        if (found->second)
            return false; // shown already
        if (event->type() == QEvent::Show && widget == form) {
            found->second = true;
            ++shown;
            return false;
        }
        ++eventsBeforeShow;
        notBusyBeforeShow += !busyPointer();
        return false;
    }

private:
    std::map<entry::frmDat3*, bool> m_forms;
};

// Scripted message boxes that also note whether the busy pointer was up while each was shown.
class PointerDialogs : public ScriptedDialogs
{
public:
    int busyAtMessage = 0;
    int messageBox(const QString& text, int style, const QString& title) override
    {
        busyAtMessage += busyPointer();
        return ScriptedDialogs::messageBox(text, style, title);
    }
};

int rowOfLetter(const frmData& list, qint32 letterNo)
{
    for (int row = 0; row < list.rowCount(); ++row) {
        if (list.letterNoAt(row) == letterNo)
            return row;
    }
    return -1;
}

// Opens letter `letterNo` from the list.
void openLetter(frmData& list, qint32 letterNo)
{
    const int row = rowOfLetter(list, letterNo);
    QVERIFY(row >= 0);
    list.FlexGrid->setCurrentIndex(list.FlexGrid->model()->index(row, 1));
    list.cmdRe_Click();
}

// The list's part of a run: the first time it opens letter `letterNo` (0: a new letter), the
// next time it is cancelled. `lists` counts its showings.
void openOnceThenCancel(frmData& list, int& lists, qint32 letterNo)
{
    if (++lists > 1)
        list.cmdCancel_Click();
    else if (letterNo == 0)
        list.cmdNew_Click();
    else
        openLetter(list, letterNo);
}

} // namespace

class EntryOpeningTest : public QObject
{
    Q_OBJECT
private:
    EmptyDataFolder m_folder;
    QString m_data;

private Q_SLOTS:
    void init()
    {
        QVERIFY(m_folder.setUp());
        m_data = m_folder.dataFile();
    }
    void cleanup() { m_folder.tearDown(); }

    // Between the list and the form the letter becomes unreadable, or another program
    // stores a value in it that its field cannot hold: the user is told why (the field as
    // the form names it), no form opens, so that "登　録" cannot write over the value, and
    // the list comes back where it can; the data file stays as it was.
    void unreadableLetterIsNeverOpened_data()
    {
        QTest::addColumn<QString>("breakage");
        QTest::addColumn<bool>("listComesBack");
        QTest::addColumn<QString>("named"); // what the message names
        QTest::newRow("row deleted by another program") << u"delete row"_s << true << u""_s;
        QTest::newRow("letters renumbered by another program") << u"renumber"_s << true << u""_s;
        QTest::newRow("file replaced by a non-database") << u"garbage"_s << false << u""_s;
        QTest::newRow("file moved away") << u"move"_s << false << u""_s;
        QTest::newRow("letter table gone") << u"drop table"_s << false << u""_s;
        QTest::newRow("an answer code holding text")
            << u"UPDATE 申請者情報 SET 寝たきり度 = 'zz' WHERE 作成NO = 2"_s << true
            << u"「医療・心身（１）」ページの「障害高齢者の日常生活自立度（寝たきり度）」"_s;
        QTest::newRow("a Yes/No field holding 7")
            << u"UPDATE 申請者情報 SET 点滴管理 = 7 WHERE 作成NO = 2"_s << true
            << u"「医療・心身（１）」ページの「点滴の管理」"_s;
        QTest::newRow("a text that is no UTF-8")
            << u"UPDATE 申請者情報 SET 住所 = CAST(x'e69db1ff' AS TEXT) WHERE 作成NO = 2"_s << true
            << u"「申請者」ページの「住　所」"_s;
    }
    void unreadableLetterIsNeverOpened()
    {
        QFETCH(QString, breakage);
        QFETCH(bool, listComesBack);
        QFETCH(QString, named);
        QVERIFY(writeLetters(m_data, 3));
        Form1 form;
        form.show();
        PointerDialogs dialogs;
        dialogs.answer(platform::vbOK);
        if (!listComesBack)
            dialogs.answer(platform::vbOK); // the list cannot read the file either
        FormWatcher watcher;
        QByteArray hashAfterBreakage;
        int lists = 0;
        ModalDriver driver([&](QWidget* modal) {
            if (auto* entry = qobject_cast<entry::frmDat3*>(modal)) {
                entry->done(entry::frmDat3::Discarded); // must not happen
                return;
            }
            auto* list = qobject_cast<frmData*>(modal);
            QVERIFY(list);
            if (++lists > 1) {
                list->cmdCancel_Click();
                return;
            }
            // Another program (or the user's file manager) at work.
            if (breakage == u"garbage"_s) {
                QFile file(m_data);
                QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
                file.write("this is no database any more\n");
            } else if (breakage == u"move"_s) {
                QVERIFY(QFile::rename(m_data, m_data + u".moved"_s));
            } else {
                auto database = db::Database::open(m_data, db::OpenMode::ReadWrite);
                QVERIFY(database);
                const QString sql =
                    breakage == u"delete row"_s ? u"DELETE FROM 申請者情報 WHERE 作成NO = 2"_s
                    : breakage == u"renumber"_s ? u"UPDATE 申請者情報 SET 作成NO = 作成NO + 10"_s
                    : breakage == u"drop table"_s ? u"DROP TABLE 申請者情報"_s
                                                  : breakage;
                QVERIFY(database->execute(sql));
            }
            hashAfterBreakage = hashOf(m_data);
            openLetter(*list, 2);
        });
        form.DataOpen();

        QCOMPARE(watcher.shown, 0);
        QCOMPARE(lists, listComesBack ? 2 : 1);
        QVERIFY(dialogs.messages().size() >= 1);
        const ScriptedDialogs::Shown told = dialogs.messages().at(0);
        QVERIFY2(told.text.startsWith(u"データを読み込めませんでした。\r\n"_s),
                 qPrintable(told.text));
        QVERIFY2(told.text.size() > 20, qPrintable(told.text)); // with its reason
        QVERIFY2(told.text.contains(named), qPrintable(told.text));
        QCOMPARE(told.style, int(platform::vbCritical));
        QCOMPARE(dialogs.remaining(), 0);
        QCOMPARE(hashOf(m_data), hashAfterBreakage);
        QCOMPARE(dialogs.busyAtMessage, 0);
        QCOMPARE(QGuiApplication::overrideCursor(), nullptr);
    }

    // The busy pointer is up from the list's command until the form shows, and never while a
    // message box is up; afterwards the normal pointer is back.
    void busyPointerWhileTheFormIsMade_data()
    {
        QTest::addColumn<qint32>("letterNo");
        QTest::addColumn<bool>("phraseTableGone");
        QTest::addColumn<bool>("opens");
        QTest::newRow("new letter") << 0 << false << true;
        QTest::newRow("stored letter") << 2 << false << true;
        QTest::newRow("phrase lists unreadable: a message while the form is made")
            << 2 << true << true;
        QTest::newRow("letter gone: a message and no form") << 9 << false << false;
    }
    void busyPointerWhileTheFormIsMade()
    {
        QFETCH(qint32, letterNo);
        QFETCH(bool, phraseTableGone);
        QFETCH(bool, opens);
        QVERIFY(writeLetters(m_data, 3));
        if (phraseTableGone) {
            auto database = db::Database::open(m_data, db::OpenMode::ReadWrite);
            QVERIFY(database && database->execute(u"DROP TABLE コンボ情報"_s));
        }
        Form1 form;
        form.show();
        PointerDialogs dialogs;
        if (phraseTableGone || !opens)
            dialogs.answer(platform::vbOK);
        FormWatcher watcher;
        int lists = 0;
        ModalDriver driver([&](QWidget* modal) {
            if (auto* entry = qobject_cast<entry::frmDat3*>(modal)) {
                QVERIFY(!busyPointer());
                entry->done(entry::frmDat3::Discarded);
                return;
            }
            auto* list = qobject_cast<frmData*>(modal);
            QVERIFY(list);
            if (++lists > 1) {
                list->cmdCancel_Click();
            } else if (letterNo == 0) {
                list->cmdNew_Click();
            } else if (letterNo > 3) {
                // A number the list no longer has a row for.
                state().CurrentLetterNo = letterNo;
                list->done(frmData::StoredLetter);
            } else {
                openLetter(*list, letterNo);
            }
        });
        form.DataOpen();

        QCOMPARE(watcher.shown, opens ? 1 : 0);
        if (opens) {
            QVERIFY(watcher.eventsBeforeShow > 100); // the form's making is watched
            QCOMPARE(watcher.notBusyBeforeShow, 0);
        }
        QCOMPARE(dialogs.remaining(), 0);
        QCOMPARE(dialogs.busyAtMessage, 0);
        QCOMPARE(QGuiApplication::overrideCursor(), nullptr);
    }

    // The title shows the patient's name, "新規登録" for a new letter; without a name it is
    // empty and keeps the width of its box.
    void titleOfTheLetter_data()
    {
        QTest::addColumn<qint32>("letterNo");
        QTest::addColumn<QString>("title");
        QTest::newRow("new letter") << 0 << u"新規登録"_s;
        QTest::newRow("stored letter with a name") << 1 << u"患者1"_s;
        QTest::newRow("stored letter without a name (Null)") << 2 << QString();
        QTest::newRow("stored letter with an empty name") << 3 << QString();
    }
    void titleOfTheLetter()
    {
        QFETCH(qint32, letterNo);
        QFETCH(QString, title);
        QVERIFY(writeLetters(m_data, 2, {2}));
        QVERIFY(letterfixtures::writeLetter(m_data, 3,
                                            {{u"患者名"_s, db::Variant::fromString(QString())}}));
        Form1 form;
        form.show();
        ScriptedDialogs dialogs;
        int lists = 0;
        QString shownTitle = u"(not opened)"_s;
        int titleWidth = -1;
        ModalDriver driver([&](QWidget* modal) {
            if (auto* entry = qobject_cast<entry::frmDat3*>(modal)) {
                auto* label = entry->control<controls::Label>(u"Label52"_s);
                QVERIFY(label);
                shownTitle = label->text();
                titleWidth = label->width();
                entry->done(entry::frmDat3::Discarded);
                return;
            }
            auto* list = qobject_cast<frmData*>(modal);
            QVERIFY(list);
            openOnceThenCancel(*list, lists, letterNo);
        });
        form.DataOpen();
        QCOMPARE(shownTitle, title);
        if (title.isEmpty())
            QCOMPARE(titleWidth, entry::FormBuilder::px(960));
        else
            QVERIFY(titleWidth > 0);
    }

    // "取り消し(&D)" asks; Cancel keeps every entry and the page, OK goes back to the list and
    // leaves the data file as it was.
    void discardQuestion_data()
    {
        QTest::addColumn<qint32>("letterNo");
        QTest::addColumn<QString>("question");
        QTest::addColumn<QString>("title");
        QTest::newRow("new letter") << 0 << u"新規作成を破棄しますか？"_s << u"新規登録！"_s;
        QTest::newRow("stored letter") << 2 << u"データ更新を破棄しますか？"_s << u"更新登録！"_s;
    }
    void discardQuestion()
    {
        QFETCH(qint32, letterNo);
        QFETCH(QString, question);
        QFETCH(QString, title);
        QVERIFY(writeLetters(m_data, 3));
        const QByteArray before = hashOf(m_data);
        Form1 form;
        form.show();
        ScriptedDialogs dialogs;
        dialogs.answer(platform::vbCancel).answer(platform::vbOK);
        int lists = 0;
        bool asked = false;
        ModalDriver driver([&](QWidget* modal) {
            if (auto* entry = qobject_cast<entry::frmDat3*>(modal)) {
                entry->control(u"txtname"_s)->setText(u"書きかけ"_s);
                entry->control(u"txtZusho"_s)->setText(u"東京都千代田区1-1"_s);
                entry->controls().setValue(u"opNeta"_s, 4, 1);
                entry->NextTab(2);
                QCOMPARE(entry->TabNow(), 2);
                entry->Command1_Click(); // Cancel
                QVERIFY(entry->isVisible());
                QCOMPARE(entry->result(), 0);
                QCOMPARE(entry->TabNow(), 2);
                QCOMPARE(entry->tabStrip()->currentIndex(), 2);
                QCOMPARE(entry->control(u"txtname"_s)->text(), u"書きかけ"_s);
                QCOMPARE(entry->control(u"txtZusho"_s)->text(), u"東京都千代田区1-1"_s);
                QCOMPARE(entry->controls().value(u"opNeta"_s, 4).value_or(-1), 1);
                QCOMPARE(entry->NewData(), letterNo == 0);
                asked = true;
                entry->Command1_Click(); // OK: back to the list
                return;
            }
            auto* list = qobject_cast<frmData*>(modal);
            QVERIFY(list);
            openOnceThenCancel(*list, lists, letterNo);
        });
        form.DataOpen();
        QVERIFY(asked);
        QCOMPARE(lists, 2);
        QCOMPARE(dialogs.messages().size(), 2);
        for (const ScriptedDialogs::Shown& shown : dialogs.messages()) {
            QCOMPARE(shown.text, question);
            QCOMPARE(shown.title, title);
            QCOMPARE(shown.style, platform::vbOKCancel + platform::vbQuestion);
        }
        QCOMPARE(hashOf(m_data), before);
    }
};

QTEST_MAIN(EntryOpeningTest)
#include "tst_entryopening.moc"
