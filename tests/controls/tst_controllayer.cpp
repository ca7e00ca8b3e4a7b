// The control layer's semantics, on stand-alone controls.
#include "controls/controlregistry.h"
#include "controls/controlwidgets.h"

#include <QSignalSpy>
#include <QTextCursor>
#include <QtTest>

using namespace controls;

class ControlLayerTest : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void checkBoxValueIsZeroOrOne();
    void checkBoxClickRunsForCodeAndUser();
    void optionGroupMayHaveNoneChosen();
    void rightButtonClearsAnOption();
    void listComboTakesOnlyItsItems_data();
    void listComboTakesOnlyItsItems();
    void editableComboNeverAddsTypedText();
    void textLimitCountsCharacters_data();
    void textLimitCountsCharacters();
    void limitKeepsWhatFits_data();
    void limitKeepsWhatFits();
    void comboBoxHasNoUnitLimitOfItsOwn();
    void multiLineBoxKeepsCrLf_data();
    void multiLineBoxKeepsCrLf();
    void multiLineBoxTakesTheMouseRelease();
    void enabledAndVisibleAreOwnState();
    void looksSetColoursAndKeepValues();
    void registryFindsByNameAndIndex();
    void inputMethodEventsReachTheHook();
    void gotFocusRunsAfterTheBoxHasTheFocus();
    void destroyedControlRunsNoHandler();
    void ctrlTabIsSeenWhateverElseIsHeld_data();
    void ctrlTabIsSeenWhateverElseIsHeld();
    void imeModeTellsTheInputMethod_data();
    void imeModeTellsTheInputMethod();
};

void ControlLayerTest::checkBoxValueIsZeroOrOne()
{
    CheckBox box(QStringLiteral("chk"), kNoIndex, QStringLiteral("x"));
    QCOMPARE(box.value(), 0);
    QVERIFY(box.setValue(1));
    QCOMPARE(box.value(), 1);
    QVERIFY(!box.setValue(2));
    QVERIFY(!box.setValue(-1));
    QCOMPARE(box.value(), 1);
    QVERIFY(box.setValue(0));
    QCOMPARE(box.value(), 0);
}

void ControlLayerTest::checkBoxClickRunsForCodeAndUser()
{
    CheckBox box(QStringLiteral("chk"), kNoIndex, QStringLiteral("x"));
    box.resize(80, 20);
    QSignalSpy clicks(box.events(), &ControlEvents::click);
    box.setValue(1);
    QCOMPARE(clicks.count(), 1);
    box.setValue(1); // no change, no click
    QCOMPARE(clicks.count(), 1);
    box.setValue(0);
    QCOMPARE(clicks.count(), 2);
    int valueAtMouseUp = -1;
    connect(box.events(), &ControlEvents::mouseUp, this,
            [&](const MouseArgs&) { valueAtMouseUp = box.value(); });
    QTest::mouseClick(&box, Qt::LeftButton, {}, QPoint(8, 10));
    QCOMPARE(box.value(), 1);
    QCOMPARE(clicks.count(), 3);
    QCOMPARE(valueAtMouseUp, 1); // the release has changed the tick before mouseUp
}

void ControlLayerTest::optionGroupMayHaveNoneChosen()
{
    QWidget parent;
    OptionGroup group;
    OptionButton yes(QStringLiteral("op"), 1, QStringLiteral("有"), &group, &parent);
    OptionButton no(QStringLiteral("op"), 2, QStringLiteral("無"), &group, &parent);
    no.move(0, 30);
    QSignalSpy yesClicks(yes.events(), &ControlEvents::click);
    QSignalSpy noClicks(no.events(), &ControlEvents::click);
    QVERIFY(!group.chosen());

    yes.setValue(1);
    QCOMPARE(group.chosen(), &yes);
    QCOMPARE(yesClicks.count(), 1);
    no.setValue(1); // chooses no, clears yes without its click
    QCOMPARE(group.chosen(), &no);
    QCOMPARE(yes.value(), 0);
    QCOMPARE(yesClicks.count(), 1);
    QCOMPARE(noClicks.count(), 1);
    no.setValue(0); // clearing runs nothing
    QVERIFY(!group.chosen());
    QCOMPARE(noClicks.count(), 1);

    parent.show();
    QVERIFY(QTest::qWaitForWindowExposed(&parent));
    QTest::mouseClick(&yes, Qt::LeftButton, {}, QPoint(6, yes.height() / 2));
    QCOMPARE(group.chosen(), &yes);
    QCOMPARE(yesClicks.count(), 2);
    QTest::mouseClick(&yes, Qt::LeftButton, {}, QPoint(6, yes.height() / 2));
    QCOMPARE(group.chosen(), &yes); // a click never clears
}

