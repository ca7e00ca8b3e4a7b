// Printing through a real CUPS scheduler: a private cupsd with a CUPS-PDF queue, the letter
// printed by the program's own print procedures on Qt's printer, and the PDF that the queue
// wrote read back with the Poppler tools. The PDFs and their pictures stay in the build
// folder (cups-print/) for a person to look at.

#include "common/fontsubstitution.h"
#include "letterfixtures.h"
#include "platform/printerqt.h"
#include "platform/printersettings.h"
#include "sheet/printjob.h"
#include "sheetdata/setformdata.h"
#include "sheetdata/sheetlayout.h"
#include "sheetdata/sheetmodel.h"

#include <QDateTime>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QProcess>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

#include <optional>

#include <cups/cups.h>
#include <grp.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

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

// The folders CUPS-PDF writes into: its "Out" folder for the job's user and its folder for
// users without an account, as its configuration (system-wide only) names them.
QStringList cupsPdfFolders()
{
    QString out = QStringLiteral("${HOME}/PDF");
    QString anonymous = QStringLiteral("/var/spool/cups-pdf/ANONYMOUS");
    QFile conf(QStringLiteral("/etc/cups/cups-pdf.conf"));
    if (conf.open(QIODevice::ReadOnly | QIODevice::Text)) {
        for (const QString& line : QString::fromUtf8(conf.readAll()).split(u'\n')) {
            const QStringList parts =
                line.trimmed().split(QRegularExpression(QStringLiteral("\\s+")));
            if (parts.size() >= 2 && parts[0] == QLatin1String("Out"))
                out = parts[1];
            else if (parts.size() >= 2 && parts[0] == QLatin1String("AnonDirName"))
                anonymous = parts[1];
        }
    }
    const passwd* user = getpwuid(geteuid());
    const QString home = user ? QString::fromLocal8Bit(user->pw_dir) : QDir::homePath();
    out.replace(QStringLiteral("${HOME}"), home);
    if (user)
        out.replace(QStringLiteral("${USER}"), QString::fromLocal8Bit(user->pw_name));
    return {out, anonymous};
}

QSet<QString> pdfsIn(const QStringList& folders)
{
    QSet<QString> found;
    for (const QString& folder : folders) {
        QDirIterator it(folder, {QStringLiteral("*.pdf")}, QDir::Files,
                        QDirIterator::Subdirectories);
        while (it.hasNext())
            found.insert(it.next());
    }
    return found;
}

// A scheduler of the test's own: configuration, spool and socket in a temporary folder.
class PrivateScheduler
{
public:
    ~PrivateScheduler() { stop(); }

