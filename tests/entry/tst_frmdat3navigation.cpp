// Page navigation: the tabs, the page hints, NextTab, Ctrl+Tab and the level hint.
#include "common/fontsubstitution.h"
#include "entry/frmDat3.h"

#include <QStackedWidget>
#include <QTabBar>
#include <QtTest>

using namespace controls;

namespace {

bool hint(const entry::frmDat3& form, const char* name)
{
    return form.controls().visible(QString::fromLatin1(name)).value();
}

// Exactly the frame of TabNow is visible, and the selected tab matches it.
void verifyPageShown(const entry::frmDat3& form, int frame)
{
    QCOMPARE(form.TabNow(), frame);
    QCOMPARE(form.tabStrip()->currentIndex(), frame);
    for (int k = 0; k < entry::frmDat3::kPageCount; ++k)
        QCOMPARE(form.controls().visible(QStringLiteral("frmTab"), k).value(), k == frame);
}

} // namespace

class FrmDat3NavigationTest : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { common::installFontSubstitutions(); }
    void init();
    void cleanup() { m_form.reset(); }

    void opensOnPageOne();
    void choosingATab_data();
    void choosingATab();
    void clickingTheShownTabChangesNothing();
    void leavingTheTabStripHidesTheHints();
    void arrowKeyOnTheTabStrip();
    void ctrlTab_data();
    void ctrlTab();
    void levelHintHiddenByPageSwitch();
    void levelHintHiddenOverFrame17();

private:
    std::unique_ptr<entry::frmDat3> m_form;
};

void FrmDat3NavigationTest::init()
{
    m_form = std::make_unique<entry::frmDat3>();
    m_form->TabNew();
    m_form->show();
    m_form->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(m_form.get()));
}

void FrmDat3NavigationTest::opensOnPageOne()
{
    verifyPageShown(*m_form, 0);
    // The tab strip is first in the focus order and finds page 1 already shown.
    QCOMPARE(QApplication::focusWidget(), m_form->tabStrip());
    QVERIFY(hint(*m_form, "lblForward"));
    QVERIFY(!hint(*m_form, "lblBackward"));
}

void FrmDat3NavigationTest::choosingATab_data()
{
    QTest::addColumn<int>("tab");
    QTest::addColumn<bool>("forward");
    QTest::addColumn<bool>("backward");
    QTest::newRow("page 2") << 2 << true << true;
    QTest::newRow("page 5") << 5 << true << true;
    QTest::newRow("page 8") << 8 << true << true;
    QTest::newRow("page 9") << 9 << false << true;
}

void FrmDat3NavigationTest::choosingATab()
{
    QFETCH(int, tab);
    QFETCH(bool, forward);
    QFETCH(bool, backward);
    QTabBar* tabs = m_form->tabStrip();
    QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(tab - 1).center());
    verifyPageShown(*m_form, tab - 1);
    QCOMPARE(hint(*m_form, "lblForward"), forward);
    QCOMPARE(hint(*m_form, "lblBackward"), backward);

    // And back to page 1: only the forward hint.
    QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(0).center());
    verifyPageShown(*m_form, 0);
    QVERIFY(hint(*m_form, "lblForward"));
    QVERIFY(!hint(*m_form, "lblBackward"));
}

void FrmDat3NavigationTest::clickingTheShownTabChangesNothing()
{
    QTabBar* tabs = m_form->tabStrip();
    QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(3).center());
    m_form->control("cmbPsy")->setEnabled(true);
    m_form->control("cmbPsy")->widget()->setFocus(Qt::MouseFocusReason); // hints hidden
    QVERIFY(!hint(*m_form, "lblForward"));
    QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(3).center());
    verifyPageShown(*m_form, 3);
    QVERIFY(!hint(*m_form, "lblForward"));
    QVERIFY(!hint(*m_form, "lblBackward"));
}

void FrmDat3NavigationTest::leavingTheTabStripHidesTheHints()
{
    QTabBar* tabs = m_form->tabStrip();
    QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(1).center());
    QVERIFY(hint(*m_form, "lblForward") && hint(*m_form, "lblBackward"));
    m_form->control("txtHuantei")->widget()->setFocus(Qt::TabFocusReason);
    QVERIFY(!hint(*m_form, "lblForward"));
    QVERIFY(!hint(*m_form, "lblBackward"));
    // The focus back on the tab strip without a page change leaves them hidden.
    tabs->setFocus(Qt::BacktabFocusReason);
    QVERIFY(!hint(*m_form, "lblForward"));
    QVERIFY(!hint(*m_form, "lblBackward"));
}

