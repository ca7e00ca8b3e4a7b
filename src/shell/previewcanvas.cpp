#include "shell/previewcanvas.h"

#include "sheet/paintertarget.h"
#include "shell/viewlayout.h"

#include <QPaintEvent>
#include <QPainter>

namespace shell {

PreviewCanvas::PreviewCanvas(QWidget* parent, double twipsX, double twipsY)
    : QWidget(parent), m_twipsX(twipsX), m_twipsY(twipsY)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    m_zisitu = new QLabel(QStringLiteral("自筆して下さい。"), this);
    QFont font(QStringLiteral("ＭＳ ゴシック"));
    font.setPointSizeF(9);
    m_zisitu->setFont(font);
    QPalette palette = m_zisitu->palette();
    palette.setColor(QPalette::WindowText, QColor(255, 0, 0));
    m_zisitu->setPalette(palette);
    m_zisitu->adjustSize();
    m_zisitu->move(roundHalfEven(2100.0 / m_twipsX), roundHalfEven(3800.0 / m_twipsY));
}

void PreviewCanvas::setSheetSize(int widthTwips, int heightTwips)
{
    const QSize size(roundHalfEven(double(widthTwips) / m_twipsX),
                     roundHalfEven(double(heightTwips) / m_twipsY));
    resize(size);
    // The canvas image carries the screen's resolution, so that its fonts have their true size.
    m_image = sheet::newPreviewCanvas(m_twipsX);
    if (m_image.size() != size)
        m_image = m_image.scaled(size);
    clear();
}

void PreviewCanvas::clear()
{
    m_image.fill(Qt::white);
    update();
}

void PreviewCanvas::setOutline(const sheet::Outline& outline)
{
    m_outline = outline;
    update();
}

void PreviewCanvas::paintEvent(QPaintEvent* event)
{
    QPainter painter(this);
    painter.drawImage(event->rect(), m_image, event->rect());
    painter.setPen(QPen(QColor(255, 0, 0), 1));
    for (const sheet::OutlineLine& line : m_outline) {
        if (!line.visible)
            continue;
        painter.drawLine(roundHalfEven(double(line.line.x1()) / m_twipsX),
                         roundHalfEven(double(line.line.y1()) / m_twipsY),
                         roundHalfEven(double(line.line.x2()) / m_twipsX),
                         roundHalfEven(double(line.line.y2()) / m_twipsY));
    }
}

Viewport::Viewport(QWidget* parent) : QWidget(parent)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void Viewport::clear()
{
    m_fitted = QImage();
    update();
}

void Viewport::copyReduced(const QImage& image, const QRect& source, const QRect& destination)
{
    m_fitted = QImage(size(), QImage::Format_RGB32);
    m_fitted.fill(Qt::white);
    if (!destination.isEmpty() && !source.isEmpty()) {
        // A smooth reduction keeps the sheet's thin lines visible as grey.
        const QImage reduced = image.copy(source).scaled(destination.size(), Qt::IgnoreAspectRatio,
                                                         Qt::SmoothTransformation);
        QPainter painter(&m_fitted);
        painter.setCompositionMode(QPainter::RasterOp_SourceAndDestination);
        painter.drawImage(destination.topLeft(), reduced);
    }
    update();
}

void Viewport::paintEvent(QPaintEvent* event)
{
    QPainter painter(this);
    painter.fillRect(event->rect(), Qt::white);
    if (!m_fitted.isNull())
        painter.drawImage(event->rect(), m_fitted, event->rect());
}

} // namespace shell
