// Printing through a real CUPS scheduler: a private cupsd with a queue on CUPS-PDF's PPD, the
// letter printed by the program's own print procedures on Qt's printer, and the PDF made of
// what the queue's filters wrote read back with the Poppler tools. The PDFs and their pictures stay
// in the build folder (cups-print/) for a person to look at.

#include "common/appstate.h"
#include "common/fontsubstitution.h"
#include "letterfixtures.h"
#include "mainwindowstart.h"
#include "platform/messagebox.h"
#include "platform/printerqt.h"
#include "platform/printersettings.h"
#include "privatescheduler.h"
#include "scripteddialogs.h"
#include "sheet/printjob.h"
#include "sheetdata/setformdata.h"
#include "sheetdata/sheetlayout.h"
#include "sheetdata/sheetmodel.h"
#include "shell/form1.h"
#include "shell/frmadj.h"
#include "testenvironment.h"

#include <QApplication>
#include <QComboBox>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QPrintDialog>
#include <QProcess>
#include <QRadioButton>
#include <QRegularExpression>
#include <QSpinBox>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

#include <optional>

#include <cups/cups.h>

namespace {

const QString Queue = QStringLiteral("CUPS-PDF");

using privatecups::PdfPage;
using privatecups::pdfPages;
using privatecups::Run;
using privatecups::run;

// The printers of a small clinic, as queues of the test's own on the scheduler's own printer.
const QString A4OnlyQueue = QStringLiteral("A4-Only");
const QString ThreeCopiesQueue = QStringLiteral("Three-Copies");

// The copies a job was taken with, as the scheduler keeps them (0 when it does not say).
int jobCopies(int id)
{
    ipp_t* request = ippNewRequest(IPP_OP_GET_JOB_ATTRIBUTES);
    const QByteArray uri = QStringLiteral("ipp://localhost/jobs/%1").arg(id).toUtf8();
    ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_URI, "job-uri", nullptr, uri.constData());
    ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_NAME, "requesting-user-name", nullptr,
                 cupsUser());
    ipp_t* response = cupsDoRequest(CUPS_HTTP_DEFAULT, request, "/");
    ipp_attribute_t* copies = ippFindAttribute(response, "copies", IPP_TAG_INTEGER);
    const int n = copies ? ippGetInteger(copies, 0) : 0;
    ippDelete(response);
    return n;
}

QString pageText(const QString& pdf, int page)
{
    const Run text = run(QStringLiteral("pdftotext"),
                         {QStringLiteral("-f"), QString::number(page), QStringLiteral("-l"),
                          QString::number(page), QStringLiteral("-enc"), QStringLiteral("UTF-8"),
                          pdf, QStringLiteral("-")});
    return text.output;
}

// The text without spaces of any width, for finding words however the PDF spaces them.
QString squeezed(QString text)
{
    text.remove(
        QRegularExpression(QStringLiteral("\\s"), QRegularExpression::UseUnicodePropertiesOption));
    return text;
}

// Where the title lies on page 1, as pdftotext places its words, and the page's size in the
// same coordinates: whether the title reads along the page's long side tells how the sheet
// lies on the paper, whatever the page's own rotation.
struct TitlePlace
{
    QSizeF page;
    QRectF title;
};

std::optional<TitlePlace> titlePlace(const QString& pdf)
{
    const Run boxes = run(QStringLiteral("pdftotext"),
                          {QStringLiteral("-bbox"), QStringLiteral("-f"), QStringLiteral("1"),
                           QStringLiteral("-l"), QStringLiteral("1"), pdf, QStringLiteral("-")});
    const QRegularExpression page(QStringLiteral("<page width=\"([\\d.]+)\" height=\"([\\d.]+)\""));
    const QRegularExpression word(
        QStringLiteral("<word xMin=\"([\\d.]+)\" yMin=\"([\\d.]+)\" xMax=\"([\\d.]+)\" "
                       "yMax=\"([\\d.]+)\">主治医意見書<"));
    const auto p = page.match(boxes.output);
    const auto w = word.match(boxes.output);
    if (!p.hasMatch() || !w.hasMatch())
        return std::nullopt;
    return TitlePlace{QSizeF(p.captured(1).toDouble(), p.captured(2).toDouble()),
                      QRectF(QPointF(w.captured(1).toDouble(), w.captured(2).toDouble()),
                             QPointF(w.captured(3).toDouble(), w.captured(4).toDouble()))};
}

