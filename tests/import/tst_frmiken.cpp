#include "common/appstate.h"
#include "import/frmIken.h"

#include <QTimer>
#include <QtTest>

using import::frmIken;

namespace {

const QString Found = QStringLiteral("データベースの名前は/data/rododova.mdbです。");
const QString NotFound = QStringLiteral("VadureData.mdb または rododova.mdb が見つかりません。\n"
                                        "自分でファイルを探しますか？");

} // namespace

class FrmIkenTest : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void init() { common::appState().DatabasePath = QStringLiteral("/data/rododova.mdb"); }

    void design()
    {
        frmIken dialog({});
        QCOMPARE(dialog.windowTitle(), QStringLiteral("Vadureデータのインポート"));
        QCOMPARE(dialog.size(), QSize(441, 101));
        QCOMPARE(dialog.palette().color(QPalette::Window), QColor(192, 192, 255));
        QCOMPARE(dialog.cmdGo->geometry(), QRect(288, 32, 97, 25));
        QCOMPARE(dialog.cmdCancel->text(), QStringLiteral("Cancel"));
        QCOMPARE(dialog.chkIken->text(), QStringLiteral("今後このお知らせを表示しない。"));
        QCOMPARE(dialog.cmdGo->nextInFocusChain(), dialog.cmdCancel);
        QCOMPARE(dialog.cmdCancel->nextInFocusChain(), dialog.chkIken);
    }

    // State in -> what the loaded dialog shows -> the answer -> state out, and whether the
    // record list was opened and the dialog stays loaded (hidden) for the run.
    void states_data()
    {
        QTest::addColumn<int>("stateIn");
        QTest::addColumn<QString>("answer");
        QTest::addColumn<int>("loadedState");
        QTest::addColumn<QString>("label");
        QTest::addColumn<QString>("goCaption");
        QTest::addColumn<bool>("boxShown");
        QTest::addColumn<int>("stateOut");
        QTest::addColumn<bool>("listOpened");
        QTest::addColumn<bool>("stillLoaded");
        const QString go = QStringLiteral("インポート開始");
        const QString search = QStringLiteral("検索開始");
        QTest::newRow("start-up, found: go")
            << 0 << "go" << 0 << Found << go << true << 1 << false << false;
        QTest::newRow("start-up, found: box ticked, go")
            << 0 << "tick go" << 0 << Found << go << true << 1 << false << false;
        QTest::newRow("start-up, found: Cancel")
            << 0 << "cancel" << 0 << Found << go << true << 3 << true << false;
        QTest::newRow("start-up, found: box ticked, Cancel")
            << 0 << "tick cancel" << 0 << Found << go << true << 4 << true << false;
        QTest::newRow("start-up, found: window closed")
            << 0 << "close" << 0 << Found << go << true << 3 << true << false;
        QTest::newRow("start-up, found: box ticked, window closed")
            << 0 << "tick close" << 0 << Found << go << true << 4 << true << false;
        QTest::newRow("start-up, not found: search")
            << 2 << "go" << 2 << NotFound << search << true << 2 << false << true;
        QTest::newRow("start-up, not found: Cancel")
            << 2 << "cancel" << 2 << NotFound << search << true << 3 << true << false;
        QTest::newRow("start-up, not found: box ticked, Cancel")
            << 2 << "tick cancel" << 2 << NotFound << search << true << 4 << true << false;
        QTest::newRow("menu, found: go")
            << 10 << "go" << 0 << Found << go << false << 1 << false << false;
        QTest::newRow("menu, found: Cancel")
            << 10 << "cancel" << 0 << Found << go << false << 3 << true << false;
        QTest::newRow("menu, not found: search")
            << 12 << "go" << 2 << NotFound << search << false << 2 << false << true;
        QTest::newRow("menu, not found: window closed")
            << 12 << "close" << 2 << NotFound << search << false << 3 << true << false;
    }
    void states()
    {
        QFETCH(int, stateIn);
        QFETCH(QString, answer);
        QFETCH(int, loadedState);
        QFETCH(QString, label);
        QFETCH(QString, goCaption);
        QFETCH(bool, boxShown);
        QFETCH(int, stateOut);
        QFETCH(bool, listOpened);
        QFETCH(bool, stillLoaded);
        common::AppState& s = common::appState();
        s.InportState = quint8(stateIn);
        int listStateSeen = -1;
        frmIken dialog([&] { listStateSeen = s.InportState; });
        int seenState = -1;
        QString seenLabel, seenCaption;
        bool seenBox = false;
        QTimer::singleShot(0, [&] {
            seenState = s.InportState;
            seenLabel = dialog.labelText();
            seenCaption = dialog.cmdGo->text();
            seenBox = dialog.chkIken->isVisible();
            if (answer.startsWith("tick"))
                dialog.chkIken->setChecked(true);
            if (answer.endsWith("go"))
                dialog.cmdGo->click();
            else if (answer.endsWith("cancel"))
                dialog.cmdCancel->click();
            else
                dialog.close();
        });
        dialog.showModal();
        QCOMPARE(seenState, loadedState);
        QCOMPARE(seenLabel, label);
        QCOMPARE(seenCaption, goCaption);
        QCOMPARE(seenBox, boxShown);
        QCOMPARE(int(s.InportState), stateOut);
        // The list opens after the answer is recorded, before the showing returns.
        QCOMPARE(listStateSeen, listOpened ? stateOut : -1);
        QCOMPARE(dialog.isLoaded(), stillLoaded);
        QVERIFY(!dialog.isVisible());
    }

    // Hidden after "検索開始", the dialog keeps its tick; a chosen file is then named.
    void hiddenDialogKeepsItsState()
    {
        common::AppState& s = common::appState();
        s.InportState = 2;
        frmIken dialog({});
        QTimer::singleShot(0, [&] {
            dialog.chkIken->setChecked(true);
            dialog.cmdGo->click();
        });
        dialog.showModal();
        s.InportState = 1;
        dialog.nameSource(QStringLiteral("/home/me/VadureData.mdb"));
        QString label;
        QTimer::singleShot(0, [&] {
            label = dialog.labelText();
            QVERIFY(dialog.chkIken->isChecked());
            QCOMPARE(dialog.cmdGo->text(), QStringLiteral("インポート開始"));
            dialog.cmdGo->click();
        });
        dialog.showModal();
        QCOMPARE(label, QStringLiteral("データベースの名前は/home/me/VadureData.mdbです。"));
        QCOMPARE(int(s.InportState), 1);
    }
};

QTEST_MAIN(FrmIkenTest)
#include "tst_frmiken.moc"
