// The program on the queues of a private CUPS scheduler, as a clinic runs it: the printer's
// properties through Qt's own print dialog, the printable area each printer describes, and the
// default printer's stored options across a run. The PDFs the queues wrote and pictures of the
// preview's outline stay in the build folder (printer-queues/) for a person to look at.

#include "common/appstate.h"
#include "common/fontsubstitution.h"
#include "letterfixtures.h"
#include "mainwindowstart.h"
#include "platform/printer.h"
#include "privatescheduler.h"
#include "sheet/printarea.h"
#include "sheetdata/setformdata.h"
#include "sheetdata/sheetlayout.h"
#include "shell/form1.h"
#include "shell/frmadj.h"
#include "shell/previewcanvas.h"
#include "shell/printeroptions.h"
#include "testenvironment.h"

#include <QApplication>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFile>
#include <QLabel>
#include <QPageSize>
#include <QPrintDialog>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

#include <cmath>
#include <optional>

namespace {

using privatecups::PdfWord;

// CUPS-PDF's own description: every paper printable to its edges.
const QString EdgeQueue = QStringLiteral("CUPS-PDF");
const QString EdgePpd = privatecups::CupsPdfPpd;
// The same printer described as one that cannot print within 4 mm of any edge.
const QString MarginQueue = QStringLiteral("Four-Millimetres");
constexpr double MarginTwips = 4 / 25.4 * 1440;

// A printer description with the printable area of every paper `points` in from each edge.
QString withMargins(const QString& ppd, double points)
{
    const QRegularExpression area(
        QStringLiteral("^(\\*ImageableArea [^:]+: )\"([\\d.]+) ([\\d.]+) ([\\d.]+) ([\\d.]+)\"$"),
        QRegularExpression::MultilineOption);
    QString out;
    qsizetype done = 0;
    for (auto it = area.globalMatch(ppd); it.hasNext();) {
        const auto m = it.next();
        out += ppd.mid(done, m.capturedStart() - done);
        out += QStringLiteral("%1\"%2 %3 %4 %5\"")
                   .arg(m.captured(1))
                   .arg(m.captured(2).toDouble() + points)
                   .arg(m.captured(3).toDouble() + points)
                   .arg(m.captured(4).toDouble() - points)
                   .arg(m.captured(5).toDouble() - points);
        done = m.capturedEnd();
    }
    return out + ppd.mid(done);
}
// A printer whose own paper is US Letter; it takes A3 too.
const QString LetterQueue = QStringLiteral("Letter-Default");

const QStringList AllSizes = {QStringLiteral("A4"), QStringLiteral("Letter"), QStringLiteral("A3")};

// The word `text` on page `page` of `pdf`.
std::optional<QRectF> wordBox(const QString& pdf, int page, const QString& text, QString* problem)
{
    for (const PdfWord& word : privatecups::pdfWords(pdf, page, problem))
        if (word.text == text)
            return word.box;
    if (problem->isEmpty())
        *problem = QStringLiteral("%1 is not on page %2 of %3").arg(text).arg(page).arg(pdf);
    return std::nullopt;
}

} // namespace

class PrinterQueuesTest : public QObject
{
    Q_OBJECT
private:
    QTemporaryDir m_dir;
    privatecups::PrivateScheduler m_scheduler;
    sheetdata::SheetModel m_model;
    QString m_outputDir;

    QString optionsFile() const { return m_dir.filePath(QStringLiteral("home/.cups/lpoptions")); }

    // The main window as the program starts, with `queue` the scheduler's default printer
    // and the paper mode stored as `storedA3`, and the letter on the sheet.
    std::unique_ptr<shell::Form1> startProgram(const QString& queue, bool storedA3)
    {
        auto form = privatecups::startMainWindow(m_scheduler, queue, storedA3);
        form->model() = m_model;
        return form;
    }