bool readsAlongLongSide(const TitlePlace& place)
{
    return (place.page.width() > place.page.height()) ==
           (place.title.width() > place.title.height());
}

// Every word of `words` (split at spaces of any width) is in `text`: a turned page may list
// the words of one line in another order.
bool hasWords(const QString& text, const QString& words)
{
    const QStringList parts = words.split(
        QRegularExpression(QStringLiteral("\\s+"), QRegularExpression::UseUnicodePropertiesOption),
        Qt::SkipEmptyParts);
    return !parts.isEmpty() && std::all_of(parts.begin(), parts.end(),
                                           [&](const QString& w) { return text.contains(w); });
}

bool near(double a, double b)
{
    return std::abs(a - b) < 2.0;
}

} // namespace

class CupsPrintTest : public QObject
{
    Q_OBJECT
private:
    privatecups::PrivateScheduler m_scheduler;
    sheetdata::SheetModel m_model;
    QString m_patient;
    QTemporaryDir m_data;
    QString m_outputDir;

    // Prints the letter through the queue in one paper mode into `pdf`, a copy of the file
    // the queue wrote for the job. Empty when it did, otherwise the reason.
    QString printThroughTheQueue(bool a3, const QString& name, QString& pdf)
    {
        platform::QtPrinter printer;
        if (!printer.setDeviceName(Queue))
            return QStringLiteral("Qt does not list the queue; it lists: ") +
                   printer.printerNames().join(QStringLiteral(", "));
        const bool paperSet = a3 ? printer.setPaperSize(platform::PaperA3) &&
                                       printer.setOrientation(platform::Landscape)
                                 : printer.setPaperSize(platform::PaperA4) &&
                                       printer.setOrientation(platform::Portrait);
        if (!paperSet)
            return QStringLiteral("the queue refuses the paper");
        const QSet<int> jobsBefore = m_scheduler.jobIds(Queue);
        const sheet::PrintRequest request{m_model, false, 0, 0, sheet::measurePrintArea(printer)};
        const sheet::PrintResult result =
            a3 ? sheet::GoPrintA3(printer, request) : sheet::GoPrintA4(printer, request);
        if (!result.printed)
            return result.error;
        int job = 0;
        if (const QString problem = collectJob(Queue, jobsBefore, name, pdf, &job);
            !problem.isEmpty())
            return problem;
        qInfo("%s: job %d", qPrintable(name), job);
        return {};
    }

    // Adds a queue of the test's own offering `sizes`, with the scheduler's defaults
    // `options`. Empty when it is there, otherwise why not.
    QString addClinicQueue(const QString& queue, const QStringList& sizes,
                           const QStringList& options = {})
    {
        return m_scheduler.addClinicQueue(queue, {sizes}, options);
    }

    // Removes a queue. Empty when it is gone, otherwise why not.
    QString removeQueue(const QString& queue)
    {
        const QString lpadmin = QStandardPaths::findExecutable(
            QStringLiteral("lpadmin"), {QStringLiteral("/usr/sbin"), QStringLiteral("/usr/bin")});
        const Run removed =
            run(lpadmin, {QStringLiteral("-h"), m_scheduler.socket(), QStringLiteral("-x"), queue});
        return removed.ok ? QString() : removed.output;
    }

    // The main window started as the program starts, on the system's printers through Qt
    // with `queue` as the default printer and the paper mode stored as `storedA3`.
    std::unique_ptr<shell::Form1> startProgram(TestEnvironment& env, const QString& queue,
                                               bool storedA3)
    {
        env.isolatePrinterOptions();
        return privatecups::startMainWindow(m_scheduler, queue, storedA3);
    }

