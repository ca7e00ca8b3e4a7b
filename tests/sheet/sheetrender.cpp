// sheet-render: draws the sheet into a PNG, a PDF and a log of drawing operations, for a person
// to look at and for comparing drawings. Not installed.
//
//   sheet-render [--sample | --data FILE --letter N] [--dpi 150] [--png out.png]
//                [--crop x,y,w,h] [--pdf out.pdf] [--a4] [--log out.log] [--page-head]
//   sheet-render --write-letters FILE
//
// Without --sample or --data it draws the empty sheet. --crop cuts the PNG to a rectangle of
// the sheet given in twips. --write-letters makes a new data file with four test letters:
// 1 answers everything, 2 nothing, 3 was imported with Nulls, 4 holds edge values, 5 is
// filled to every limit of the entry form, 6 the same with remarks of long ASCII lines.

#include "common/fontsubstitution.h"
#include "fullletter.h"
#include "letterfixtures.h"
#include "samplesheet.h"
#include "sheet/paintertarget.h"
#include "sheet/recordingtarget.h"
#include "sheet/sheetdrawing.h"
#include "sheetdata/setformdata.h"
#include "sheetdata/sheetmodel.h"

#include <QCommandLineParser>
#include <QFile>
#include <QGuiApplication>
#include <QPageLayout>
#include <QPainter>
#include <QPdfWriter>
#include <QTextStream>

#include <cmath>
#include <cstdio>

namespace {

bool writePng(const sheetdata::SheetModel& model, bool pageHead, double dpi, const QString& crop,
              const QString& path)
{
    const double twipsPerPixel = 1440.0 / dpi;
    QImage canvas = sheet::newPreviewCanvas(twipsPerPixel);
    {
        QPainter painter(&canvas);
        sheet::PainterTarget target(painter, true);
        sheet::DrawSheet(target, model, pageHead);
    }
    if (!crop.isEmpty()) {
        const QStringList parts = crop.split(u',');
        if (parts.size() != 4)
            return false;
        const auto px = [&](int i) {
            return static_cast<int>(std::lround(parts[i].toDouble() / twipsPerPixel));
        };
        canvas = canvas.copy(px(0), px(1), px(2), px(3));
    }
    return canvas.save(path, "PNG");
}

bool writePdf(const sheetdata::SheetModel& model, bool pageHead, bool a4, const QString& path)
{
    QPdfWriter pdf(path);
    pdf.setResolution(600);
    pdf.setCreator(QStringLiteral("sheet-render"));
    const QPageLayout layout(QPageSize(a4 ? QPageSize::A4 : QPageSize::A3),
                             a4 ? QPageLayout::Portrait : QPageLayout::Landscape,
                             QMarginsF(0, 0, 0, 0));
    if (!pdf.setPageLayout(layout))
        return false;
    QPainter painter;
    if (!painter.begin(&pdf))
        return false;
    sheet::PainterTarget target(painter, false);
    if (a4) {
        sheet::DrawPrintedPage(target, sheet::PrintedPage::FirstA4, 0, 0, model, pageHead);
        pdf.newPage();
        sheet::DrawPrintedPage(target, sheet::PrintedPage::SecondA4, 0, 0, model, pageHead);
    } else {
        sheet::DrawPrintedPage(target, sheet::PrintedPage::WholeSheet, 0, 0, model, pageHead);
    }
    return painter.end();
}

bool writeLog(const sheetdata::SheetModel& model, bool pageHead, const QString& path)
{
    sheet::RecordingTarget target;
    sheet::DrawSheet(target, model, pageHead);
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Text))
        return false;
    QTextStream out(&file);
    for (const QString& line : target.log())
        out << line << '\n';
    return out.status() == QTextStream::Ok;
}

// Letter 1 answers everything, 2 nothing, 3 is an imported letter with Nulls, 4 holds edge
// values.
bool writeLetters(const QString& path, QString* error)
{
    using namespace letterfixtures;
    return createDataFile(path, error) && writeLetter(path, 1, fullyFilledLetter(), error) &&
           writeLetter(path, 2, unansweredLetter(), error) &&
           writeLetter(path, 3, importedLetterWithNulls(), error) &&
           writeLetter(path, 4, edgeValueLetter(), error) &&
           writeLetter(path, 5, fullletter::fields(), error) &&
           writeLetter(path, 6,
                       fullletter::withRemarks(fullletter::fields(), fullletter::asciiRemarks(7)),
                       error);
}

int fail(const QString& message)
{
    std::fprintf(stderr, "sheet-render: %s\n", qPrintable(message));
    return 1;
}

} // namespace

int main(int argc, char* argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    common::installFontSubstitutions();

    QCommandLineParser parser;
    parser.addHelpOption();
    const QCommandLineOption sample(u"sample"_qs, u"Draw a sheet with every box ticked."_qs);
    const QCommandLineOption data(u"data"_qs, u"Data file of the letter."_qs, u"file"_qs);
    const QCommandLineOption letter(u"letter"_qs, u"Number of the letter."_qs, u"n"_qs);
    const QCommandLineOption dpi(u"dpi"_qs, u"PNG resolution."_qs, u"dpi"_qs, u"150"_qs);
    const QCommandLineOption png(u"png"_qs, u"Write the preview as PNG."_qs, u"file"_qs);
    const QCommandLineOption crop(u"crop"_qs, u"Cut the PNG to x,y,w,h twips."_qs, u"rect"_qs);
    const QCommandLineOption pdf(u"pdf"_qs, u"Write the printed sheet as PDF."_qs, u"file"_qs);
    const QCommandLineOption a4(u"a4"_qs, u"Print on two A4 pages instead of one A3."_qs);
    const QCommandLineOption log(u"log"_qs, u"Write the drawing operations."_qs, u"file"_qs);
    const QCommandLineOption pageHead(u"page-head"_qs, u"Print the page-2 header line."_qs);
    const QCommandLineOption letters(u"write-letters"_qs,
                                     u"Make a data file with four test letters."_qs, u"file"_qs);
    parser.addOptions({sample, data, letter, dpi, png, crop, pdf, a4, log, pageHead, letters});
    parser.process(app);

    if (parser.isSet(letters)) {
        QString error;
        if (!writeLetters(parser.value(letters), &error))
            return fail(error);
        return 0;
    }

    sheetdata::SheetModel model;
    if (parser.isSet(sample)) {
        model = sampleFilledSheet();
    } else if (parser.isSet(data) || parser.isSet(letter)) {
        if (!parser.isSet(data) || !parser.isSet(letter))
            return fail(u"--data and --letter go together"_qs);
        const sheetdata::SheetFillResult result =
            sheetdata::SetFormData(model, parser.value(data), parser.value(letter));
        if (!result.letterFound)
            return fail(result.problem);
    }
    const bool head = parser.isSet(pageHead);

    bool ok = true;
    if (parser.isSet(png) &&
        !writePng(model, head, parser.value(dpi).toDouble(), parser.value(crop), parser.value(png)))
        ok = !fail(u"cannot write "_qs + parser.value(png));
    if (parser.isSet(pdf) && !writePdf(model, head, parser.isSet(a4), parser.value(pdf)))
        ok = !fail(u"cannot write "_qs + parser.value(pdf));
    if (parser.isSet(log) && !writeLog(model, head, parser.value(log)))
        ok = !fail(u"cannot write "_qs + parser.value(log));
    return ok ? 0 : 1;
}