    // Waits for the one job `queue` got since `before` and copies the PDF it wrote to
    // `name`.pdf in the output folder. Empty when it did, otherwise the reason.
    QString collectJob(const QString& queue, const QSet<int>& before, const QString& name,
                       QString& pdf)
    {
        pdf = m_outputDir + u'/' + name + QStringLiteral(".pdf");
        return m_scheduler.collectJob(queue, before, pdf);
    }

private Q_SLOTS:
    void initTestCase()
    {
        // libcups reads the user's options from the home folder it finds at its first call in
        // the process: the whole run has a home folder of its own.
        QVERIFY(m_dir.isValid());
        QVERIFY(privatecups::useClientFolders(m_dir.path()));
        QCOMPARE(shell::PrinterOptionsFile::userFilePath(), optionsFile());

        common::installFontSubstitutions();
        m_outputDir = QDir::currentPath() + QStringLiteral("/printer-queues");
        QVERIFY2(QDir().mkpath(m_outputDir), qPrintable(m_outputDir));
        QVERIFY2(QFile::exists(EdgePpd),
                 "CUPS-PDF's PPD is not installed (package printer-driver-cups-pdf; "
                 "scripts/install-deps installs it)");
        QFile edge(EdgePpd);
        QVERIFY(edge.open(QIODevice::ReadOnly));
        const QString marginPpd = m_dir.filePath(QStringLiteral("four-millimetres.ppd"));
        QFile margin(marginPpd);
        QVERIFY(margin.open(QIODevice::WriteOnly));
        margin.write(withMargins(QString::fromLatin1(edge.readAll()), MarginTwips / 20).toLatin1());
        margin.close();
        const QStringList renderer = privatecups::SearchablePdfOptions;
        QString problem = m_scheduler.start();
        if (problem.isEmpty())
            problem = m_scheduler.addQueue({EdgeQueue, EdgePpd, {}, {}, renderer});
        if (problem.isEmpty())
            problem = m_scheduler.addQueue({MarginQueue, marginPpd, {}, {}, renderer});
        if (problem.isEmpty())
            problem = m_scheduler.addClinicQueue(LetterQueue, {AllSizes, QStringLiteral("Letter")});
        QVERIFY2(problem.isEmpty(), qPrintable(QStringLiteral("no CUPS scheduler: ") + problem));

        const QString file = m_dir.filePath(QStringLiteral("letters.mdb"));
        QVERIFY(letterfixtures::createDataFile(file));
        QVERIFY(letterfixtures::writeLetter(file, 1, letterfixtures::fullyFilledLetter()));
        QVERIFY(sheetdata::SetFormData(m_model, file, QStringLiteral("1")).letterFound);
    }

    void cleanupTestCase()
    {
        platform::setPrinter(nullptr);
        m_scheduler.stop();
    }

