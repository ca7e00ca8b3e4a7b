#include "shell/form1.h"

#include "common/appstate.h"
#include "common/datafiles.h"
#include "controls/controlprocs.h"
#include "platform/messagebox.h"
#include "platform/printer.h"
#include "platform/screen.h"
#include "sheet/paintertarget.h"
#include "sheet/sheetdrawing.h"
#include "shell/previewcanvas.h"
#include "shell/printeroptions.h"
#include "shell/startupsettings.h"
#include "shell/toolbaricons.h"

#include <QApplication>
#include <QCloseEvent>
#include <QCursor>
#include <QGuiApplication>
#include <QLayout>
#include <QMenuBar>
#include <QPainter>
#include <QScreen>
#include <QWheelEvent>

#include <cmath>
#include <functional>

namespace shell {

namespace {

// The window's size as designed, in twips.
constexpr double DesignWidth = 7395;
constexpr double DesignHeight = 4455;

// The window's inner area, below the menu bar: it runs the resize handler on every change
// of size.
class InnerArea : public QWidget
{
public:
    InnerArea(QWidget* parent, std::function<void()> onResize)
        : QWidget(parent), m_onResize(std::move(onResize))
    {
    }

protected:
    void resizeEvent(QResizeEvent*) override { m_onResize(); }

private:
    std::function<void()> m_onResize;
};

common::AppState& state()
{
    return common::appState();
}

// &H00BBGGRR& colours of the program.
const QColor DesignBlue(0x00, 0x00, 0xC0); // &H00C00000&
const QColor Blue(0x00, 0x00, 0xFF);       // &H00FF0000&

QFont pGothic(double points)
{
    QFont font(QStringLiteral("ＭＳ Ｐゴシック"));
    font.setPointSizeF(points);
    return font;
}

// The corner square's picture: the grip of a window corner.
QPixmap cornerPicture()
{
    QPixmap pixmap(17, 17);
    pixmap.fill(QColor(212, 208, 200));
    QPainter painter(&pixmap);
    for (int i = 0; i < 3; ++i) {
        painter.setPen(Qt::white);
        painter.drawLine(5 + 4 * i, 15, 15, 5 + 4 * i);
        painter.setPen(QColor(128, 128, 128));
        painter.drawLine(6 + 4 * i, 15, 15, 6 + 4 * i);
    }
    return pixmap;
}

} // namespace

Form1::Form1(QWidget* parent) : QMainWindow(parent)
{
    setWindowTitle(QStringLiteral("Sarnet意見書"));
    // The program's own icon (QWidget::windowIcon would hide it here).
    setWindowIcon(shell::windowIcon());
    state().TwipsX = platform::twipsPerPixelX();
    state().TwipsY = platform::twipsPerPixelY();

    m_inner = new InnerArea(this, [this] { Form_Resize(); });
    setCentralWidget(m_inner);
    createMenus();
    createToolbar();
    createStatusBar();
    createPreview();
    sheet::setPrinterView(this);
    resize(toPixelsX(DesignWidth), toPixelsY(DesignHeight));
}

Form1::~Form1()
{
    UnhookMain();
    if (sheet::printerView() == this)
        sheet::setPrinterView(nullptr);
}

int Form1::toPixelsX(double twips) const
{
    return roundHalfEven(twips / state().TwipsX);
}

int Form1::toPixelsY(double twips) const
{
    return roundHalfEven(twips / state().TwipsY);
}

void Form1::place(QWidget* widget, const ControlRect& r)
{
    common::SizeMove(*widget, r.width, r.height, r.left, r.top);
}

int Form1::innerWidthTwips() const
{
    return roundHalfEven(m_inner->width() * state().TwipsX);
}

int Form1::innerHeightTwips() const
{
    return roundHalfEven(m_inner->height() * state().TwipsY);
}

void Form1::createMenus()
{
    auto item = [this](QMenu* menu, const QString& caption, const char* name,
                       void (Form1::*handler)() = nullptr) {
        QAction* action = menu->addAction(caption);
        action->setObjectName(QString::fromLatin1(name));
        if (handler)
            connect(action, &QAction::triggered, this, handler);
        else
            connect(action, &QAction::triggered, this,
                    [this, name] { Q_EMIT commandRequested(QString::fromLatin1(name)); });
        return action;
    };
    auto separator = [](QMenu* menu, const char* name) {
        menu->addSeparator()->setObjectName(QString::fromLatin1(name));
    };

    mnuFile = menuBar()->addMenu(QStringLiteral("ファイル(&F)"));
    mnuFile->setObjectName(QStringLiteral("mnuFile"));
    mnuNew = item(mnuFile, QStringLiteral("意見書データ表示(&O)"), "mnuNew", &Form1::DataOpen);
    mnuNew->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_O));
    mnuDel = item(mnuFile, QStringLiteral("表示データの消去(&D)"), "mnuDel", &Form1::mnuDel_Click);
    separator(mnuFile, "Separater2");
    mnuArea = mnuFile->addMenu(QStringLiteral("用紙サイズの設定(&A)"));
    mnuArea->setObjectName(QStringLiteral("mnuArea"));
    mnuA4 = item(mnuArea, QStringLiteral("A４　２枚"), "mnuA4", &Form1::mnuA4_Click);
    mnuA3 = item(mnuArea, QStringLiteral("A３　１枚"), "mnuA3", &Form1::mnuA3_Click);
    mnuA4->setCheckable(true);
    mnuA3->setCheckable(true);
    mnuPrint = item(mnuFile, QStringLiteral("印刷実行(&P)"), "mnuPrint", &Form1::mnuPrint_Click);
    mnuPrint->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_P));
    separator(mnuFile, "separater3");
    mnuInport = mnuFile->addMenu(QStringLiteral("インポート(&I)"));
    mnuInport->setObjectName(QStringLiteral("mnuInport"));
    mnuIken = item(mnuInport, QStringLiteral("Vadureデータ"), "mnuIken", &Form1::mnuIken_Click);
    mnuYubin =
        item(mnuInport, QStringLiteral("郵便番号データ"), "mnuYubin", &Form1::mnuYubin_Click);
    separator(mnuFile, "Sept3");
    mnuBack = mnuFile->addMenu(QStringLiteral("バックアップ(&B)"));
    mnuBack->setObjectName(QStringLiteral("mnuBack"));
    mnuReserve =
        item(mnuBack, QStringLiteral("データ保存"), "mnuReserve", &Form1::mnuReserve_Click);
    mnuReturn = item(mnuBack, QStringLiteral("データ復帰"), "mnuReturn", &Form1::mnuReturn_Click);
    separator(mnuFile, "SeparatorDesu");
    mnuEne = item(mnuFile, QStringLiteral("終了(&X)"), "mnuEne", &Form1::mnuEne_Click);

    mnuExp = menuBar()->addMenu(QStringLiteral("表示(&S)"));
    mnuExp->setObjectName(QStringLiteral("mnuExp"));
    mnuUnzoom = item(mnuExp, QStringLiteral("縮小(&S)"), "mnuUnzoom", &Form1::mnuUnzoom_Click);
    mnuZoom = item(mnuExp, QStringLiteral("拡大(&L)"), "mnuZoom", &Form1::mnuZoom_Click);

    mnuOption = menuBar()->addMenu(QStringLiteral("オプション(&O)"));
    mnuOption->setObjectName(QStringLiteral("mnuOption"));
    OpPrint = mnuOption->addMenu(QStringLiteral("印刷オプション(&E)"));
    OpPrint->setObjectName(QStringLiteral("OpPrint"));
    mnu2P_Head =
        item(OpPrint, QStringLiteral("２頁目ヘッダ"), "mnu2P_Head", &Form1::mnu2P_Head_Click);
    mnu2P_Head->setCheckable(true);

    mnuHelp = menuBar()->addMenu(QStringLiteral("ヘルプ(&H)"));
    mnuHelp->setObjectName(QStringLiteral("mnuHelp"));
    mnuTopic =
        item(mnuHelp, QStringLiteral("トピックの検索(&C)"), "mnuTopic", &Form1::mnuTopic_Click);
    separator(mnuHelp, "Separator3");
    mnuAbout =
        item(mnuHelp, QStringLiteral("バージョン情報(&A)"), "mnuAbout", &Form1::mnuAbout_Click);
}

