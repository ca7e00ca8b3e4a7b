#pragma once

#include <QPushButton>

namespace shell {

// A command button that shows its picture above its caption, the picture at its own size
// (icon() at iconSize()), the caption with its access key underlined.
class PictureButton : public QPushButton
{
    Q_OBJECT
public:
    PictureButton(const QString& caption, const QPixmap& picture, QWidget* parent = nullptr);

protected:
    void paintEvent(QPaintEvent* event) override;
};

} // namespace shell