void ControlLayerTest::rightButtonClearsAnOption()
{
    QWidget parent;
    OptionGroup group;
    OptionButton yes(QStringLiteral("op"), 1, QStringLiteral("有"), &group, &parent);
    OptionButton no(QStringLiteral("op"), 2, QStringLiteral("無"), &group, &parent);
    no.move(0, 30);
    yes.setRightButtonClears(true);
    no.setRightButtonClears(true);
    parent.show();
    QVERIFY(QTest::qWaitForWindowExposed(&parent));
    QSignalSpy clicks(yes.events(), &ControlEvents::click);
    bool clearedBeforeMouseDown = false;
    connect(yes.events(), &ControlEvents::mouseDown, this, [&](const MouseArgs& args) {
        clearedBeforeMouseDown = args.button == Qt::RightButton && yes.value() == 0;
    });

    yes.setValue(1);
    QTest::mouseClick(&no, Qt::RightButton, {}, QPoint(6, no.height() / 2));
    QCOMPARE(group.chosen(), &yes); // clearing an option not chosen changes nothing
    QTest::mouseClick(&yes, Qt::RightButton, {}, QPoint(6, yes.height() / 2));
    QVERIFY(!group.chosen());
    QVERIFY(clearedBeforeMouseDown);
    QCOMPARE(clicks.count(), 1);
}

void ControlLayerTest::listComboTakesOnlyItsItems_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("taken");
    QTest::addColumn<QString>("shown");
    QTest::newRow("item") << QStringLiteral("昭和") << true << QStringLiteral("昭和");
    QTest::newRow("no item") << QStringLiteral("令和") << false << QStringLiteral("平成");
    QTest::newRow("empty") << QString() << false << QStringLiteral("平成");
    QTest::newRow("width differs") << QStringLiteral("ﾍｲｾｲ") << false << QStringLiteral("平成");
}

void ControlLayerTest::listComboTakesOnlyItsItems()
{
    QFETCH(QString, text);
    QFETCH(bool, taken);
    QFETCH(QString, shown);
    ComboBox box(QStringLiteral("cmb"), kNoIndex, ComboBox::Style::List);
    box.addItems({QStringLiteral("平成"), QStringLiteral("昭和")});
    QCOMPARE(box.kind(), ControlKind::ListComboBox);
    QVERIFY(box.setText(QStringLiteral("平成")));
    QSignalSpy clicks(box.events(), &ControlEvents::click);
    QCOMPARE(box.setText(text), taken);
    QCOMPARE(box.text(), shown);
    QCOMPARE(clicks.count(), 0);
}

void ControlLayerTest::editableComboNeverAddsTypedText()
{
    ComboBox box(QStringLiteral("cmb"), kNoIndex, ComboBox::Style::Editable);
    box.addItems({QStringLiteral("abc"), QString(), QStringLiteral("編集...")});
    box.show();
    QVERIFY(QTest::qWaitForWindowExposed(&box));
    QSignalSpy changes(box.events(), &ControlEvents::changed);
    QSignalSpy clicks(box.events(), &ControlEvents::click);
    QVERIFY(box.setText(QStringLiteral("編集...")));
    QCOMPARE(box.text(), QStringLiteral("編集..."));
    QCOMPARE(changes.count(), 0); // text set by code runs nothing
    QCOMPARE(clicks.count(), 0);
    box.setText(QString());
    box.setFocus();
    QTest::keyClicks(&box, QStringLiteral("a")); // an item's text is not completed
    QCOMPARE(box.text(), QStringLiteral("a"));
    box.setText(QString());
    QTest::keyClicks(&box, QStringLiteral("typed"));
    QTest::keyClick(&box, Qt::Key_Return);
    QCOMPARE(box.count(), 3);
    QCOMPARE(box.text(), QStringLiteral("typed"));
    QVERIFY(changes.count() > 0);
}