    // Waits for the job `queue` got since `before` and copies what the queue wrote for it.
    QString collectJob(const QString& queue, const QSet<int>& before, const QString& name,
                       QString& pdf, int* job = nullptr)
    {
        pdf = m_outputDir + u'/' + name + QStringLiteral(".pdf");
        if (const QString failed = m_scheduler.collectJob(queue, before, pdf, job);
            !failed.isEmpty())
            return failed;
        // A picture of every page for a person to look at.
        run(QStringLiteral("pdftoppm"), {QStringLiteral("-r"), QStringLiteral("60"),
                                         QStringLiteral("-png"), pdf, m_outputDir + u'/' + name});
        return {};
    }

private Q_SLOTS:
    void initTestCase()
    {
        common::installFontSubstitutions();
        m_outputDir = QDir::currentPath() + QStringLiteral("/cups-print");
        QVERIFY2(QDir().mkpath(m_outputDir), qPrintable(m_outputDir));
        const QString problem = m_scheduler.startWithCupsPdfQueue(Queue);
        QVERIFY2(
            problem.isEmpty(),
            qPrintable(QStringLiteral("no CUPS-PDF queue on a private scheduler: ") + problem));
        const QString a4Only =
            addClinicQueue(A4OnlyQueue, {QStringLiteral("A4"), QStringLiteral("Letter")});
        QVERIFY2(a4Only.isEmpty(), qPrintable(a4Only));
        const QString threeCopies =
            addClinicQueue(ThreeCopiesQueue,
                           {QStringLiteral("A4"), QStringLiteral("Letter"), QStringLiteral("A3")},
                           {QStringLiteral("copies-default=3")});
        QVERIFY2(threeCopies.isEmpty(), qPrintable(threeCopies));
        const QString file = m_data.filePath(QStringLiteral("letters.mdb"));
        QVERIFY(letterfixtures::createDataFile(file));
        QVERIFY(letterfixtures::writeLetter(file, 1, letterfixtures::fullyFilledLetter()));
        QVERIFY(sheetdata::SetFormData(m_model, file, QStringLiteral("1")).letterFound);
        m_patient = m_model.FormText[sheetdata::PatientNameSlot];
        QVERIFY(!m_patient.isEmpty());
    }
    void cleanupTestCase()
    {
        platform::setPrinter(nullptr);
        platform::setPrinterDriver(nullptr);
        m_scheduler.stop();
    }

    // Whether a queue takes a paper is what the queue offers: Qt's engine alone would keep
    // A3 on a printer that has only A4.
    void paperTheQueueOffers_data()
    {
        QTest::addColumn<QString>("queue");
        QTest::addColumn<bool>("takesA3");
        QTest::newRow("CUPS-PDF") << Queue << true;
        QTest::newRow("A4 and Letter only") << A4OnlyQueue << false;
        QTest::newRow("three copies") << ThreeCopiesQueue << true;
    }
    void paperTheQueueOffers()
    {
        QFETCH(QString, queue);
        QFETCH(bool, takesA3);
        platform::QtPrinter printer;
        QVERIFY(printer.setDeviceName(queue));
        QVERIFY(printer.setPaperSize(platform::PaperA4));
        QCOMPARE(printer.setPaperSize(platform::PaperA3), takesA3);
        QCOMPARE(printer.paperSize(), int(takesA3 ? platform::PaperA3 : platform::PaperA4));
        QVERIFY(printer.setPaperSize(platform::PaperLetter));
        QCOMPARE(printer.paperSize(), int(platform::PaperLetter));
    }

    // A chosen printer comes with its own defaults, nothing of the one before.
    void chosenQueueCarriesItsOwnDefaults()
    {
        platform::QtPrinter printer;
        QVERIFY(printer.setDeviceName(Queue));
        QVERIFY(printer.setPaperSize(platform::PaperA3));
        QVERIFY(printer.setOrientation(platform::Landscape));
        QVERIFY(printer.setCopies(5));
        QVERIFY(printer.setColorMode(platform::Monochrome));
        QVERIFY(printer.setPrintQuality(150));
        QVERIFY(printer.setDeviceName(ThreeCopiesQueue));
        QCOMPARE(printer.deviceName(), ThreeCopiesQueue);
        QCOMPARE(printer.copies(), 3);
        QCOMPARE(printer.paperSize(), int(platform::PaperA4));
        QCOMPARE(printer.orientation(), int(platform::Portrait));
        QCOMPARE(printer.colorMode(), int(platform::Color));
        QCOMPARE(printer.printQuality(), 600);
        QCOMPARE(printer.port(), m_scheduler.deviceUri(ThreeCopiesQueue));
        QVERIFY(printer.setDeviceName(A4OnlyQueue));
        QCOMPARE(printer.copies(), 1);
        QVERIFY(!printer.setDeviceName(QStringLiteral("No-Such-Queue")));
        QCOMPARE(printer.deviceName(), A4OnlyQueue);
    }

