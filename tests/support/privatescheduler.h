#pragma once

#include <QDir>
#include <QList>
#include <QProcess>
#include <QRectF>
#include <QSet>
#include <QSizeF>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

// A CUPS scheduler of a test's own: its configuration, spool, logs, socket (no network port)
// and program folder in a temporary folder, with the system's filters and a printer of its own
// that writes every job into a folder. Started by root, the scheduler runs as root and hands
// jobs to its filters and printer as user lp; started by anyone else, it runs as that user and
// so do they. Several may run on one machine at once, beside the system's.
namespace privatecups {

struct QueueSpec
{
    QString name;
    QString ppd;   // a PPD file (lpadmin -P), or
    QString model; // a driver the scheduler knows (lpadmin -m), when there is no PPD file
    // Empty: the scheduler's own printer, writing into outputFolder(name).
    QString deviceUri;
    QStringList options; // "name=value", each given to lpadmin -o
};

// How a program run ended: whether it ran to a 0 exit, and what it wrote (both channels).
struct Run
{
    bool ok = false;
    QString output;
};
Run run(const QString& program, const QStringList& arguments, int timeoutMs = 60000);

// What pdfinfo says of a PDF's pages: size and rotation.
struct PdfPage
{
    QSizeF points;
    int rotation = 0;
};
// The pages of `pdf`; empty, with the reason in `problem`, when they cannot be read.
QList<PdfPage> pdfPages(const QString& pdf, QString* problem);

// A word of a PDF page as pdftotext places it: its box in points from the page's top-left
// corner.
struct PdfWord
{
    QString text;
    QRectF box;
};
// The words of page `page` (from 1) of `pdf`; empty, with the reason in `problem`, when the
// page cannot be read.
QList<PdfWord> pdfWords(const QString& pdf, int page, QString* problem);

// A PDF printer of a small clinic, described by a PPD of the test's own: the paper sizes it
// offers (of A4, Letter and A3) and its default paper. It cannot print within 12 points of
// any edge.
struct ClinicPrinter
{
    QStringList sizes;
    QString defaultSize = QStringLiteral("A4");
};

// The PPD of `printer`, named `model`.
QString clinicPpd(const QString& model, const ClinicPrinter& printer);

// CUPS-PDF's description, as its package (printer-driver-cups-pdf) installs it.
inline const QString CupsPdfPpd = QStringLiteral("/usr/share/ppd/cups-pdf/CUPS-PDF_opt.ppd");
// The options that keep a queue's PDFs searchable.
inline const QStringList SearchablePdfOptions = {
    QStringLiteral("pdftops-renderer-default=pdftocairo")};

// Gives this process's CUPS client folders of its own under `root`: the home folder the user's
// options file is read from (libcups takes it at its first call in the process, so this comes
// before any), and the client's configuration folder; no printer named by LPDEST or PRINTER.
// False when a folder cannot be made.
bool useClientFolders(const QString& root);

class PrivateScheduler
{
public:
    PrivateScheduler() = default;
    ~PrivateScheduler();
    PrivateScheduler(const PrivateScheduler&) = delete;
    PrivateScheduler& operator=(const PrivateScheduler&) = delete;

    // Starts the scheduler and points this process's CUPS client at it (CUPS_SERVER and
    // cupsSetServer). Empty when it runs, otherwise why not.
    QString start();
    // Adds an enabled, unshared queue that aborts a job its printer fails. Empty when added,
    // otherwise why not.
    QString addQueue(const QueueSpec& queue);
    // Adds a queue described by CUPS-PDF's PPD (CupsPdfPpd) whose PDFs keep their text
    // searchable (pdftocairo). Empty when added, otherwise why not (the PPD missing among them).
    QString addCupsPdfQueue(const QString& name);
    // Starts the scheduler with one such queue, its default printer. Empty when it runs,
    // otherwise why not.
    QString startWithCupsPdfQueue(const QString& name);
    // Adds a queue on the scheduler's own printer described by clinicPpd(), with the
    // scheduler's defaults `options` ("name=value").
    QString addClinicQueue(const QString& name, const ClinicPrinter& printer,
                           const QStringList& options = {});
    QString makeDefault(const QString& queue);
    void stop();

    // The device of a queue on the scheduler's own printer, and the folder it writes into:
    // job_<id>.prn, what the filters made, and job_<id>.pdf, that as PDF (PostScript turned
    // into PDF with Ghostscript), which appears whole once the job is done.
    QString deviceUri(const QString& queue) const;
    QString outputFolder(const QString& queue) const;
    QString socket() const { return m_socket; }

    // The end of the scheduler's log, to add to a failure's reason.
    QString errorLog() const;
    // The numbers of every job the queue knows, done or not.
    QSet<int> jobIds(const QString& queue) const;
    // Waits until job `id` has been done. Empty when it completed, otherwise the reason.
    QString waitForJob(const QString& queue, int id, int timeoutMs = 120000) const;
    // The PDF the queue's printer wrote for job `id` (waits for the job first); empty, with
    // the reason in `problem`, when there is none.
    QString waitForPdf(const QString& queue, int id, QString* problem,
                       int timeoutMs = 120000) const;
    // Waits for the one job `queue` got since `before` (its jobIds() then) and copies the PDF
    // its printer wrote to `copy`; `job` gets the job's number. Empty when it did, otherwise
    // the reason.
    QString collectJob(const QString& queue, const QSet<int>& before, const QString& copy,
                       int* job = nullptr) const;

private:
    bool write(const QString& name, const QString& text, bool executable = false);
    QString prepareFolders();

    QTemporaryDir m_dir{QDir::tempPath() + QStringLiteral("/ruviro-cups-XXXXXX")};
    QProcess m_cupsd;
    QString m_socket;
    QString m_lpadmin;
};

} // namespace privatecups