void ControlLayerTest::textLimitCountsCharacters_data()
{
    QTest::addColumn<QString>("start");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("result");
    const QString pair = QStringLiteral("𠮷"); // one character, two UTF-16 units
    QTest::newRow("up to the limit")
        << QStringLiteral("ab") << QStringLiteral("c") << QStringLiteral("abc");
    QTest::newRow("past the limit")
        << QStringLiteral("abc") << QStringLiteral("d") << QStringLiteral("abc");
    QTest::newRow("pair is one character")
        << QStringLiteral("ab") << pair << QStringLiteral("ab") + pair;
    QTest::newRow("pairs to the limit") << pair + pair << pair << pair + pair + pair;
    QTest::newRow("paste past the limit keeps what fits")
        << QStringLiteral("a") << QStringLiteral("bcdef") << QStringLiteral("abc");
    QTest::newRow("paste into an empty box")
        << QString() << QStringLiteral("佐藤花子さま") << QStringLiteral("佐藤花");
    QTest::newRow("a pair that does not fit is not split")
        << QStringLiteral("ab") << QStringLiteral("c") + pair << QStringLiteral("abc");
    QTest::newRow("a pair at the cut is dropped whole")
        << QStringLiteral("ab") << pair + pair << QStringLiteral("ab") + pair;
}

void ControlLayerTest::limitKeepsWhatFits_data()
{
    QTest::addColumn<bool>("combo");
    QTest::addColumn<bool>("commit"); // an input-method commit, else a paste
    QTest::newRow("text box, paste") << false << false;
    QTest::newRow("text box, input-method commit") << false << true;
    QTest::newRow("combo box, paste") << true << false;
    QTest::newRow("combo box, input-method commit") << true << true;
}

void ControlLayerTest::limitKeepsWhatFits()
{
    QFETCH(bool, combo);
    QFETCH(bool, commit);
    TextBox text(QStringLiteral("txt"), kNoIndex);
    ComboBox box(QStringLiteral("cmb"), kNoIndex, ComboBox::Style::Editable);
    box.addItem(QStringLiteral("とても長い定型文の項目です"));
    QLineEdit* edit = combo ? box.lineEdit() : &text;
    Control& control = combo ? static_cast<Control&>(box) : static_cast<Control&>(text);
    if (combo)
        box.setMaxLength(6);
    else
        text.setMaxLength(6);
    control.setText(QStringLiteral("田中"));
    edit->setCursorPosition(1); // between 田 and 中
    const QString input = QStringLiteral("𠮷川一二三四");
    if (commit) {
        QInputMethodEvent event;
        event.setCommitString(input);
        QCoreApplication::sendEvent(edit, &event);
    } else {
        edit->insert(input);
    }
    QCOMPARE(control.text(), QStringLiteral("田𠮷川一二中"));
    QCOMPARE(edit->cursorPosition(), 6); // after what was kept

    // Set by code, or an item picked from the list: kept whole.
    control.setText(QStringLiteral("一二三四五六七八"));
    QCOMPARE(control.text(), QStringLiteral("一二三四五六七八"));
    if (combo) {
        box.setCurrentIndex(0);
        QCOMPARE(control.text(), QStringLiteral("とても長い定型文の項目です"));
    }
}

void ControlLayerTest::comboBoxHasNoUnitLimitOfItsOwn()
{
    ComboBox box(QStringLiteral("cmb"), kNoIndex, ComboBox::Style::Editable);
    const QString longText = QString(40000, QChar(u'あ')) + QStringLiteral("𠮷");
    box.lineEdit()->insert(longText);
    QCOMPARE(box.text(), longText);
}

void ControlLayerTest::textLimitCountsCharacters()
{
    QFETCH(QString, start);
    QFETCH(QString, typed);
    QFETCH(QString, result);
    TextBox box(QStringLiteral("txt"), kNoIndex);
    box.setMaxLength(3);
    box.setText(start);
    box.setCursorPosition(int(start.size()));
    box.insert(typed); // as the user types or pastes
    QCOMPARE(box.text(), result);
}

