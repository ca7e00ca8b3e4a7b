#include "shell/viewlayout.h"

#include <QtTest>

#include <cmath>
#include <limits>

using namespace shell;

class ViewLayoutTest : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void roundsHalvesToEven_data()
    {
        QTest::addColumn<double>("value");
        QTest::addColumn<int>("expected");
        QTest::newRow("0.5") << 0.5 << 0;
        QTest::newRow("1.5") << 1.5 << 2;
        QTest::newRow("444.5") << 444.5 << 444;
        QTest::newRow("63.5") << 63.5 << 64;
        QTest::newRow("-2.5") << -2.5 << -2;
        QTest::newRow("117.1") << 117.1 << 117;
    }
    void roundsHalvesToEven()
    {
        QFETCH(double, value);
        QFETCH(int, expected);
        QCOMPARE(roundHalfEven(value), expected);
    }

    void wideWindowHasNoHorizontalBar()
    {
        // 255 + 23814 twips: the whole sheet width fits.
        const FullSizeLayout l = fullSizeLayout(24069, 9000);
        QVERIFY(l.wide);
        QCOMPARE(l.viewport, (ControlRect{23814, 8205, 0, 420}));
        QCOMPARE(l.vScroll, (ControlRect{255, 8205, 23814, 420}));
        // The bar runs to the sheet's bottom: 16840 - 8205.
        QCOMPARE(l.vRange, (ScrollRange{8635, 432, 173}));
        QCOMPARE(l.corner, QPoint(23814, 8370));
    }

    void narrowWindowScrollsBothWays()
    {
        const FullSizeLayout l = fullSizeLayout(15000, 9000);
        QVERIFY(!l.wide);
        QCOMPARE(l.viewport, (ControlRect{14745, 7950, 0, 420}));
        QCOMPARE(l.hScroll, (ControlRect{14745, 255, 0, 8370}));
        QCOMPARE(l.vScroll, (ControlRect{255, 7950, 14745, 420}));
        QCOMPARE(l.hRange, (ScrollRange{9069, 453, 227}));
        // 8890 / 20 = 444.5 rounds to the even 444.
        QCOMPARE(l.vRange, (ScrollRange{8890, 444, 178}));
        QCOMPARE(l.corner, QPoint(14745, 8370));
    }

    void viewportTallerThanSheetGivesNoRange()
    {
        const FullSizeLayout l = fullSizeLayout(30000, 20000);
        QVERIFY(l.wide);
        QVERIFY(l.vRange.max < 0);
    }

    void fittedViewInWideWindow()
    {
        const auto v = fittedView(15000, 9000, 15, 15);
        QVERIFY(v);
        QVERIFY(v->wide);
        QCOMPARE(v->viewportWidth, 15000);
        QCOMPARE(v->viewportHeight, 8205);
        QCOMPARE(v->destination, QRect(117, 0, 766, 547));
        QCOMPARE(v->source, QRect(38, 60, 1486, 1061));
    }

    void fittedViewInTallWindow()
    {
        const auto v = fittedView(9000, 9000, 15, 15);
        QVERIFY(v);
        QVERIFY(!v->wide);
        // Half of 547 - 420 is 63.5: the even neighbour 64.
        QCOMPARE(v->destination, QRect(0, 64, 600, 420));
        QCOMPARE(v->source, QRect(38, 60, 1479, 1061));
    }

    void ratioOfExactlyOnePointFourIsWide()
    {
        QVERIFY(fittedView(255 + 14, 1050 + 10, 15, 15)->wide);
        QVERIFY(!fittedView(255 + 139, 1050 + 100, 15, 15)->wide);
    }

    void fittedViewNeedsRoomForTheBands_data()
    {
        QTest::addColumn<int>("width");
        QTest::addColumn<int>("height");
        QTest::newRow("height 1050") << 9000 << 1050;
        QTest::newRow("minimised") << 0 << 0;
        QTest::newRow("narrower than the bar") << 200 << 9000;
    }
    void fittedViewNeedsRoomForTheBands()
    {
        QFETCH(int, width);
        QFETCH(int, height);
        QVERIFY(!fittedView(width, height, 15, 15));
    }

    void wheelMovesOneStepPerNotch_data()
    {
        QTest::addColumn<QList<int>>("deltas");
        QTest::addColumn<int>("expected");
        QTest::newRow("away: up") << QList<int>{120} << 850;
        QTest::newRow("toward: down") << QList<int>{-120} << 1150;
        QTest::newRow("delta 0 moves nothing") << QList<int>{0} << 1000;
        QTest::newRow("touchpad adds up") << QList<int>{-40, -40, -40} << 1150;
        QTest::newRow("touchpad short of a notch") << QList<int>{-40, -40} << 1000;
        QTest::newRow("two notches at once") << QList<int>{-240} << 1300;
        QTest::newRow("turning back drops the rest") << QList<int>{-100, 60} << 1000;
        QTest::newRow("top stops at 0") << QList<int>{120 * 10} << 0;
        QTest::newRow("bottom stops at max") << QList<int>{-120 * 10} << 2000;
    }
    void wheelMovesOneStepPerNotch()
    {
        QFETCH(QList<int>, deltas);
        QFETCH(int, expected);
        WheelScroller wheel;
        int value = 1000;
        for (int delta : deltas)
            value = wheel.scroll(value, 0, 2000, delta);
        QCOMPARE(value, expected);
    }

    void windowOffEveryScreenIsPulledOn_data()
    {
        QTest::addColumn<QRect>("window");
        QTest::addColumn<QRect>("expected");
        QTest::newRow("on screen") << QRect(100, 100, 640, 480) << QRect(100, 100, 640, 480);
        QTest::newRow("partly off to the right")
            << QRect(1500, 100, 640, 480) << QRect(1500, 100, 640, 480);
        QTest::newRow("far right")
            << QRect(5000, 100, 640, 480) << QRect(2560 - 640, 100, 640, 480);
        QTest::newRow("above") << QRect(100, -900, 640, 480) << QRect(100, 0, 640, 480);
        QTest::newRow("left of the first")
            << QRect(-3000, 300, 640, 480) << QRect(0, 300, 640, 480);
        QTest::newRow("too big") << QRect(9000, 9000, 4000, 3000) << QRect(1280, 0, 1280, 1024);
    }
    void windowOffEveryScreenIsPulledOn()
    {
        QFETCH(QRect, window);
        QFETCH(QRect, expected);
        const QList<QRect> screens{QRect(0, 0, 1280, 1024), QRect(1280, 0, 1280, 1024)};
        QCOMPARE(pullOntoScreens(window, screens), expected);
    }

    void storedPlacementFitsTheScreen_data()
    {
        QTest::addColumn<QRect>("window");
        QTest::addColumn<QRect>("expected");
        // Two screens of 1280 x 1024; the smallest window is 493 x 297.
        QTest::newRow("as stored") << QRect(100, 100, 640, 480) << QRect(100, 100, 640, 480);
        QTest::newRow("a billion wide and high")
            << QRect(0, 0, 1000000000, 1000000000) << QRect(0, 0, 1280, 1024);
        QTest::newRow("on the second screen, too big for it")
            << QRect(1400, 50, 5000, 5000) << QRect(1280, 0, 1280, 1024);
        QTest::newRow("negative size")
            << QRect(100, 100, -1000000000, -5) << QRect(100, 100, 493, 297);
        QTest::newRow("zero size") << QRect(10, 20, 0, 0) << QRect(10, 20, 493, 297);
        QTest::newRow("far off to the left")
            << QRect(-1000000000, 50, 640, 480) << QRect(0, 50, 640, 480);
    }
    void storedPlacementFitsTheScreen()
    {
        QFETCH(QRect, window);
        QFETCH(QRect, expected);
        const QList<QRect> screens{QRect(0, 0, 1280, 1024), QRect(1280, 0, 1280, 1024)};
        QCOMPARE(placeOnScreens(window, QSize(493, 297), screens), expected);
    }

    void roundingStaysInRange_data()
    {
        QTest::addColumn<double>("value");
        QTest::addColumn<int>("expected");
        QTest::newRow("half to even") << 2.5 << 2;
        QTest::newRow("1e300") << 1e300 << 1000000000;
        QTest::newRow("-3.4e38") << -3.4e38 << -1000000000;
        QTest::newRow("NaN") << std::nan("") << 0;
        QTest::newRow("infinity") << std::numeric_limits<double>::infinity() << 1000000000;
    }
    void roundingStaysInRange()
    {
        QFETCH(double, value);
        QFETCH(int, expected);
        QCOMPARE(roundHalfEven(value), expected);
    }
};

QTEST_GUILESS_MAIN(ViewLayoutTest)
#include "tst_viewlayout.moc"