    // "プロパティ..." opens Qt's print dialog on the printer object's own paper, orientation
    // and copies, not on the queue's default paper; confirmed without a change, it changes
    // nothing: A3 stays one A3 sheet. Its confirmation is labelled as a setting, not "Print".
    void propertiesKeepTheProgramsPaper_data()
    {
        QTest::addColumn<QString>("queue");
        QTest::addColumn<bool>("a3");
        QTest::addColumn<bool>("pageSetupLookedAt");
        QTest::newRow("A3, confirmed at once") << EdgeQueue << true << false;
        QTest::newRow("A3, page setup looked at") << EdgeQueue << true << true;
        QTest::newRow("Letter queue, A3, confirmed at once") << LetterQueue << true << false;
        QTest::newRow("Letter queue, A3, page setup looked at") << LetterQueue << true << true;
        QTest::newRow("Letter queue, two A4, page setup looked at") << LetterQueue << false << true;
    }
    void propertiesKeepTheProgramsPaper()
    {
        QFETCH(QString, queue);
        QFETCH(bool, a3);
        QFETCH(bool, pageSetupLookedAt);
        TestEnvironment env;
        const auto form = startProgram(queue, a3);
        QCOMPARE(platform::printer().deviceName(), queue);
        QCOMPARE(common::appState().PaperType, a3);
        QVERIFY(platform::printer().setCopies(2));
        QVERIFY(platform::printer().setColorMode(platform::Monochrome));
        const int paper = a3 ? platform::PaperA3 : platform::PaperA4;
        const int orientation = a3 ? platform::Landscape : platform::Portrait;

        // Qt's dialog, answered as a user who looks and confirms without changing anything.
        QString confirmLabel;
        int copiesShown = 0;
        int paperShown = 0;
        bool landscapeShown = false;
        int phase = 0;
        QTimer answer;
        answer.setInterval(50);
        QObject::connect(&answer, &QTimer::timeout, [&] {
            QPrintDialog* dialog = nullptr;
            for (QWidget* w : QApplication::topLevelWidgets())
                if (auto* d = qobject_cast<QPrintDialog*>(w); d && d->isVisible())
                    dialog = d;
            if (!dialog)
                return;
            if (phase == 0) {
                auto* buttons =
                    dialog->findChild<QDialogButtonBox*>(QString(), Qt::FindDirectChildrenOnly);
                confirmLabel = buttons ? buttons->button(QDialogButtonBox::Ok)->text() : QString();
                auto* copies = dialog->findChild<QSpinBox*>(QStringLiteral("copies"));
                copiesShown = copies ? copies->value() : -1;
                auto* properties = dialog->findChild<QPushButton*>(QStringLiteral("properties"));
                if (pageSetupLookedAt && properties) {
                    phase = 1;
                    QTimer::singleShot(0, properties, &QPushButton::click);
                } else {
                    answer.stop();
                    dialog->accept();
                }
                return;
            }
            QDialog* setup = nullptr;
            for (QDialog* d : dialog->findChildren<QDialog*>())
                if (d->isVisible() && d->findChild<QComboBox*>(QStringLiteral("pageSizeCombo")))
                    setup = d;
            if (phase == 1 && setup) {
                const auto* sizes = setup->findChild<QComboBox*>(QStringLiteral("pageSizeCombo"));
                paperShown = sizes->currentData().value<QPageSize>().windowsId();
                const auto* landscape =
                    setup->findChild<QRadioButton*>(QStringLiteral("landscape"));
                landscapeShown = landscape && landscape->isChecked();
                phase = 2;
                QTimer::singleShot(0, setup, &QDialog::accept);
            } else if (phase == 2 && !setup) {
                answer.stop();
                dialog->accept();
            }
        });

        QString modeShown;
        QString copiesLabel;
        int openings = 0;
        const QSet<int> before = m_scheduler.jobIds(queue);
        form->beforePrintDialog = [&](shell::frmAdj& d) {
            const int n = openings++;
            QTimer::singleShot(0, &d, [&, n, dialog = &d] {
                if (n == 0) {
                    answer.start();
                    dialog->cmdProperty_Click();
                    return;
                }
                modeShown =
                    dialog->optA3->isChecked() ? QStringLiteral("A3") : QStringLiteral("A4");
                copiesLabel = dialog->Label8->text();
                if (a3) {
                    // One copy, so that the job is one sheet.
                    platform::printer().setCopies(1);
                    dialog->cmdOK_Click();
                } else
                    dialog->cmdCancel_Click();
            });
        };
        form->mnuPrint_Click();
        form->beforePrintDialog = nullptr;
        answer.stop();

        QCOMPARE(openings, 2);
        QCOMPARE(confirmLabel, QStringLiteral("OK"));
        QCOMPARE(copiesShown, 2);
        if (pageSetupLookedAt) {
            QCOMPARE(paperShown, paper);
            QCOMPARE(landscapeShown, a3);
        }
        QCOMPARE(modeShown, a3 ? QStringLiteral("A3") : QStringLiteral("A4"));
        QCOMPARE(copiesLabel, QStringLiteral("2"));
        QCOMPARE(common::appState().PaperType, a3);
        QCOMPARE(form->mnuA3->isChecked(), a3);
        QCOMPARE(platform::printer().paperSize(), paper);
        QCOMPARE(platform::printer().orientation(), orientation);
        QCOMPARE(platform::printer().colorMode(), int(platform::Monochrome));
        if (!a3)
            return;
        QString pdf;
        const QString name = QStringLiteral("properties-%1-%2")
                                 .arg(queue, pageSetupLookedAt ? QStringLiteral("looked-at")
                                                               : QStringLiteral("at-once"));
        const QString failed = collectJob(queue, before, name, pdf);
        QVERIFY2(failed.isEmpty(), qPrintable(failed));
        QString problem;
        const QList<privatecups::PdfPage> pages = privatecups::pdfPages(pdf, &problem);
        QVERIFY2(problem.isEmpty(), qPrintable(problem));
        QCOMPARE(pages.size(), 1);
        QSizeF size = pages[0].points;
        if (size.width() > size.height())
            size.transpose();
        QVERIFY2(std::abs(size.width() - 841.89) < 2 && std::abs(size.height() - 1190.55) < 2,
                 qPrintable(QStringLiteral("%1 x %2 pt").arg(size.width()).arg(size.height())));
    }

