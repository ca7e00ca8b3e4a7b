#include "privatescheduler.h"

#include <QElapsedTimer>
#include <QFile>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QtTest>

#include <cups/cups.h>
#include <grp.h>
#include <pwd.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <functional>

namespace privatecups {

namespace {

// The scheduler's printer. Its device URI names the folder it writes into.
const char* const Backend = R"(#!/bin/sh
# Writes what the filters made for a job into the folder the device URI names
# (tofolder:/folder): job_<id>.prn as it came and job_<id>.pdf to read back.
set -eu
if [ $# -eq 0 ]; then
    echo 'file tofolder "Unknown" "Job files into a folder"'
    exit 0
fi
folder=${DEVICE_URI#tofolder:}
data="$folder/job_$1.prn"
if [ $# -ge 6 ]; then cat "$6" >"$data.part"; else cat >"$data.part"; fi
mv "$data.part" "$data"
case $(head -c 4 "$data") in
%PDF) cp "$data" "$folder/.job_$1.pdf" ;;
*) gs -q -dBATCH -dNOPAUSE -dSAFER -sDEVICE=pdfwrite -sOutputFile="$folder/.job_$1.pdf" "$data" ;;
esac
mv "$folder/.job_$1.pdf" "$folder/job_$1.pdf"
)";

const QString Scheme = QStringLiteral("tofolder");

bool isRoot()
{
    return geteuid() == 0;
}

// Owned by root and group lp, for the filters and the printer, which run as lp under a
// scheduler started by root.
bool giveToLp(const QString& path, mode_t mode)
{
    const group* lp = getgrnam("lp");
    const QByteArray name = QFile::encodeName(path);
    return lp && chown(name.constData(), 0, lp->gr_gid) == 0 && chmod(name.constData(), mode) == 0;
}

} // namespace

Run run(const QString& program, const QStringList& arguments, int timeoutMs)
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
    return {process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0,
            QString::fromUtf8(process.readAll())};
}

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

QList<PdfWord> pdfWords(const QString& pdf, int page, QString* problem)
{
    const Run boxes = run(QStringLiteral("pdftotext"),
                          {QStringLiteral("-bbox"), QStringLiteral("-f"), QString::number(page),
                           QStringLiteral("-l"), QString::number(page), pdf, QStringLiteral("-")});
    if (!boxes.ok) {
        *problem = QStringLiteral("pdftotext: ") + boxes.output;
        return {};
    }
    const QRegularExpression word(
        QStringLiteral("<word xMin=\"([\\d.]+)\" yMin=\"([\\d.]+)\" xMax=\"([\\d.]+)\" "
                       "yMax=\"([\\d.]+)\">([^<]*)</word>"));
    QList<PdfWord> words;
    for (auto it = word.globalMatch(boxes.output); it.hasNext();) {
        const auto m = it.next();
        words.append(
            {m.captured(5), QRectF(QPointF(m.captured(1).toDouble(), m.captured(2).toDouble()),
                                   QPointF(m.captured(3).toDouble(), m.captured(4).toDouble()))});
    }
    return words;
}