    // Started with the A4-only queue as the default printer and A3 stored: two A4 sheets,
    // portrait, and A3 disabled.
    void startUpOnTheA4OnlyQueue()
    {
        TestEnvironment env;
        const auto form = startProgram(env, A4OnlyQueue, true);
        const platform::Printer& printer = platform::printer();
        QCOMPARE(printer.deviceName(), A4OnlyQueue);
        QVERIFY(common::appState().NoA3);
        QVERIFY(!common::appState().PaperType);
        QCOMPARE(printer.paperSize(), int(platform::PaperA4));
        QCOMPARE(printer.orientation(), int(platform::Portrait));
        QVERIFY(!form->mnuA3->isEnabled());
        QVERIFY(form->mnuA4->isChecked());
        QCOMPARE(form->txtPaper->text(), QStringLiteral("A4、210 x 297 mm 2枚"));
        QVERIFY(m_scheduler.makeDefault(Queue).isEmpty());
    }

    // The print dialog on the real printers: the A4-only queue disables A3 in the dialog and
    // the menu and selects A4; the copies-3 queue shows its own copies and takes A3 again.
    void printDialogOnTheClinicQueues()
    {
        TestEnvironment env;
        const auto form = startProgram(env, Queue, true);
        QVERIFY(common::appState().PaperType);
        QVERIFY(platform::printer().setCopies(2));
        shell::frmAdj dialog(*form);
        QCOMPARE(dialog.Combo1->currentText(), Queue);
        QVERIFY(dialog.optA3->isChecked());
        QCOMPARE(dialog.Label8->text(), QStringLiteral("2"));
        dialog.Combo1->setCurrentIndex(dialog.Combo1->findText(A4OnlyQueue));
        QCOMPARE(platform::printer().deviceName(), A4OnlyQueue);
        QVERIFY(common::appState().NoA3);
        QVERIFY(!dialog.optA3->isEnabled());
        QVERIFY(!form->mnuA3->isEnabled());
        QVERIFY(dialog.optA4->isChecked());
        QVERIFY(!common::appState().PaperType);
        QCOMPARE(platform::printer().paperSize(), int(platform::PaperA4));
        QCOMPARE(platform::printer().orientation(), int(platform::Portrait));
        QCOMPARE(dialog.Label8->text(), QStringLiteral("1"));
        QCOMPARE(dialog.Label4->text(), m_scheduler.deviceUri(A4OnlyQueue));

        dialog.Combo1->setCurrentIndex(dialog.Combo1->findText(ThreeCopiesQueue));
        QCOMPARE(dialog.Label8->text(), QStringLiteral("3"));
        QVERIFY(!common::appState().NoA3);
        QVERIFY(dialog.optA3->isEnabled());
        QVERIFY(form->mnuA3->isEnabled());
        QVERIFY(dialog.optA4->isChecked());
        QVERIFY(m_scheduler.makeDefault(Queue).isEmpty());
    }

    // OK in the print dialog on the A4-only queue: two A4 pages, one copy.
    void twoA4SheetsOnTheA4OnlyQueue()
    {
        TestEnvironment env;
        const auto form = startProgram(env, Queue, true);
        form->model() = m_model;
        const QSet<int> before = m_scheduler.jobIds(A4OnlyQueue);
        form->beforePrintDialog = [](shell::frmAdj& d) {
            QTimer::singleShot(0, &d, [&d] {
                d.Combo1->setCurrentIndex(d.Combo1->findText(A4OnlyQueue));
                d.cmdOK_Click();
            });
        };
        form->mnuPrint_Click();
        form->beforePrintDialog = nullptr;
        QString pdf;
        int job = 0;
        const QString failed =
            collectJob(A4OnlyQueue, before, QStringLiteral("a4-only"), pdf, &job);
        QVERIFY2(failed.isEmpty(), qPrintable(failed));
        QString problem;
        const QList<PdfPage> pages = pdfPages(pdf, &problem);
        QVERIFY2(problem.isEmpty(), qPrintable(problem));
        QCOMPARE(pages.size(), 2);
        for (const PdfPage& page : pages)
            QVERIFY2(near(page.points.width(), 595.28) && near(page.points.height(), 841.89),
                     qPrintable(QStringLiteral("%1 x %2 pt")
                                    .arg(page.points.width())
                                    .arg(page.points.height())));
        QVERIFY(squeezed(pageText(pdf, 1)).contains(QStringLiteral("主治医意見書")));
        QVERIFY(squeezed(pageText(pdf, 2)).contains(QStringLiteral("５．特記すべき事項")));
        QCOMPARE(jobCopies(job), 1);
    }

