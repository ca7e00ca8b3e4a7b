// The phrase-list editor: its text, OK, キャンセル and the other ways out, a failed store, and
// its layout.
#include "common/fontsubstitution.h"
#include "controls/controlwidgets.h"
#include "entry/formbuilder.h"
#include "entry/frmHenshu.h"
#include "phrasefixture.h"
#include "scripteddialogs.h"

#include <QtTest>

using namespace phrasetest;
using namespace Qt::Literals::StringLiterals;

namespace {

controls::MultiLineTextBox* textBox(entry::frmHenshu& editor)
{
    return editor.control<controls::MultiLineTextBox>(u"txtHenshu"_s);
}

int px(int twips)
{
    return entry::FormBuilder::px(twips);
}

} // namespace

class FrmHenshuTest : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { common::installFontSubstitutions(); }
    void design();
    void loadText_data();
    void loadText();
    void okStoresLines_data();
    void okStoresLines();
    void okKeepsTheItemsOfUnchangedLines_data();
    void okKeepsTheItemsOfUnchangedLines();
    void waysOutWithoutWriting_data();
    void waysOutWithoutWriting();
    void enterStartsNewLine();
    void failedStoreKeepsEverything();
    void layoutFollowsSize_data();
    void layoutFollowsSize();
};

void FrmHenshuTest::design()
{
    entry::frmHenshu editor(1, QString(), {});
    QVERIFY(editor.windowFlags().testFlag(Qt::Tool));
    QCOMPARE(editor.control(u"cmdOK"_s)->text(), u"OK"_s);
    QCOMPARE(editor.control(u"cmdNo"_s)->text(), u"キャンセル"_s);
    QCOMPARE(editor.control(u"Label1"_s)->text(), u"項目ごとに改行して入力して下さい。"_s);
    QCOMPARE(editor.control(u"Label1"_s)->foreColor(), controls::rgb(0, 0, 128));
    QCOMPARE(textBox(editor)->imeMode(), controls::ImeMode::Hiragana);
    for (const QString& name : {u"cmdOK"_s, u"cmdNo"_s}) {
        auto* button = editor.control<controls::CommandButton>(name);
        QVERIFY(!button->isDefault());
        QVERIFY(!button->autoDefault());
    }
    // Tab order: the text, OK, キャンセル.
    editor.show();
    QVERIFY(QTest::qWaitForWindowExposed(&editor));
    textBox(editor)->setFocus();
    QTRY_VERIFY(textBox(editor)->hasFocus());
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QTRY_COMPARE(QApplication::focusWidget(), editor.control(u"cmdOK"_s)->widget());
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QTRY_COMPARE(QApplication::focusWidget(), editor.control(u"cmdNo"_s)->widget());
    QCOMPARE(editor.size(), QSize(px(4560), px(3270)));
}

void FrmHenshuTest::loadText_data()
{
    QTest::addColumn<QStringList>("items");
    QTest::addColumn<QString>("text");
    QTest::newRow("three items, no line end after the last")
        << QStringList{"A", "B", "C"} << u"A\r\nB\r\nC"_s;
    QTest::newRow("empty list, empty box") << QStringList{} << u""_s;
    QTest::newRow("blank items stay lines") << QStringList{"A", "", " B"} << u"A\r\n\r\n B"_s;
    QTest::newRow("an item holding CR LF opens as two lines")
        << QStringList{"A\r\nB"} << u"A\r\nB"_s;
}

void FrmHenshuTest::loadText()
{
    QFETCH(QStringList, items);
    QFETCH(QString, text);
    entry::frmHenshu editor(2, QString(), items);
    QCOMPARE(textBox(editor)->text(), text);
}

void FrmHenshuTest::okStoresLines_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QStringList>("rows");
    QTest::newRow("retyped as it was: the table is untouched")
        << u"A\r\nB\r\nC"_s << QStringList{"4:A", "2:X", "4:B", "0:zero", "4:C"};
    QTest::newRow("a line added") << u"A\r\nB\r\nC\r\nD"_s
                                  << QStringList{"2:X", "0:zero", "4:A", "4:B", "4:C", "4:D"};
    QTest::newRow("blank line kept, one trailing line end adds nothing")
        << u"A\r\n\r\nB\r\n"_s << QStringList{"2:X", "0:zero", "4:A", "4:", "4:B"};
    QTest::newRow("empty text empties the list") << u""_s << QStringList{"2:X", "0:zero"};
    QTest::newRow("lines kept untrimmed")
        << u" 朝 \r\n夕"_s << QStringList{"2:X", "0:zero", "4: 朝 ", "4:夕"};
}

