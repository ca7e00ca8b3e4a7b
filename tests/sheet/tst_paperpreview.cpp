// The paper against the preview: a letter printed through a real CUPS queue (a private
// scheduler, CUPS-PDF's PPD) on one A3 sheet and on two A4 sheets, the paper rasterized at
// 250 dpi with pdftoppm, and the preview drawn at 250 dpi: every value of the letter ends on
// paper where it ends on the preview. The pictures, and crops of both side by side, stay in the
// build folder (paper-preview/) for a person to look at.

#include "common/fontsubstitution.h"
#include "fullletter.h"
#include "letterfixtures.h"
#include "platform/printerqt.h"
#include "privatescheduler.h"
#include "sheet/paintertarget.h"
#include "sheet/printjob.h"
#include "sheet/recordingtarget.h"
#include "sheet/sheetdrawing.h"
#include "sheetdata/sheetlayout.h"
#include "sheetfixture.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QPainter>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

#include <cmath>
#include <optional>

namespace {

const QString Queue = QStringLiteral("CUPS-PDF");

constexpr double Dpi = 250;
constexpr double TwipsPerPixel = 1440 / Dpi;
constexpr double PixelsPerMm = Dpi / 25.4;
// How far a value's right end on paper may lie from the preview's.
constexpr double ToleranceMm = 0.2;
// Half the sheet: page 2 on the second A4 sheet.
constexpr double SecondA4Shift = 11907;

using privatecups::run;
using privatecups::Run;

bool isInk(QRgb pixel)
{
    return qGray(pixel) < 160;
}

// The preview canvas without the letter's values: the form, its captions and the marks. A
// value's own pixels are told from the rest by it.
class FormOnlyTarget : public sheet::PainterTarget
{
public:
    using PainterTarget::PainterTarget;

protected:
    void drawText(double x, double y, const QString& text) override
    {
        if (!printingValues())
            PainterTarget::drawText(x, y, text);
    }
};

QImage previewCanvas(const sheetdata::SheetModel& model)
{
    QImage canvas = sheet::newPreviewCanvas(TwipsPerPixel);
    QPainter painter(&canvas);
    sheet::PainterTarget target(painter, true);
    sheet::DrawSheet(target, model, false);
    return canvas;
}

// Everything but the values, with the preview's pens and with the paper's over them.
QImage formCanvas(const sheetdata::SheetModel& model)
{
    QImage canvas = sheet::newPreviewCanvas(TwipsPerPixel);
    QPainter painter(&canvas);
    FormOnlyTarget preview(painter, true);
    sheet::DrawSheet(preview, model, false);
    FormOnlyTarget paper(painter, false);
    sheet::DrawPrintedPage(paper, sheet::PrintedPage::WholeSheet, 0, 0, model, false);
    return canvas;
}

// Inked pixels that two pictures share, on a grid of every fourth pixel.
qint64 sharedInk(const QImage& a, const QImage& b)
{
    qint64 shared = 0;
    for (int y = 0; y < std::min(a.height(), b.height()); y += 4)
        for (int x = 0; x < std::min(a.width(), b.width()); x += 4)
            shared += isInk(a.pixel(x, y)) && isInk(b.pixel(x, y));
    return shared;
}

// The paper as the preview: the pages' pictures put side by side at the sheet's place (an A3
// page turned to lie across, whichever way the queue turned it; A4 page 2 right of page 1).
QImage paperAsSheet(const QList<QImage>& pages, const QImage& preview)
{
    QImage paper(preview.size(), QImage::Format_RGB32);
    paper.fill(Qt::white);
    QPainter painter(&paper);
    if (pages.size() == 1) {
        QImage page = pages[0];
        if (page.width() < page.height()) {
            const QImage left = page.transformed(QTransform().rotate(-90));
            const QImage right = page.transformed(QTransform().rotate(90));
            page = sharedInk(left, preview) >= sharedInk(right, preview) ? left : right;
        }
        painter.drawImage(0, 0, page);
    } else {
        painter.drawImage(0, 0, pages[0]);
        painter.drawImage(qRound(SecondA4Shift / TwipsPerPixel), 0, pages[1]);
    }
    return paper;
}

// The shift of `paper` (at most 5 dots each way) that lays the most of its ink on the form's.
QPoint bestShift(const QImage& paper, const QImage& form)
{
    QPoint best;
    qint64 bestShared = -1;
    for (int dy = -5; dy <= 5; ++dy) {
        for (int dx = -5; dx <= 5; ++dx) {
            qint64 shared = 0;
            for (int y = 8; y < form.height() - 8; y += 3) {
                const auto* f = reinterpret_cast<const QRgb*>(form.constScanLine(y));
                const auto* p = reinterpret_cast<const QRgb*>(paper.constScanLine(y + dy));
                for (int x = 8; x < form.width() - 8; x += 3)
                    shared += isInk(f[x]) && isInk(p[x + dx]);
            }
            if (shared > bestShared) {
                bestShared = shared;
                best = QPoint(dx, dy);
            }
        }
    }
    return best;
}

// `picture` moved by -shift: what lay at shift now lies at 0, 0.
QImage shifted(const QImage& picture, QPoint shift)
{
    QImage moved(picture.size(), QImage::Format_RGB32);
    moved.fill(Qt::white);
    QPainter painter(&moved);
    painter.drawImage(-shift, picture);
    return moved;
}

// Where one value's glyphs end on a picture of the sheet: the rightmost inked pixel in the
// band of its line, from its start to 3 mm past its logged end, that belongs to no other text
// and to nothing of the form (within 2 pixels); nothing when all of it is covered.
struct ValueEnds
{
    QList<sheet::RecordedOp> values;
    QList<QRect> others; // every text's ink, pixels
    QImage form;