void ControlLayerTest::multiLineBoxKeepsCrLf_data()
{
    QTest::addColumn<QString>("set");
    QTest::addColumn<QString>("plain");
    QTest::addColumn<QString>("read");
    QTest::newRow("crlf") << QStringLiteral("a\r\nb") << QStringLiteral("a\nb")
                          << QStringLiteral("a\r\nb");
    QTest::newRow("lone cr") << QStringLiteral("a\rb") << QStringLiteral("a\nb")
                             << QStringLiteral("a\r\nb");
    QTest::newRow("lf") << QStringLiteral("a\nb\n") << QStringLiteral("a\nb\n")
                        << QStringLiteral("a\r\nb\r\n");
    QTest::newRow("one line") << QStringLiteral("abc") << QStringLiteral("abc")
                              << QStringLiteral("abc");
}

void ControlLayerTest::multiLineBoxKeepsCrLf()
{
    QFETCH(QString, set);
    QFETCH(QString, plain);
    QFETCH(QString, read);
    MultiLineTextBox box(QStringLiteral("txt"), kNoIndex);
    box.setText(set);
    QCOMPARE(box.toPlainText(), plain);
    QCOMPARE(box.text(), read);
}

void ControlLayerTest::multiLineBoxTakesTheMouseRelease()
{
    MultiLineTextBox box(QStringLiteral("txt"), kNoIndex);
    box.resize(200, 100);
    box.setText(QStringLiteral("一行目\r\n二行目"));
    box.show();
    QVERIFY(QTest::qWaitForWindowExposed(&box));
    int mouseUps = 0;
    bool selectedAtMouseUp = true;
    connect(box.events(), &ControlEvents::mouseUp, this, [&](const MouseArgs&) {
        ++mouseUps;
        selectedAtMouseUp = box.textCursor().hasSelection();
    });
    box.selectAll();
    // A click inside the selection puts the caret there: the box's own release does that.
    QTextCursor second(box.document());
    second.setPosition(1);
    const QPoint inText = box.cursorRect(second).center();
    QTest::mouseClick(box.viewport(), Qt::LeftButton, {}, inText);
    QVERIFY(!box.textCursor().hasSelection());
    QCOMPARE(mouseUps, 1);
    QVERIFY(!selectedAtMouseUp);
}

void ControlLayerTest::enabledAndVisibleAreOwnState()
{
    QWidget window;
    QWidget page(&window);
    TextBox box(QStringLiteral("txt"), kNoIndex, &page);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    page.hide();
    page.setEnabled(false);
    QVERIFY(box.visible());
    QVERIFY(box.enabled());
    box.setEnabled(false);
    box.setVisible(false);
    page.setEnabled(true);
    page.show();
    QVERIFY(!box.enabled());
    QVERIFY(!box.visible());

    // Never shown at all: reports the design state.
    TextBox fresh(QStringLiteral("txt"), kNoIndex, &page);
    QVERIFY(fresh.visible());
}

void ControlLayerTest::looksSetColoursAndKeepValues()
{
    TextBox box(QStringLiteral("txt"), kNoIndex);
    box.setBackColor(kLightCyan);
    box.setText(QStringLiteral("kept"));
    Label label(QStringLiteral("lbl"), kNoIndex, QStringLiteral("（"));
    CheckBox check(QStringLiteral("chk"), kNoIndex, QStringLiteral("x"));
    check.setValue(1);

    applyLook(&box, Look::Disabled);
    applyLook(&label, Look::Disabled);
    applyLook(&check, Look::Disabled);
    QVERIFY(!box.enabled());
    QCOMPARE(box.backColor(), OleColor(0xC0C0C0));
    QCOMPARE(box.palette().color(QPalette::Disabled, QPalette::Base), QColor(192, 192, 192));
    // The kept text stays readable on the grey: the system's grey text, as a disabled box has.
    QCOMPARE(box.palette().color(QPalette::Disabled, QPalette::Text), QColor(128, 128, 128));
    QCOMPARE(label.foreColor(), OleColor(0x808080));
    QVERIFY(label.enabled());
    QVERIFY(!check.enabled());
    QCOMPARE(box.text(), QStringLiteral("kept"));
    QCOMPARE(check.value(), 1);

    applyLook(&box, Look::Enabled);
    applyLook(&label, Look::Enabled);
    QVERIFY(box.enabled());
    QCOMPARE(box.backColor(), OleColor(0xFFFFC0));
    QCOMPARE(box.palette().color(QPalette::Base), QColor(192, 255, 255));
    QCOMPARE(label.foreColor(), OleColor(0x80000012));
}