void FrmDat3NavigationTest::arrowKeyOnTheTabStrip()
{
    QTabBar* tabs = m_form->tabStrip();
    tabs->setFocus();
    QTest::keyClick(tabs, Qt::Key_Right);
    verifyPageShown(*m_form, 1);
    QVERIFY(hint(*m_form, "lblForward") && hint(*m_form, "lblBackward"));
    QTest::keyClick(tabs, Qt::Key_Left);
    verifyPageShown(*m_form, 0);
    QVERIFY(!hint(*m_form, "lblBackward"));
}

void FrmDat3NavigationTest::ctrlTab_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("index");
    QTest::addColumn<bool>("shift");
    QTest::addColumn<int>("shown"); // frame shown afterwards
    QTest::newRow("chkTaka page 1") << "chkTaka" << 3 << false << 1;
    QTest::newRow("opTakaNasi page 1") << "opTakaNasi" << kNoIndex << false << 1;
    QTest::newRow("txtKeika page 2") << "txtKeika" << kNoIndex << false << 2;
    QTest::newRow("cmbYouhou page 2") << "cmbYouhou" << 6 << false << 2;
    QTest::newRow("opNin page 3") << "opNin" << 4 << false << 3;
    QTest::newRow("cmbPsy page 4") << "cmbPsy" << kNoIndex << false << 4;
    QTest::newRow("ctrl+shift cmbPsy") << "cmbPsy" << kNoIndex << true << 4;
    QTest::newRow("txtPsyist page 4") << "txtPsyist" << kNoIndex << true << 4;
    QTest::newRow("optTeido5 page 5") << "optTeido5" << 2 << false << 5;
    QTest::newRow("chkJoutai page 6") << "chkJoutai" << 1 << false << 6;
    QTest::newRow("ctrl+shift chkJoutai") << "chkJoutai" << 1 << true << 6;
    QTest::newRow("cmbKanten page 7") << "cmbKanten" << 6 << false << 7;
    QTest::newRow("txtTokki page 8") << "txtTokki" << kNoIndex << false << 8;
    // Without the handling: the page stays.
    QTest::newRow("cmbKansen") << "cmbKansen" << kNoIndex << false << 7;
    QTest::newRow("cheTokubetu") << "cheTokubetu" << 1 << false << 2;
    QTest::newRow("page 9") << "Kisaisya" << 5 << false << 8;
}

void FrmDat3NavigationTest::ctrlTab()
{
    QFETCH(QString, name);
    QFETCH(int, index);
    QFETCH(bool, shift);
    QFETCH(int, shown);
    Control* control = m_form->control(name, index);
    QVERIFY(control);
    int own = 0;
    while (!m_form->page(own)->isAncestorOf(control->widget()))
        ++own;
    m_form->tabStrip()->setCurrentIndex(own);
    control->setEnabled(true);
    control->widget()->setFocus(Qt::TabFocusReason);
    QCOMPARE(QApplication::focusWidget(), control->widget());

    if (shift)
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab,
                        Qt::ControlModifier | Qt::ShiftModifier);
    else
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab, Qt::ControlModifier);
    verifyPageShown(*m_form, shown);
    if (shown != own) {
        QCOMPARE(QApplication::focusWidget(), m_form->tabStrip());
        QCOMPARE(hint(*m_form, "lblForward"), shown != 8);
        QVERIFY(hint(*m_form, "lblBackward"));
    }
}

void FrmDat3NavigationTest::levelHintHiddenByPageSwitch()
{
    m_form->tabStrip()->setCurrentIndex(2);
    Control* comment = m_form->control("lblComment");
    comment->setText(QStringLiteral("hint"));
    comment->setVisible(true); // as the level options show it
    m_form->tabStrip()->setCurrentIndex(3);
    QVERIFY(!comment->visible());
    m_form->tabStrip()->setCurrentIndex(2);
    QVERIFY(!comment->visible());
}

void FrmDat3NavigationTest::levelHintHiddenOverFrame17()
{
    m_form->tabStrip()->setCurrentIndex(2);
    Control* comment = m_form->control("lblComment");
    comment->setVisible(true);
    QWidget* frame = m_form->control("Frame17")->widget();
    QVERIFY(frame->hasMouseTracking());
    // Over an option: the option's own handlers decide, the frame does nothing.
    QWidget* level = m_form->control("opNeta", 5)->widget();
    QTest::mouseMove(level, level->rect().center());
    QVERIFY(comment->visible());
    // Over the frame outside the options.
    QTest::mouseMove(frame, QPoint(2, 2));
    QTRY_VERIFY(!comment->visible());
    // The dementia levels' frame has no such handling.
    comment->setVisible(true);
    QTest::mouseMove(m_form->control("Frame18")->widget(), QPoint(2, 2));
    QVERIFY(comment->visible());
}

QTEST_MAIN(FrmDat3NavigationTest)
#include "tst_frmdat3navigation.moc"