QString clinicPpd(const QString& model, const ClinicPrinter& printer)
{
    struct Paper
    {
        QString name;
        int width;
        int height;
    };
    const QList<Paper> papers = {{QStringLiteral("A4"), 595, 842},
                                 {QStringLiteral("Letter"), 612, 792},
                                 {QStringLiteral("A3"), 842, 1191}};
    QString ppd = QStringLiteral("*PPD-Adobe: \"4.3\"\n*FormatVersion: \"4.3\"\n"
                                 "*FileVersion: \"1.0\"\n*LanguageVersion: English\n"
                                 "*LanguageEncoding: ISOLatin1\n*PCFileName: \"CLINIC.PPD\"\n"
                                 "*Manufacturer: \"Clinic\"\n*Product: \"(%1)\"\n"
                                 "*ModelName: \"%1\"\n*ShortNickName: \"%1\"\n"
                                 "*NickName: \"%1\"\n*PSVersion: \"(3010.000) 0\"\n"
                                 "*LanguageLevel: \"3\"\n*ColorDevice: True\n"
                                 "*DefaultColorSpace: RGB\n*FileSystem: False\n"
                                 "*Throughput: \"1\"\n*LandscapeOrientation: Plus90\n"
                                 "*TTRasterizer: Type42\n"
                                 "*cupsFilter2: \"application/vnd.cups-pdf application/pdf 0 -\"\n")
                      .arg(model);
    const auto group = [&](const QString& keyword,
                           const std::function<QString(const Paper&)>& value) {
        const bool ui =
            keyword == QLatin1String("PageSize") || keyword == QLatin1String("PageRegion");
        if (ui)
            ppd += QStringLiteral("*OpenUI *%1: PickOne\n*OrderDependency: 10 AnySetup *%1\n")
                       .arg(keyword);
        ppd += QStringLiteral("*Default%1: %2\n").arg(keyword, printer.defaultSize);
        for (const Paper& paper : papers)
            if (printer.sizes.contains(paper.name))
                ppd += QStringLiteral("*%1 %2/%2: \"%3\"\n").arg(keyword, paper.name, value(paper));
        if (ui)
            ppd += QStringLiteral("*CloseUI: *%1\n").arg(keyword);
    };
    const auto setPage = [](const Paper& p) {
        return QStringLiteral("<</PageSize[%1 %2]/ImagingBBox null>>setpagedevice")
            .arg(p.width)
            .arg(p.height);
    };
    group(QStringLiteral("PageSize"), setPage);
    group(QStringLiteral("PageRegion"), setPage);
    group(QStringLiteral("ImageableArea"), [](const Paper& p) {
        return QStringLiteral("12 12 %1 %2").arg(p.width - 12).arg(p.height - 12);
    });
    group(QStringLiteral("PaperDimension"),
          [](const Paper& p) { return QStringLiteral("%1 %2").arg(p.width).arg(p.height); });
    ppd +=
        QStringLiteral("*OpenUI *Resolution: PickOne\n*OrderDependency: 20 AnySetup *Resolution\n"
                       "*DefaultResolution: 600dpi\n"
                       "*Resolution 300dpi/300 DPI: \"<</HWResolution[300 300]>>setpagedevice\"\n"
                       "*Resolution 600dpi/600 DPI: \"<</HWResolution[600 600]>>setpagedevice\"\n"
                       "*CloseUI: *Resolution\n");
    return ppd;
}

PrivateScheduler::~PrivateScheduler()
{
    stop();
}

QString PrivateScheduler::prepareFolders()
{
    const QString root = m_dir.path();
    for (const char* sub : {"bin/backend", "spool/tmp", "cache", "state", "ppd", "log", "out"})
        if (!QDir(root).mkpath(QString::fromLatin1(sub)))
            return QStringLiteral("cannot make the scheduler's folders in ") + root;
    // The programs of the scheduler: the system's, but for the printer.
    for (const char* sub : {"filter", "daemon", "cgi-bin", "monitor", "notifier", "driver"}) {
        const QString system = QStringLiteral("/usr/lib/cups/") + QString::fromLatin1(sub);
        if (QFileInfo::exists(system) &&
            !QFile::link(system, root + QStringLiteral("/bin/") + QString::fromLatin1(sub)))
            return QStringLiteral("cannot link ") + system;
    }
    if (!write(QStringLiteral("bin/backend/") + Scheme, QString::fromUtf8(Backend), true))
        return QStringLiteral("cannot write the scheduler's printer");
    if (!isRoot())
        return {};
    // Root's scheduler runs its programs only from folders of root that no one else may
    // change, and its filters and printer as lp.
    bool ok = chmod(QFile::encodeName(root).constData(), 0711) == 0;
    for (const char* sub : {"bin", "bin/backend", "state", "ppd", "log"})
        ok = ok && chmod(QFile::encodeName(root + u'/' + QString::fromLatin1(sub)).constData(),
                         0755) == 0;
    ok = ok && giveToLp(root + QStringLiteral("/spool"), 0710) &&
         giveToLp(root + QStringLiteral("/spool/tmp"), 01770) &&
         giveToLp(root + QStringLiteral("/cache"), 0770) &&
         giveToLp(root + QStringLiteral("/out"), 0750);
    return ok ? QString() : QStringLiteral("cannot give the scheduler's folders to group lp");
}