void Form1::createToolbar()
{
    Toolbar1 = new QToolBar(m_inner);
    Toolbar1->setObjectName(QStringLiteral("Toolbar1"));
    Toolbar1->setMovable(false);
    Toolbar1->setIconSize(QSize(16, 16));
    Toolbar1->setToolButtonStyle(Qt::ToolButtonIconOnly);
    struct Button
    {
        const char* key;
        const char* tip;
        int image;
    };
    const Button buttons[] = {
        {nullptr, nullptr, 0},
        {"New", "意見書データベース表示", 1},
        {"Del", "表示データの消去", 2},
        {nullptr, nullptr, 0},
        {"UnZoom", "縮小", 3},
        {"Zoom", "拡大", 4},
        {nullptr, nullptr, 0},
        {"Settei", "用紙サイズの設定", 5},
        {"GoPrint", "印刷実行", 6},
        {nullptr, nullptr, 0},
        {"Help", "ヘルプ", 7},
        {"About", "バージョン情報", 8},
        {"End", "終了", 9},
    };
    for (const Button& b : buttons) {
        if (!b.key) {
            m_buttons.append(Toolbar1->addSeparator());
            continue;
        }
        QAction* action = Toolbar1->addAction(toolbarIcon(b.image), QString());
        action->setToolTip(QString::fromUtf8(b.tip));
        action->setData(QString::fromLatin1(b.key));
        action->setObjectName(QStringLiteral("Toolbar1_") + QString::fromLatin1(b.key));
        const QString key = QString::fromLatin1(b.key);
        connect(action, &QAction::triggered, this, [this, key] { toolbarButtonClick(key); });
        m_buttons.append(action);
    }

    auto box = [this](const QString& text, int left, int width) {
        auto* edit = new QLineEdit(text, Toolbar1);
        edit->setReadOnly(true);
        edit->setFocusPolicy(Qt::NoFocus);
        edit->setFont(pGothic(9.75));
        edit->setStyleSheet(QStringLiteral("QLineEdit { border: 1px solid palette(mid); padding: "
                                           "0px; background: palette(button); }"));
        edit->setGeometry(toPixelsX(left), toPixelsY(120) - 4, toPixelsX(width), toPixelsY(375));
        edit->setCursorPosition(0);
        return edit;
    };
    txtPapersize = box(QStringLiteral("用紙サイズ"), 5640, 975);
    txtPapersize->setObjectName(QStringLiteral("txtPapersize"));
    txtPaper = box(QString(), 6840, 2295);
    txtPaper->setObjectName(QStringLiteral("txtPaper"));
    QPalette palette = txtPaper->palette();
    palette.setColor(QPalette::Text, DesignBlue);
    txtPaper->setPalette(palette);
}

