#include "platform/filedialogs.h"
#include "platform/messagebox.h"
#include "scripteddialogs.h"

#include <QApplication>
#include <QComboBox>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

using namespace platform;

class DialogsTest : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void filterConversion_data()
    {
        QTest::addColumn<QString>("filter");
        QTest::addColumn<QString>("expected");
        QTest::newRow("two patterns")
            << "フォームファイル(*.BDB,*.OLD)|*.mdb;*.old"
            << "フォームファイル(*.BDB,*.OLD) (*.[mM][dD][bB] *.[oO][lL][dD])";
        QTest::newRow("two filters") << "CSV|*.csv|全て|*.*"
                                     << "CSV (*.[cC][sS][vV]);;全て (*.*)";
        QTest::newRow("no patterns") << ""
                                     << "";
    }
    void filterConversion()
    {
        QFETCH(QString, filter);
        QFETCH(QString, expected);
        QCOMPARE(QtNameFilters(filter), expected);
    }

    // In Qt's own dialog the patterns match names in any case, and the filter list shows
    // the description alone.
    void patternsMatchAnyCase()
    {
        QTemporaryDir dir;
        for (const char* name : {"KEN_ALL.CSV", "tokyo.csv", "ken_all.lzh"}) {
            QFile f(dir.filePath(name));
            QVERIFY(f.open(QIODevice::WriteOnly));
        }
        QFileDialog dialog(nullptr, QString(), dir.path(),
                           QtNameFilters("郵便番号データベース(*.CSV)|*.csv"));
        dialog.setOptions(QFileDialog::DontUseNativeDialog | QFileDialog::HideNameFilterDetails);
        auto* model = dialog.findChild<QFileSystemModel*>();
        QVERIFY(model);
        const QModelIndex root = model->index(dir.path());
        QTRY_COMPARE(model->rowCount(root), 2);
        QStringList names;
        for (int row = 0; row < 2; ++row)
            names << model->index(row, 0, root).data().toString();
        names.sort();
        QCOMPARE(names, (QStringList{"KEN_ALL.CSV", "tokyo.csv"}));
        auto* filterBox = dialog.findChild<QComboBox*>("fileTypeCombo");
        QVERIFY(filterBox);
        QCOMPARE(filterBox->currentText(), QStringLiteral("郵便番号データベース(*.CSV)"));
    }

    void scriptAnswersInTurnAndRecords()
    {
        ScriptedDialogs dialogs;
        dialogs.answer(vbYes).chooseFile("/tmp/a.mdb").answer(vbCancel).cancelFile();
        QCOMPARE(MsgBox("続けますか？", 52, "注意！"), int(vbYes));
        QCOMPARE(GetOpenFile("開く", "A|*.mdb", "/tmp"), QStringLiteral("/tmp/a.mdb"));
        QCOMPARE(MsgBox("本当に？", vbOKCancel), int(vbCancel));
        QCOMPARE(GetSaveFile("保存", "A|*.mdb", "/tmp", "x.mdb"), QString());
        QCOMPARE(dialogs.remaining(), 0);
        QCOMPARE(dialogs.shown().size(), 4);
        const auto messages = dialogs.messages();
        QCOMPARE(messages.size(), 2);
        QCOMPARE(messages.at(0).text, QStringLiteral("続けますか？"));
        QCOMPARE(messages.at(0).style, 52);
        QCOMPARE(messages.at(0).title, QStringLiteral("注意！"));
        QCOMPARE(messages.at(1).title, QString());
        QCOMPARE(dialogs.shown().at(3).kind, ScriptedDialogs::Kind::SaveFile);
        QCOMPARE(dialogs.shown().at(3).defaultName, QStringLiteral("x.mdb"));
    }

    void scriptRestoresPreviousImplementation()
    {
        ScriptedDialogs outer;
        outer.answer(vbNo);
        {
            ScriptedDialogs inner;
            inner.answer(vbOK);
            QCOMPARE(MsgBox("inner"), int(vbOK));
        }
        QCOMPARE(MsgBox("outer", vbYesNo), int(vbNo));
    }

    void unscriptedQuestionFailsTheTest()
    {
        ScriptedDialogs dialogs;
        dialogs.chooseFile("/tmp/a.mdb");
        QEXPECT_FAIL("", "a message box where a file dialog was scripted", Continue);
        QCOMPARE(MsgBox("消しますか？", vbYesNo), int(vbNo));
        QCOMPARE(GetOpenFile("開く", "A|*.mdb", "/tmp"), QStringLiteral("/tmp/a.mdb"));
        QEXPECT_FAIL("", "nothing left in the script", Continue);
        QCOMPARE(GetOpenFile("開く", "A|*.mdb", "/tmp"), QString());
        QCOMPARE(dialogs.shown().size(), 3);
    }

    // The shown box has the Japanese buttons of its style and answers the one clicked.
    void messageBoxButtons_data()
    {
        QTest::addColumn<int>("style");
        QTest::addColumn<QStringList>("buttons");
        QTest::addColumn<QString>("click");
        QTest::addColumn<int>("answer");
        QTest::addColumn<QString>("defaultButton");
        // A box given no title shows the program's name as its users know it.
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("shownTitle");
        QTest::newRow("OK") << 64 << QStringList{"OK"} << "OK" << int(vbOK) << "OK"
                            << "題"
                            << "題";
        QTest::newRow("OK, no title") << 16 << QStringList{"OK"} << "OK" << int(vbOK) << "OK"
                                      << ""
                                      << "Sarnet意見書";
        QTest::newRow("OK/Cancel")
            << 49 << QStringList{"OK", "キャンセル"} << "キャンセル" << int(vbCancel) << "OK"
            << "題"
            << "題";
        QTest::newRow("Yes/No") << 36 << QStringList{"はい", "いいえ"} << "いいえ" << int(vbNo)
                                << "はい"
                                << "題"
                                << "題";
        QTest::newRow("Yes/No, second default")
            << 36 + 256 << QStringList{"はい", "いいえ"} << "はい" << int(vbYes) << "いいえ"
            << "題"
            << "題";
        QTest::newRow("Yes/No/Cancel, no title")
            << 35 << QStringList{"はい", "いいえ", "キャンセル"} << "キャンセル" << int(vbCancel)
            << "はい"
            << ""
            << "Sarnet意見書";
    }
    void messageBoxButtons()
    {
        QFETCH(int, style);
        QFETCH(QStringList, buttons);
        QFETCH(QString, click);
        QFETCH(int, answer);
        QFETCH(QString, defaultButton);
        QFETCH(QString, title);
        QFETCH(QString, shownTitle);
        QStringList seen;
        QString seenDefault;
        QString seenTitle;
        QString seenText;
        QTimer::singleShot(0, this, [&] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            QVERIFY(box);
            seenTitle = box->windowTitle();
            seenText = box->text();
            QCOMPARE(box->textFormat(), Qt::PlainText);
            for (QAbstractButton* b : box->buttons())
                seen << b->text();
            seenDefault = box->defaultButton()->text();
            for (QAbstractButton* b : box->buttons()) {
                if (b->text() == click)
                    b->click();
            }
        });
        QCOMPARE(QtMessageBoxes().messageBox("<b>一行目</b>\r\n二行目", style, title), answer);
        seen.sort();
        buttons.sort();
        QCOMPARE(seen, buttons);
        QCOMPARE(seenDefault, defaultButton);
        QCOMPARE(seenTitle, shownTitle);
        QCOMPARE(seenText, QStringLiteral("<b>一行目</b>\n二行目"));
    }

    void escapeGivesCancelOrTheLastButton_data()
    {
        QTest::addColumn<int>("style");
        QTest::addColumn<int>("answer");
        QTest::newRow("OK") << 0 << int(vbOK);
        QTest::newRow("OK/Cancel") << 1 << int(vbCancel);
        QTest::newRow("Yes/No") << 4 << int(vbNo);
        QTest::newRow("Yes/No/Cancel") << 3 << int(vbCancel);
    }
    void escapeGivesCancelOrTheLastButton()
    {
        QFETCH(int, style);
        QFETCH(int, answer);
        QTimer::singleShot(0, this, [] {
            QWidget* box = QApplication::activeModalWidget();
            QVERIFY(box);
            QTest::keyClick(box, Qt::Key_Escape);
        });
        QCOMPARE(QtMessageBoxes().messageBox("x", style, QString()), answer);
    }
};

QTEST_MAIN(DialogsTest)
#include "tst_dialogs.moc"
