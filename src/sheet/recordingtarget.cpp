#include "sheet/recordingtarget.h"

#include "sheet/textmetrics.h"

#include <QImage>

#include <cmath>

namespace sheet {

namespace {

QString number(double value)
{
    return QString::number(value, 'g', 10);
}

} // namespace

RecordingTarget::RecordingTarget(bool preview, double twipsPerPixel)
    : m_preview(preview), m_twipsPerPixel(twipsPerPixel)
{
}

double RecordingTarget::textWidth(const QString& text)
{
    return referenceAdvance(state(), text);
}

double RecordingTarget::printedWidth(const RecordedOp& op)
{
    return referenceAdvance(op.state, op.text);
}

QRectF RecordingTarget::inkRect(const RecordedOp& op)
{
    const QPointF pen(op.x1, op.y1 + textCellBaseline(op.state.fontSize));
    const QRectF ink = referenceInk(op.state, op.text);
    if (ink.isEmpty())
        return QRectF(pen, QSizeF(0, 0));
    return ink.translated(pen);
}

QList<RecordedOp> RecordingTarget::ops(RecordedOp::Kind kind) const
{
    QList<RecordedOp> found;
    for (const RecordedOp& op : m_ops)
        if (op.kind == kind)
            found.append(op);
    return found;
}

RecordedOp& RecordingTarget::add(RecordedOp::Kind kind)
{
    RecordedOp& op = m_ops.emplaceBack();
    op.kind = kind;
    op.state = state();
    return op;
}

void RecordingTarget::settingChanged(Setting setting)
{
    RecordedOp& op = add(RecordedOp::Setting);
    const DrawState& s = state();
    switch (setting) {
    case Setting::DrawWidth:
        op.text = QStringLiteral("DrawWidth %1").arg(s.drawWidth);
        break;
    case Setting::DrawStyle:
        op.text = QStringLiteral("DrawStyle %1").arg(s.drawStyle);
        break;
    case Setting::FillStyle:
        op.text = QStringLiteral("FillStyle %1").arg(s.fillStyle);
        break;
    case Setting::FillColor:
        op.text = QStringLiteral("FillColor %1").arg(s.fillColor.name());
        break;
    case Setting::ForeColor:
        op.text = QStringLiteral("ForeColor %1").arg(s.foreColor.name());
        break;
    case Setting::Font:
        op.text = QStringLiteral("Font \"%1\" %2 bold=%3")
                      .arg(s.fontName, number(s.fontSize))
                      .arg(int(s.fontBold));
        break;
    case Setting::Position:
        op.text = QStringLiteral("Current %1 %2").arg(number(s.currentX), number(s.currentY));
        break;
    }
}

void RecordingTarget::drawLine(int x1, int y1, int x2, int y2, const QColor& color)
{
    RecordedOp& op = add(RecordedOp::Line);
    op.x1 = x1;
    op.y1 = y1;
    op.x2 = x2;
    op.y2 = y2;
    op.color = color;
}

void RecordingTarget::drawBox(int x1, int y1, int x2, int y2, const QColor& color)
{
    RecordedOp& op = add(RecordedOp::Box);
    op.x1 = x1;
    op.y1 = y1;
    op.x2 = x2;
    op.y2 = y2;
    op.color = color;
}

void RecordingTarget::drawEllipse(double cx, double cy, double rx, double ry, const QColor& color,
                                  std::optional<double> start, std::optional<double> end)
{
    RecordedOp& op = add(start || end ? RecordedOp::Arc : RecordedOp::Ellipse);
    op.x1 = cx;
    op.y1 = cy;
    op.x2 = rx;
    op.y2 = ry;
    op.start = start;
    op.end = end;
    op.color = color;
}

void RecordingTarget::drawText(double x, double y, const QString& text)
{
    RecordedOp& op = add(RecordedOp::Text);
    op.x1 = x;
    op.y1 = y;
    op.text = text;
    op.color = state().foreColor;
    op.value = printingValues();
}

void RecordingTarget::drawPicture(const QImage& image, int x, int y, int width, int height)
{
    RecordedOp& op = add(RecordedOp::Picture);
    op.x1 = x;
    op.y1 = y;
    op.x2 = x + width;
    op.y2 = y + height;
    op.pictureSize = image.size();
}

QString RecordingTarget::describe(const RecordedOp& op)
{
    const DrawState& s = op.state;
    const QString pen = QStringLiteral("width=%1 style=%2").arg(s.drawWidth).arg(s.drawStyle);
    switch (op.kind) {
    case RecordedOp::Setting:
        return QStringLiteral("set ") + op.text;
    case RecordedOp::Line:
        return QStringLiteral("line %1 %2 %3 %4 %5 %6")
            .arg(number(op.x1), number(op.y1), number(op.x2), number(op.y2), pen, op.color.name());
    case RecordedOp::Box:
        return QStringLiteral("box %1 %2 %3 %4 %5 fill=%6 %7")
            .arg(number(op.x1), number(op.y1), number(op.x2), number(op.y2), pen)
            .arg(s.fillStyle)
            .arg(op.color.name());
    case RecordedOp::Ellipse:
        return QStringLiteral("ellipse %1 %2 rx=%3 ry=%4 %5 fill=%6 fillcolor=%7 %8")
            .arg(number(op.x1), number(op.y1), number(op.x2), number(op.y2), pen)
            .arg(s.fillStyle)
            .arg(s.fillColor.name(), op.color.name());
    case RecordedOp::Arc:
        return QStringLiteral("arc %1 %2 rx=%3 ry=%4 from=%5 to=%6 %7 %8")
            .arg(number(op.x1), number(op.y1), number(op.x2), number(op.y2),
                 number(op.start.value_or(0)), number(op.end.value_or(0)), pen, op.color.name());
    case RecordedOp::Text: {
        // The ink in whole twips, rounded outwards so that it still covers every glyph.
        const QRectF ink = inkRect(op);
        const QString inkText = QStringLiteral(" ink=%1,%2,%3,%4")
                                    .arg(std::floor(ink.left()))
                                    .arg(std::floor(ink.top()))
                                    .arg(std::ceil(ink.right()))
                                    .arg(std::ceil(ink.bottom()));
        return QStringLiteral("text %1 %2 \"%3\" font=\"%4\" %5 bold=%6 %7%8%9")
            .arg(number(op.x1), number(op.y1), op.text, s.fontName, number(s.fontSize))
            .arg(int(s.fontBold))
            .arg(op.color.name(),
                 s.stretch == 100 ? QString() : QStringLiteral(" stretch=%1").arg(s.stretch),
                 inkText);
    }
    case RecordedOp::Picture:
        return QStringLiteral("picture %1 %2 %3 %4 image=%5x%6")
            .arg(number(op.x1), number(op.y1), number(op.x2), number(op.y2))
            .arg(op.pictureSize.width())
            .arg(op.pictureSize.height());
    }
    return {};
}

QStringList RecordingTarget::log() const
{
    QStringList lines;
    lines.reserve(m_ops.size());
    for (const RecordedOp& op : m_ops)
        lines.append(describe(op));
    return lines;
}

} // namespace sheet