QAction* Form1::toolbarButton(int index) const
{
    return index >= 1 && index <= m_buttons.size() ? m_buttons[index - 1] : nullptr;
}

void Form1::createStatusBar()
{
    picStatus = new QWidget(m_inner);
    picStatus->setObjectName(QStringLiteral("picStatus"));
    picStatus->setAutoFillBackground(true);
    Label1 = new QLabel(QStringLiteral("患者氏名："), picStatus);
    Label1->setFont(pGothic(9.75));
    Label1->adjustSize();
    Label1->move(toPixelsX(120), toPixelsY(75));
    lblPointer = new QLabel(picStatus);
    lblPointer->setObjectName(QStringLiteral("lblPointer"));
    lblPointer->setFont(pGothic(9.75));
    QPalette palette = lblPointer->palette();
    palette.setColor(QPalette::WindowText, DesignBlue);
    lblPointer->setPalette(palette);
    // The name may be longer than the design width: the label grows to the right.
    lblPointer->setGeometry(toPixelsX(1440), toPixelsY(75), toPixelsX(1200 * 6), toPixelsY(285));
}

void Form1::createPreview()
{
    Picture1 = new Viewport(m_inner);
    Picture1->setObjectName(QStringLiteral("Picture1"));
    Picture2 = new PreviewCanvas(Picture1, state().TwipsX, state().TwipsY);
    Picture2->setObjectName(QStringLiteral("Picture2"));
    Picture2->setSheetSize(SheetWidth, SheetHeight);

    HScroll1 = new QScrollBar(Qt::Horizontal, m_inner);
    HScroll1->setObjectName(QStringLiteral("HScroll1"));
    VScroll1 = new QScrollBar(Qt::Vertical, m_inner);
    VScroll1->setObjectName(QStringLiteral("VScroll1"));
    for (QScrollBar* bar : {HScroll1, VScroll1}) {
        // The canvas moves when a change is complete, not while the thumb is dragged.
        bar->setTracking(false);
        bar->setRange(0, 0);
    }
    connect(HScroll1, &QScrollBar::valueChanged, this,
            [this](int value) { Picture2->move(-toPixelsX(value), Picture2->y()); });
    connect(VScroll1, &QScrollBar::valueChanged, this,
            [this](int value) { Picture2->move(Picture2->x(), -toPixelsY(value)); });

    picSumi = new QWidget(m_inner);
    picSumi->setObjectName(QStringLiteral("picSumi"));
    picSumi->setAutoFillBackground(true);
    imgSumi = new QLabel(picSumi);
    imgSumi->setPixmap(cornerPicture());
    imgSumi->setGeometry(0, 0, 17, 17);
    picSumi->stackUnder(Picture1);
}