    std::optional<int> rightEnd(const QImage& picture, int index) const
    {
        const QRectF ink = sheet::RecordingTarget::inkRect(values[index]);
        const QRect band(QPoint(int(ink.left() / TwipsPerPixel), int(ink.top() / TwipsPerPixel)),
                         QPoint(int(ink.right() / TwipsPerPixel + 3 * PixelsPerMm),
                                int(ink.bottom() / TwipsPerPixel)));
        for (int x = band.right(); x >= band.left(); --x)
            for (int y = band.top(); y <= band.bottom(); ++y)
                if (picture.valid(x, y) && isInk(picture.pixel(x, y)) &&
                    !coveredElsewhere(x, y, index))
                    return x;
        return std::nullopt;
    }

    // Whether the value's logged end lies clear of the form's ink (a ring drawn around its last
    // word makes the end of the glyphs unreadable there).
    bool endIsClear(int index) const
    {
        const QRectF ink = sheet::RecordingTarget::inkRect(values[index]);
        const int end = int(ink.right() / TwipsPerPixel);
        for (int y = int(ink.top() / TwipsPerPixel); y <= int(ink.bottom() / TwipsPerPixel); ++y)
            for (int x = end - 4; x <= end + 4; ++x)
                if (form.valid(x, y) && isInk(form.pixel(x, y)))
                    return false;
        return true;
    }

    bool coveredElsewhere(int x, int y, int index) const
    {
        for (int dy = -2; dy <= 2; ++dy)
            for (int dx = -2; dx <= 2; ++dx)
                if (form.valid(x + dx, y + dy) && isInk(form.pixel(x + dx, y + dy)))
                    return true;
        for (int i = 0; i < others.size(); ++i)
            if (i != index && others[i].adjusted(-1, -1, 1, 1).contains(x, y))
                return true;
        return false;
    }
};

// A letter whose medicine rows, unstable state and institution address are set condensed.
letterfixtures::Fields condensedMedicineLetter()
{
    letterfixtures::Fields changes;
    const auto text = [](const QString& s) { return db::Variant::fromString(s); };
    for (int k = 1; k <= 6; ++k) {
        changes.append(
            {QStringLiteral("薬剤名%1").arg(k), text(u"アムロジピンＯＤ錠５ｍｇ「サワイ」"_qs)});
        changes.append({QStringLiteral("単位%1").arg(k), text(u"１回１錠"_qs)});
        changes.append({QStringLiteral("用法%1").arg(k), text(u"１日２回朝夕食後"_qs)});
    }
    changes.append({u"不安定"_qs, text(u"夜間せん妄が時々あり、日中も傾眠傾向が続いている"_qs)});
    changes.append(
        {u"医療機関住所"_qs,
         text(u"東京都千代田区神田駿河台四丁目三番地　新御茶ノ水ビルディング十七階"_qs)});
    return letterfixtures::withValues(letterfixtures::fullyFilledLetter(), changes);
}

} // namespace

Q_DECLARE_METATYPE(sheetdata::SheetModel)

class PaperPreviewTest : public QObject
{
    Q_OBJECT
private:
    QTemporaryDir m_client;
    privatecups::PrivateScheduler m_scheduler;
    SheetFixture m_letters;
    QString m_outputDir;

