// The postal-code boxes: the focus moving on, the length check and the address looked up in
// a small postal-code master, on page 1 and on page 9.
#include "common/appstate.h"
#include "common/datafiles.h"
#include "common/fontsubstitution.h"
#include "common/schema.h"
#include "entry/postcodelookup.h"
#include "handlerfixture.h"
#include "platform/database.h"
#include "scripteddialogs.h"

#include <QFile>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QtTest>

using namespace controls;

namespace {

const QString M = QStringLiteral("東京都千代田区丸の内");
const QString NotFound = QStringLiteral("該当する郵便番号の住所はありません。");
const QString BadLength = QStringLiteral("正しい番号を入力してください。");

enum class Master { Normal, Absent, NoDatabase, NoTable };

// The master as the import leaves it: keys of seven digits and a blank; one key twice.
bool writeMaster(const QString& path, Master kind)
{
    QFile::remove(path);
    switch (kind) {
    case Master::Absent:
        return true;
    case Master::NoDatabase: {
        QFile file(path);
        return file.open(QIODevice::WriteOnly) && file.write("\x13\x37 no database here") > 0;
    }
    case Master::NoTable:
        return db::Database::create(path) != nullptr;
    case Master::Normal:
        break;
    }
    auto master = db::Database::create(path);
    if (!master || !common::createPostCodeTables(*master))
        return false;
    const QList<std::pair<QString, QString>> rows = {{"1000005 ", M},
                                                     {"5300001 ", "大阪府大阪市北区梅田"},
                                                     {"0600000 ", "北海道札幌市中央区"},
                                                     {"0600000 ", "北海道札幌市中央区（別）"},
                                                     {"9000000", "沖縄県那覇市"}};
    for (const auto& [code, address] : rows) {
        if (!master->execute(
                QStringLiteral("INSERT INTO %1 (%2, %3) VALUES (?, ?)")
                    .arg(common::PostCodeTable, common::PostCodeCode, common::PostCodeAddress),
                {db::Variant::fromString(code), db::Variant::fromString(address)}))
            return false;
    }
    return true;
}

struct Boxes
{
    Control* part1;
    Control* part2;
    Control* address;
};

Boxes boxesOf(handlertest::Form& form, int page)
{
    const QString dr = page == 9 ? QStringLiteral("Dr") : QString();
    return {form.at("txtYubin1" + dr), form.at("txtYubin2" + dr), form.at("txtZusho" + dr)};
}

void focus(handlertest::Form& form, Control* box)
{
    form.showPageOf(box);
    box->widget()->setFocus(Qt::TabFocusReason);
}

} // namespace

class PostCodesTest : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void init();
    void cleanup() { m_form.reset(); }

    void lookup_data();
    void lookup();
    void enteringTwiceKeepsTheFirstResult();
    void mergeBeyondPosition255();
    void focusAdvance_data();
    void focusAdvance();
    void lengthCheck_data();
    void lengthCheck();
    void clickOnAButtonFromARefusedBox();
    void accessKeyFromACodeBox_data();
    void accessKeyFromACodeBox();

private:
    QTemporaryDir m_dir;
    QString m_master;
    std::unique_ptr<handlertest::Form> m_form;
};

void PostCodesTest::initTestCase()
{
    common::installFontSubstitutions();
    QVERIFY(m_dir.isValid());
    common::appState().AppPath = m_dir.path() + QLatin1Char('/');
    m_master = common::appState().AppPath + common::PostCodeFileName;
}

void PostCodesTest::init()
{
    QVERIFY(writeMaster(m_master, Master::Normal));
    m_form = std::make_unique<handlertest::Form>();
    (*m_form)->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&**m_form));
}

