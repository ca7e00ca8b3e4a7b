#pragma once

#include <QColor>
#include <QHash>
#include <QImage>
#include <QList>
#include <QString>

#include <optional>

namespace sheet {

// Pen styles of DrawStyle (the numbers the sheet's marks store).
enum PenStyleCode : int {
    PenSolid = 0,
    PenDash = 1,
    PenDot = 2,
    PenDashDot = 3,
    PenDashDotDot = 4,
    PenInvisible = 5,
    PenInsideSolid = 6,
};

// Fill styles of FillStyle.
enum FillStyleCode : int {
    FillSolid = 0,
    FillTransparent = 1,
    FillHorizontalLine = 2,
    FillVerticalLine = 3,
    FillUpwardDiagonal = 4,
    FillDownwardDiagonal = 5,
    FillCross = 6,
    FillDiagonalCross = 7,
};

// The standard 16-colour palette, index 0 (black) to 15 (white); an index outside it gives
// black.
QColor paletteColor(int index);

// Everything a drawing target keeps between operations. Each setting stays until changed.
struct DrawState
{
    int drawWidth = 1; // device pixels
    int drawStyle = PenSolid;
    int fillStyle = FillTransparent;
    QColor fillColor = Qt::black;
    QColor foreColor = Qt::black;
    QString fontName = QStringLiteral("ＭＳ Ｐ明朝");
    double fontSize = 9; // points
    bool fontBold = false;
    double currentX = 0; // twips
    double currentY = 0;
    int stretch = 100; // width of the printed text in percent (condensed below 100)
    int slot = -1;     // the letter's text slot being printed; -1 for the form's own texts
};

// One line of a text set anew to stay inside its area: printed at the text's x and at `y`.
struct FittedLine
{
    QString text;
    double y = 0;      // twips, top of its cell
    int stretch = 100; // percent
};

// How one printed text is set so that it stays inside its area.
struct TextFit
{
    TextFit() = default;
    // The text as it stands, condensed to `stretch` percent.
    TextFit(int stretch) : stretch(stretch) {}

    int stretch = 100; // the text as it stands, condensed to this
    double size = 0;   // points; 0 keeps the font's size
    // Printed in place of the text when set: the text broken into further lines, or cut with a
    // mark. Empty prints nothing (a line already printed by an earlier line of its text).
    std::optional<QList<FittedLine>> lines;
};

// A surface the sheet is drawn on: the preview canvas, a printer page or a recording for the
// tests. All positions are twips from the target's top-left corner; the same drawing calls give
// the same sheet on every target. Text is placed with the top of its cell at CurrentY.
class DrawTarget
{
public:
    DrawTarget() = default;
    virtual ~DrawTarget();
    DrawTarget(const DrawTarget&) = delete;
    DrawTarget& operator=(const DrawTarget&) = delete;

    // True for the preview canvas, false for a printer: only the frame width depends on it.
    virtual bool isPreview() const = 0;
    // Twips per device pixel of the target, and of the screen the program runs on.
    virtual double twipsPerPixelX() const = 0;
    double screenTwipsPerPixelX() const { return m_screenTwipsPerPixelX; }
    void setScreenTwipsPerPixelX(double twips) { m_screenTwipsPerPixelX = twips; }

    const DrawState& state() const { return m_state; }
    // Takes over every setting of `state` as it is, telling no one.
    void restoreState(const DrawState& state) { m_state = state; }
    int drawWidth() const { return m_state.drawWidth; }
    int drawStyle() const { return m_state.drawStyle; }
    int fillStyle() const { return m_state.fillStyle; }
    QColor fillColor() const { return m_state.fillColor; }
    QColor foreColor() const { return m_state.foreColor; }
    QString fontName() const { return m_state.fontName; }
    double fontSize() const { return m_state.fontSize; }
    bool fontBold() const { return m_state.fontBold; }
    double currentX() const { return m_state.currentX; }
    double currentY() const { return m_state.currentY; }