    // Prints `model` through the queue and returns its pages at 250 dpi; empty, with the
    // reason in `problem`, when it cannot.
    QList<QImage> printedPages(const sheetdata::SheetModel& model, bool a3, const QString& name,
                               QString* problem)
    {
        platform::QtPrinter printer;
        if (!printer.setDeviceName(Queue)) {
            *problem = QStringLiteral("Qt does not list the queue ") + Queue;
            return {};
        }
        const bool paperSet = a3 ? printer.setPaperSize(platform::PaperA3) &&
                                       printer.setOrientation(platform::Landscape)
                                 : printer.setPaperSize(platform::PaperA4) &&
                                       printer.setOrientation(platform::Portrait);
        if (!paperSet) {
            *problem = QStringLiteral("the queue refuses the paper");
            return {};
        }
        const QSet<int> before = m_scheduler.jobIds(Queue);
        const sheet::PrintRequest request{model, false, 0, 0, sheet::measurePrintArea(printer)};
        const sheet::PrintResult result =
            a3 ? sheet::GoPrintA3(printer, request) : sheet::GoPrintA4(printer, request);
        if (!result.printed) {
            *problem = result.error;
            return {};
        }
        const QString pdf = m_outputDir + u'/' + name + QStringLiteral(".pdf");
        if (const QString failed = m_scheduler.collectJob(Queue, before, pdf); !failed.isEmpty()) {
            *problem = failed;
            return {};
        }
        const QString prefix = m_outputDir + u'/' + name;
        const Run raster = run(QStringLiteral("pdftoppm"),
                               {QStringLiteral("-r"), QString::number(Dpi), QStringLiteral("-gray"),
                                QStringLiteral("-png"), pdf, prefix});
        if (!raster.ok) {
            *problem = QStringLiteral("pdftoppm: ") + raster.output;
            return {};
        }
        QList<QImage> pages;
        for (int page = 1; page <= (a3 ? 1 : 2); ++page) {
            const QImage image(prefix + QStringLiteral("-%1.png").arg(page));
            if (image.isNull()) {
                *problem = QStringLiteral("no page %1 in %2").arg(page).arg(pdf);
                return {};
            }
            pages << image.convertToFormat(QImage::Format_RGB32);
        }
        return pages;
    }

    // The same part of the sheet from the preview above the paper, for a person to look at.
    void saveCrop(const QImage& preview, const QImage& paper, const QString& name, QRectF twips)
    {
        const QRect r(qRound(twips.x() / TwipsPerPixel), qRound(twips.y() / TwipsPerPixel),
                      qRound(twips.width() / TwipsPerPixel),
                      qRound(twips.height() / TwipsPerPixel));
        QImage both(r.width(), 2 * r.height() + 8, QImage::Format_RGB32);
        both.fill(Qt::gray);
        QPainter painter(&both);
        painter.drawImage(0, 0, preview.copy(r));
        painter.drawImage(0, r.height() + 8, paper.copy(r));
        both.save(m_outputDir + u'/' + name + QStringLiteral(".png"));
    }

private Q_SLOTS:
    void initTestCase()
    {
        // The user's own printer options (a default of more copies, another paper) stay out.
        QVERIFY(m_client.isValid());
        QVERIFY(privatecups::useClientFolders(m_client.path()));
        common::installFontSubstitutions();
        m_outputDir = QDir::currentPath() + QStringLiteral("/paper-preview");
        QVERIFY2(QDir().mkpath(m_outputDir), qPrintable(m_outputDir));
        QVERIFY2(!QStandardPaths::findExecutable(QStringLiteral("pdftoppm")).isEmpty(),
                 "pdftoppm is not installed (package poppler-utils; scripts/install-deps "
                 "installs it)");
        const QString problem = m_scheduler.startWithCupsPdfQueue(Queue);
        QVERIFY2(
            problem.isEmpty(),
            qPrintable(QStringLiteral("no CUPS-PDF queue on a private scheduler: ") + problem));
        QVERIFY2(m_letters.isValid(), qPrintable(m_letters.error()));
    }
    void cleanupTestCase() { m_scheduler.stop(); }