void PostCodesTest::lookup_data()
{
    QTest::addColumn<int>("page");
    QTest::addColumn<int>("master");
    QTest::addColumn<QString>("code1");
    QTest::addColumn<QString>("code2");
    QTest::addColumn<QString>("before");
    QTest::addColumn<QString>("after");
    QTest::addColumn<bool>("notFound"); // the not-found message is shown

    const auto rows = [](int page) {
        const QByteArray p = " p" + QByteArray::number(page);
        const auto row = [&](const char* name) -> QTestData& {
            return QTest::newRow((name + p).constData());
        };
        const int normal = int(Master::Normal);
        row("empty box takes M") << page << normal << "100"
                                 << "0005"
                                 << "" << M << false;
        row("box holding M and more unchanged") << page << normal << "100"
                                                << "0005" << M + "1-1" << M + "1-1" << false;
        row("M anywhere in the box unchanged") << page << normal << "100"
                                               << "0005"
                                               << "〒" + M + "1-1"
                                               << "〒" + M + "1-1" << false;
        row("merged after the last two characters") << page << normal << "100"
                                                    << "0005"
                                                    << "千代田区丸の内1-1" << M + "1-1" << false;
        row("merged at the first occurrence") << page << normal << "100"
                                              << "0005"
                                              << "丸の内2丸の内1-1" << M + "2丸の内1-1" << false;
        row("no merge point keeps the box") << page << normal << "100"
                                            << "0005"
                                            << "大阪市北区梅田1-1"
                                            << "大阪市北区梅田1-1" << false;
        row("duplicate key: the first row") << page << normal << "060"
                                            << "0000"
                                            << ""
                                            << "北海道札幌市中央区" << false;
        row("key stored without the blank") << page << normal << "900"
                                            << "0000"
                                            << ""
                                            << "沖縄県那覇市" << false;
        row("code not in the master") << page << normal << "999"
                                      << "9999"
                                      << "札幌"
                                      << "札幌" << true;
        row("incomplete code") << page << normal << "100"
                               << ""
                               << ""
                               << "" << true;
        row("code with a hyphen") << page << normal << "100"
                                  << "-000"
                                  << ""
                                  << "" << true;
        row("empty code: no lookup, no message") << page << normal << ""
                                                 << ""
                                                 << "札幌"
                                                 << "札幌" << false;
        row("no master file") << page << int(Master::Absent) << "100"
                              << "0005"
                              << ""
                              << "" << false;
        row("master that is no database") << page << int(Master::NoDatabase) << "100"
                                          << "0005"
                                          << "札幌"
                                          << "札幌" << false;
        row("master without the table") << page << int(Master::NoTable) << "100"
                                        << "0005"
                                        << ""
                                        << "" << false;
    };
    rows(1);
    rows(9);
}

void PostCodesTest::lookup()
{
    QFETCH(int, page);
    QFETCH(int, master);
    QFETCH(QString, code1);
    QFETCH(QString, code2);
    QFETCH(QString, before);
    QFETCH(QString, after);
    QFETCH(bool, notFound);
    QVERIFY(writeMaster(m_master, Master(master)));
    const Boxes b = boxesOf(*m_form, page);
    b.part1->setText(code1);
    b.part2->setText(code2);
    b.address->setText(before);
    ScriptedDialogs dialogs;
    if (notFound)
        dialogs.answer(platform::vbOK);
    focus(*m_form, b.address);
    QVERIFY(b.address->widget()->hasFocus());
    QCOMPARE(b.address->text(), after);
    const QList<ScriptedDialogs::Shown> shown = dialogs.messages();
    QCOMPARE(shown.size(), notFound ? 1 : 0);
    if (notFound) {
        QCOMPARE(shown.at(0).text, NotFound);
        QCOMPARE(shown.at(0).style, platform::vbOKOnly + platform::vbCritical);
        QCOMPARE(shown.at(0).title, QString());
    }
    if (master == int(Master::Normal) && !code1.isEmpty()) {
        // The caret after the last character, nothing selected.
        auto* edit = qobject_cast<QLineEdit*>(b.address->widget());
        QVERIFY(!edit->hasSelectedText());
        QCOMPARE(edit->cursorPosition(), int(after.size()));
    }
}

void PostCodesTest::enteringTwiceKeepsTheFirstResult()
{
    const Boxes b = boxesOf(*m_form, 1);
    b.part1->setText(QStringLiteral("100"));
    b.part2->setText(QStringLiteral("0005"));
    b.address->setText(QStringLiteral("千代田区丸の内1-1"));
    for (int entry = 0; entry < 2; ++entry) {
        focus(*m_form, b.part2);
        focus(*m_form, b.address);
        QCOMPARE(b.address->text(), M + "1-1");
    }
}