void FrmHenshuTest::okStoresLines()
{
    QFETCH(QString, typed);
    QFETCH(QStringList, rows);
    PhraseFile file;
    QVERIFY(file.add(
        {row(4, u"A"_s), row(2, u"X"_s), row(4, u"B"_s), row(0, u"zero"_s), row(4, u"C"_s)}));
    entry::frmHenshu editor(4, file.path(), {"A", "B", "C"});
    editor.show();
    textBox(editor)->setText(typed);
    QTest::mouseClick(editor.control(u"cmdOK"_s)->widget(), Qt::LeftButton);
    QCOMPARE(editor.result(), int(QDialog::Accepted));
    QVERIFY(!editor.isVisible());
    QCOMPARE(file.rows(), rows);
    QStringList items;
    for (const QString& r : rows) {
        if (r.startsWith(u"4:"_s))
            items.append(r.mid(2));
    }
    QCOMPARE(editor.storedItems(), items);
}

// Items that the text box shows otherwise than they are stored (an import can bring them): a
// lone CR or LF and a line separator show as line ends, a no-break space as a space. What
// the user left as it was keeps its item exactly; OK without a change writes nothing.
void FrmHenshuTest::okKeepsTheItemsOfUnchangedLines_data()
{
    QTest::addColumn<QString>("edit"); // what the user does to the text
    QTest::addColumn<QStringList>("items");
    const QString nbsp = u"x\u00A0y"_s;
    const QString cr = u"p\rq"_s;
    const QString lf = u"j\nk"_s;
    const QString separator = u"l\u2028m"_s;
    const QString crlf = u"r\r\ns"_s;
    QTest::newRow("OK without a change") << u"none"_s << QStringList{};
    QTest::newRow("a line added at the end")
        << u"append D"_s << QStringList{"A", nbsp, cr, lf, separator, crlf, "C", "D"};
    QTest::newRow("the first line deleted")
        << u"delete A"_s << QStringList{nbsp, cr, lf, separator, crlf, "C"};
    QTest::newRow("a line inserted between two items")
        << u"insert N"_s << QStringList{"A", nbsp, "N", cr, lf, separator, crlf, "C"};
    QTest::newRow("the item with the no-break space edited")
        << u"edit x y"_s << QStringList{"A", "x z", cr, lf, separator, crlf, "C"};
    QTest::newRow("one line of an item shown as two edited")
        << u"edit q"_s << QStringList{"A", nbsp, "p", "Q", lf, separator, crlf, "C"};
    QTest::newRow("two items swapped")
        << u"swap"_s << QStringList{"C", nbsp, cr, lf, separator, crlf, "A"};
}

void FrmHenshuTest::okKeepsTheItemsOfUnchangedLines()
{
    QFETCH(QString, edit);
    QFETCH(QStringList, items);
    const QStringList stored{"A",           u"x\u00A0y"_s, u"p\rq"_s, u"j\nk"_s,
                             u"l\u2028m"_s, u"r\r\ns"_s,   "C"};
    PhraseFile file;
    Rows before{row(4, stored.at(0)), row(2, u"X"_s)};
    for (qsizetype i = 1; i < stored.size(); ++i)
        before.append(row(4, stored.at(i)));
    QVERIFY(file.add(before));
    const QStringList rowsBefore = file.rows();
    entry::frmHenshu editor(4, file.path(), stored);
    editor.show();
    const QString shown = textBox(editor)->text();
    QCOMPARE(shown, u"A\r\nx y\r\np\r\nq\r\nj\r\nk\r\nl\r\nm\r\nr\r\ns\r\nC"_s);
    QStringList lines = shown.split(u"\r\n"_s);
    if (edit == u"append D"_s)
        lines.append(u"D"_s);
    else if (edit == u"delete A"_s)
        lines.removeFirst();
    else if (edit == u"insert N"_s)
        lines.insert(2, u"N"_s);
    else if (edit == u"edit x y"_s)
        lines[1] = u"x z"_s;
    else if (edit == u"edit q"_s)
        lines[3] = u"Q"_s;
    else if (edit == u"swap"_s)
        lines.swapItemsAt(0, lines.size() - 1);
    if (edit != u"none"_s)
        textBox(editor)->setText(lines.join(u"\r\n"_s));
    QTest::mouseClick(editor.control(u"cmdOK"_s)->widget(), Qt::LeftButton);
    QCOMPARE(editor.result(), int(QDialog::Accepted));
    if (items.isEmpty()) {
        QCOMPARE(file.rows(), rowsBefore);
        QCOMPARE(editor.storedItems(), stored);
        return;
    }
    QStringList rows{u"2:X"_s};
    for (const QString& item : items)
        rows.append(u"4:"_s + item);
    QCOMPARE(file.rows(), rows);
    QCOMPARE(editor.storedItems(), items);
}

void FrmHenshuTest::waysOutWithoutWriting_data()
{
    QTest::addColumn<QString>("way");
    QTest::addColumn<bool>("closes");
    QTest::newRow("キャンセル") << u"cancel"_s << true;
    QTest::newRow("window close") << u"close"_s << true;
    QTest::newRow("Escape") << u"escape"_s << false;
}