    // The printable area is the printer's own: the red outline of the preview stands where
    // the printer's description says its printing ends, edge to edge or 4 mm in.
    void outlineFollowsThePrinter_data()
    {
        QTest::addColumn<QString>("queue");
        QTest::addColumn<bool>("a3");
        QTest::addColumn<double>("margin"); // twips
        QTest::newRow("edge to edge, A3") << EdgeQueue << true << 0.0;
        QTest::newRow("edge to edge, two A4") << EdgeQueue << false << 0.0;
        QTest::newRow("4 mm, A3") << MarginQueue << true << MarginTwips;
        QTest::newRow("4 mm, two A4") << MarginQueue << false << MarginTwips;
    }
    void outlineFollowsThePrinter()
    {
        QFETCH(QString, queue);
        QFETCH(bool, a3);
        QFETCH(double, margin);
        TestEnvironment env;
        const auto form = startProgram(queue, a3);
        QCOMPARE(common::appState().PaperType, a3);
        const sheet::PrintArea area = sheet::printArea();
        // Within one of the printer's dots.
        const double dot = platform::printer().twipsPerPixel();
        // The paper in whole points, as printer descriptions give it.
        const QSizeF paper = a3 ? QSizeF(1191, 842) * 20 : QSizeF(595, 842) * 20;
        const auto near = [dot](double value, double expected, double dots = 1) {
            return std::abs(value - expected) <= dots * dot + 0.5;
        };
        const QString described = QStringLiteral("%1, %2, %3 x %4 at %5 twips a dot")
                                      .arg(area.PhysOffsetX)
                                      .arg(area.PhysOffsetY)
                                      .arg(area.PrintableWidth)
                                      .arg(area.PrintableHeight)
                                      .arg(dot);
        QVERIFY2(near(area.PhysOffsetX, margin) && near(area.PhysOffsetY, margin),
                 qPrintable(described));
        QVERIFY2(near(area.PrintableWidth, paper.width() - 2 * margin, 2) &&
                     near(area.PrintableHeight, paper.height() - 2 * margin, 2),
                 qPrintable(described +
                            QStringLiteral(" on %1 x %2").arg(paper.width()).arg(paper.height())));

        const sheet::Outline& outline = form->Picture2->outline();
        const int px = area.PhysOffsetX;
        const int py = area.PhysOffsetY;
        const int right = px + area.PrintableWidth - 15;
        const int bottom = py + area.PrintableHeight - 30;
        for (int page = 0; page < 2; ++page) {
            const int shift = page * sheetdata::Page2Shift;
            const bool shown = page == 0 || !a3;
            QCOMPARE(outline[4 * page].visible, shown);
            if (!shown)
                continue;
            QCOMPARE(outline[4 * page].line,
                     QLine(px + shift, py, px + shift, py + area.PrintableHeight));
            QCOMPARE(outline[4 * page + 1].line.p1(), QPoint(px + shift, py));
            QCOMPARE(outline[4 * page + 2].line.x1(), right + shift);
            QCOMPARE(outline[4 * page + 3].line.y1(), bottom);
        }
        const QString picture =
            m_outputDir + QStringLiteral("/outline-%1-%2.png")
                              .arg(queue, a3 ? QStringLiteral("a3") : QStringLiteral("a4"));
        QVERIFY(form->Picture2->grab().save(picture));
    }

