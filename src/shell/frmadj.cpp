#include "shell/frmadj.h"

#include "common/appstate.h"
#include "controls/controlprocs.h"
#include "controls/controlwidgets.h"
#include "platform/messagebox.h"
#include "platform/printer.h"
#include "shell/form1.h"

#include <QComboBox>
#include <QLabel>
#include <QPainter>
#include <QPolygonF>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QTimer>

#include <cmath>

namespace shell {

namespace {

const QColor Background(0xC0, 0xFF, 0xFF); // &H00FFFFC0&
const QColor BlueText(0x00, 0x00, 0xFF);   // &H00FF0000&
const QString ExcludedPrinter = QStringLiteral("Rendering Subsystem");
constexpr float ShiftStep = 0.5f;

// A green arrow button: index 0 up, 1 left, 2 down, 3 right.
QPixmap arrowPicture(int index)
{
    QPixmap picture(30, 30);
    picture.fill(QColor(0x00, 0xA0, 0x40));
    QPainter p(&picture);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(0x00, 0x60, 0x20), 1));
    p.drawRect(QRectF(0.5, 0.5, 29, 29));
    p.translate(15, 15);
    p.rotate(-90.0 * index); // up, then a quarter turn counterclockwise each
    const QPolygonF arrow({QPointF(0, -10), QPointF(9, 0), QPointF(4, 0), QPointF(4, 10),
                           QPointF(-4, 10), QPointF(-4, 0), QPointF(-9, 0)});
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::white);
    p.drawPolygon(arrow);
    return picture;
}

common::AppState& state()
{
    return common::appState();
}

} // namespace

QString shiftText(float millimetres)
{
    if (millimetres == 0)
        return QStringLiteral("0");
    return QString::number(double(millimetres), 'g', 7);
}

frmAdj::frmAdj(Form1& main) : QDialog(&main), m_main(main)
{
    setObjectName(QStringLiteral("frmAdj"));
    setWindowTitle(QStringLiteral("印刷"));
    setAutoFillBackground(true);
    QPalette back = palette();
    back.setColor(QPalette::Window, Background);
    setPalette(back);
    createControls();
    Form_Load();
}

frmAdj::~frmAdj()
{
    // A button held while the dialog goes is released with it.
    if (Timer1->isActive())
        common::PressLook(*picAdj.at(m_adjIndex), 3);
}

void frmAdj::createControls()
{
    const auto label = [this](QLabel*& l, const char* name, const QString& text, bool blue) {
        l = new QLabel(text, this);
        l->setObjectName(QString::fromLatin1(name));
        if (blue) {
            QPalette p = l->palette();
            p.setColor(QPalette::WindowText, BlueText);
            l->setPalette(p);
        }
    };
    label(lblAdj, "lblAdj",
          QStringLiteral("印刷位置をずらす場合、緑のボタンを押して印刷位置を微調整して下さい。"),
          true);
    lblAdj->setWordWrap(true);
    lblAdj->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    label(lblRight, "lblRight", QStringLiteral("右へ"), false);
    label(lblXp, "lblXp", QStringLiteral("0"), false);
    label(lblXmm, "lblXmm", QStringLiteral("mm"), false);
    label(lblDown, "lblDown", QStringLiteral("下へ"), false);
    label(lblYp, "lblYp", QStringLiteral("0"), false);
    label(lblYmm, "lblYmm", QStringLiteral("mm  移動"), false);
    for (QLabel* box : {lblXp, lblYp}) {
        box->setAutoFillBackground(true);
        QPalette p = box->palette();
        p.setColor(QPalette::Window, Qt::white);
        box->setPalette(p);
        box->setFrameShape(QFrame::Panel);
        box->setFrameShadow(QFrame::Sunken);
        box->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    }
    label(Label1, "Label1", QStringLiteral("プリンタ"), true);
    Combo1 = new QComboBox(this);
    Combo1->setObjectName(QStringLiteral("Combo1"));
    label(Label2, "Label2", QStringLiteral("場所："), false);
    label(Label4, "Label4", QString(), false);
    label(Label3, "Label3", QStringLiteral("用紙："), false);
    const auto option = [this](QRadioButton*& o, const char* name, const QString& caption) {
        o = new QRadioButton(caption, this);
        o->setObjectName(QString::fromLatin1(name));
        o->setAutoFillBackground(true);
        QPalette p = o->palette();
        p.setColor(QPalette::Window, Background);
        o->setPalette(p);
    };
    option(optA4, "optA4", QStringLiteral("A4  ２枚　"));
    option(optA3, "optA3", QStringLiteral("A3　１枚"));
    label(Label7, "Label7", QStringLiteral("印刷部数："), false);
    label(Label8, "Label8", QString(), false);
    label(Label6, "Label6", QStringLiteral("印刷開始"), true);
    const auto button = [this](QPushButton*& b, const char* name, const QString& caption) {
        b = new QPushButton(caption, this);
        b->setObjectName(QString::fromLatin1(name));
        b->setAutoDefault(false);
        QPalette p = b->palette();
        p.setColor(QPalette::ButtonText, BlueText);
        b->setPalette(p);
    };
    button(cmdProperty, "cmdProperty", QStringLiteral("プロパティ..."));
    button(cmdOK, "cmdOK", QStringLiteral("OK"));
    button(cmdCancel, "cmdCancel", QStringLiteral("キャンセル"));
    for (int i = 0; i < 4; ++i) {
        auto* pic = new controls::PictureBox(QStringLiteral("picAdj"), i, this);
        pic->setPixmap(arrowPicture(i));
        pic->setCursor(Qt::PointingHandCursor);
        picAdj[i] = pic;
        connect(pic->events(), &controls::ControlEvents::mouseDown, this,
                [this, i] { picAdj_MouseDown(i); });
        connect(pic->events(), &controls::ControlEvents::mouseUp, this,
                [this, i] { picAdj_MouseUp(i); });
        connect(pic->events(), &controls::ControlEvents::click, this,
                [this, i] { picAdj_Click(i); });
    }
    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setInterval(200);
    connect(Timer1, &QTimer::timeout, this, &frmAdj::Timer1_Timer);

    connect(Combo1, &QComboBox::currentIndexChanged, this, &frmAdj::Combo1_Click);
    connect(optA3, &QRadioButton::toggled, this, [this](bool on) {
        if (on)
            optA3_Click();
    });
    connect(optA4, &QRadioButton::toggled, this, [this](bool on) {
        if (on)
            optA4_Click();
    });
    connect(cmdOK, &QPushButton::clicked, this, &frmAdj::cmdOK_Click);
    connect(cmdCancel, &QPushButton::clicked, this, &frmAdj::cmdCancel_Click);
    connect(cmdProperty, &QPushButton::clicked, this, &frmAdj::cmdProperty_Click);
}

