// Every value the entry form accepts stays inside its own area of the sheet, on the preview
// and on paper: condensed, then on a further line where the area has room, then smaller, and
// last cut at its area with a mark. Checked on the glyphs' ink as drawn, against the rules, the
// tick boxes and the other texts of the drawing.
#include "common/fontsubstitution.h"
#include "fullletter.h"
#include "letterfixtures.h"
#include "record/wrapforprint.h"
#include "sheet/recordingtarget.h"
#include "sheet/sheetdrawing.h"
#include "sheet/textfit.h"
#include "sheetdata/sheetlayout.h"

#include <QtTest>

using namespace sheet;
using letterfixtures::Fields;

Q_DECLARE_METATYPE(sheet::FitStep)

namespace {

enum class Drawing { Preview, WholeSheet, FirstA4, SecondA4 };

QList<RecordedOp> draw(const sheetdata::SheetModel& model, Drawing drawing)
{
    // A printer of 600 dots per inch, its printable area's corner a little in from the paper's.
    RecordingTarget target(drawing == Drawing::Preview, 2.4);
    switch (drawing) {
    case Drawing::Preview:
        DrawSheet(target, model, true);
        break;
    case Drawing::WholeSheet:
        DrawPrintedPage(target, PrintedPage::WholeSheet, -85, -85, model, true);
        break;
    case Drawing::FirstA4:
        DrawPrintedPage(target, PrintedPage::FirstA4, -85, -85, model, true);
        break;
    case Drawing::SecondA4:
        DrawPrintedPage(target, PrintedPage::SecondA4, -85, -85, model, true);
        break;
    }
    return target.ops();
}

// Rings over the form's words are printed over them on purpose.
bool isRing(const RecordedOp& op)
{
    return op.text == QStringLiteral("○");
}

// Ink boxes are the glyphs' bounding boxes. The form's own rows lie so close that a bracket of
// one row reaches 4 twips into the row below; boxes that touch by less than 5 twips (0.09 mm,
// two dots at 600 dots per inch) cover nothing.
constexpr double Touch = 5;

bool overlaps(const QRectF& a, const QRectF& b)
{
    const QRectF both = a.intersected(b);
    return both.width() > Touch && both.height() > Touch;
}

// What a value's ink covers that it must not: another text's ink, a rule of the form it
// crosses, a tick box, or the frame it starts in, left. One line per fault. (The marks drawn
// after the texts, rings and underlines, are drawn over words on purpose.)
QStringList faults(const QList<RecordedOp>& ops)
{
    QList<QLineF> rules;
    QList<QRectF> ticks;
    QList<QRectF> frames;
    QList<QPair<RecordedOp, QRectF>> texts;
    bool form = true;
    for (const RecordedOp& op : ops) {
        if (op.kind == RecordedOp::Text && op.value)
            form = false;
        if (op.kind == RecordedOp::Line && form) {
            rules.append(QLineF(op.x1, op.y1, op.x2, op.y2));
        } else if (op.kind == RecordedOp::Box && form) {
            const QRectF box = QRectF(QPointF(op.x1, op.y1), QPointF(op.x2, op.y2)).normalized();
            if (box.width() < 300 && box.height() < 300) {
                ticks.append(box);
            } else {
                rules.append({box.topLeft(), box.topRight()});
                rules.append({box.bottomLeft(), box.bottomRight()});
                rules.append({box.topLeft(), box.bottomLeft()});
                rules.append({box.topRight(), box.bottomRight()});
                if (box.width() > 2000 && box.height() > 1000)
                    frames.append(box);
            }
        } else if (op.kind == RecordedOp::Text) {
            const QRectF ink = RecordingTarget::inkRect(op);
            if (!ink.isEmpty())
                texts.append({op, ink});
        }
    }
    QStringList found;
    for (qsizetype i = 0; i < texts.size(); ++i) {
        const auto& [op, ink] = texts[i];
        if (!op.value || op.state.slot < 0 || isRing(op))
            continue;
        const QString what = QStringLiteral("slot %1 \"%2\" ink %3,%4,%5,%6")
                                 .arg(op.state.slot)
                                 .arg(op.text.left(12))
                                 .arg(ink.left())
                                 .arg(ink.top())
                                 .arg(ink.right())
                                 .arg(ink.bottom());
        for (qsizetype j = 0; j < texts.size(); ++j)
            if (j != i && !isRing(texts[j].first) && overlaps(ink, texts[j].second))
                found << what + QStringLiteral(" covers \"%1\"").arg(texts[j].first.text);
        for (const QLineF& rule : rules) {
            const QRectF span = QRectF(rule.p1(), rule.p2()).normalized();
            const bool crosses =
                span.width() < 1
                    ? span.left() > ink.left() + 0.5 && span.left() < ink.right() - 0.5 &&
                          span.top() < ink.bottom() && span.bottom() > ink.top()
                    : span.top() > ink.top() + 0.5 && span.top() < ink.bottom() - 0.5 &&
                          span.left() < ink.right() && span.right() > ink.left();
            if (crosses)
                found << what + QStringLiteral(" crosses the rule %1,%2-%3,%4")
                                    .arg(rule.x1())
                                    .arg(rule.y1())
                                    .arg(rule.x2())
                                    .arg(rule.y2());
        }
        for (const QRectF& tick : ticks)
            if (overlaps(ink, tick))
                found << what + QStringLiteral(" covers a tick box at %1,%2")
                                    .arg(tick.left())
                                    .arg(tick.top());
        // The smallest frame its start lies in holds all of it.
        const QPointF start(op.x1 + 1, op.y1 + textCellHeight(op.state.fontSize) / 2);
        std::optional<QRectF> frame;
        for (const QRectF& f : frames)
            if (f.contains(start) &&
                (!frame || f.width() * f.height() < frame->width() * frame->height()))
                frame = f;
        if (frame && !frame->contains(ink))
            found << what + QStringLiteral(" leaves its frame");
    }
    return found;
}

// The text of a slot as printed: its lines joined.
QString printedText(const QList<RecordedOp>& ops, int slot)
{
    QString text;
    for (const RecordedOp& op : ops)
        if (op.kind == RecordedOp::Text && op.value && op.state.slot == slot)
            text += op.text;
    return text;
}

db::Variant text(const QString& s)
{
    return db::Variant::fromString(s);
}

} // namespace

