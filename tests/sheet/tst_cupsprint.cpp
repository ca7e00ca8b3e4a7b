// Printing through a real CUPS scheduler: a private cupsd with a queue on CUPS-PDF's PPD, the
// letter printed by the program's own print procedures on Qt's printer, and the PDF made of
// what the queue's filters wrote read back with the Poppler tools. The PDFs and their pictures stay
// in the build folder (cups-print/) for a person to look at.

#include "common/fontsubstitution.h"
#include "letterfixtures.h"
#include "platform/printerqt.h"
#include "platform/printersettings.h"
#include "privatescheduler.h"
#include "sheet/printjob.h"
#include "sheetdata/setformdata.h"
#include "sheetdata/sheetlayout.h"
#include "sheetdata/sheetmodel.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtTest>

#include <optional>

namespace {

const QString Queue = QStringLiteral("CUPS-PDF");
const QString QueuePpd = QStringLiteral("/usr/share/ppd/cups-pdf/CUPS-PDF_opt.ppd");

struct Run
{
    bool ok = false;
    QString output;
};

Run run(const QString& program, const QStringList& arguments, int timeoutMs = 60000)
{
    QProcess process;
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(program, arguments);
    if (!process.waitForStarted(10000))
        return {false, program + QStringLiteral(" cannot be started: ") + process.errorString()};
    if (!process.waitForFinished(timeoutMs)) {
        process.kill();
        process.waitForFinished(5000);
        return {false, program + QStringLiteral(" did not finish")};
    }
    const QString out = QString::fromUtf8(process.readAll());
    return {process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0, out};
}

struct PdfPage
{
    QSizeF points;
    int rotation = 0;
};

// Page sizes and rotations by pdfinfo.
QList<PdfPage> pdfPages(const QString& pdf, QString* problem)
{
    const Run info =
        run(QStringLiteral("pdfinfo"), {QStringLiteral("-f"), QStringLiteral("1"),
                                        QStringLiteral("-l"), QStringLiteral("99"), pdf});
    if (!info.ok) {
        *problem = QStringLiteral("pdfinfo: ") + info.output;
        return {};
    }
    QList<PdfPage> pages;
    const QRegularExpression size(
        QStringLiteral("^Page\\s+(\\d+) size:\\s+([\\d.]+) x ([\\d.]+) pts"));
    const QRegularExpression rot(QStringLiteral("^Page\\s+(\\d+) rot:\\s+(-?\\d+)"));
    for (const QString& line : info.output.split(u'\n')) {
        if (const auto m = size.match(line); m.hasMatch()) {
            const int n = m.captured(1).toInt();
            pages.resize(std::max<qsizetype>(pages.size(), n));
            pages[n - 1].points = QSizeF(m.captured(2).toDouble(), m.captured(3).toDouble());
        } else if (const auto r = rot.match(line); r.hasMatch()) {
            const int n = r.captured(1).toInt();
            pages.resize(std::max<qsizetype>(pages.size(), n));
            pages[n - 1].rotation = (r.captured(2).toInt() % 360 + 360) % 360;
        }
    }
    return pages;
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
        const QSet<int> ours = m_scheduler.jobIds(Queue) - jobsBefore;
        if (ours.size() != 1)
            return QStringLiteral("%1 new jobs in the queue").arg(ours.size());
        qInfo("%s: job %d", qPrintable(name), *ours.begin());
        QString problem;
        const QString written = m_scheduler.waitForPdf(Queue, *ours.begin(), &problem);
        if (written.isEmpty())
            return problem;
        pdf = m_outputDir + u'/' + name + QStringLiteral(".pdf");
        QFile::remove(pdf);
        if (!QFile::copy(written, pdf))
            return QStringLiteral("cannot copy ") + written;
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
        QVERIFY2(QFile::exists(QueuePpd),
                 "CUPS-PDF's PPD is not installed (package printer-driver-cups-pdf; "
                 "scripts/install-deps installs it)");
        QString problem = m_scheduler.start();
        if (problem.isEmpty())
            problem = m_scheduler.addQueue(
                {Queue, QueuePpd, {}, {}, {QStringLiteral("pdftops-renderer-default=pdftocairo")}});
        if (problem.isEmpty())
            problem = m_scheduler.makeDefault(Queue);
        QVERIFY2(problem.isEmpty(), qPrintable(QStringLiteral("no CUPS scheduler: ") + problem));
        const QString file = m_data.filePath(QStringLiteral("letters.mdb"));
        QVERIFY(letterfixtures::createDataFile(file));
        QVERIFY(letterfixtures::writeLetter(file, 1, letterfixtures::fullyFilledLetter()));
        QVERIFY(sheetdata::SetFormData(m_model, file, QStringLiteral("1")).letterFound);
        m_patient = m_model.FormText[sheetdata::PatientNameSlot];
        QVERIFY(!m_patient.isEmpty());
    }
    void cleanupTestCase() { m_scheduler.stop(); }

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
