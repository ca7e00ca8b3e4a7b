#pragma once

#include "sheet/printarea.h"

#include <QImage>
#include <QLabel>
#include <QWidget>

namespace shell {

// The preview canvas `Picture2`: the whole sheet at full size, kept as an image of its own
// that stays while the canvas is hidden. The red printable-area outline (`Line1`–`Line8`)
// and the label `lblZisitu` lie over the image and are no part of it.
class PreviewCanvas : public QWidget
{
    Q_OBJECT
public:
    PreviewCanvas(QWidget* parent, double twipsX, double twipsY);

    // Sizes the canvas (and its image, cleared to white) to a sheet of w × h twips.
    void setSheetSize(int widthTwips, int heightTwips);
    QImage& image() { return m_image; }
    const QImage& image() const { return m_image; }
    // Clears the image to white.
    void clear();

    void setOutline(const sheet::Outline& outline);
    const sheet::Outline& outline() const { return m_outline; }
    QLabel* lblZisitu() const { return m_zisitu; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    double m_twipsX;
    double m_twipsY;
    QImage m_image;
    sheet::Outline m_outline;
    QLabel* m_zisitu;
};

// The viewport `Picture1`: white, holding the canvas, and in the fitted view the reduced
// copy of the sheet, kept as an image of its own until the viewport is cleared.
class Viewport : public QWidget
{
    Q_OBJECT
public:
    explicit Viewport(QWidget* parent);
    void clear();
    // Copies `source` of `image` reduced into `destination`, combined with the viewport by
    // AND, so that the copy shows exactly as drawn on the white background.
    void copyReduced(const QImage& image, const QRect& source, const QRect& destination);
    const QImage& fitted() const { return m_fitted; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QImage m_fitted;
};

} // namespace shell