void frmAdj::Form_Load()
{
    const platform::Printer& printer = platform::printer();
    {
        // Choosing the current printer here is no change of printer.
        const QSignalBlocker quiet(Combo1);
        for (const QString& name : printer.printerNames())
            if (name != ExcludedPrinter)
                Combo1->addItem(name);
        Combo1->setCurrentIndex(Combo1->findText(printer.deviceName(), Qt::MatchExactly));
    }
    if (state().PaperType)
        optA3->setChecked(true);
    else
        optA4->setChecked(true);
    if (state().NoA3) {
        optA3->setEnabled(false);
        optA4->setChecked(true);
    }
    Label4->setText(printer.port());
    showCopies();
    showShift();
}

void frmAdj::showCopies()
{
    const int copies = platform::printer().copies();
    Label8->setText(copies != 0 ? QString::number(copies) : QStringLiteral("プロパティ参照"));
}

void frmAdj::showShift()
{
    const common::AppState& s = state();
    lblRight->setText(s.UserX < 0 ? QStringLiteral("左へ") : QStringLiteral("右へ"));
    lblXp->setText(shiftText(s.UserX < 0 ? -s.UserX : s.UserX));
    lblDown->setText(s.UserY < 0 ? QStringLiteral("上へ") : QStringLiteral("下へ"));
    lblYp->setText(shiftText(s.UserY < 0 ? -s.UserY : s.UserY));
}

void frmAdj::Combo1_Click()
{
    platform::Printer& printer = platform::printer();
    common::AppState& s = state();
    const QString chosen = Combo1->currentText();
    if (!printer.setDeviceName(chosen)) {
        // The printer in use stays: the list shows it again, and the user is told.
        {
            const QSignalBlocker quiet(Combo1);
            Combo1->setCurrentIndex(Combo1->findText(printer.deviceName(), Qt::MatchExactly));
        }
        platform::MsgBox(printerNotChosenText(chosen, printer.deviceName()),
                         platform::vbExclamation, QStringLiteral("印刷"));
        return;
    }
    Label4->setText(printer.port());
    showCopies();
    // Trying A3 is the test whether the printer takes it; the system's own settings of the
    // printer are not touched, only the printer object of this run.
    s.NoA3 = !printer.setPaperSize(platform::PaperA3);
    m_main.mnuA3->setEnabled(!s.NoA3);
    optA3->setEnabled(!s.NoA3);
    printer.setPaperSize(platform::PaperA4);
    printer.setOrientation(platform::Portrait);
    m_main.mnuA4->setChecked(true);
    if (optA4->isChecked())
        optA4_Click(); // chosen already: its handler completes the A4 mode all the same
    else
        optA4->setChecked(true);
    m_main.GetPrintArea();
}

