#include "platform/helpwindow.h"
#include "platform/printerdouble.h"
#include "shell/form1.h"
#include "testenvironment.h"

#include <QAction>
#include <QDirIterator>
#include <QPointer>
#include <QRegularExpression>
#include <QScreen>
#include <QTextBrowser>
#include <QtTest>

using platform::HelpWindow;

class HelpTest : public QObject
{
    Q_OBJECT
private:
    std::unique_ptr<TestEnvironment> m_env;
    std::unique_ptr<shell::Form1> m_form;

    HelpWindow* helpWindow() const { return m_form->findChild<HelpWindow*>(); }

private Q_SLOTS:
    void init()
    {
        m_env = std::make_unique<TestEnvironment>();
        platform::setPrinter(std::make_unique<platform::FakePrinter>());
        m_form = std::make_unique<shell::Form1>();
    }
    void cleanup()
    {
        m_form.reset();
        m_env.reset();
    }

    void commandsOpenTheirPages_data()
    {
        QTest::addColumn<QString>("command");
        QTest::addColumn<QString>("page");
        QTest::addColumn<QString>("heading");
        QTest::newRow("topics from the menu") << "mnuTopic"
                                              << "qrc:/help/index.html"
                                              << "目次";
        QTest::newRow("toolbar Help: the main window") << "Help"
                                                       << "qrc:/help/main.html"
                                                       << "メイン画面とメニュー";
    }
    void commandsOpenTheirPages()
    {
        QFETCH(QString, command);
        QFETCH(QString, page);
        QFETCH(QString, heading);
        if (command == QLatin1String("Help"))
            m_form->toolbarButtonClick(command);
        else
            m_form->findChild<QAction*>(command)->trigger();
        HelpWindow* help = helpWindow();
        QVERIFY(help);
        QVERIFY(help->isVisible());
        QCOMPARE(help->currentPage(), QUrl(page));
        QVERIFY2(help->browser()->toPlainText().startsWith(heading),
                 qPrintable(help->browser()->toPlainText().left(40)));
        QCOMPARE(help->windowTitle(), QStringLiteral("Sarnet意見書 ヘルプ"));
    }

    void oneWindowServesEveryCall()
    {
        m_form->mnuTopic_Click();
        HelpWindow* first = helpWindow();
        m_form->showHelpContext(30);
        QCOMPARE(helpWindow(), first);
        QCOMPARE(first->currentPage(), QUrl(QStringLiteral("qrc:/help/main.html")));
        QCOMPARE(m_form->findChildren<HelpWindow*>().size(), 1);
    }

    void contextsHaveTheirPages_data()
    {
        QTest::addColumn<int>("context");
        QTest::addColumn<QString>("page");
        QTest::newRow("30 main window") << 30 << "qrc:/help/main.html";
        QTest::newRow("11 postal-code import") << 11 << "qrc:/help/import.html#postcode";
        QTest::newRow("unknown context: contents") << 99 << "qrc:/help/index.html";
    }
    void contextsHaveTheirPages()
    {
        QFETCH(int, context);
        QFETCH(QString, page);
        QCOMPARE(HelpWindow::pageForContext(context), QUrl(page));
    }

    void placedBesideOrOverTheMainWindow_data()
    {
        QTest::addColumn<QRect>("main");
        QTest::addColumn<QRect>("screen");
        QTest::addColumn<QPoint>("expected");
        const QRect screen(0, 0, 1920, 1040);
        // The help window is 640 x 560.
        QTest::newRow("room on the right")
            << QRect(100, 100, 900, 700) << screen << QPoint(1000, 100);
        QTest::newRow("room on the left only")
            << QRect(1000, 100, 900, 700) << screen << QPoint(360, 100);
        QTest::newRow("maximised: over its right part, halfway down")
            << screen << screen << QPoint(1280, 240);
        QTest::newRow("no room either side")
            << QRect(400, 50, 1200, 900) << screen << QPoint(960, 220);
        QTest::newRow("beside, moved up onto the screen")
            << QRect(100, 700, 900, 300) << screen << QPoint(1000, 480);
        QTest::newRow("over a small window, kept on the screen")
            << QRect(300, 0, 500, 300) << QRect(0, 0, 1000, 700) << QPoint(160, 0);
        QTest::newRow("second screen")
            << QRect(1920, 0, 1920, 1080) << QRect(1920, 0, 1920, 1080) << QPoint(3200, 260);
    }
    void placedBesideOrOverTheMainWindow()
    {
        QFETCH(QRect, main);
        QFETCH(QRect, screen);
        QFETCH(QPoint, expected);
        QCOMPARE(HelpWindow::place(main, QSize(640, 560), screen), expected);
    }

    // Shown over the main window (the screen has no room beside it), then closed by Escape.
    void opensOverTheMainWindowAndEscapeCloses()
    {
        m_form->setGeometry(QRect(0, 0, 800, 600));
        m_form->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_form.get()));
        m_form->mnuTopic_Click();
        QPointer<HelpWindow> help = helpWindow();
        QVERIFY(help);
        QTRY_VERIFY(help->isActiveWindow());
        const QRect main = m_form->frameGeometry();
        const QRect shown = help->frameGeometry();
        QCOMPARE(shown.topLeft(),
                 HelpWindow::place(main, shown.size(), m_form->screen()->availableGeometry()));
        QVERIFY(main.contains(shown.center()));
        QVERIFY(shown.top() > main.top());

        QTest::keyClick(help, Qt::Key_Escape);
        QTRY_VERIFY(!help);
    }

    // Every link of every page leads to a page (and an anchor) that is there.
    void everyLinkResolves()
    {
        HelpWindow::showContents(m_form.get());
        QStringList pages;
        QDirIterator it(QStringLiteral(":/help"), {QStringLiteral("*.html")});
        while (it.hasNext())
            pages << it.next();
        QVERIFY(pages.size() >= 8);
        const QRegularExpression href(QStringLiteral("href=\"([^\"]+)\""));
        for (const QString& page : pages) {
            QFile file(page);
            QVERIFY(file.open(QIODevice::ReadOnly));
            const QString html = QString::fromUtf8(file.readAll());
            for (auto m = href.globalMatch(html); m.hasNext();) {
                const QString link = m.next().captured(1);
                const QString target = link.section(QLatin1Char('#'), 0, 0);
                const QString anchor = link.section(QLatin1Char('#'), 1);
                QFile linked(QStringLiteral(":/help/") + target);
                QVERIFY2(linked.open(QIODevice::ReadOnly), qPrintable(page + " -> " + link));
                if (!anchor.isEmpty())
                    QVERIFY2(QString::fromUtf8(linked.readAll())
                                 .contains(QStringLiteral("name=\"%1\"").arg(anchor)),
                             qPrintable(page + " -> " + link));
            }
        }
    }
};

QTEST_MAIN(HelpTest)
#include "tst_help.moc"
