#include "entry/frmDat3.h"

#include "entry/formbuilder.h"
#include "entry/frmDat3_handlers.h"

#include <QCloseEvent>
#include <QFocusEvent>
#include <QFrame>
#include <QStackedWidget>
#include <QTabBar>
#include <QVBoxLayout>

namespace entry {

using namespace controls;

namespace {

// The client area and the tab strip, in twips.
constexpr int kClientWidth = 8775;
constexpr int kClientHeight = 6015;
constexpr int kTabTop = 540;
constexpr int kTabHeight = 5475;

const char* const kTabCaptions[frmDat3::kPageCount] = {
    "申請者",     "疾病",       "医療・心身（１）", "心身（２）", "心身（３）",
    "生活（１）", "生活（２）", "生活（３）･特記",  "記載者"};

// The controls whose Ctrl+Tab turns to the next page, by the index of the frame to show.
struct PageJump
{
    int next;
    QStringList names;
};

const QList<PageJump>& pageJumps()
{
    static const QList<PageJump> jumps = {
        {1, {"chkTaka", "cmbTaka", "opTakaAri", "opTakaNasi"}},
        {2, {"cmbYakuzai", "cmbYakuzaiKeizyo", "cmbYouhou", "txtKeika"}},
        {3, {"opNeta", "opNin"}},
        {4, {"cmbPsy", "opPsy", "opPsyist", "txtPsyist"}},
        {5, {"chkKesson", "cmbKesson",   "chkMahi",     "chkMahibui",  "optTeido1", "optTeido2",
             "optTeido3", "optTeido4",   "optTeido5",   "cmbMahibui",  "chkTeika",  "cmbTeika",
             "optKintei", "chkKousyuku", "cmbKousyuku", "optKousyuku", "chkToutsu", "cmbToutsu",
             "optToutsu", "chkHuzui",    "chkJokusou",  "cmbJokusou",  "opJokusou", "chkHihu",
             "cmbHihu",   "optHihu"}},
        {6, {"chkJoutai", "cmbTabyotai", "cmbTaisyo"}},
        {7, {"optKanten1", "optKanten2", "optKanten3", "optKanten4", "optKanten5", "cmbKanten"}},
        {8, {"txtTokki"}},
    };
    return jumps;
}

} // namespace

frmDat3::frmDat3(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint)
{
    setWindowTitle(QStringLiteral("Sarnet意見書 Database"));
    setModal(true);
    QFont font(QStringLiteral("ＭＳ Ｐゴシック"));
    font.setPointSizeF(9);
    setFont(font);
    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, toQColor(rgb(255, 224, 192)));
    setPalette(palette);
    setAutoFillBackground(true);
    setFixedSize(FormBuilder::px(kClientWidth), FormBuilder::px(kClientHeight));

    FormBuilder b(m_controls);

    // The tab strip comes first in the focus order.
    auto* strip = new QFrame(this);
    strip->setGeometry(0, FormBuilder::px(kTabTop), FormBuilder::px(kClientWidth),
                       FormBuilder::px(kTabHeight));
    auto* stripLayout = new QVBoxLayout(strip);
    stripLayout->setContentsMargins(0, 0, 0, 0);
    stripLayout->setSpacing(0);
    m_tabStrip = new QTabBar(strip);
    m_tabStrip->setObjectName(QStringLiteral("tabRTF"));
    m_tabStrip->setFocusPolicy(Qt::StrongFocus);
    m_tabStrip->setExpanding(false);
    m_tabStrip->setDrawBase(true);
    m_tabStrip->setUsesScrollButtons(false);
    m_tabStrip->setElideMode(Qt::ElideNone);
    // Nine tabs in one row across the form.
    m_tabStrip->setStyleSheet(QStringLiteral(
        "QTabBar::tab { padding: 3px 4px; border: 1px solid #909090; background: #ececec;"
        " margin-right: -1px; }"
        "QTabBar::tab:selected { background: #ffe0c0; border-bottom-color: #ffe0c0; }"
        "QTabBar::tab:!selected { margin-top: 2px; }"
        "QTabBar::tab:selected:focus { color: #0000c0; }"));
    for (const char* caption : kTabCaptions)
        m_tabStrip->addTab(QString::fromUtf8(caption));
    m_tabStrip->setTabData(0, QStringLiteral("Patient"));
    stripLayout->addWidget(m_tabStrip);
    m_pages = new QStackedWidget(strip);
    m_pages->setFrameShape(QFrame::StyledPanel);
    stripLayout->addWidget(m_pages, 1);

