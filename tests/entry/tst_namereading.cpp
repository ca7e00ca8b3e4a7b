// The name's reading from the input method's pre-edit and commit events, the kana converter,
// and the form's title from the name.
#include "common/fontsubstitution.h"
#include "entry/kanareading.h"
#include "handlerfixture.h"

#include <QInputMethodEvent>
#include <QtTest>

using namespace controls;

namespace {

// Steps separated by blanks: "p:text" a pre-edit, "c:text" a commit (the pre-edit ends),
// "x" the pre-edit taken back, "k:text" keys typed past the input method, "bs" Backspace,
// "clear" the name box emptied.
void play(handlertest::Form& form, const QString& steps)
{
    QWidget* name = form.at(QStringLiteral("txtname"))->widget();
    for (const QString& step : steps.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
        if (step.startsWith(QLatin1String("p:"))) {
            QInputMethodEvent event(step.mid(2), {});
            QApplication::sendEvent(name, &event);
        } else if (step.startsWith(QLatin1String("c:"))) {
            QInputMethodEvent event;
            event.setCommitString(step.mid(2));
            QApplication::sendEvent(name, &event);
        } else if (step == QLatin1String("x")) {
            QInputMethodEvent event;
            QApplication::sendEvent(name, &event);
        } else if (step.startsWith(QLatin1String("k:"))) {
            QTest::keyClicks(name, step.mid(2));
        } else if (step == QLatin1String("bs")) {
            QTest::keyClick(name, Qt::Key_Backspace);
        } else if (step == QLatin1String("clear")) {
            QTest::keyClick(name, Qt::Key_A, Qt::ControlModifier);
            QTest::keyClick(name, Qt::Key_Delete);
        } else {
            QFAIL(qPrintable(QStringLiteral("unknown step ") + step));
        }
    }
}

} // namespace

class NameReadingTest : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { common::installFontSubstitutions(); }

    void isAllKana_data();
    void isAllKana();
    void toHiragana_data();
    void toHiragana();
    void reading_data();
    void reading();
    void storedLetterKeepsItsKanaUntilANewReading();
    void title_data();
    void title();
};

void NameReadingTest::isAllKana_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("kana");
    QTest::newRow("hiragana") << "さとう" << true;
    QTest::newRow("katakana with ー") << "データ" << true;
    QTest::newRow("half-width with marks") << "ｶﾞｸﾎﾟｳ" << true;
    QTest::newRow("the three mixed") << "さトｳ" << true;
    QTest::newRow("romaji still in the pre-edit") << "さt" << false;
    QTest::newRow("kanji") << "佐藤" << false;
    QTest::newRow("kanji and kana") << "花こ" << false;
    QTest::newRow("empty") << "" << false;
    QTest::newRow("full-width letters") << "ＳＡＴＯ" << false;
}

void NameReadingTest::isAllKana()
{
    QFETCH(QString, text);
    QFETCH(bool, kana);
    QCOMPARE(entry::IsAllKana(text), kana);
}

void NameReadingTest::toHiragana_data()
{
    QTest::addColumn<QString>("kana");
    QTest::addColumn<QString>("hiragana");
    QTest::newRow("hiragana stays") << "さとうはなこ"
                                    << "さとうはなこ";
    QTest::newRow("katakana") << "サトウハナコ"
                              << "さとうはなこ";
    QTest::newRow("half-width") << "ｻﾄｳﾊﾅｺ"
                                << "さとうはなこ";
    QTest::newRow("half-width voiced and semi-voiced") << "ｶﾞｸﾎﾟｳ"
                                                       << "がくぽう";
    QTest::newRow("half-width ｳﾞ and small letters") << "ｳﾞｧｲｵﾘﾝ"
                                                     << "ゔぁいおりん";
    QTest::newRow("half-width ｰ and ･") << "ﾃﾞｰﾀ･ｲﾁ"
                                        << "でーた・いち";
    QTest::newRow("ヴ ヵ ヶ ヽ ヾ") << "ヴヵヶヽヾ"
                                    << "ゔゕゖゝゞ";
    QTest::newRow("ﾜﾞ has no hiragana") << "ﾜﾞ"
                                        << "ヷ";
    QTest::newRow("a mark after a letter without a voiced form") << "ｱﾞ"
                                                                 << "あ゛";
    QTest::newRow("a mark alone") << "ﾟ"
                                  << "゜";
    QTest::newRow("small ッ and ョ") << "ｷｯｼｮｳ"
                                     << "きっしょう";
}

void NameReadingTest::toHiragana()
{
    QFETCH(QString, kana);
    QFETCH(QString, hiragana);
    QCOMPARE(entry::ToHiragana(kana), hiragana);
}