void ControlLayerTest::registryFindsByNameAndIndex()
{
    QWidget page;
    ControlRegistry registry;
    auto* one = new TextBox(QStringLiteral("Kisaisya"), 1, &page);
    auto* five = new TextBox(QStringLiteral("Kisaisya"), 5, &page);
    auto* single = new CheckBox(QStringLiteral("chkKesson"), kNoIndex, QStringLiteral("x"), &page);
    QVERIFY(registry.add(one));
    QVERIFY(registry.add(five));
    QVERIFY(registry.add(single));
    QVERIFY(!registry.add(new TextBox(QStringLiteral("Kisaisya"), 5, &page)));

    QCOMPARE(registry.indexes(QStringLiteral("Kisaisya")), (QList<int>{1, 5}));
    QVERIFY(registry.indexes(QStringLiteral("chkKesson")).isEmpty());
    QVERIFY(!registry.find(QStringLiteral("Kisaisya"), 2));
    QVERIFY(!registry.find(QStringLiteral("Kisaisya")));
    QVERIFY(!registry.find(QStringLiteral("chkKesson"), 0));
    QVERIFY(!registry.text(QStringLiteral("Kisaisya"), 3).has_value());

    QVERIFY(registry.setText(QStringLiteral("Kisaisya"), 5, QStringLiteral("03")));
    QCOMPARE(registry.text(QStringLiteral("Kisaisya"), 5), std::optional<QString>(u"03"_qs));
    QVERIFY(!registry.setText(QStringLiteral("Kisaisya"), 4, QStringLiteral("x")));
    QVERIFY(registry.setValue(QStringLiteral("chkKesson"), kNoIndex, 1));
    QCOMPARE(registry.value(QStringLiteral("chkKesson")), std::optional<int>(1));
    QVERIFY(registry.setEnabled(QStringLiteral("Kisaisya"), 1, false));
    QCOMPARE(registry.enabled(QStringLiteral("Kisaisya"), 1), std::optional<bool>(false));
    QVERIFY(registry.setVisible(QStringLiteral("Kisaisya"), 1, false));
    QCOMPARE(registry.visible(QStringLiteral("Kisaisya"), 1), std::optional<bool>(false));
    QCOMPARE(registry.visible(QStringLiteral("Kisaisya"), 5), std::optional<bool>(true));
}

void ControlLayerTest::destroyedControlRunsNoHandler()
{
    // A box that has the focus loses it while it is destroyed: no handler may then reach
    // the half-destroyed control.
    QWidget window;
    auto* box = new TextBox(QStringLiteral("a"), kNoIndex, &window);
    new TextBox(QStringLiteral("b"), kNoIndex, &window);
    window.show();
    window.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    box->setFocus();
    QVERIFY(box->hasFocus());
    Control* control = box;
    int handled = 0;
    connect(box->events(), &ControlEvents::lostFocus, this, [&] {
        ++handled;
        QCOMPARE(control->kind(), ControlKind::TextBox);
    });
    delete box;
    QCOMPARE(handled, 0);
}

void ControlLayerTest::ctrlTabIsSeenWhateverElseIsHeld_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<Qt::KeyboardModifiers>("modifiers");
    QTest::addColumn<bool>("ctrlTab");
    QTest::newRow("ctrl+tab") << int(Qt::Key_Tab) << Qt::KeyboardModifiers(Qt::ControlModifier)
                              << true;
    QTest::newRow("ctrl+shift+tab")
        << int(Qt::Key_Backtab) << Qt::KeyboardModifiers(Qt::ControlModifier | Qt::ShiftModifier)
        << true;
    QTest::newRow("ctrl+alt+tab") << int(Qt::Key_Tab)
                                  << Qt::KeyboardModifiers(Qt::ControlModifier | Qt::AltModifier)
                                  << true;
    QTest::newRow("tab") << int(Qt::Key_Tab) << Qt::KeyboardModifiers() << false;
    QTest::newRow("ctrl+a") << int(Qt::Key_A) << Qt::KeyboardModifiers(Qt::ControlModifier)
                            << false;
}

