#include "shell/picturebutton.h"

#include <QStyleOptionButton>
#include <QStylePainter>

namespace shell {

PictureButton::PictureButton(const QString& caption, const QPixmap& picture, QWidget* parent)
    : QPushButton(caption, parent)
{
    setIcon(QIcon(picture));
    setIconSize(picture.size());
}

void PictureButton::paintEvent(QPaintEvent*)
{
    QStylePainter painter(this);
    QStyleOptionButton option;
    initStyleOption(&option);
    option.text.clear();
    option.icon = QIcon();
    painter.drawControl(QStyle::CE_PushButtonBevel, option);

    // The picture and the caption together, centred; when they do not fit, the picture
    // keeps the top and the caption the bottom of the button.
    const int shift = isDown() ? 1 : 0;
    const QSize picture = iconSize();
    const int textHeight = fontMetrics().height();
    const int room = height() - 4;
    int top = 2 + qMax(0, (room - picture.height() - textHeight) / 2);
    const QRect pictureRect(QPoint((width() - picture.width()) / 2, top), picture);
    painter.drawPixmap(pictureRect.translated(shift, shift),
                       icon().pixmap(picture, isEnabled() ? QIcon::Normal : QIcon::Disabled));
    const int textTop = qMin(pictureRect.bottom() + 1, height() - 2 - textHeight);
    const QRect textRect(0, textTop, width(), textHeight);
    painter.drawItemText(textRect.translated(shift, shift),
                         Qt::AlignHCenter | Qt::AlignVCenter | Qt::TextShowMnemonic, palette(),
                         isEnabled(), text(), QPalette::ButtonText);
}

} // namespace shell