void Form1::layoutBands()
{
    const int w = m_inner->width();
    const int h = m_inner->height();
    Toolbar1->setGeometry(0, 0, w, toPixelsY(ToolbarHeight));
    picStatus->setGeometry(0, h - toPixelsY(StatusHeight), w, toPixelsY(StatusHeight));
    // The corner square between the scroll bars; the fitted view lies over it.
    const FullSizeLayout layout = fullSizeLayout(innerWidthTwips(), innerHeightTwips());
    picSumi->setGeometry(toPixelsX(layout.corner.x()), toPixelsY(layout.corner.y()),
                         toPixelsX(ScrollBarSize), toPixelsY(ScrollBarSize));
}

void Form1::Form_Resize()
{
    layoutBands();
    if (!state().ZoomType) {
        ZoomOut();
        return;
    }
    if (isMinimized())
        return;
    const FullSizeLayout layout = fullSizeLayout(innerWidthTwips(), innerHeightTwips());
    auto setRange = [](QScrollBar* bar, const ScrollRange& range) {
        // A viewport that holds the whole sheet leaves nothing to scroll.
        bar->setRange(0, std::max(0, range.max));
        bar->setPageStep(std::max(1, range.largeChange));
        bar->setSingleStep(std::max(1, range.smallChange));
    };
    place(Picture1, layout.viewport);
    if (layout.wide) {
        Picture2->move(0, Picture2->y());
        HScroll1->hide();
    } else {
        HScroll1->show();
        place(HScroll1, layout.hScroll);
        setRange(HScroll1, layout.hRange);
        if (Picture2->x() == 0)
            HScroll1->setValue(0);
    }
    place(VScroll1, layout.vScroll);
    setRange(VScroll1, layout.vRange);
}

void Form1::changeEvent(QEvent* event)
{
    QMainWindow::changeEvent(event);
    if (event->type() == QEvent::WindowStateChange && !isMinimized() && m_loaded)
        Form_Resize();
}

void Form1::ZoomOut()
{
    const auto view =
        fittedView(innerWidthTwips(), innerHeightTwips(), state().TwipsX, state().TwipsY);
    if (!view || isMinimized())
        return; // too small for the bands: the viewport stays as it is
    Picture1->clear();
    Picture1->setGeometry(Picture1->x(), toPixelsY(ToolbarHeight), toPixelsX(view->viewportWidth),
                          toPixelsY(view->viewportHeight));
    Picture1->copyReduced(Picture2->image(), view->source, view->destination);
    Picture2->hide();
    VScroll1->hide();
    HScroll1->hide();
    imgSumi->hide();
}

void Form1::ZoomIn()
{
    Picture1->clear();
    Picture2->show();
    VScroll1->show();
    HScroll1->show();
    imgSumi->show();
    Form_Resize();
}

void Form1::drawSheet()
{
    QPainter painter(&Picture2->image());
    sheet::PainterTarget canvas(painter, true);
    sheet::DrawSheet(canvas, m_model, state().PageHead);
    painter.end();
    Picture2->update();
}