    // Empty when it runs with the queue; otherwise why not.
    QString start()
    {
        if (!m_dir.isValid())
            return QStringLiteral("no temporary folder");
        const QString cupsd = QStandardPaths::findExecutable(
            QStringLiteral("cupsd"), {QStringLiteral("/usr/sbin"), QStringLiteral("/sbin")});
        const QString lpadmin = QStandardPaths::findExecutable(
            QStringLiteral("lpadmin"), {QStringLiteral("/usr/sbin"), QStringLiteral("/usr/bin")});
        if (cupsd.isEmpty() || lpadmin.isEmpty())
            return QStringLiteral("cupsd or lpadmin is not installed (package cups; "
                                  "scripts/install-deps installs it)");
        if (!QFile::exists(QueuePpd) ||
            !QFile::exists(QStringLiteral("/usr/lib/cups/backend/cups-pdf")))
            return QStringLiteral("CUPS-PDF is not installed (package printer-driver-cups-pdf)");
        if (geteuid() != 0)
            return QStringLiteral("cupsd must run as root to hand jobs to its filters as user "
                                  "lp; run the tests as root (as CI does)");
        const group* lp = getgrnam("lp");
        if (!lp)
            return QStringLiteral("the system has no group lp for the filters");

        const QString root = m_dir.path();
        // The filters run as lp: the folder must be passable and the spool readable to it.
        chmod(QFile::encodeName(root).constData(), 0711);
        for (const char* sub : {"spool", "spool/tmp", "cache", "state", "ppd", "log"})
            QDir(root).mkpath(QString::fromLatin1(sub));
        const auto own = [&](const QString& path, mode_t mode) {
            chown(QFile::encodeName(path).constData(), 0, lp->gr_gid);
            chmod(QFile::encodeName(path).constData(), mode);
        };
        own(root + QStringLiteral("/spool"), 0710);
        own(root + QStringLiteral("/spool/tmp"), 01770);
        own(root + QStringLiteral("/cache"), 0770);
        own(root + QStringLiteral("/state"), 0755);
        m_socket = root + QStringLiteral("/cups.sock");
        // Job numbers of their own: CUPS-PDF names its files after the job's number, and
        // another run's scheduler on this machine starts at 1 too.
        if (!write(QStringLiteral("cache/job.cache"),
                   QStringLiteral("# Job cache file for CUPS\nNextJobId %1\n")
                       .arg(QRandomGenerator::global()->bounded(100000, 90000000))))
            return QStringLiteral("cannot write the scheduler's job cache");
        if (!write(QStringLiteral("cupsd.conf"),
                   QStringLiteral("Listen %1\n"
                                  "LogLevel debug\n"
                                  "Browsing No\n"
                                  "WebInterface No\n"
                                  "DefaultAuthType None\n"
                                  "<Location />\n  Order allow,deny\n  Allow all\n</Location>\n"
                                  "<Policy default>\n  <Limit All>\n    Order deny,allow\n"
                                  "  </Limit>\n</Policy>\n")
                       .arg(m_socket)) ||
            !write(QStringLiteral("cups-files.conf"), QStringLiteral("ServerRoot %1\n"
                                                                     "RequestRoot %1/spool\n"
                                                                     "TempDir %1/spool/tmp\n"
                                                                     "CacheDir %1/cache\n"
                                                                     "StateDir %1/state\n"
                                                                     "ErrorLog %1/log/error_log\n"
                                                                     "AccessLog %1/log/access_log\n"
                                                                     "PageLog %1/log/page_log\n"
                                                                     "User lp\n"
                                                                     "Group lp\n"
                                                                     "SystemGroup root\n"
                                                                     "Sandboxing Relaxed\n")
                                                          .arg(root)))
            return QStringLiteral("cannot write the scheduler's configuration in ") + root;

        m_cupsd.setProcessChannelMode(QProcess::MergedChannels);
        m_cupsd.start(cupsd, {QStringLiteral("-f"), QStringLiteral("-c"),
                              root + QStringLiteral("/cupsd.conf"), QStringLiteral("-s"),
                              root + QStringLiteral("/cups-files.conf")});
        if (!m_cupsd.waitForStarted(10000))
            return QStringLiteral("cupsd cannot be started: ") + m_cupsd.errorString();
        // The scheduler is up when its socket answers.
        QElapsedTimer waited;
        waited.start();
        while (!QFile::exists(m_socket) && m_cupsd.state() == QProcess::Running &&
               waited.elapsed() < 20000)
            QTest::qWait(100);
        if (!QFile::exists(m_socket))
            return QStringLiteral("cupsd did not open its socket: ") +
                   QString::fromUtf8(m_cupsd.readAll()) + errorLog();
        qputenv("CUPS_SERVER", QFile::encodeName(m_socket));
        cupsSetServer(QFile::encodeName(m_socket).constData());

        const Run added =
            run(lpadmin,
                {QStringLiteral("-h"), m_socket, QStringLiteral("-p"), Queue, QStringLiteral("-E"),
                 QStringLiteral("-v"), QStringLiteral("cups-pdf:/"), QStringLiteral("-P"), QueuePpd,
                 QStringLiteral("-o"), QStringLiteral("pdftops-renderer-default=pdftocairo"),
                 QStringLiteral("-o"), QStringLiteral("printer-is-shared=false")});
        if (!added.ok)
            return QStringLiteral("lpadmin cannot add the queue: ") + added.output + errorLog();
        const Run made =
            run(lpadmin, {QStringLiteral("-h"), m_socket, QStringLiteral("-d"), Queue});
        if (!made.ok)
            return QStringLiteral("lpadmin cannot make the queue the default: ") + made.output;
        return {};
    }

    void stop()
    {
        if (m_cupsd.state() == QProcess::NotRunning)
            return;
        m_cupsd.terminate();
        if (!m_cupsd.waitForFinished(10000)) {
            m_cupsd.kill();
            m_cupsd.waitForFinished(5000);
        }
    }

    QString errorLog() const
    {
        QFile log(m_dir.path() + QStringLiteral("/log/error_log"));
        if (!log.open(QIODevice::ReadOnly))
            return {};
        const QByteArray text = log.readAll();
        return QStringLiteral("\nscheduler log (end):\n") + QString::fromUtf8(text.right(4000));
    }