    for (int k = 0; k < kPageCount; ++k) {
        auto* frame = new Frame(QStringLiteral("frmTab"), k, QString());
        frame->setBorderless(true);
        m_controls.add(frame);
        m_frames[k] = frame;
        m_pages->addWidget(frame);
    }
    buildPage1(b, m_frames[0]);
    buildPage2(b, m_frames[1]);
    buildPage3(b, m_frames[2]);
    buildPage4(b, m_frames[3]);
    buildPage5(b, m_frames[4]);
    buildPage6(b, m_frames[5]);
    buildPage7(b, m_frames[6]);
    buildPage8(b, m_frames[7]);
    buildPage9(b, m_frames[8]);
    buildFormControls(b);

    // Options can be cleared back to unanswered with the right mouse button.
    for (Control* control : m_controls.all()) {
        if (auto* option = dynamic_cast<OptionButton*>(control))
            option->setRightButtonClears(true);
    }

    m_pages->setCurrentIndex(0);
    m_tabStrip->setCurrentIndex(0);
    connect(m_tabStrip, &QTabBar::currentChanged, this, &frmDat3::showSelectedPage);
    m_tabStrip->installEventFilter(this);
    connectPageJumps();
    connectCommands();
    connectPhraseCombos();
    connectTextBoxes();
    connectPostCodes();
    connectNameReading();
    // The level hint goes when the mouse moves over the bedridden levels' frame outside
    // its options.
    connect(m_controls.find(QStringLiteral("Frame17"))->events(), &ControlEvents::mouseMove, this,
            [this] { m_controls.setVisible(QStringLiteral("lblComment"), kNoIndex, false); });
    attachHandlers(m_controls);
}

frmDat3::~frmDat3()
{
    // The widgets outlive the registry and the handlers' state while the dialog is torn
    // down: nothing may react to the focus leaving them then.
    m_tabStrip->removeEventFilter(this);
    for (Control* control : m_controls.all())
        control->events()->blockSignals(true);
}

QWidget* frmDat3::page(int frameIndex) const
{
    return frameIndex >= 0 && frameIndex < kPageCount ? m_frames[frameIndex] : nullptr;
}

