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

QPixmap listButtonPicture(ListPicture picture)
{
    const QSize size = picture == ListPicture::ShowLetter ? QSize(35, 32)
                       : picture == ListPicture::Cancel   ? QSize(25, 22)
                                                          : QSize(16, 16);
    QPixmap pixmap(size);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    switch (picture) {
    case ListPicture::NewLetter: { // a blank sheet with a green plus
        drawSheet(p, QRectF(1.5, 0.5, 10, 13));
        p.setPen(QPen(Green, 2.5, Qt::SolidLine, Qt::FlatCap));
        p.drawLine(QPointF(12, 8), QPointF(12, 16));
        p.drawLine(QPointF(8, 12), QPointF(16, 12));
        break;
    }
    case ListPicture::ChangeLetter: // a written sheet with a pen over it
        drawSheet(p, QRectF(0.5, 0.5, 11, 14));
        p.setPen(QPen(Blue, 1));
        for (int y = 3; y <= 11; y += 3)
            p.drawLine(QPointF(2.5, y + 0.5), QPointF(9.5, y + 0.5));
        p.setPen(QPen(QColor(200, 150, 40), 3, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(14.5, 4), QPointF(7.5, 12));
        p.setPen(QPen(Ink, 1.5, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(7.5, 12), QPointF(6, 14.5));
        break;
    case ListPicture::DeleteLetter: // a written sheet crossed out in red
        drawSheet(p, QRectF(1.5, 0.5, 11, 14));
        p.setPen(QPen(Blue, 1));
        for (int y = 3; y <= 11; y += 3)
            p.drawLine(QPointF(3.5, y + 0.5), QPointF(10.5, y + 0.5));
        p.setPen(QPen(Red, 2.5, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(6, 6), QPointF(14.5, 14.5));
        p.drawLine(QPointF(14.5, 6), QPointF(6, 14.5));
        break;
    case ListPicture::ShowLetter: { // a printer with the letter's sheet ready in it
        // The lower rows stay clear for the caption under the picture.
        drawSheet(p, QRectF(10.5, 0.5, 14, 11));
        p.setPen(QPen(Blue, 1));
        for (int y = 3; y <= 9; y += 3)
            p.drawLine(QPointF(12.5, y + 0.5), QPointF(22.5, y + 0.5));
        p.setPen(QPen(Ink, 1));
        p.setBrush(QColor(170, 170, 170));
        p.drawRoundedRect(QRectF(3.5, 9.5, 28, 11), 2, 2);
        p.setBrush(QColor(120, 120, 120));
        p.drawRect(QRectF(8.5, 18.5, 18, 3));
        p.setBrush(Paper);
        p.drawRect(QRectF(10.5, 21.5, 14, 4));
        p.setPen(QPen(Green, 2, Qt::SolidLine, Qt::RoundCap));
        p.drawPoint(QPointF(27.5, 13.5));
        break;
    }
    case ListPicture::Cancel: { // a red circle with a bar: go back without doing anything
        p.setPen(QPen(Red, 2.5));
        p.setBrush(QColor(255, 235, 235));
        p.drawEllipse(QRectF(5, 1.5, 15, 15));
        p.setPen(QPen(Red, 2.5, Qt::SolidLine, Qt::FlatCap));
        p.drawLine(QPointF(8, 13.5), QPointF(17, 4.5));
        break;
    }
    }
    p.end();
    return pixmap;
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