    // The numbers of every job the queue knows, done or not.
    QSet<int> jobIds() const
    {
        cups_job_t* jobs = nullptr;
        const int count = cupsGetJobs2(CUPS_HTTP_DEFAULT, &jobs, Queue.toUtf8().constData(), 0,
                                       CUPS_WHICHJOBS_ALL);
        QSet<int> ids;
        for (int i = 0; i < count; ++i)
            ids.insert(jobs[i].id);
        cupsFreeJobs(count, jobs);
        return ids;
    }

    // Waits until job `id` has been done. Empty when it completed, otherwise the reason.
    QString waitForJob(int id, int timeoutMs = 120000) const
    {
        QElapsedTimer waited;
        waited.start();
        for (;;) {
            cups_job_t* jobs = nullptr;
            const int count = cupsGetJobs2(CUPS_HTTP_DEFAULT, &jobs, Queue.toUtf8().constData(), 0,
                                           CUPS_WHICHJOBS_ALL);
            if (count < 0)
                return QStringLiteral("the scheduler does not answer: ") +
                       QString::fromUtf8(cupsLastErrorString());
            ipp_jstate_t state = IPP_JSTATE_PENDING;
            bool found = false;
            for (int i = 0; i < count; ++i)
                if (jobs[i].id == id) {
                    state = jobs[i].state;
                    found = true;
                }
            cupsFreeJobs(count, jobs);
            if (!found)
                return QStringLiteral("job %1 is not in the queue").arg(id);
            if (state == IPP_JSTATE_COMPLETED)
                return {};
            if (state >= IPP_JSTATE_STOPPED)
                return QStringLiteral("job %1 ended in state %2").arg(id).arg(int(state)) +
                       errorLog();
            if (waited.elapsed() > timeoutMs)
                return QStringLiteral("job %1 did not finish in time").arg(id) + errorLog();
            QTest::qWait(200);
        }
    }

private:
    bool write(const QString& name, const QString& text)
    {
        QFile file(m_dir.filePath(name));
        return file.open(QIODevice::WriteOnly | QIODevice::Truncate) &&
               file.write(text.toUtf8()) == text.toUtf8().size();
    }

    QTemporaryDir m_dir{QDir::tempPath() + QStringLiteral("/ruviro-cups-XXXXXX")};
    QProcess m_cupsd;
    QString m_socket;
};

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
    PrivateScheduler m_scheduler;
    QString m_problem;
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
        const QStringList folders = cupsPdfFolders();
        const QSet<int> jobsBefore = m_scheduler.jobIds();
        const sheet::PrintRequest request{m_model, false, 0, 0, sheet::measurePrintArea(printer)};
        const sheet::PrintResult result =
            a3 ? sheet::GoPrintA3(printer, request) : sheet::GoPrintA4(printer, request);
        if (!result.printed)
            return result.error;
        const QSet<int> ours = m_scheduler.jobIds() - jobsBefore;
        if (ours.size() != 1)
            return QStringLiteral("%1 new jobs in the queue").arg(ours.size());
        if (const QString waited = m_scheduler.waitForJob(*ours.begin()); !waited.isEmpty())
            return waited;
        // CUPS-PDF names the file after the job's number; the file is there once its back end
        // has finished with the job.
        const QString suffix = QStringLiteral("job_%1.pdf").arg(*ours.begin());
        qInfo("%s: job %d", qPrintable(name), *ours.begin());
        QElapsedTimer clock;
        clock.start();
        QStringList added;
        while (added.isEmpty() && clock.elapsed() < 30000) {
            for (const QString& file : pdfsIn(folders))
                if (file.endsWith(suffix))
                    added.append(file);
            if (added.isEmpty())
                QTest::qWait(200);
        }
        if (added.size() != 1)
            return QStringLiteral("the queue wrote %1 files named *%2 in %3%4")
                .arg(added.size())
                .arg(suffix, folders.join(QStringLiteral(", ")), m_scheduler.errorLog());
        pdf = m_outputDir + u'/' + name + QStringLiteral(".pdf");
        QFile::remove(pdf);
        if (!QFile::copy(*added.begin(), pdf))
            return QStringLiteral("cannot copy ") + *added.begin();
        QFile::remove(*added.begin());
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
        QDir().mkpath(m_outputDir);
        m_problem = m_scheduler.start();
        QVERIFY2(m_problem.isEmpty(),
                 qPrintable(QStringLiteral("no CUPS scheduler: ") + m_problem));
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
        QCOMPARE(printer.port(), QStringLiteral("cups-pdf:/"));
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