    // One copy set on a queue whose own default is three prints one.
    void oneCopyOnTheThreeCopiesQueue()
    {
        platform::QtPrinter printer;
        QVERIFY(printer.setDeviceName(ThreeCopiesQueue));
        QVERIFY(printer.setCopies(1));
        const QSet<int> before = m_scheduler.jobIds(ThreeCopiesQueue);
        const sheet::PrintResult result =
            sheet::GoPrintA4(printer, {m_model, false, 0, 0, sheet::measurePrintArea(printer)});
        QVERIFY2(result.printed, qPrintable(result.error));
        QString pdf;
        int job = 0;
        const QString failed =
            collectJob(ThreeCopiesQueue, before, QStringLiteral("three-copies"), pdf, &job);
        QVERIFY2(failed.isEmpty(), qPrintable(failed));
        QCOMPARE(jobCopies(job), 1);
    }

    // The printer's properties through Qt's own print dialog on the scheduler's queue: the
    // dialog starts from the printer object's values, its printer list is held on the
    // printer, and what is confirmed there comes back into the printer object and the print
    // dialog.
    void propertiesThroughQtsPrintDialog()
    {
        TestEnvironment env;
        const auto form = startProgram(env, Queue, false);
        QVERIFY(platform::printer().setCopies(4));
        int shownCopies = 0;
        bool listHeld = false;
        QString printerShown;
        QTimer answer;
        answer.setInterval(50);
        QObject::connect(&answer, &QTimer::timeout, [&] {
            for (QWidget* w : QApplication::topLevelWidgets()) {
                auto* dialog = qobject_cast<QPrintDialog*>(w);
                if (!dialog || !dialog->isVisible())
                    continue;
                answer.stop();
                auto* copies = dialog->findChild<QSpinBox*>(QStringLiteral("copies"));
                auto* printers = dialog->findChild<QComboBox*>(QStringLiteral("printers"));
                shownCopies = copies ? copies->value() : -1;
                listHeld = printers && !printers->isEnabled();
                printerShown = printers ? printers->currentText() : QString();
                if (copies)
                    copies->setValue(2);
                dialog->accept();
                return;
            }
        });
        QString label8;
        QString listed;
        int openings = 0;
        form->beforePrintDialog = [&](shell::frmAdj& d) {
            const int n = openings++;
            QTimer::singleShot(0, &d, [&, n, dialog = &d] {
                if (n == 0) {
                    answer.start();
                    dialog->cmdProperty_Click();
                } else {
                    label8 = dialog->Label8->text();
                    listed = dialog->Combo1->currentText();
                    dialog->cmdCancel_Click();
                }
            });
        };
        form->mnuPrint_Click();
        form->beforePrintDialog = nullptr;
        QCOMPARE(openings, 2);
        QCOMPARE(shownCopies, 4);
        QVERIFY(listHeld);
        QCOMPARE(printerShown, Queue);
        QCOMPARE(platform::printer().copies(), 2);
        QCOMPARE(platform::printer().deviceName(), Queue);
        QCOMPARE(platform::printer().paperSize(), int(platform::PaperA4));
        QCOMPARE(label8, QStringLiteral("2"));
        QCOMPARE(listed, Queue);
    }

    // A queue removed after the print dialog listed it cannot be chosen: the user is told and
    // the printer in use stays, in the list too.
    void queueGoneSinceListed()
    {
        const QString gone = QStringLiteral("Gone");
        QVERIFY2(addClinicQueue(gone, {QStringLiteral("A4")}).isEmpty(), "no queue");
        TestEnvironment env;
        const auto form = startProgram(env, Queue, false);
        shell::frmAdj dialog(*form);
        const int index = dialog.Combo1->findText(gone);
        QVERIFY(index >= 0);
        QVERIFY(removeQueue(gone).isEmpty());
        ScriptedDialogs dialogs;
        dialogs.answer(platform::vbOK);
        dialog.Combo1->setCurrentIndex(index);
        QCOMPARE(dialogs.messages().size(), 1);
        QCOMPARE(dialogs.messages().at(0).text,
                 QStringLiteral("プリンタ「Gone」に切り替えられませんでした。\r\n"
                                "「CUPS-PDF」で印刷します。"));
        QCOMPARE(platform::printer().deviceName(), Queue);
        QCOMPARE(dialog.Combo1->currentText(), Queue);
    }