void Form1::GetPrintArea()
{
    const platform::Printer& printer = platform::printer();
    sheet::printArea() = sheet::measurePrintArea(printer);
    if (!printer.isInstalled()) {
        sheet::Outline hidden = Picture2->outline();
        for (auto& line : hidden)
            line.visible = false;
        Picture2->setOutline(hidden);
        return;
    }
    Picture2->setOutline(
        sheet::outlineFor(sheet::printArea(), state().PaperType, Picture2->outline()));
}

void Form1::ShowPaperSize()
{
    const platform::Printer& printer = platform::printer();
    if (!printer.isInstalled()) {
        txtPaper->setText(sheet::noPrinterLabel());
        txtPaper->setCursorPosition(0);
        return;
    }
    const QSizeF paper = printer.paperSizeTwips();
    const int code = printer.paperSize();
    if (code == platform::PaperA3) {
        QPalette palette = txtPaper->palette();
        palette.setColor(QPalette::Text, Blue);
        txtPaper->setPalette(palette);
    }
    txtPaper->setText(sheet::paperLabel(code, paper.width(), paper.height()));
    txtPaper->setCursorPosition(0);
}

void Form1::setPaperChecks(bool a3)
{
    mnuA3->setChecked(a3);
    mnuA4->setChecked(!a3);
}

void Form1::setZoomControls()
{
    const bool full = state().ZoomType;
    toolbarButton(5)->setEnabled(full);
    toolbarButton(6)->setEnabled(!full);
    mnuUnzoom->setEnabled(full);
    mnuZoom->setEnabled(!full);
}

void Form1::toolbarButtonClick(const QString& key)
{
    if (key == QLatin1String("New"))
        DataOpen();
    else if (key == QLatin1String("Del"))
        mnuDel_Click();
    else if (key == QLatin1String("UnZoom"))
        mnuUnzoom_Click();
    else if (key == QLatin1String("Zoom"))
        mnuZoom_Click();
    else if (key == QLatin1String("Settei"))
        mnuArea->popup(QCursor::pos());
    else if (key == QLatin1String("GoPrint"))
        mnuPrint_Click();
    else if (key == QLatin1String("Help"))
        showHelpContext(30);
    else if (key == QLatin1String("About"))
        mnuAbout_Click();
    else if (key == QLatin1String("End"))
        mnuEne_Click();
}

void Form1::mnuDel_Click()
{
    // The sheet model's letter is dropped; the stored letter is not touched.
    m_model.clear();
    Picture2->clear();
    lblPointer->setText(QString());
    drawSheet();
    if (!state().ZoomType)
        ZoomOut();
}

void Form1::mnuA3_Click()
{
    platform::Printer& printer = platform::printer();
    if (printer.isInstalled() &&
        !(printer.setPaperSize(platform::PaperA3) && printer.setOrientation(platform::Landscape))) {
        // The printer refuses A3: it stays in two-A4 mode, and the item is disabled.
        printer.setPaperSize(platform::PaperA4);
        printer.setOrientation(platform::Portrait);
        state().NoA3 = true;
        mnuA3->setEnabled(false);
        setPaperChecks(false);
        state().PaperType = false;
    } else {
        setPaperChecks(true);
        state().PaperType = true;
    }
    GetPrintArea();
    ShowPaperSize();
}

void Form1::mnuA4_Click()
{
    platform::Printer& printer = platform::printer();
    if (printer.isInstalled()) {
        printer.setPaperSize(platform::PaperA4);
        printer.setOrientation(platform::Portrait);
    }
    setPaperChecks(false);
    state().PaperType = false;
    GetPrintArea();
    ShowPaperSize();
}

void Form1::mnu2P_Head_Click()
{
    state().PageHead = !state().PageHead;
    mnu2P_Head->setChecked(state().PageHead);
    Picture2->clear();
    drawSheet();
    if (!state().ZoomType)
        ZoomOut();
}

void Form1::mnuUnzoom_Click()
{
    state().ZoomType = false;
    setZoomControls();
    ZoomOut();
}

void Form1::mnuZoom_Click()
{
    state().ZoomType = true;
    setZoomControls();
    ZoomIn();
}

void Form1::mnuEne_Click()
{
    close();
}