QString PrivateScheduler::start()
{
    if (!m_dir.isValid())
        return QStringLiteral("no temporary folder");
    const QString cupsd = QStandardPaths::findExecutable(
        QStringLiteral("cupsd"), {QStringLiteral("/usr/sbin"), QStringLiteral("/sbin")});
    m_lpadmin = QStandardPaths::findExecutable(
        QStringLiteral("lpadmin"), {QStringLiteral("/usr/sbin"), QStringLiteral("/usr/bin")});
    if (cupsd.isEmpty() || m_lpadmin.isEmpty())
        return QStringLiteral("cupsd or lpadmin is not installed (package cups; "
                              "scripts/install-deps installs it)");
    if (QStandardPaths::findExecutable(QStringLiteral("gs")).isEmpty())
        return QStringLiteral("Ghostscript (gs) is not installed (package ghostscript; "
                              "scripts/install-deps installs it)");

    QString user;
    QString userGroup;
    if (isRoot()) {
        if (!getgrnam("lp") || !getpwnam("lp"))
            return QStringLiteral("the system has no user and group lp for the filters");
        user = userGroup = QStringLiteral("lp");
    } else {
        const passwd* me = getpwuid(geteuid());
        const group* mine = getgrgid(getegid());
        if (!me || !mine)
            return QStringLiteral("this process's user or group has no name");
        user = QString::fromLocal8Bit(me->pw_name);
        userGroup = QString::fromLocal8Bit(mine->gr_name);
    }
    if (const QString failed = prepareFolders(); !failed.isEmpty())
        return failed;

    const QString root = m_dir.path();
    m_socket = root + QStringLiteral("/cups.sock");
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
        !write(QStringLiteral("cups-files.conf"),
               QStringLiteral("ServerRoot %1\n"
                              "ServerBin %1/bin\n"
                              "RequestRoot %1/spool\n"
                              "TempDir %1/spool/tmp\n"
                              "CacheDir %1/cache\n"
                              "StateDir %1/state\n"
                              "Printcap %1/printcap\n"
                              "ErrorLog %1/log/error_log\n"
                              "AccessLog %1/log/access_log\n"
                              "PageLog %1/log/page_log\n"
                              "User %2\n"
                              "Group %3\n"
                              "SystemGroup %4\n"
                              "Sandboxing Relaxed\n")
                   .arg(root, user, userGroup, isRoot() ? QStringLiteral("root") : userGroup)))
        return QStringLiteral("cannot write the scheduler's configuration in ") + root;

    m_cupsd.setProcessChannelMode(QProcess::MergedChannels);
    // The scheduler ends with the test, also when the test is killed or aborts.
    m_cupsd.setChildProcessModifier([] { prctl(PR_SET_PDEATHSIG, SIGTERM); });
    m_cupsd.start(cupsd,
                  {QStringLiteral("-f"), QStringLiteral("-c"), root + QStringLiteral("/cupsd.conf"),
                   QStringLiteral("-s"), root + QStringLiteral("/cups-files.conf")});
    if (!m_cupsd.waitForStarted(10000))
        return QStringLiteral("cupsd cannot be started: ") + m_cupsd.errorString();
    // The scheduler is up when its socket is there.
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
    return {};
}

QString PrivateScheduler::addCupsPdfQueue(const QString& name)
{
    if (!QFile::exists(CupsPdfPpd))
        return QStringLiteral("CUPS-PDF's PPD %1 is not installed (package "
                              "printer-driver-cups-pdf; scripts/install-deps installs it)")
            .arg(CupsPdfPpd);
    return addQueue({name, CupsPdfPpd, {}, {}, SearchablePdfOptions});
}

QString PrivateScheduler::startWithCupsPdfQueue(const QString& name)
{
    QString problem = start();
    if (problem.isEmpty())
        problem = addCupsPdfQueue(name);
    if (problem.isEmpty())
        problem = makeDefault(name);
    return problem;
}

QString PrivateScheduler::addQueue(const QueueSpec& queue)
{
    if (m_socket.isEmpty())
        return QStringLiteral("the scheduler is not running");
    QString uri = queue.deviceUri;
    if (uri.isEmpty()) {
        const QString folder = outputFolder(queue.name);
        if (!QDir().mkpath(folder) || (isRoot() && !giveToLp(folder, 0770)))
            return QStringLiteral("cannot make the queue's output folder ") + folder;
        uri = deviceUri(queue.name);
    }
    QStringList arguments{
        QStringLiteral("-h"), m_socket, QStringLiteral("-p"), queue.name, QStringLiteral("-E"),
        QStringLiteral("-v"), uri};
    if (!queue.ppd.isEmpty())
        arguments << QStringLiteral("-P") << queue.ppd;
    else if (!queue.model.isEmpty())
        arguments << QStringLiteral("-m") << queue.model;
    for (const QString& option : QStringList{QStringLiteral("printer-is-shared=false"),
                                             QStringLiteral("printer-error-policy=abort-job")} +
                                     queue.options)
        arguments << QStringLiteral("-o") << option;
    const Run added = run(m_lpadmin, arguments);
    if (!added.ok)
        return QStringLiteral("lpadmin cannot add the queue %1: ").arg(queue.name) + added.output +
               errorLog();
    return {};
}

QString PrivateScheduler::addClinicQueue(const QString& name, const ClinicPrinter& printer,
                                         const QStringList& options)
{
    const QString path = m_dir.filePath(QStringLiteral("ppd-%1.ppd").arg(name));
    if (!write(QStringLiteral("ppd-%1.ppd").arg(name), clinicPpd(name, printer)))
        return QStringLiteral("cannot write ") + path;
    return addQueue({name, path, {}, {}, options});
}

QString PrivateScheduler::makeDefault(const QString& queue)
{
    const Run made = run(m_lpadmin, {QStringLiteral("-h"), m_socket, QStringLiteral("-d"), queue});
    return made.ok
               ? QString()
               : QStringLiteral("lpadmin cannot make %1 the default: ").arg(queue) + made.output;
}