void frmDat3::buildFormControls(FormBuilder& b)
{
    const auto place = [this](QWidget* widget, int left, int top, int width, int height) {
        widget->setParent(this);
        widget->setGeometry(FormBuilder::px(left), FormBuilder::px(top), FormBuilder::px(width),
                            FormBuilder::px(height));
    };

    CommandButton* save = b.button(QStringLiteral("Command3"), QStringLiteral("登　録(&R)"));
    place(save, 0, 0, 1095, 495);
    CommandButton* print = b.button(QStringLiteral("Command2"), QStringLiteral("印刷(&P)"));
    place(print, 1320, 0, 1095, 495);

    Label* title = b.label(QStringLiteral("新規登録"), QStringLiteral("Label52"));
    QFont titleFont(QStringLiteral("ＭＳ Ｐゴシック"));
    titleFont.setPointSizeF(12);
    title->setFont(titleFont);
    title->setForeColor(rgb(128, 0, 0));
    title->setBackColor(rgb(255, 192, 192));
    place(title, 3240, 120, 960, 240);
    title->setMinimumHeight(FormBuilder::px(240));
    title->setAutoSize(true);

    QFont hintFont(QStringLiteral("ＭＳ Ｐゴシック"));
    hintFont.setPointSizeF(11.25);
    hintFont.setBold(true);
    Label* backward = b.label(QStringLiteral("前頁　←"), QStringLiteral("lblBackward"));
    backward->setFont(hintFont);
    backward->setForeColor(rgb(0, 0, 192));
    place(backward, 5400, 285, 900, 255);
    backward->setVisible(false);
    Label* forward = b.label(QStringLiteral("→　次頁"), QStringLiteral("lblForward"));
    forward->setFont(hintFont);
    forward->setForeColor(rgb(0, 0, 192));
    forward->setBackColor(rgb(255, 224, 192));
    place(forward, 6390, 285, 900, 255);

    CommandButton* discard = b.button(QStringLiteral("Command1"), QStringLiteral("取り消し(&D)"));
    place(discard, 7680, 0, 1095, 495);

    // Scratch controls of the saving, outside the visible area.
    Label* temp = b.label(QStringLiteral("Label7"), QStringLiteral("lblTemp"));
    place(temp, 0, 9000, 900, 255);
    temp->setVisible(false);
    MultiLineTextBox* ura =
        b.multiLine(QStringLiteral("txtUra"), kNoIndex, 8445, 735, ImeMode::NotSet);
    ura->setText(QStringLiteral("Text1"));
    ura->setFocusPolicy(Qt::NoFocus);
    place(ura, 720, 9000, 8445, 735);
}

void frmDat3::closeEvent(QCloseEvent* event)
{
    event->ignore();
}

// Page switch: the tab strip's selection changed or it got the focus.
void frmDat3::showSelectedPage()
{
    const int tab = m_tabStrip->currentIndex() + 1;
    if (tab < 1 || tab - 1 == m_tabNow)
        return;
    m_pages->setCurrentIndex(tab - 1); // shows the new frame and hides the old one
    if (Control* comment = m_controls.find(QStringLiteral("lblComment")))
        comment->setVisible(false);
    m_tabNow = tab - 1;
    setHints(tab);
}

void frmDat3::setHints(int tab)
{
    m_controls.setVisible(QStringLiteral("lblForward"), kNoIndex, tab != kPageCount);
    m_controls.setVisible(QStringLiteral("lblBackward"), kNoIndex, tab != 1);
}

bool frmDat3::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_tabStrip &&
        (event->type() == QEvent::FocusIn || event->type() == QEvent::FocusOut)) {
        const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
        if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason) {
            if (event->type() == QEvent::FocusIn) {
                showSelectedPage();
            } else {
                m_controls.setVisible(QStringLiteral("lblForward"), kNoIndex, false);
                m_controls.setVisible(QStringLiteral("lblBackward"), kNoIndex, false);
            }
        }
    }
    return QDialog::eventFilter(watched, event);
}

void frmDat3::NextTab(int n)
{
    if (n < 0 || n >= kPageCount)
        return;
    m_frames[n]->raise();
    // The focus first: the selection then switches the page, so the page that held the
    // focus is hidden without the focus wandering.
    m_tabStrip->setFocus(Qt::TabFocusReason);
    m_tabStrip->setCurrentIndex(n);
}

void frmDat3::connectPageJumps()
{
    for (const PageJump& jump : pageJumps()) {
        for (const QString& name : jump.names) {
            QList<int> members = m_controls.indexes(name);
            if (members.isEmpty())
                members.append(kNoIndex);
            for (int index : members) {
                Control* control = m_controls.find(name, index);
                Q_ASSERT_X(control, "frmDat3", qPrintable(name));
                if (!control)
                    continue;
                const int next = jump.next;
                connect(control->events(), &ControlEvents::keyDown, this,
                        [this, next](KeyArgs& args) {
                            if (args.isCtrlTab()) {
                                args.handled = true;
                                NextTab(next);
                            }
                        });
            }
        }
    }
}

void frmDat3::look(const QString& name, int index, Look look)
{
    Control* control = m_controls.find(name, index);
    Q_ASSERT_X(control, "frmDat3::look", qPrintable(name));
    if (control)
        applyLook(control, look);
}