void ControlLayerTest::ctrlTabIsSeenWhateverElseIsHeld()
{
    QFETCH(int, key);
    QFETCH(Qt::KeyboardModifiers, modifiers);
    QFETCH(bool, ctrlTab);
    TextBox box(QStringLiteral("txt"), kNoIndex);
    bool seen = false;
    connect(box.events(), &ControlEvents::keyDown, this, [&](KeyArgs& args) {
        seen = args.isCtrlTab();
        args.handled = seen;
    });
    QTest::keyClick(&box, Qt::Key(key), modifiers);
    QCOMPARE(seen, ctrlTab);
}

void ControlLayerTest::inputMethodEventsReachTheHook()
{
    TextBox box(QStringLiteral("txtname"), kNoIndex);
    QStringList seen;
    connect(box.events(), &ControlEvents::inputMethod, this, [&](const QInputMethodEvent& event) {
        seen << event.preeditString() + QLatin1Char('|') + event.commitString();
    });
    QInputMethodEvent preedit(QStringLiteral("やまだ"), {});
    QCoreApplication::sendEvent(&box, &preedit);
    QInputMethodEvent commit;
    commit.setCommitString(QStringLiteral("山田"));
    QCoreApplication::sendEvent(&box, &commit);
    QCOMPARE(seen, (QStringList{u"やまだ|"_qs, u"|山田"_qs}));
    QCOMPARE(box.text(), QStringLiteral("山田"));
}

void ControlLayerTest::gotFocusRunsAfterTheBoxHasTheFocus()
{
    QWidget window;
    auto* first = new TextBox(QStringLiteral("a"), kNoIndex, &window);
    auto* address = new TextBox(QStringLiteral("b"), kNoIndex, &window);
    address->move(0, 30);
    address->setText(QStringLiteral("東京都"));
    window.show();
    window.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    first->setFocus();
    int gotFocus = 0;
    int lostFocus = 0;
    // A handler that puts the caret at the end is not undone by the box's own focus-in.
    connect(address->events(), &ControlEvents::gotFocus, this, [&] {
        ++gotFocus;
        QVERIFY(address->hasFocus());
        address->deselect();
        address->setCursorPosition(int(address->text().size()));
    });
    connect(first->events(), &ControlEvents::lostFocus, this, [&] { ++lostFocus; });
    QTest::keyClick(first, Qt::Key_Tab);
    QCOMPARE(gotFocus, 1);
    QCOMPARE(lostFocus, 1);
    QVERIFY(!address->hasSelectedText());
    QCOMPARE(address->cursorPosition(), 3);
}

void ControlLayerTest::imeModeTellsTheInputMethod_data()
{
    QTest::addColumn<int>("mode");
    QTest::addColumn<bool>("enabled");
    QTest::newRow("not set") << int(ImeMode::NotSet) << true;
    QTest::newRow("on") << int(ImeMode::On) << true;
    QTest::newRow("hiragana") << int(ImeMode::Hiragana) << true;
    QTest::newRow("disabled") << int(ImeMode::Disabled) << false;
}

// The input method asks the focused box whether it takes input-method text; a box with the
// input method disabled says no, so that its keys reach it as typed.
void ControlLayerTest::imeModeTellsTheInputMethod()
{
    QFETCH(int, mode);
    QFETCH(bool, enabled);
    TextBox box(QStringLiteral("txtYubin1"), kNoIndex);
    box.setImeMode(ImeMode(mode));
    QInputMethodQueryEvent query(Qt::ImEnabled);
    QApplication::sendEvent(&box, &query);
    QCOMPARE(query.value(Qt::ImEnabled).toBool(), enabled);
}

QTEST_MAIN(ControlLayerTest)
#include "tst_controllayer.moc"
