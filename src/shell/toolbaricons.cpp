#include "shell/toolbaricons.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace shell {

namespace {
const QColor Ink(40, 40, 40);
const QColor Paper(255, 255, 255);
const QColor Blue(30, 90, 180);
const QColor Red(200, 40, 40);
const QColor Green(40, 140, 60);

void drawSheet(QPainter& p, const QRectF& r)
{
    p.setPen(QPen(Ink, 1));
    p.setBrush(Paper);
    p.drawRect(r);
}

void drawLens(QPainter& p, bool plus)
{
    p.setPen(QPen(Ink, 1.5));
    p.setBrush(QColor(220, 235, 255));
    p.drawEllipse(QRectF(2, 2, 9, 9));
    p.setPen(QPen(Ink, 2.5, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(10, 10), QPointF(14, 14));
    p.setPen(QPen(Blue, 1.5));
    p.drawLine(QPointF(4.5, 6.5), QPointF(8.5, 6.5));
    if (plus)
        p.drawLine(QPointF(6.5, 4.5), QPointF(6.5, 8.5));
}

void drawImage(QPainter& p, int image)
{
    switch (image) {
    case 1: // letter list: a stack of rows
        drawSheet(p, QRectF(1.5, 1.5, 13, 13));
        p.setPen(QPen(Blue, 1));
        for (int y = 4; y <= 12; y += 3)
            p.drawLine(QPointF(3.5, y + 0.5), QPointF(12.5, y + 0.5));
        break;
    case 2: // clear the sheet: a sheet crossed out
        drawSheet(p, QRectF(2.5, 1.5, 10, 13));
        p.setPen(QPen(Red, 2, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(4, 4), QPointF(13, 13));
        p.drawLine(QPointF(13, 4), QPointF(4, 13));
        break;
    case 3:
        drawLens(p, false);
        break;
    case 4:
        drawLens(p, true);
        break;
    case 5: // paper size: a landscape and a portrait sheet
        drawSheet(p, QRectF(0.5, 5.5, 10, 7));
        drawSheet(p, QRectF(9.5, 2.5, 6, 9));
        p.setPen(QPen(Blue, 1));
        p.drawText(QRectF(0, 5, 10, 8), Qt::AlignCenter, QStringLiteral("A"));
        break;
    case 6: // print: a printer with a sheet
        drawSheet(p, QRectF(4.5, 1.5, 7, 6));
        p.setPen(QPen(Ink, 1));
        p.setBrush(QColor(170, 170, 170));
        p.drawRoundedRect(QRectF(1.5, 6.5, 13, 6), 1, 1);
        p.setBrush(Paper);
        p.drawRect(QRectF(4.5, 10.5, 7, 4));
        p.setPen(QPen(Green, 1));
        p.drawPoint(QPointF(12.5, 8.5));
        break;
    case 7: // help: a question mark in a circle
        p.setPen(QPen(Blue, 1));
        p.setBrush(QColor(230, 240, 255));
        p.drawEllipse(QRectF(1.5, 1.5, 13, 13));
        p.setPen(Blue);
        p.setFont(QFont(QStringLiteral("Sans"), 9, QFont::Bold));
        p.drawText(QRectF(1, 1, 14, 14), Qt::AlignCenter, QStringLiteral("?"));
        break;
    case 8: // version: an "i" in a circle
        p.setPen(QPen(Blue, 1));
        p.setBrush(Blue);
        p.drawEllipse(QRectF(1.5, 1.5, 13, 13));
        p.setPen(Paper);
        p.setFont(QFont(QStringLiteral("Serif"), 9, QFont::Bold));
        p.drawText(QRectF(1, 1, 14, 14), Qt::AlignCenter, QStringLiteral("i"));
        break;
    case 9: { // end: a door with an arrow out
        p.setPen(QPen(Ink, 1));
        p.setBrush(QColor(180, 120, 60));
        p.drawRect(QRectF(1.5, 1.5, 8, 13));
        p.setPen(QPen(Red, 2, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(7, 8), QPointF(14, 8));
        QPainterPath head;
        head.moveTo(11, 5);
        head.lineTo(14.5, 8);
        head.lineTo(11, 11);
        p.drawPath(head);
        break;
    }
    default:
        break;
    }
}
} // namespace

QIcon toolbarIcon(int image)
{
    QPixmap pixmap(16, 16);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    drawImage(painter, image);
    painter.end();
    return QIcon(pixmap);
}

QIcon windowIcon()
{
    QPixmap pixmap(32, 32);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(Ink, 1.5));
    p.setBrush(Paper);
    p.drawRect(QRectF(4.5, 2.5, 20, 27));
    p.setPen(QPen(Blue, 1.5));
    for (int y = 8; y <= 24; y += 4)
        p.drawLine(QPointF(8, y), QPointF(20, y));
    p.setPen(QPen(Red, 3, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(28, 10), QPointF(17, 27));
    p.end();
    return QIcon(pixmap);
}

} // namespace shell