void frmAdj::optA3_Click()
{
    platform::Printer& printer = platform::printer();
    printer.setPaperSize(platform::PaperA3);
    printer.setOrientation(platform::Landscape);
    m_main.mnuA3->setChecked(true);
    m_main.mnuA4->setChecked(false);
    state().PaperType = true;
    m_main.GetPrintArea();
    m_main.ShowPaperSize();
}

void frmAdj::optA4_Click()
{
    platform::Printer& printer = platform::printer();
    printer.setPaperSize(platform::PaperA4);
    printer.setOrientation(platform::Portrait);
    m_main.mnuA3->setChecked(false);
    m_main.mnuA4->setChecked(true);
    state().PaperType = false;
    m_main.GetPrintArea();
    m_main.ShowPaperSize();
}

void frmAdj::step(int index)
{
    common::AppState& s = state();
    switch (index) {
    case 0:
        s.UserY -= ShiftStep;
        break;
    case 1:
        s.UserX -= ShiftStep;
        break;
    case 2:
        s.UserY += ShiftStep;
        break;
    case 3:
        s.UserX += ShiftStep;
        break;
    default:
        return;
    }
    showShift();
}

void frmAdj::picAdj_Click(int index)
{
    step(index);
}

void frmAdj::picAdj_MouseDown(int index)
{
    common::PressLook(*picAdj.at(index), 2);
    m_adjIndex = index;
    Timer1->start();
}

void frmAdj::picAdj_MouseUp(int index)
{
    common::PressLook(*picAdj.at(index), 3);
    Timer1->stop();
}

void frmAdj::Timer1_Timer()
{
    step(m_adjIndex);
}

void frmAdj::cmdOK_Click()
{
    Timer1->stop();
    done(Print);
}

void frmAdj::cmdCancel_Click()
{
    Timer1->stop();
    done(Cancelled);
}

void frmAdj::cmdProperty_Click()
{
    Timer1->stop();
    done(Properties);
}

void AdjFormLayout(frmAdj& dialog, const Form1& main)
{
    const common::AppState& s = common::appState();
    const int tx = int(std::lround(s.TwipsX));
    dialog.setFixedSize(461, 225);
    // Centred over the main window's inner area.
    const QRect inner = main.geometry();
    const QRect outer = dialog.frameGeometry();
    const QSize frame = outer.size() - dialog.size();
    dialog.move(inner.left() + (inner.width() - dialog.width() - frame.width()) / 2,
                inner.top() + (inner.height() - dialog.height() - frame.height()) / 2);

    dialog.lblAdj->setGeometry(24, 16, 169, 41);
    dialog.lblDown->setGeometry(56, 197, 33, 17);
    dialog.lblRight->setGeometry(56, 172, 33, 17);
    dialog.lblXmm->setGeometry(128, 173, 33, 17);
    dialog.lblXp->setGeometry(88, 168, 33, 17);
    dialog.lblYmm->setGeometry(128, 197, 57, 17);
    dialog.lblYp->setGeometry(88, 192, 33, 17);
    dialog.Label1->setGeometry(232, 16, 57, 17);
    dialog.Label2->setGeometry(256, 62, 41, 17);
    dialog.Label3->setGeometry(256, 84, 33, 17);
    dialog.Label4->setGeometry(296, 62, 161, 17);
    dialog.Label6->setGeometry(232, 160, 49, 17);
    dialog.Label7->setGeometry(256, 106, 57, 17);
    dialog.Label8->setGeometry(320, 106, 197, 17);
    dialog.picAdj[0]->setGeometry(88, 64, 30, 30);
    dialog.picAdj[1]->setGeometry(56, 96, 30, 30);
    dialog.picAdj[2]->setGeometry(88, 128, 30, 30);
    dialog.picAdj[3]->setGeometry(120, 96, 30, 30);
    dialog.cmdProperty->setGeometry(328, 120, 105, 21);
    dialog.cmdOK->setGeometry(240, 176, 88, 21);
    dialog.cmdCancel->setGeometry(344, 176, 88, 21);
    dialog.optA3->setGeometry(376, 78, 73, 25);
    dialog.optA4->setGeometry(296, 78, 73, 25);
    dialog.Combo1->setGeometry(240, 32, 201, dialog.Combo1->sizeHint().height());

    // The labels' size follows the screen: 9 points at 15 twips per pixel, 7 at 12.
    const int points = tx * 9 / 15;
    for (QWidget* w : std::initializer_list<QWidget*>{
             dialog.Combo1, dialog.lblAdj, dialog.lblDown, dialog.lblRight, dialog.lblXmm,
             dialog.lblXp, dialog.lblYmm, dialog.lblYp, dialog.Label1, dialog.Label2, dialog.Label3,
             dialog.Label4, dialog.Label6, dialog.Label7, dialog.Label8}) {
        QFont font = w->font();
        font.setPointSize(std::max(1, points));
        w->setFont(font);
    }
}

} // namespace shell
