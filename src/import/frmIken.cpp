#include "import/frmIken.h"

#include "common/appstate.h"

namespace import {

namespace {

int px(int twips)
{
    return qRound(twips / 15.0);
}

constexpr int ClientWidth = 6615;
constexpr int ClientHeight = 1515;
constexpr int LabelLeft = 360;
constexpr int LabelTop = 120;

QString foundText(const QString& path)
{
    return QStringLiteral("データベースの名前は") + path + QStringLiteral("です。");
}

} // namespace

frmIken::frmIken(std::function<void()> openList, QWidget* parent)
    : QDialog(parent), m_openList(std::move(openList))
{
    setObjectName(QStringLiteral("frmIken"));
    setWindowTitle(QStringLiteral("Vadureデータのインポート"));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    setFixedSize(px(ClientWidth), px(ClientHeight));
    QPalette back = palette();
    back.setColor(QPalette::Window, QColor(192, 192, 255));
    setPalette(back);
    setAutoFillBackground(true);

    cmdGo = new QPushButton(QStringLiteral("インポート開始"), this);
    cmdGo->setObjectName(QStringLiteral("cmdGo"));
    cmdGo->setGeometry(px(4320), px(480), px(1455), px(375));
    cmdCancel = new QPushButton(QStringLiteral("Cancel"), this);
    cmdCancel->setObjectName(QStringLiteral("cmdCancel"));
    cmdCancel->setGeometry(px(4320), px(960), px(1455), px(375));
    chkIken = new QCheckBox(QStringLiteral("今後このお知らせを表示しない。"), this);
    chkIken->setObjectName(QStringLiteral("chkIken"));
    chkIken->setGeometry(px(240), px(1080), px(3015), px(375));
    lblIken = new QLabel(this);
    lblIken->setObjectName(QStringLiteral("lblIken"));
    lblIken->move(px(LabelLeft), px(LabelTop));
    lblIken->setTextFormat(Qt::PlainText);
    for (QPushButton* b : {cmdGo, cmdCancel})
        b->setAutoDefault(false);
    cmdGo->setDefault(true);
    setTabOrder(cmdGo, cmdCancel);
    setTabOrder(cmdCancel, chkIken);

    connect(cmdGo, &QPushButton::clicked, this, &frmIken::cmdGo_Click);
    connect(cmdCancel, &QPushButton::clicked, this, &frmIken::cmdCancel_Click);
}

void frmIken::setLabel(const QString& text)
{
    // A long path is shortened in the middle on the line, so the label stays clear of the
    // buttons' column at its right; the tip shows it whole.
    m_labelText = QString(text).replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    const int width = px(ClientWidth) - px(LabelLeft) - px(120);
    QStringList lines = m_labelText.split(QLatin1Char('\n'));
    for (QString& line : lines)
        line = lblIken->fontMetrics().elidedText(line, Qt::ElideMiddle, width);
    const QString shown = lines.join(QLatin1Char('\n'));
    lblIken->setText(shown);
    lblIken->setToolTip(shown == m_labelText ? QString() : m_labelText);
    lblIken->adjustSize();
}

void frmIken::showModal()
{
    if (!m_loaded) {
        m_loaded = true;
        Form_Load();
    }
    exec();
}

void frmIken::Form_Load()
{
    common::AppState& s = common::appState();
    if (s.InportState == 10) {
        chkIken->hide();
        s.InportState = 0;
    } else if (s.InportState == 12) {
        chkIken->hide();
        s.InportState = 2;
    }
    switch (s.InportState) {
    case 0:
    case 1:
        setLabel(foundText(s.DatabasePath));
        break;
    case 2:
        setLabel(QStringLiteral("VadureData.mdb または rododova.mdb が見つかりません。\r\n"
                                "自分でファイルを探しますか？"));
        cmdGo->setText(QStringLiteral("検索開始"));
        break;
    default:
        break;
    }
}

void frmIken::nameSource(const QString& path)
{
    setLabel(foundText(path));
    cmdGo->setText(QStringLiteral("インポート開始"));
}

void frmIken::cmdGo_Click()
{
    common::AppState& s = common::appState();
    if (s.InportState == 0 || s.InportState == 1) {
        s.InportState = 1;
        unload();
    } else if (s.InportState == 2) {
        hide();
        done(QDialog::Accepted); // hidden, still loaded with its texts
    }
}

void frmIken::cmdCancel_Click()
{
    common::appState().InportState = 3;
    unload();
    if (m_openList)
        m_openList();
}

void frmIken::reject()
{
    cmdCancel_Click();
}

void frmIken::Form_Unload()
{
    common::AppState& s = common::appState();
    if (s.InportState == 3 && chkIken->isChecked())
        s.InportState = 4;
}

void frmIken::unload()
{
    Form_Unload();
    m_loaded = false;
    // A dialog loaded again starts from its design.
    chkIken->show();
    chkIken->setChecked(false);
    lblIken->clear();
    m_labelText.clear();
    cmdGo->setText(QStringLiteral("インポート開始"));
    done(QDialog::Accepted);
}

} // namespace import