void Form1::mnuAbout_Click()
{
    platform::MsgBox(QStringLiteral("Sarnet意見書　Ver.2.51"), 64,
                     QStringLiteral("バージョン情報"));
}

void Form1::HookMain()
{
    if (m_hooked)
        return;
    qApp->installEventFilter(this);
    m_hooked = true;
}

void Form1::UnhookMain()
{
    if (!m_hooked)
        return;
    qApp->removeEventFilter(this);
    m_hooked = false;
}

bool Form1::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::Wheel) {
        auto* widget = qobject_cast<QWidget*>(watched);
        if (widget && widget->window() == this) {
            const int delta = static_cast<QWheelEvent*>(event)->angleDelta().y();
            VScroll1->setValue(
                m_wheel.scroll(VScroll1->value(), VScroll1->minimum(), VScroll1->maximum(), delta));
            return true;
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

void Form1::placeWindow()
{
    const double tx = state().TwipsX;
    const double ty = state().TwipsY;
    const float width = startup::readSingle(QStringLiteral("FormWidth"), 9600);
    const float height = startup::readSingle(QStringLiteral("FormHeight"), 6735);
    const double storedLeft = startup::readDouble(QStringLiteral("FormLeft"), 100000);
    const double storedTop = startup::readDouble(QStringLiteral("FormTop"), 100000);
    const QScreen* screen = QGuiApplication::primaryScreen();
    const QRect screenRect = screen ? screen->geometry() : QRect(0, 0, 1024, 768);
    // The position is kept as a single, as it is stored; out of a single's range it is
    // the largest one.
    auto single = [](double v) { return double(float(std::clamp(v, -3.4e38, 3.4e38))); };
    const double left =
        storedLeft == 100000 ? (screenRect.width() * tx - width) / 2 : single(storedLeft);
    const double top =
        storedTop == 100000 ? (screenRect.height() * ty - height) / 2 : single(storedTop);
    const QRect stored(roundHalfEven(left / tx), roundHalfEven(top / ty), roundHalfEven(width / tx),
                       roundHalfEven(height / ty));
    QList<QRect> screens;
    for (const QScreen* s : QGuiApplication::screens())
        screens.append(s->availableGeometry());
    // A broken placement (a size of a billion, a negative one) must not make a window the
    // screen cannot hold; the smallest is the window's design size.
    const QRect rect =
        placeOnScreens(stored, QSize(toPixelsX(DesignWidth), toPixelsY(DesignHeight)), screens);
    resize(rect.size());
    move(rect.topLeft());

    const int formState = startup::readInteger(QStringLiteral("FormState"), 2, -32768, 32767);
    setWindowState(formState == 2   ? Qt::WindowMaximized
                   : formState == 1 ? Qt::WindowMinimized
                                    : Qt::WindowNoState);
}

void Form1::load()
{
    common::AppState& s = state();
    HookMain();
    s.IsNT = true;
    s.AppPath = common::dataFolder();
    s.TwipsX = platform::twipsPerPixelX();
    s.TwipsY = platform::twipsPerPixelY();
    // Full size while the window is placed, so that the layout is the full-size one.
    s.ZoomType = true;
    Picture2->move(0, 0);
    placeWindow();
    s.InportState = quint8(startup::readInteger(QStringLiteral("InPort"), 0, 0, 255));
    s.UserX = startup::readSingle(QStringLiteral("UserX"), 0);
    s.UserY = startup::readSingle(QStringLiteral("UserY"), 0);
    // Keep the default printer's stored options before anything is set on the printer.
    DevModeSave();
    setUpPrinter();
    s.ZoomType = startup::readBoolean(QStringLiteral("ZoomType"), true);
    drawSheet();
    setZoomControls();
    if (!s.ZoomType)
        ZoomOut();
    GetPrintArea();
    ShowPaperSize();
    s.PageHead = startup::readBoolean(QStringLiteral("PageHead"), false);
    mnu2P_Head->setChecked(s.PageHead);
    s.DataSort = quint8(startup::readInteger(QStringLiteral("DataSort"), 0, 0, 255));
    s.SortDesc = common::SortDescOf(s.DataSort);
    m_loaded = true;
}

void Form1::setUpPrinter()
{
    common::AppState& s = state();
    platform::Printer& printer = platform::printer();
    m_copiesSetting = startup::readInteger(QStringLiteral("PrinterCopies"), 1, -32768, 32767);
    s.NoA3 = false;
    if (!printer.isInstalled()) {
        // Without a printer the mode is the stored one; nothing is set on a printer.
        s.PaperType = startup::readBoolean(QStringLiteral("PaperType"), false);
        setPaperChecks(s.PaperType);
        return;
    }
    // Setting A3 is the test whether the printer takes it.
    if (!printer.setPaperSize(platform::PaperA3)) {
        printerSetUpFailed();
        return;
    }
    s.PaperType = startup::readBoolean(QStringLiteral("PaperType"), false);
    const bool set =
        s.PaperType
            ? printer.setPaperSize(platform::PaperA3) && printer.setOrientation(platform::Landscape)
            : printer.setPaperSize(platform::PaperA4) && printer.setOrientation(platform::Portrait);
    if (!set) {
        printerSetUpFailed();
        return;
    }
    setPaperChecks(s.PaperType);
    printer.setCopies(m_copiesSetting);
}

void Form1::printerSetUpFailed()
{
    common::AppState& s = state();
    platform::Printer& printer = platform::printer();
    s.NoA3 = true;
    // Two A4 sheets: the mode, the outline and the stored setting agree with the printer.
    s.PaperType = false;
    printer.setPaperSize(platform::PaperA4);
    printer.setOrientation(platform::Portrait);
    mnuA3->setEnabled(false);
    setPaperChecks(false);
    printer.setCopies(m_copiesSetting);
}

QString Form1::saveSettings()
{
    using namespace startup;
    const common::AppState& s = state();
    bool written = true;
    const auto put = [&written](bool ok) { written = written && ok; };
    const int formState = isMinimized() ? 1 : isMaximized() ? 2 : 0;
    put(write(QStringLiteral("FormState"), QString::number(formState == 1 ? 0 : formState)));
    if (formState == 0) {
        put(writeNumber(QStringLiteral("FormWidth"), double(width()) * s.TwipsX));
        put(writeNumber(QStringLiteral("Formheight"), double(height()) * s.TwipsY));
        put(writeNumber(QStringLiteral("Formleft"), double(x()) * s.TwipsX));
        put(writeNumber(QStringLiteral("Formtop"), double(y()) * s.TwipsY));
    } else {
        put(write(QStringLiteral("FormWidth"), QStringLiteral("9600")));
        put(write(QStringLiteral("Formheight"), QStringLiteral("6735")));
        put(write(QStringLiteral("Formleft"), QStringLiteral("100000")));
        put(write(QStringLiteral("Formtop"), QStringLiteral("100000")));
    }
    const platform::Printer& printer = platform::printer();
    put(writeBoolean(QStringLiteral("ZoomType"), s.ZoomType));
    put(writeBoolean(QStringLiteral("PaperType"), s.PaperType));
    put(write(QStringLiteral("PrinterCopies"),
              QString::number(printer.isInstalled() ? printer.copies() : m_copiesSetting)));
    put(writeBoolean(QStringLiteral("PageHead"), s.PageHead));
    put(writeSingle(QStringLiteral("UserX"), s.UserX));
    put(writeSingle(QStringLiteral("UserY"), s.UserY));
    put(write(QStringLiteral("DataSort"), QString::number(s.DataSort)));
    const bool restored = s.PrinterKey.isEmpty() || DevModeRestore();
    if (s.InportState == 4)
        put(write(QStringLiteral("InPort"), QStringLiteral("4")));

    QStringList problems;
    if (!written)
        problems << QStringLiteral("画面と印刷の設定を保存できませんでした。");
    if (!restored)
        problems << QStringLiteral("通常使うプリンタの設定を元に戻せませんでした。");
    return problems.join(QStringLiteral("\r\n"));
}

void Form1::closeEvent(QCloseEvent* event)
{
    // The close is never cancelled; the settings are written once, and a failure is told
    // before the window goes.
    if (!m_closed && m_loaded) {
        m_closed = true;
        const QString problem = saveSettings();
        if (!problem.isEmpty())
            platform::MsgBox(problem, 48, QStringLiteral("終了"));
        UnhookMain();
    }
    event->accept();
}

} // namespace shell