void frmDat3::TabNew()
{
    const Look off = Look::Disabled;
    const auto range = [&](const QString& name, int first, int last) {
        for (int i = first; i <= last; ++i)
            look(name, i, off);
    };
    // 1 other departments
    range(QStringLiteral("chkTaka"), 1, 13);
    look(QStringLiteral("cmbTaka"), kNoIndex, off);
    // 2 peripheral symptoms
    range(QStringLiteral("chkShuhen"), 1, 12);
    look(QStringLiteral("txtMondai"), kNoIndex, off);
    look(QStringLiteral("Label25"), 0, off);
    look(QStringLiteral("Label25"), 3, off);
    // 3 other psychiatric symptoms, specialist
    look(QStringLiteral("cmbPsy"), kNoIndex, off);
    look(QStringLiteral("txtPsyist"), kNoIndex, off);
    // 4 limb loss
    look(QStringLiteral("cmbKesson"), kNoIndex, off);
    look(QStringLiteral("Label36"), 0, off);
    // 5 paralysis
    range(QStringLiteral("chkMahibui"), 1, 5);
    for (int i = 1; i <= 3; ++i) {
        for (int part = 1; part <= 5; ++part)
            look(QStringLiteral("optTeido%1").arg(part), i, off);
    }
    look(QStringLiteral("cmbMahibui"), kNoIndex, off);
    look(QStringLiteral("Label36"), 1, off);
    // 6 to 8, 10, 11: site box, degree and label of a finding
    const struct
    {
        const char* combo;
        const char* degree;
        int label;
    } findings[] = {{"cmbTeika", "optKintei", 3},
                    {"cmbKousyuku", "optKousyuku", 4},
                    {"cmbToutsu", "optToutsu", 5}};
    for (const auto& finding : findings) {
        look(QString::fromLatin1(finding.combo), kNoIndex, off);
        range(QString::fromLatin1(finding.degree), 1, 3);
        look(QStringLiteral("Label36"), finding.label, off);
    }
    // 9 ataxia
    range(QStringLiteral("chkHuzui"), 1, 6);
    range(QStringLiteral("Label38"), 0, 2);
    // 10, 11 pressure sores, other skin diseases
    look(QStringLiteral("cmbJokusou"), kNoIndex, off);
    range(QStringLiteral("opJokusou"), 1, 3);
    look(QStringLiteral("Label36"), 6, off);
    look(QStringLiteral("cmbHihu"), kNoIndex, off);
    range(QStringLiteral("optHihu"), 1, 3);
    look(QStringLiteral("Label36"), 2, off);
    // 12 other state
    look(QStringLiteral("cmbTabyotai"), kNoIndex, off);
    // 13 other medical service
    look(QStringLiteral("txtKanri"), kNoIndex, off);
    look(QStringLiteral("Label15"), 11, off);
    look(QStringLiteral("Label40"), 8, off);
    // 14 care notes
    for (int k = 1; k <= 5; ++k) {
        look(QStringLiteral("cmbKanten"), k, off);
        look(QStringLiteral("Label15"), k, off);
        look(QStringLiteral("Label40"), k, off);
    }
    // 15 infection
    look(QStringLiteral("cmbKansen"), kNoIndex, off);
    look(QStringLiteral("Label15"), 7, off);
    look(QStringLiteral("Label40"), 7, off);
}

void frmDat3::applyEraDefaults()
{
    const auto setDefault = [this](const QString& name, int index, const QString& era) {
        if (Control* box = m_controls.find(name, index); box && box->text().isEmpty())
            box->setText(era);
    };
    setDefault(QStringLiteral("cmbNengo"), kNoIndex, QStringLiteral("昭和"));
    setDefault(QStringLiteral("cmbNengo2"), kNoIndex, QStringLiteral("令和"));
    for (int k = 1; k <= 3; ++k)
        setDefault(QStringLiteral("cmbSippeiNengou"), k, QStringLiteral("令和"));
}

} // namespace entry