void PostCodesTest::mergeBeyondPosition255()
{
    const QString prefix(300, QChar(u'あ'));
    QCOMPARE(entry::MergeAddress(prefix + "丸の内1-1", M), M + "1-1");
    QCOMPARE(entry::MergeAddress("X", "Y"), QStringLiteral("X"));
    // The last two characters of an address that ends outside the BMP are whole characters.
    QCOMPARE(entry::MergeAddress("区𠀋田1-1", "東京都𠀋田"), QStringLiteral("東京都𠀋田1-1"));
}

void PostCodesTest::focusAdvance_data()
{
    QTest::addColumn<int>("page");
    QTest::addColumn<int>("part"); // 1 or 2: the box typed in
    QTest::addColumn<QString>("before");
    QTest::addColumn<QString>("keys");       // typed one by one; "<" a Left key
    QTest::addColumn<QString>("focusAfter"); // "part1", "part2" or "address"
    for (int page : {1, 9}) {
        const QByteArray p = " p" + QByteArray::number(page);
        const auto row = [&](const char* name) -> QTestData& {
            return QTest::newRow((name + p).constData());
        };
        row("three digits move to part 2") << page << 1 << ""
                                           << "100"
                                           << "part2";
        row("two digits stay") << page << 1 << ""
                               << "10"
                               << "part1";
        row("four digits move to the address") << page << 2 << ""
                                               << "0005"
                                               << "address";
        row("three digits in part 2 stay") << page << 2 << ""
                                           << "000"
                                           << "part2";
        row("cursor key in a full part 1 stays") << page << 1 << "100"
                                                 << "<"
                                                 << "part1";
        row("cursor key in a full part 2 stays") << page << 2 << "0005"
                                                 << "<"
                                                 << "part2";
        row("a refused key in a full box stays") << page << 1 << "100"
                                                 << "7"
                                                 << "part1";
    }
}

void PostCodesTest::focusAdvance()
{
    QFETCH(int, page);
    QFETCH(int, part);
    QFETCH(QString, before);
    QFETCH(QString, keys);
    QFETCH(QString, focusAfter);
    const Boxes b = boxesOf(*m_form, page);
    if (part == 2)
        b.part1->setText(QStringLiteral("100"));
    Control* box = part == 1 ? b.part1 : b.part2;
    box->setText(before);
    focus(*m_form, box);
    auto* edit = qobject_cast<QLineEdit*>(box->widget());
    edit->setCursorPosition(int(before.size()));
    for (const QChar key : keys) {
        if (key == QLatin1Char('<'))
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Left);
        else
            QTest::keyClick(QApplication::focusWidget(), key.toLatin1());
    }
    const QHash<QString, Control*> where = {
        {"part1", b.part1}, {"part2", b.part2}, {"address", b.address}};
    QCOMPARE(QApplication::focusWidget(), where.value(focusAfter)->widget());
    // Into the address box: the lookup has run.
    if (focusAfter == QLatin1String("address"))
        QCOMPARE(b.address->text(), M);
}

void PostCodesTest::lengthCheck_data()
{
    QTest::addColumn<int>("page");
    QTest::addColumn<int>("part");
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("refused");
    for (int page : {1, 9}) {
        const QByteArray p = " p" + QByteArray::number(page);
        const auto row = [&](const char* name) -> QTestData& {
            return QTest::newRow((name + p).constData());
        };
        row("part 1 empty") << page << 1 << "" << false;
        row("part 1 two digits") << page << 1 << "10" << true;
        row("part 1 three digits") << page << 1 << "100" << false;
        row("part 2 empty") << page << 2 << "" << false;
        row("part 2 three digits") << page << 2 << "100" << true;
        row("part 2 four digits") << page << 2 << "0005" << false;
    }
}