void NameReadingTest::reading_data()
{
    QTest::addColumn<QString>("steps");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("collected"); // lblKanaPre
    QTest::addColumn<QString>("kana");      // txtKana, which held "もと" before

    QTest::newRow("hiragana pre-edit converted")
        << "p:さ p:さt p:さと p:さとう p:はなこ p:さとうはなこ p:佐藤花子 c:佐藤花子"
        << "佐藤花子"
        << "さとうはなこ"
        << "さとうはなこ";
    QTest::newRow("katakana pre-edit") << "p:サトウ p:佐藤 c:佐藤"
                                       << "佐藤"
                                       << "サトウ"
                                       << "さとう";
    QTest::newRow("half-width katakana with ﾞ and ﾟ") << "p:ｶﾞｸﾎﾟｳ p:岳歩 c:岳歩"
                                                      << "岳歩"
                                                      << "ｶﾞｸﾎﾟｳ"
                                                      << "がくぽう";
    QTest::newRow("pre-edit ending in kanji") << "p:はなこ p:花こ p:花子 c:花子"
                                              << "花子"
                                              << "はなこ"
                                              << "はなこ";
    QTest::newRow("several converted pieces") << "p:やまだ p:山田 c:山田 p:たろう p:太郎 c:太郎"
                                              << "山田太郎"
                                              << "やまだたろう"
                                              << "やまだたろう";
    QTest::newRow("kana committed as typed") << "p:さとう c:さとう"
                                             << "さとう"
                                             << "さとう"
                                             << "さとう";
    QTest::newRow("kana committed without pre-edit") << "c:サトウ"
                                                     << "サトウ"
                                                     << "サトウ"
                                                     << "さとう";
    QTest::newRow("cancelled pre-edit leaves no reading") << "p:すずき x p:さとう p:佐藤 c:佐藤"
                                                          << "佐藤"
                                                          << "さとう"
                                                          << "さとう";
    QTest::newRow("cancelled, then kanji committed") << "p:すずき x c:鈴木"
                                                     << "鈴木"
                                                     << ""
                                                     << "もと";
    QTest::newRow("typed without the input method keeps txtKana") << "k:Sato"
                                                                  << "Sato"
                                                                  << ""
                                                                  << "もと";
    QTest::newRow("deleting a character keeps the reading and txtKana")
        << "p:やまだ p:山田 c:山田 bs"
        << "山"
        << "やまだ"
        << "やまだ";
    QTest::newRow("a plain key after a conversion keeps txtKana") << "p:やまだ p:山田 c:山田 k:x"
                                                                  << "山田x"
                                                                  << "やまだ"
                                                                  << "やまだ";
    QTest::newRow("emptying the name clears the reading, keeps txtKana")
        << "p:やまだ p:山田 c:山田 clear"
        << ""
        << ""
        << "やまだ";
    QTest::newRow("a new name after emptying starts afresh")
        << "p:やまだ p:山田 c:山田 clear p:かわい p:河合 c:河合"
        << "河合"
        << "かわい"
        << "かわい";
}

void NameReadingTest::reading()
{
    QFETCH(QString, steps);
    QFETCH(QString, name);
    QFETCH(QString, collected);
    QFETCH(QString, kana);
    handlertest::Form form;
    form.at(QStringLiteral("txtKana"))->setText(QStringLiteral("もと"));
    Control* box = form.at(QStringLiteral("txtname"));
    form.showPageOf(box);
    box->widget()->setFocus(Qt::OtherFocusReason);
    play(form, steps);
    QCOMPARE(box->text(), name);
    QCOMPARE(form.at(QStringLiteral("lblKanaPre"))->text(), collected);
    QCOMPARE(form.at(QStringLiteral("txtKana"))->text(), kana);
}

void NameReadingTest::storedLetterKeepsItsKanaUntilANewReading()
{
    handlertest::Form form;
    // As the loading sets them: the name first, then its kana.
    form.at(QStringLiteral("txtname"))->setText(QStringLiteral("佐藤花子"));
    form.at(QStringLiteral("txtKana"))->setText(QStringLiteral("さとうはなこ"));
    Control* box = form.at(QStringLiteral("txtname"));
    box->widget()->setFocus(Qt::OtherFocusReason);
    qobject_cast<QLineEdit*>(box->widget())->end(false);
    play(form, QStringLiteral("bs bs k:x"));
    QCOMPARE(form.at(QStringLiteral("txtKana"))->text(), QStringLiteral("さとうはなこ"));
    play(form, QStringLiteral("p:ゆみ p:由美 c:由美"));
    QCOMPARE(box->text(), QStringLiteral("佐藤x由美"));
    QCOMPARE(form.at(QStringLiteral("txtKana"))->text(), QStringLiteral("ゆみ"));
}

void NameReadingTest::title_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("title");
    QTest::newRow("a name") << "佐藤花子"
                            << "佐藤花子";
    QTest::newRow("an empty name keeps the title") << ""
                                                   << "新規登録";
}

void NameReadingTest::title()
{
    QFETCH(QString, name);
    QFETCH(QString, title);
    handlertest::Form form;
    form->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&*form));
    Control* box = form.at(QStringLiteral("txtname"));
    box->widget()->setFocus(Qt::TabFocusReason);
    box->setText(name);
    form.at(QStringLiteral("txtKana"))->widget()->setFocus(Qt::TabFocusReason);
    QCOMPARE(form.at(QStringLiteral("Label52"))->text(), title);
}

QTEST_MAIN(NameReadingTest)
#include "tst_namereading.moc"