class TextFitTest : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { common::installFontSubstitutions(); }

    // The letter filled to every limit of the form: every value inside its area, covering
    // nothing, on the preview and on paper, A3 and both A4 pages.
    void fullLetterStaysInside_data()
    {
        QTest::addColumn<Fields>("fields");
        QTest::addColumn<int>("drawing");
        const QList<QPair<const char*, Fields>> letters = {
            {"remarks of 20 lines", fullletter::fields()},
            {"remarks of 7 ASCII lines",
             fullletter::withRemarks(fullletter::fields(), fullletter::asciiRemarks(7))},
        };
        const QList<QPair<const char*, Drawing>> drawings = {
            {"preview", Drawing::Preview},
            {"A3", Drawing::WholeSheet},
            {"A4 page 1", Drawing::FirstA4},
            {"A4 page 2", Drawing::SecondA4},
        };
        for (const auto& [letter, fields] : letters)
            for (const auto& [name, drawing] : drawings)
                QTest::addRow("%s, %s", letter, name) << fields << int(drawing);
    }
    void fullLetterStaysInside()
    {
        QFETCH(Fields, fields);
        QFETCH(int, drawing);
        const sheetdata::SheetModel model = fullletter::sheet(fields);
        QVERIFY(model.FormLoaded);
        const QList<RecordedOp> ops = draw(model, Drawing(drawing));
        const QStringList found = faults(ops);
        QVERIFY2(found.isEmpty(), qPrintable(found.join(u'\n')));
        // Nothing of it is cut: every character is printed.
        QVERIFY(cutTextSlots(model, true).isEmpty());
        if (Drawing(drawing) != Drawing::SecondA4)
            QCOMPARE(printedText(ops, 11), model.FormText[11]);
    }

    // What a value too long for its area gets, field by field; none leaves its area.
    void longValues_data()
    {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("value");
        QTest::addColumn<int>("slot");
        QTest::addColumn<FitStep>("step");
        using fullletter::kanji;
        const auto row = [](const char* name, const char16_t* field, const QString& value, int slot,
                            FitStep step) {
            QTest::newRow(name) << QString::fromUtf16(field) << value << slot << step;
        };
        row("42-character institution address", u"医療機関住所", kanji(42), 4, FitStep::Condensed);
        row("medicine row full", u"薬剤名1", kanji(18), 58, FitStep::Condensed);
        row("30-character name", u"患者名", kanji(30), 11, FitStep::Smaller);
        row("60-character reading", u"患者名かな", fullletter::hiragana(60), 12, FitStep::Smaller);
        row("60-character address", u"住所", kanji(60), 24, FitStep::Smaller);
        row("その他麻痺部位 of 20", u"その他麻痺部位", kanji(20), 70, FitStep::Smaller);
        row("他科受診その他 of 20", u"他科受診その他", kanji(20), 31, FitStep::Smaller);
        row("問題行動他名 of 20", u"問題行動他名", kanji(20), 64, FitStep::Smaller);
        row("remarks of 15 lines", u"意見書特記事項印刷", fullletter::wideRemarks(15), 87,
            FitStep::Smaller);
        row("remarks of 7 ASCII lines", u"意見書特記事項印刷",
            record::WrapForPrint(fullletter::asciiRemarks(7)), 87, FitStep::Smaller);
        row("remarks of one unwrapped line", u"意見書特記事項印刷", kanji(100), 87,
            FitStep::FurtherLine);
        row("問題行動他名 of 80", u"問題行動他名", kanji(80), 64, FitStep::Cut);
        row("remarks of 60 lines", u"意見書特記事項印刷", fullletter::wideRemarks(60), 87,
            FitStep::Cut);
    }
    void longValues()
    {
        QFETCH(QString, field);
        QFETCH(QString, value);
        QFETCH(int, slot);
        QFETCH(FitStep, step);
        Fields fields =
            letterfixtures::withValues(letterfixtures::fullyFilledLetter(), {{field, text(value)}});
        if (field == u"薬剤名1"_qs)
            fields =
                letterfixtures::withValues(fields, {{u"単位1"_qs, text(fullletter::kanji(8))},
                                                    {u"用法1"_qs, text(fullletter::kanji(13))}});
        const sheetdata::SheetModel model = fullletter::sheet(fields);
        const QList<RecordedOp> ops = draw(model, Drawing::WholeSheet);
        const QStringList found = faults(ops);
        QVERIFY2(found.isEmpty(), qPrintable(found.join(u'\n')));

        RecordingTarget probe(false, 2.4);
        drawPrintedPageAsLaidOut(probe, PrintedPage::WholeSheet, 0, 0, model, true);
        QCOMPARE(textFits(probe.ops()).steps.value(slot, FitStep(-1)), step);
        const QString printed = printedText(ops, slot);
        QString whole = model.FormText[slot];
        whole.remove(QStringLiteral("\r\n"));
        if (step == FitStep::Cut) {
            // Cut at its area with the mark, what is printed the value's beginning, and told.
            QVERIFY(printed.endsWith(CutMark));
            QVERIFY(whole.startsWith(printed.chopped(CutMark.size())));
            QVERIFY(printed.size() < whole.size());
            QVERIFY(cutTextSlots(model, true).contains(slot));
        } else {
            // Every character printed, in order.
            QCOMPARE(printed, whole);
            QVERIFY(!cutTextSlots(model, true).contains(slot));
        }
        for (const RecordedOp& op : ops)
            if (op.kind == RecordedOp::Text && op.state.slot == slot) {
                QVERIFY(op.state.fontSize >= MinimumTextSize);
                QVERIFY(op.state.stretch >= MinimumTextStretch);
            }
    }

    // A cut value fills its area before the mark, even where a value of the other page runs
    // past its own room (the 問題行動他名 of page 1 beside the remarks of page 2).
    void cutRemarksFillTheirBox()
    {
        const Fields fields = letterfixtures::withValues(
            fullletter::fields(), {{u"問題行動他名"_qs, text(fullletter::kanji(80))},
                                   {u"意見書特記事項印刷"_qs, text(fullletter::wideRemarks(60))}});
        const QList<RecordedOp> ops = draw(fullletter::sheet(fields), Drawing::Preview);
        QList<RecordedOp> lines;
        for (const RecordedOp& op : ops)
            if (op.kind == RecordedOp::Text && op.state.slot == 87)
                lines.append(op);
        QVERIFY(!lines.isEmpty());
        QVERIFY(lines.last().text.endsWith(CutMark));
        // The box of the remarks ends at 15600; no room for one more line is left.
        const double bottom = lines.last().y1 + textCellHeight(lines.last().state.fontSize);
        QVERIFY2(15600 - bottom < textCellHeight(lines.last().state.fontSize),
                 qPrintable(QString::number(bottom)));
    }

    // A cut never splits a pair of surrogates: the character before the mark is whole, wherever
    // the cut falls.
    void cutKeepsCharactersWhole()
    {
        for (const QString& lead : {QString(), u"吉"_qs, u"吉吉"_qs}) {
            const QString value = lead + QString(u"𠮷"_qs).repeated(80);
            const Fields fields = letterfixtures::withValues(letterfixtures::fullyFilledLetter(),
                                                             {{u"問題行動他名"_qs, text(value)}});
            const QList<RecordedOp> ops = draw(fullletter::sheet(fields), Drawing::Preview);
            const QString printed = printedText(ops, 64);
            QVERIFY(printed.endsWith(CutMark));
            const QString kept = printed.chopped(CutMark.size());
            QVERIFY(kept.size() > lead.size());
            QVERIFY(value.startsWith(kept));
            QVERIFY2(!kept.back().isHighSurrogate(), qPrintable(lead));
        }
    }
};

QTEST_MAIN(TextFitTest)
#include "tst_textfit.moc"
