#include "common/appstate.h"
#include "controls/controlprocs.h"
#include "platform/screen.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QtTest>

#include <limits>

using namespace common;

class ControlProcsTest : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void words_data()
    {
        QTest::addColumn<qint32>("n");
        QTest::addColumn<qint32>("hi");
        QTest::addColumn<qint32>("lo");
        QTest::newRow("zero") << 0 << 0 << 0;
        QTest::newRow("low only") << 65535 << 0 << 65535;
        QTest::newRow("high only") << 65536 << 1 << 0;
        QTest::newRow("both") << 120 * 65536 + 8 << 120 << 8;
        QTest::newRow("minus one") << -1 << 0 << -1;
        QTest::newRow("wheel -120, no keys") << -120 * 65536 << -120 << 0;
        QTest::newRow("wheel -120 with a key") << -120 * 65536 + 8 << -119 << -65528;
        QTest::newRow("largest") << std::numeric_limits<qint32>::max() << 32767 << 65535;
        QTest::newRow("smallest") << std::numeric_limits<qint32>::min() << -32768 << 0;
    }
    void words()
    {
        QFETCH(qint32, n);
        QFETCH(qint32, hi);
        QFETCH(qint32, lo);
        QCOMPARE(HiWord(n), hi);
        QCOMPARE(LoWord(n), lo);
    }

    void sizeMoveInTwips()
    {
        QCOMPARE(platform::twipsPerPixelX(), 15.0); // the offscreen screen has 96 dpi
        QCOMPARE(platform::twipsPerPixelY(), 15.0);
        QWidget parent;
        QWidget child(&parent);
        SizeMove(child, 1500, 750, 150, 300);
        QCOMPARE(child.geometry(), QRect(10, 20, 100, 50));
        // The preview canvas: wider than a 16-bit twip count would allow at any size.
        SizeMove(child, 23814, 16840, -150, 0);
        QCOMPARE(child.geometry(), QRect(-10, 0, 1588, 1123));
    }

    void selAllText_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("text");
        QTest::newRow("line edit") << "line"
                                   << "山田 太郎";
        QTest::newRow("empty line edit") << "line"
                                         << "";
        QTest::newRow("editable combo") << "combo"
                                        << "高血圧症";
        QTest::newRow("empty editable combo") << "combo"
                                              << "";
        QTest::newRow("multi-line box") << "plain"
                                        << "一行目\n二行目";
    }
    void selAllText()
    {
        QFETCH(QString, kind);
        QFETCH(QString, text);
        QLineEdit line;
        QComboBox combo;
        QPlainTextEdit plain;
        QString selected;
        qsizetype length = -1;
        if (kind == "line") {
            line.setText(text);
            line.setCursorPosition(0);
            SelAllText(line);
            selected = line.selectedText();
            length = line.hasSelectedText() ? line.selectionLength() : 0;
        } else if (kind == "combo") {
            combo.setEditable(true);
            combo.setEditText(text);
            SelAllText(combo);
            selected = combo.lineEdit()->selectedText();
            length = combo.lineEdit()->hasSelectedText() ? combo.lineEdit()->selectionLength() : 0;
        } else {
            plain.setPlainText(text);
            SelAllText(plain);
            selected = plain.textCursor().selectedText().replace(QChar::ParagraphSeparator, '\n');
            length = selected.size();
        }
        QCOMPARE(selected, text);
        QCOMPARE(length, text.size());
    }

    void selAllTextLeavesOtherWidgets()
    {
        QComboBox list; // not editable: no text to select
        list.addItem("a");
        SelAllText(list);
        QLabel label("x");
        SelAllText(label);
        QCOMPARE(list.currentText(), QStringLiteral("a"));
    }

    void pressLookDrawsAndMoves()
    {
        QWidget form;
        form.resize(200, 100);
        QLabel button(&form);
        button.setAutoFillBackground(true);
        button.setStyleSheet("background: rgb(192,192,192)");
        button.setGeometry(10, 10, 40, 20);
        form.show();

        PressLook(button, 0);
        QVERIFY(PressedFlag());
        QCOMPARE(button.pos(), QPoint(11, 11));
        const QImage image = button.grab().toImage();
        QCOMPARE(image.pixelColor(0, 0), QColor(Qt::black));       // outer ring, dark side
        QCOMPARE(image.pixelColor(1, 5), QColor(Qt::black));       // inner ring, dark side
        QCOMPARE(image.pixelColor(39, 19), QColor(Qt::white));     // outer ring, light side
        QCOMPARE(image.pixelColor(20, 18), QColor(Qt::white));     // inner ring, light side
        QCOMPARE(image.pixelColor(20, 10), QColor(192, 192, 192)); // the face stays

        PressLook(button, 1);
        QVERIFY(!PressedFlag());
        QCOMPARE(button.pos(), QPoint(10, 10));
        QCOMPARE(button.grab().toImage().pixelColor(0, 0), QColor(192, 192, 192));
    }

    // Two presses without a release: the second does nothing, and the release restores the
    // first box, even when the second box reports it.
    void secondPressWithoutRelease()
    {
        QWidget form;
        QWidget first(&form);
        QWidget second(&form);
        first.setGeometry(0, 0, 30, 30);
        second.setGeometry(100, 0, 30, 30);
        PressLook(first, 2);
        PressLook(second, 2);
        QCOMPARE(first.pos(), QPoint(1, 1));
        QCOMPARE(second.pos(), QPoint(100, 0));
        PressLook(second, 3);
        QCOMPARE(first.pos(), QPoint(0, 0));
        QCOMPARE(second.pos(), QPoint(100, 0));
        QVERIFY(!PressedFlag());
    }

    void releaseWithNothingPressed_data()
    {
        QTest::addColumn<int>("mode");
        QTest::newRow("twips release") << 1;
        QTest::newRow("pixel release") << 3;
        QTest::newRow("unknown mode") << 4;
        QTest::newRow("negative mode") << -1;
    }
    void releaseWithNothingPressed()
    {
        QFETCH(int, mode);
        QWidget box;
        box.move(50, 60);
        PressLook(box, mode);
        QCOMPARE(box.pos(), QPoint(50, 60));
        QVERIFY(!PressedFlag());
    }

    void pressedBoxDestroyed()
    {
        {
            QWidget box;
            PressLook(box, 0);
            QVERIFY(PressedFlag());
        }
        PressLook(*std::make_unique<QWidget>(), 1);
        QVERIFY(!PressedFlag());
    }

    void noCloseMenu()
    {
        QWidget form;
        form.show();
        NoCloseMenu(form);
        QVERIFY(form.isVisible());
        const Qt::WindowFlags flags = form.windowFlags();
        QVERIFY(!(flags & Qt::WindowCloseButtonHint));
        QVERIFY(flags & Qt::CustomizeWindowHint);
        QVERIFY(flags & Qt::WindowTitleHint);
    }

    void sortDirection_data()
    {
        QTest::addColumn<int>("dataSort");
        QTest::addColumn<int>("sortDesc");
        QTest::newRow("0") << 0 << 0;
        QTest::newRow("80") << 80 << 0;
        QTest::newRow("81") << 81 << 1;
        QTest::newRow("1") << 1 << 1;
    }
    void sortDirection()
    {
        QFETCH(int, dataSort);
        QFETCH(int, sortDesc);
        QCOMPARE(int(SortDescOf(quint8(dataSort))), sortDesc);
    }
};

QTEST_MAIN(ControlProcsTest)
#include "tst_controlprocs.moc"