void FrmHenshuTest::waysOutWithoutWriting()
{
    QFETCH(QString, way);
    QFETCH(bool, closes);
    PhraseFile file;
    QVERIFY(file.add(7, {u"右上肢"_s}));
    const QStringList before = file.rows();
    entry::frmHenshu editor(7, file.path(), {u"右上肢"_s});
    editor.show();
    QVERIFY(QTest::qWaitForWindowExposed(&editor));
    textBox(editor)->setText(u"typed\r\nlines"_s);
    textBox(editor)->setFocus();
    if (way == u"cancel")
        QTest::mouseClick(editor.control(u"cmdNo"_s)->widget(), Qt::LeftButton);
    else if (way == u"close")
        editor.close();
    else
        QTest::keyClick(textBox(editor), Qt::Key_Escape);
    QCOMPARE(editor.isVisible(), !closes);
    if (closes)
        QCOMPARE(editor.result(), int(QDialog::Rejected));
    QCOMPARE(file.rows(), before);
    QVERIFY(editor.storedItems().isEmpty());
}

void FrmHenshuTest::enterStartsNewLine()
{
    PhraseFile file;
    entry::frmHenshu editor(5, file.path(), {u"A"_s});
    editor.show();
    QVERIFY(QTest::qWaitForWindowExposed(&editor));
    textBox(editor)->setFocus();
    textBox(editor)->moveCursor(QTextCursor::End);
    QTest::keyClick(textBox(editor), Qt::Key_Return);
    QTest::keyClicks(textBox(editor), u"B"_s);
    QVERIFY(editor.isVisible());
    QCOMPARE(textBox(editor)->text(), u"A\r\nB"_s);
    QVERIFY(file.rows().isEmpty());
}

void FrmHenshuTest::failedStoreKeepsEverything()
{
    PhraseFile file;
    QVERIFY(file.add({row(1, u"A"_s), row(1, u"B"_s)}));
    QVERIFY(file.run(u"CREATE TRIGGER refuse BEFORE INSERT ON コンボ情報 "
                     "WHEN NEW.コンボ内容 = 'two' BEGIN SELECT RAISE(ABORT, 'refused'); END"_s));
    const QStringList before = file.rows();
    entry::frmHenshu editor(1, file.path(), {"A", "B"});
    editor.setWindowTitle(u"「診断名」の編集"_s);
    editor.show();
    textBox(editor)->setText(u"one\r\ntwo\r\nthree"_s);
    ScriptedDialogs dialogs;
    dialogs.answer(platform::vbOK);
    QTest::mouseClick(editor.control(u"cmdOK"_s)->widget(), Qt::LeftButton);
    const QList<ScriptedDialogs::Shown> shown = dialogs.messages();
    QCOMPARE(shown.size(), 1);
    QVERIFY(shown.at(0).text.contains(u"保存できませんでした"_s));
    QCOMPARE(shown.at(0).style, int(platform::vbCritical));
    QCOMPARE(shown.at(0).title, u"「診断名」の編集"_s);
    // Nothing written, and the user's text is still there to try again or cancel.
    QCOMPARE(file.rows(), before);
    QVERIFY(editor.isVisible());
    QCOMPARE(textBox(editor)->text(), u"one\r\ntwo\r\nthree"_s);
    QVERIFY(editor.storedItems().isEmpty());
}

void FrmHenshuTest::layoutFollowsSize_data()
{
    QTest::addColumn<QSize>("asked");
    QTest::addColumn<QSize>("client");
    const QSize smallest(px(4560), px(3270));
    QTest::newRow("design size") << smallest << smallest;
    QTest::newRow("larger") << QSize(px(6000), px(5000)) << QSize(px(6000), px(5000));
    QTest::newRow("smaller snaps back") << QSize(px(2000), px(1000)) << smallest;
    QTest::newRow("narrower only") << QSize(px(3000), px(4000)) << QSize(px(4560), px(4000));
}

void FrmHenshuTest::layoutFollowsSize()
{
    QFETCH(QSize, asked);
    QFETCH(QSize, client);
    entry::frmHenshu editor(3, QString(), {});
    editor.show();
    editor.resize(asked);
    QCOMPARE(editor.size(), client);
    const int w = client.width();
    const int h = client.height();
    QCOMPARE(textBox(editor)->geometry(), QRect(px(240), px(120), w - px(465), h - px(975)));
    QCOMPARE(editor.control(u"Label1"_s)->widget()->pos(), QPoint(px(360), h - px(750)));
    QCOMPARE(editor.control(u"cmdOK"_s)->widget()->pos(), QPoint(w - px(2520), h - px(510)));
    QCOMPARE(editor.control(u"cmdNo"_s)->widget()->pos(), QPoint(w - px(1200), h - px(510)));
}

QTEST_MAIN(FrmHenshuTest)
#include "tst_frmhenshu.moc"