    // The offsets taken off every printed position are the printer's own, so the texts land
    // where the sheet has them on the paper, whatever the printer's margins: the same place
    // on both queues, as before the outline followed the printer.
    void printedTextsStayInPlace_data()
    {
        QTest::addColumn<bool>("a3");
        QTest::newRow("A3") << true;
        QTest::newRow("two A4") << false;
    }
    void printedTextsStayInPlace()
    {
        QFETCH(bool, a3);
        const QString title = QStringLiteral("主治医意見書");
        QList<QRectF> places;
        for (const QString& queue : {EdgeQueue, MarginQueue}) {
            TestEnvironment env;
            const auto form = startProgram(queue, a3);
            // Both at one resolution: only the margins differ.
            QVERIFY(platform::printer().setPrintQuality(600));
            const QSet<int> before = m_scheduler.jobIds(queue);
            if (a3)
                form->GoPrintA3();
            else
                form->GoPrintA4();
            QString pdf;
            const QString name = QStringLiteral("letter-%1-%2")
                                     .arg(queue, a3 ? QStringLiteral("a3") : QStringLiteral("a4"));
            const QString failed = collectJob(queue, before, name, pdf);
            QVERIFY2(failed.isEmpty(), qPrintable(failed));
            QString problem;
            const std::optional<QRectF> box = wordBox(pdf, 1, title, &problem);
            QVERIFY2(box, qPrintable(problem));
            places.append(*box);
        }
        const QString described = QStringLiteral("edge to edge at %1, %2; 4 mm at %3, %4 (pt)")
                                      .arg(places[0].left())
                                      .arg(places[0].top())
                                      .arg(places[1].left())
                                      .arg(places[1].top());
        QVERIFY2(std::abs(places[0].left() - places[1].left()) < 0.2 &&
                     std::abs(places[0].top() - places[1].top()) < 0.2,
                 qPrintable(described));
        // On the upright A4 page the title starts where the sheet has it, 1140 twips from the
        // paper's left edge.
        if (!a3)
            QVERIFY2(std::abs(places[0].left() - 1140 / 20.0) < 0.2, qPrintable(described));
    }

    // The default printer set on the scheduler only (lpadmin -d), with no default named in the
    // user's options: its stored options are kept at start-up and put back at the end as they
    // were, byte for byte, after another program rewrote them during the run.
    void defaultPrintersOptionsOutliveTheRun()
    {
        const QString original =
            QStringLiteral("Dest %1 copies=2\nDest %2 media=A3\n").arg(EdgeQueue, MarginQueue);
        QFile file(optionsFile());
        QVERIFY(QDir().mkpath(QFileInfo(file).absolutePath()));
        QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(original.toUtf8());
        file.close();

        TestEnvironment env;
        auto form = startProgram(MarginQueue, false);
        QCOMPARE(platform::printer().deviceName(), MarginQueue);
        QCOMPARE(common::appState().PrinterKey, MarginQueue);
        QCOMPARE(shell::devModeState().DevModeSaved, QStringLiteral("media=A3"));

        const privatecups::Run changed = privatecups::run(
            QStringLiteral("lpoptions"),
            {QStringLiteral("-p"), MarginQueue, QStringLiteral("-o"), QStringLiteral("copies=3")});
        QVERIFY2(changed.ok, qPrintable(changed.output));
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray during = file.readAll();
        file.close();
        QVERIFY2(during != original.toUtf8(), during.constData());

        form->close();
        form.reset();
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), original.toUtf8());
        file.close();
    }
};

QTEST_MAIN(PrinterQueuesTest)
#include "tst_printerqueues.moc"