void PostCodesTest::lengthCheck()
{
    QFETCH(int, page);
    QFETCH(int, part);
    QFETCH(QString, text);
    QFETCH(bool, refused);
    // Without a master, entering the address box looks nothing up.
    QVERIFY(writeMaster(m_master, Master::Absent));
    const Boxes b = boxesOf(*m_form, page);
    Control* box = part == 1 ? b.part1 : b.part2;
    focus(*m_form, box);
    box->setText(text);
    ScriptedDialogs dialogs;
    if (refused)
        dialogs.answer(platform::vbOK);
    // Leaving for the address box: a refused part keeps the focus and no lookup runs.
    b.address->widget()->setFocus(Qt::MouseFocusReason);
    QCOMPARE(QApplication::focusWidget(), refused ? box->widget() : b.address->widget());
    QCOMPARE(box->text(), text);
    const QList<ScriptedDialogs::Shown> shown = dialogs.messages();
    QCOMPARE(shown.size(), refused ? 1 : 0);
    if (refused) {
        QCOMPARE(shown.at(0).text, BadLength);
        QCOMPARE(shown.at(0).style, int(platform::vbOKOnly));
        QCOMPARE(shown.at(0).title, QString());
    }
}

void PostCodesTest::clickOnAButtonFromARefusedBox()
{
    const Boxes b = boxesOf(*m_form, 1);
    focus(*m_form, b.part1);
    b.part1->setText(QStringLiteral("10"));
    Control* today = m_form->at(QStringLiteral("Command8"));
    Control* year = m_form->at(QStringLiteral("txtNenD"));
    ScriptedDialogs dialogs;
    dialogs.answer(platform::vbOK);
    QTest::mouseClick(today->widget(), Qt::LeftButton);
    QCOMPARE(dialogs.messages().size(), 1);
    QCOMPARE(QApplication::focusWidget(), b.part1->widget());
    // The button was not pressed: no date written.
    QCOMPARE(year->text(), QString());
}

// An access key works as a click does: the button takes the focus first, so a part of the
// wrong length is refused before the command runs.
void PostCodesTest::accessKeyFromACodeBox_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("page");
    QTest::addColumn<int>("part");
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("refused");
    QTest::newRow("登　録(&R) from a short part 1") << int(Qt::Key_R) << 1 << 1 << "10" << true;
    QTest::newRow("印刷(&P) from a short part 2") << int(Qt::Key_P) << 1 << 2 << "100" << true;
    QTest::newRow("登　録(&R) from a short institution part 2")
        << int(Qt::Key_R) << 9 << 2 << "1" << true;
    QTest::newRow("取り消し(&D) from a short part 1") << int(Qt::Key_D) << 1 << 1 << "1" << true;
    QTest::newRow("取り消し(&D) from a complete part 1: the command runs")
        << int(Qt::Key_D) << 1 << 1 << "100" << false;
}

void PostCodesTest::accessKeyFromACodeBox()
{
    QFETCH(int, key);
    QFETCH(int, page);
    QFETCH(int, part);
    QFETCH(QString, text);
    QFETCH(bool, refused);
    const Boxes b = boxesOf(*m_form, page);
    Control* box = part == 1 ? b.part1 : b.part2;
    focus(*m_form, box);
    box->setText(text);
    ScriptedDialogs dialogs;
    dialogs.answer(refused ? platform::vbOK : platform::vbCancel);
    QTest::keyClick(box->widget(), Qt::Key(key), Qt::AltModifier);
    const QList<ScriptedDialogs::Shown> shown = dialogs.messages();
    QCOMPARE(shown.size(), 1);
    if (refused) {
        QCOMPARE(shown.at(0).text, BadLength);
        QCOMPARE(QApplication::focusWidget(), box->widget());
    } else {
        // The discard question, asked with the focus on the button.
        QCOMPARE(shown.at(0).text, QStringLiteral("データ更新を破棄しますか？"));
        QCOMPARE(QApplication::focusWidget(), m_form->at(QStringLiteral("Command1"))->widget());
    }
    QCOMPARE(box->text(), text);
    QVERIFY((*m_form)->isVisible());
    QCOMPARE((*m_form)->result(), 0);
}

QTEST_MAIN(PostCodesTest)
#include "tst_postcodes.moc"