    void setDrawWidth(int pixels);
    void setDrawStyle(int style);
    void setFillStyle(int style);
    void setFillColor(const QColor& color);
    void setForeColor(const QColor& color);
    void setFontName(const QString& name);
    void setFontSize(double points);
    void setFontBold(bool bold);
    void setCurrentX(double x);
    void setCurrentY(double y);
    void setFont(const QString& name, double points);

    // A line from (x1, y1) to (x2, y2) with the current pen, in `color` or ForeColor.
    // Afterwards CurrentX, CurrentY are at (x2, y2).
    void line(int x1, int y1, int x2, int y2, std::optional<QColor> color = std::nullopt);
    // The rectangle spanned by the two corners: its outline with the current pen, its inside
    // painted by FillStyle and FillColor.
    void box(int x1, int y1, int x2, int y2, std::optional<QColor> color = std::nullopt);
    // An ellipse about (cx, cy): `radius` is the longer semi-axis, `aspect` the vertical to the
    // horizontal one. With a start and an end angle (radians, counterclockwise on the page from
    // the +x direction) only the arc from start to end is drawn and nothing is filled.
    void circle(double cx, double cy, double radius, std::optional<QColor> color = std::nullopt,
                std::optional<double> start = std::nullopt,
                std::optional<double> end = std::nullopt, double aspect = 1.0);
    // Prints one line of text at (CurrentX, CurrentY) in the current font and ForeColor, then
    // moves CurrentX to 0 and CurrentY one line lower.
    void printLine(const QString& text);
    // How the texts about to be printed are set: the n-th printLine from now (0 the next) is
    // set by `fits[n]`; texts not named are printed as they stand.
    void setTextFits(QHash<int, TextFit> fits);
    // The letter's text slot printed from now on (-1: the form's own texts), kept with every
    // text drawn so that a text too long for its area can be told by its slot.
    void setTextSlot(int slot) { m_state.slot = slot; }
    // True while the letter's own texts are printed (not the form's captions): a condensed
    // value keeps a wider gap before the next text.
    void setPrintingValues(bool values) { m_values = values; }
    bool printingValues() const { return m_values; }
    // `image` stretched into the rectangle of the given size, covering what lies under it.
    void paintPicture(const QImage& image, int x, int y, int width, int height);

    // The size of one line of `text` in the current font, twips.
    virtual double textWidth(const QString& text) = 0;
    double textHeight(const QString& text) const;

protected:
    enum class Setting { DrawWidth, DrawStyle, FillStyle, FillColor, ForeColor, Font, Position };
    virtual void settingChanged(Setting) {}
    virtual void drawLine(int x1, int y1, int x2, int y2, const QColor& color) = 0;
    virtual void drawBox(int x1, int y1, int x2, int y2, const QColor& color) = 0;
    virtual void drawEllipse(double cx, double cy, double rx, double ry, const QColor& color,
                             std::optional<double> start, std::optional<double> end) = 0;
    virtual void drawText(double x, double y, const QString& text) = 0;
    virtual void drawPicture(const QImage& image, int x, int y, int width, int height) = 0;

private:
    DrawState m_state;
    QHash<int, TextFit> m_fits;
    int m_printed = 0;
    bool m_values = false;
    double m_screenTwipsPerPixelX = 15;
};

// The text cell of the sheet's fonts: one em tall, the baseline 0.859 em below its top. The
// substitute fonts have taller cells of their own; taking the cell from the size keeps lines
// of text as far apart as the sheet was laid out for.
double textCellHeight(double points);   // twips
double textCellBaseline(double points); // twips from the top of the cell

// Frame width for the page layouts: 2 pixels on the preview, and on a printer the screen's
// 1.5 pixels in printer dots, rounded half up.
int frameWidth(const DrawTarget& target);

// The thinnest line on paper: 0.1 mm, in twips. One dot of a fine printer is far thinner
// (0.02 mm at 1200 dots per inch) and would not show.
inline constexpr double MinimumPaperLineTwips = 1440.0 / 254.0;
// The pen width in dots that a line of `drawWidth` dots gets on paper whose dots are
// `twipsPerPixel` wide: at least MinimumPaperLineTwips.
int paperPenWidth(int drawWidth, double twipsPerPixel);

} // namespace sheet