    void valuesEndWhereThePreviewEnds_data()
    {
        QTest::addColumn<sheetdata::SheetModel>("model");
        QTest::addColumn<bool>("a3");
        const QList<QPair<const char*, letterfixtures::Fields>> letters = {
            {"fully filled", letterfixtures::fullyFilledLetter()},
            {"edge values", letterfixtures::edgeValueLetter()},
            {"condensed medicine rows", condensedMedicineLetter()},
            {"filled to every limit", fullletter::fields()},
            {"ASCII remarks",
             fullletter::withRemarks(fullletter::fields(), fullletter::asciiRemarks(7))},
        };
        int number = 0;
        for (const auto& [name, fields] : letters) {
            QVERIFY2(m_letters.add(++number, fields), qPrintable(m_letters.error()));
            sheetdata::SheetModel model;
            QVERIFY(m_letters.fill(model, QString::number(number)).letterFound);
            QTest::addRow("%s, A3", name) << model << true;
            QTest::addRow("%s, A4", name) << model << false;
        }
    }
    void valuesEndWhereThePreviewEnds()
    {
        QFETCH(sheetdata::SheetModel, model);
        QFETCH(bool, a3);
        const QString name = QString::fromLatin1(QTest::currentDataTag())
                                 .replace(QStringLiteral(", "), QStringLiteral("-"))
                                 .replace(u' ', u'-');
        QString problem;
        const QList<QImage> pages = printedPages(model, a3, name, &problem);
        QVERIFY2(problem.isEmpty(), qPrintable(problem));
        const QImage preview = previewCanvas(model);
        ValueEnds ends;
        ends.form = formCanvas(model);
        // The whole page may lie a dot or two off (a turned page's size is rounded to whole
        // points); the values are compared with the page laid on the form.
        const QPoint offset = bestShift(paperAsSheet(pages, preview), ends.form);
        QVERIFY2(std::abs(offset.x()) <= 3 && std::abs(offset.y()) <= 3,
                 qPrintable(QStringLiteral("the paper lies %1, %2 dots off the preview")
                                .arg(offset.x())
                                .arg(offset.y())));
        const QImage paper = shifted(paperAsSheet(pages, preview), offset);
        sheet::RecordingTarget recording;
        sheet::DrawSheet(recording, model, false);
        for (const sheet::RecordedOp& op : recording.ops(sheet::RecordedOp::Text)) {
            if (!op.value || op.text.trimmed().isEmpty())
                continue;
            ends.values << op;
            const QRectF ink = sheet::RecordingTarget::inkRect(op);
            ends.others << QRect(
                QPoint(int(ink.left() / TwipsPerPixel), int(ink.top() / TwipsPerPixel)),
                QPoint(int(ink.right() / TwipsPerPixel), int(ink.bottom() / TwipsPerPixel)));
        }
        QStringList apart;
        int measured = 0;
        double worst = 0;
        for (int i = 0; i < ends.values.size(); ++i) {
            const std::optional<int> onPreview = ends.rightEnd(preview, i);
            if (!onPreview || !ends.endIsClear(i))
                continue;
            ++measured;
            const std::optional<int> onPaper = ends.rightEnd(paper, i);
            const double mm = onPaper ? (*onPaper - *onPreview) / PixelsPerMm : 99;
            worst = std::max(worst, std::abs(mm));
            if (std::abs(mm) > ToleranceMm)
                apart << QStringLiteral("\"%1\" at %2,%3: %4 mm")
                             .arg(ends.values[i].text)
                             .arg(ends.values[i].x1)
                             .arg(ends.values[i].y1)
                             .arg(mm, 0, 'f', 2);
        }
        qInfo("paper %d, %d dots off; %d of %lld values measured, the farthest %.2f mm from the "
              "preview",
              offset.x(), offset.y(), measured, qlonglong(ends.values.size()), worst);
        saveCrop(preview, paper, name + QStringLiteral("-page1-head"), {1000, 1700, 10000, 3000});
        saveCrop(preview, paper, name + QStringLiteral("-medicine"), {1000, 9900, 10000, 1100});
        saveCrop(preview, paper, name + QStringLiteral("-paralysis"), {12900, 2500, 10000, 3200});
        saveCrop(preview, paper, name + QStringLiteral("-remarks"), {12700, 12300, 10200, 4500});
        QVERIFY2(measured >= ends.values.size() / 2,
                 qPrintable(QStringLiteral("only %1 of %2 values could be measured")
                                .arg(measured)
                                .arg(ends.values.size())));
        QVERIFY2(apart.isEmpty(), qPrintable(apart.join(QStringLiteral("; "))));
    }
};

QTEST_MAIN(PaperPreviewTest)
#include "tst_paperpreview.moc"