    // The queue as the print dialog and the printer's properties see it: listed, its port,
    // A3 taken, and a settings block with every field for the driver's dialog.
    void queueAsTheDialogsSeeIt()
    {
        platform::QtPrinter printer;
        QVERIFY2(printer.printerNames().contains(Queue),
                 qPrintable(printer.printerNames().join(QStringLiteral(", "))));
        QVERIFY(printer.setDeviceName(Queue));
        QCOMPARE(printer.port(), m_scheduler.deviceUri(Queue));
        QVERIFY(printer.setPaperSize(platform::PaperA3));
        QCOMPARE(printer.paperSize(), int(platform::PaperA3));
        QVERIFY(printer.copies() >= 1);
        const platform::PrinterDriver::Settings settings =
            platform::printerDriver().currentSettings(Queue);
        QVERIFY(settings.opened);
        QVERIFY(settings.block);
        using B = platform::PrinterSettingsBlock;
        QCOMPARE(settings.block->dmFields,
                 quint32(B::DM_ORIENTATION | B::DM_PAPERSIZE | B::DM_COPIES | B::DM_COLOR |
                         B::DM_PRINTQUALITY));
        QVERIFY(settings.block->dmPrintQuality > 0);
        QVERIFY(!platform::printerDriver().currentSettings(QStringLiteral("No Such Queue")).opened);
    }

    void oneA3Sheet()
    {
        QString pdf;
        const QString failed = printThroughTheQueue(true, QStringLiteral("letter-a3"), pdf);
        QVERIFY2(failed.isEmpty(), qPrintable(failed));
        QString problem;
        const QList<PdfPage> pages = pdfPages(pdf, &problem);
        QVERIFY2(problem.isEmpty(), qPrintable(problem));
        QCOMPARE(pages.size(), 1);
        // A3 (842 × 1191 points) with the sheet across it: a landscape page, or a portrait
        // one with the sheet turned a quarter (by the page's rotation or in its drawing).
        const PdfPage& page = pages[0];
        const QString described = QStringLiteral("%1 x %2 pt, rotated %3")
                                      .arg(page.points.width())
                                      .arg(page.points.height())
                                      .arg(page.rotation);
        const QSizeF size =
            page.points.width() < page.points.height() ? page.points : page.points.transposed();
        QVERIFY2(near(size.width(), 841.89) && near(size.height(), 1190.55), qPrintable(described));
        const std::optional<TitlePlace> place = titlePlace(pdf);
        QVERIFY2(place, "the title is not found on the page");
        QVERIFY2(readsAlongLongSide(*place), qPrintable(described));
        const QString text = squeezed(pageText(pdf, 1));
        QVERIFY2(text.contains(QStringLiteral("主治医意見書")), qPrintable(text.left(400)));
        QVERIFY(text.contains(QStringLiteral("５．特記すべき事項")));
        QVERIFY2(hasWords(text, m_patient), qPrintable(m_patient));
    }

    void twoA4Sheets()
    {
        QString pdf;
        const QString failed = printThroughTheQueue(false, QStringLiteral("letter-a4"), pdf);
        QVERIFY2(failed.isEmpty(), qPrintable(failed));
        QString problem;
        const QList<PdfPage> pages = pdfPages(pdf, &problem);
        QVERIFY2(problem.isEmpty(), qPrintable(problem));
        QCOMPARE(pages.size(), 2);
        for (const PdfPage& page : pages) {
            const bool upright = page.rotation == 0 || page.rotation == 180;
            const QSizeF shown = upright ? page.points : page.points.transposed();
            QVERIFY2(near(shown.width(), 595.28) && near(shown.height(), 841.89),
                     qPrintable(QStringLiteral("%1 x %2 pt, rotated %3")
                                    .arg(page.points.width())
                                    .arg(page.points.height())
                                    .arg(page.rotation)));
        }
        // Portrait: the title reads across the short side.
        const std::optional<TitlePlace> place = titlePlace(pdf);
        QVERIFY2(place, "the title is not found on page 1");
        QVERIFY(!readsAlongLongSide(*place));
        const QString first = squeezed(pageText(pdf, 1));
        const QString second = squeezed(pageText(pdf, 2));
        QVERIFY2(first.contains(QStringLiteral("主治医意見書")), qPrintable(first.left(400)));
        QVERIFY2(hasWords(first, m_patient), qPrintable(m_patient));
        QVERIFY(!first.contains(QStringLiteral("５．特記すべき事項")));
        QVERIFY2(second.contains(QStringLiteral("５．特記すべき事項")),
                 qPrintable(second.left(400)));
    }
};

QTEST_MAIN(CupsPrintTest)
#include "tst_cupsprint.moc"
