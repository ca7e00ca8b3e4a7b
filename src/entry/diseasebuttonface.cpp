#include "entry/diseasebuttonface.h"

#include <QFont>
#include <QPainter>

namespace entry {

QPixmap diseaseButtonFace(bool pressed)
{
    constexpr int kWidth = 55;
    constexpr int kHeight = 17;
    QPixmap face(kWidth, kHeight);
    face.fill(QColor(192, 192, 192));
    QPainter painter(&face);
    const QColor light(255, 255, 255);
    const QColor dark(128, 128, 128);
    painter.setPen(pressed ? dark : light);
    painter.drawLine(0, 0, kWidth - 1, 0);
    painter.drawLine(0, 0, 0, kHeight - 1);
    painter.setPen(pressed ? light : dark);
    painter.drawLine(0, kHeight - 1, kWidth - 1, kHeight - 1);
    painter.drawLine(kWidth - 1, 0, kWidth - 1, kHeight - 1);
    QFont font(QStringLiteral("ＭＳ Ｐゴシック"));
    font.setPixelSize(11);
    painter.setFont(font);
    painter.setPen(Qt::black);
    const int shift = pressed ? 1 : 0;
    painter.drawText(QRect(shift, shift, kWidth, kHeight), Qt::AlignCenter,
                     QStringLiteral("特定疾病"));
    return face;
}

} // namespace entry