void PrivateScheduler::stop()
{
    if (m_cupsd.state() == QProcess::NotRunning)
        return;
    m_cupsd.terminate();
    if (!m_cupsd.waitForFinished(10000)) {
        m_cupsd.kill();
        m_cupsd.waitForFinished(5000);
    }
}

QString PrivateScheduler::deviceUri(const QString& queue) const
{
    return Scheme + u':' + outputFolder(queue);
}

QString PrivateScheduler::outputFolder(const QString& queue) const
{
    return m_dir.path() + QStringLiteral("/out/") + queue;
}

QString PrivateScheduler::errorLog() const
{
    QFile log(m_dir.path() + QStringLiteral("/log/error_log"));
    if (!log.open(QIODevice::ReadOnly))
        return {};
    const QByteArray text = log.readAll();
    return QStringLiteral("\nscheduler log (end):\n") + QString::fromUtf8(text.right(4000));
}

QSet<int> PrivateScheduler::jobIds(const QString& queue) const
{
    cups_job_t* jobs = nullptr;
    const int count =
        cupsGetJobs2(CUPS_HTTP_DEFAULT, &jobs, queue.toUtf8().constData(), 0, CUPS_WHICHJOBS_ALL);
    QSet<int> ids;
    for (int i = 0; i < count; ++i)
        ids.insert(jobs[i].id);
    cupsFreeJobs(count, jobs);
    return ids;
}

QString PrivateScheduler::waitForJob(const QString& queue, int id, int timeoutMs) const
{
    QElapsedTimer waited;
    waited.start();
    for (;;) {
        cups_job_t* jobs = nullptr;
        const int count = cupsGetJobs2(CUPS_HTTP_DEFAULT, &jobs, queue.toUtf8().constData(), 0,
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
            return QStringLiteral("job %1 is not in the queue %2").arg(id).arg(queue);
        if (state == IPP_JSTATE_COMPLETED)
            return {};
        if (state >= IPP_JSTATE_STOPPED)
            return QStringLiteral("job %1 ended in state %2").arg(id).arg(int(state)) + errorLog();
        if (waited.elapsed() > timeoutMs)
            return QStringLiteral("job %1 did not finish in time").arg(id) + errorLog();
        QTest::qWait(200);
    }
}

QString PrivateScheduler::waitForPdf(const QString& queue, int id, QString* problem,
                                     int timeoutMs) const
{
    if (const QString waited = waitForJob(queue, id, timeoutMs); !waited.isEmpty()) {
        *problem = waited;
        return {};
    }
    // The printer has finished with a completed job: its PDF is there, or it never will be.
    const QString pdf = outputFolder(queue) + QStringLiteral("/job_%1.pdf").arg(id);
    if (!QFileInfo(pdf).isFile()) {
        *problem = QStringLiteral("the printer wrote no %1").arg(pdf) + errorLog();
        return {};
    }
    return pdf;
}

QString PrivateScheduler::collectJob(const QString& queue, const QSet<int>& before,
                                     const QString& copy, int* job) const
{
    const QSet<int> ours = jobIds(queue) - before;
    if (ours.size() != 1)
        return QStringLiteral("%1 new jobs in %2").arg(ours.size()).arg(queue);
    if (job)
        *job = *ours.begin();
    QString problem;
    const QString written = waitForPdf(queue, *ours.begin(), &problem);
    if (written.isEmpty())
        return problem;
    QFile::remove(copy);
    return QFile::copy(written, copy) ? QString() : QStringLiteral("cannot copy ") + written;
}

bool PrivateScheduler::write(const QString& name, const QString& text, bool executable)
{
    QFile file(m_dir.filePath(name));
    const QByteArray bytes = text.toUtf8();
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(bytes) != bytes.size())
        return false;
    return !executable || file.setPermissions(QFile::ReadOwner | QFile::WriteOwner |
                                              QFile::ExeOwner | QFile::ReadGroup | QFile::ExeGroup |
                                              QFile::ReadOther | QFile::ExeOther);
}

bool useClientFolders(const QString& root)
{
    const QDir dir(root);
    if (!QDir().mkpath(dir.filePath(QStringLiteral("home"))) ||
        !QDir().mkpath(dir.filePath(QStringLiteral("cups-client"))))
        return false;
    qputenv("HOME", QFile::encodeName(dir.filePath(QStringLiteral("home"))));
    qputenv("CUPS_SERVERROOT", QFile::encodeName(dir.filePath(QStringLiteral("cups-client"))));
    qunsetenv("LPDEST");
    qunsetenv("PRINTER");
    return true;
}

} // namespace privatecups
