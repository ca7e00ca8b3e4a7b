#include "shell/frmdata.h"

#include "common/appstate.h"
#include "controls/controlprocs.h"
#include "platform/messagebox.h"
#include "shell/listorder.h"

#include <QGuiApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QScreen>
#include <QScrollBar>
#include <QWheelEvent>

namespace shell {

namespace {

common::AppState& state()
{
    return common::appState();
}

int px(int twips)
{
    return qRound(twips / 15.0);
}

QString sexText(const QString& stored)
{
    if (stored == QLatin1String("1"))
        return QStringLiteral("男　");
    if (stored == QLatin1String("2"))
        return QStringLiteral("女　");
    return QString();
}

struct Heading
{
    int column;
    const char* name;
    const char* caption;
    int width;
    int left;
};

const Heading kHeadings[] = {
    {ColChartNo, "picID", "患者ID", 975, 0},
    {ColName, "picName", "氏 名", 1380, 975},
    {ColKana, "picKana", "ふりがな", 1845, 2355},
    {ColSex, "picSex", "性別", 495, 4200},
    {ColAge, "picAge", "年齢", 495, 4690},
    {ColDiagnosis, "picDiag", "診 断 名", 1800, 5185},
    {ColWrittenOn, "picEnd", "最新意見書記入日", 1515, 6985},
};

const int kColumnWidths[ListColumnCount] = {0, 0, 975, 1380, 1845, 495, 495, 1800, 1515};

} // namespace

frmData::frmData(const QList<record::LetterListRow>& rows, QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("frmData"));
    setWindowTitle(QStringLiteral("患者情報一覧"));
    setFixedSize(px(8745), px(5925));
    setAutoFillBackground(true);
    QPalette back = palette();
    back.setColor(QPalette::Window, QColor(0xC0, 0xFF, 0xFF)); // &H00FFFFC0&
    setPalette(back);

    auto button = [this](QPushButton*& b, const char* name, const QString& caption, int left) {
        b = new QPushButton(caption, this);
        b->setObjectName(QString::fromLatin1(name));
        b->setGeometry(px(left), 0, px(1095), px(615));
        b->setAutoDefault(false);
        QPalette p = b->palette();
        p.setColor(QPalette::Button, QColor(0xC0, 0xC0, 0xC0));
        b->setPalette(p);
    };
    button(cmdNew, "cmdNew", QStringLiteral("新規登録(&N)"), 0);
    button(cmdRe, "cmdRe", QStringLiteral("登録更新(&R)"), 1200);
    button(Command3, "Command3", QStringLiteral("登録削除(&D)"), 2400);
    button(cmdSelect, "cmdSelect", QStringLiteral("印刷準備"), 6360);
    button(cmdCancel, "cmdCancel", QStringLiteral("キャンセル"), 7560);
    connect(cmdNew, &QPushButton::clicked, this, &frmData::cmdNew_Click);
    connect(cmdRe, &QPushButton::clicked, this, &frmData::cmdRe_Click);
    connect(Command3, &QPushButton::clicked, this, &frmData::Command3_Click);
    connect(cmdSelect, &QPushButton::clicked, this, &frmData::cmdSelect_Click);
    connect(cmdCancel, &QPushButton::clicked, this, &frmData::cmdCancel_Click);

    Label1 = new QLabel(QStringLiteral("患者情報一覧"), this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setGeometry(px(3600), px(120), px(2655), px(315));
    Label1->setAlignment(Qt::AlignCenter);
    QFont titleFont(QStringLiteral("ＭＳ ゴシック"));
    titleFont.setPointSizeF(14.25);
    titleFont.setBold(true);
    Label1->setFont(titleFont);
    Label1->setStyleSheet(QStringLiteral("color: #FFFF00; background: #0000FF;"));

    lblSort = new QLabel(this);
    lblSort->setObjectName(QStringLiteral("lblSort"));
    QFont markFont(QStringLiteral("ＭＳ Ｐゴシック"));
    markFont.setPointSizeF(9);
    markFont.setBold(true);
    lblSort->setFont(markFont);
    lblSort->setStyleSheet(QStringLiteral("color: #0000FF;"));
    lblSort->setGeometry(px(7605), px(750), px(180), px(180));

    // The list's own font, narrow enough for an era date in its column; the headings are
    // flat raised boxes, like the pictures they stand for, so that their texts fit too.
    QFont listFont(QStringLiteral("ＭＳ Ｐゴシック"));
    listFont.setPointSizeF(9);
    const QString headingLook =
        QStringLiteral("QPushButton { padding: 0px; background: #C0C0C0; border: 1px solid;"
                       " border-color: #FFFFFF #808080 #808080 #FFFFFF; }"
                       "QPushButton:pressed { border-color: #808080 #FFFFFF #FFFFFF #808080; }");
    for (const Heading& h : kHeadings) {
        auto* b = new QPushButton(QString::fromUtf8(h.caption), this);
        b->setFont(listFont);
        b->setStyleSheet(headingLook);
        b->setObjectName(QString::fromLatin1(h.name));
        b->setGeometry(px(h.left), px(960), px(h.width), px(255));
        b->setAutoDefault(false);
        b->setFocusPolicy(Qt::NoFocus);
        const int column = h.column;
        connect(b, &QPushButton::clicked, this, [this, column] { headingClick(column); });
        m_headings[column] = b;
    }

    FlexGrid = new QTableWidget(this);
    FlexGrid->setObjectName(QStringLiteral("FlexGrid"));
    FlexGrid->setGeometry(0, px(1215), px(8745), px(5925 - 1215));
    FlexGrid->setColumnCount(ListColumnCount);
    FlexGrid->horizontalHeader()->hide();
    FlexGrid->verticalHeader()->hide();
    FlexGrid->setSelectionBehavior(QAbstractItemView::SelectRows);
    FlexGrid->setSelectionMode(QAbstractItemView::SingleSelection);
    FlexGrid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    FlexGrid->setWordWrap(false);
    FlexGrid->setFont(listFont);
    FlexGrid->setTextElideMode(Qt::ElideNone);
    FlexGrid->verticalHeader()->setDefaultSectionSize(px(240));
    for (int c = 0; c < ListColumnCount; ++c) {
        FlexGrid->setColumnWidth(c, px(kColumnWidths[c]));
        FlexGrid->setColumnHidden(c, kColumnWidths[c] == 0);
    }
    FlexGrid->installEventFilter(this);
    FlexGrid->viewport()->installEventFilter(this);
    FlexGrid->setVerticalScrollMode(QAbstractItemView::ScrollPerItem);
    connect(FlexGrid, &QTableWidget::cellDoubleClicked, this, [this] { cmdRe_Click(); });

    fill(rows);
    applySavedOrder();
    if (state().CurrentLetterNo != 0) {
        selectLetter(state().CurrentLetterNo);
    } else if (rowCount() > 0) {
        state().CurrentLetterNo = letterNoAt(0);
        selectRow(0);
    }
    if (rowCount() > 0)
        FlexGrid->setFocus();

    // Centred on the screen at every opening.
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
}

void frmData::fill(const QList<record::LetterListRow>& rows)
{
    m_rows = rows;
    FlexGrid->clearContents();
    FlexGrid->setRowCount(int(rows.size()));
    for (int r = 0; r < rows.size(); ++r) {
        const record::LetterListRow& row = rows[r];
        const QString cells[ListColumnCount] = {QString(),    QString::number(row.letterNo),
                                                row.chartNo,  row.name,
                                                row.kana,     sexText(row.sex),
                                                row.age,      row.diagnosis,
                                                row.writtenOn};
        for (int c = 0; c < ListColumnCount; ++c) {
            auto* item = new QTableWidgetItem(cells[c]);
            if (c == ColAge)
                item->setTextAlignment(Qt::AlignCenter);
            FlexGrid->setItem(r, c, item);
        }
    }
}

record::LetterListRow frmData::listedRow(qint32 letterNo) const
{
    for (const record::LetterListRow& row : m_rows)
        if (row.letterNo == letterNo)
            return row;
    return {};
}

qint32 frmData::letterNoAt(int row) const
{
    const QTableWidgetItem* item = FlexGrid->item(row, ColLetterNo);
    return item ? item->text().toInt() : 0;
}

int frmData::currentRow() const
{
    return rowCount() > 0 ? FlexGrid->currentRow() : -1;
}

void frmData::selectRow(int row)
{
    if (row < 0 || row >= rowCount())
        return;
    FlexGrid->setCurrentCell(row, ColChartNo);
    FlexGrid->selectRow(row);
}

void frmData::selectLetter(qint32 letterNo)
{
    for (int r = 0; r < rowCount(); ++r)
        if (letterNoAt(r) == letterNo) {
            selectRow(r);
            return;
        }
}

void frmData::headingClick(int column)
{
    common::AppState& s = state();
    const bool dateColumn = column == ColWrittenOn;
    s.SortDesc = s.SortDesc != 0 ? 0 : 1;
    const bool descending = dateColumn ? s.SortDesc == 0 : s.SortDesc == 1;
    lblSort->setText(descending ? QStringLiteral("▼") : QStringLiteral("▲"));
    lblSort->move(px(sortMarkLeft(column)), px(750));

    const qint32 kept = currentRow() >= 0 ? letterNoAt(currentRow()) : 0;
    if (kept != 0)
        s.CurrentLetterNoText = QString::number(kept);
    sortGrid(column, descending);
    if (kept != 0)
        selectLetter(kept);
    s.DataSort = quint8(s.SortDesc + 10 * column);
}

void frmData::sortGrid(int column, bool descending)
{
    QList<QStringList> rows;
    for (int r = 0; r < rowCount(); ++r) {
        QStringList cells;
        for (int c = 0; c < ListColumnCount; ++c)
            cells << FlexGrid->item(r, c)->text();
        rows << cells;
    }
    sortListRows(rows, column, descending);
    for (int r = 0; r < rows.size(); ++r)
        for (int c = 0; c < ListColumnCount; ++c)
            FlexGrid->item(r, c)->setText(rows[r][c]);
}

void frmData::applySavedOrder()
{
    common::AppState& s = state();
    s.SortDesc = s.SortDesc != 0 ? 0 : 1;
    const int column = s.DataSort / 10;
    if (s.DataSort == 0) {
        lblSort->setText(QStringLiteral("▼"));
        lblSort->move(px(7605), px(750));
        sortGrid(ColWrittenOn, true);
        selectRow(0);
    } else if (column >= ColChartNo && column <= ColWrittenOn && s.DataSort % 10 <= 1) {
        headingClick(column);
    }
}

void frmData::cmdNew_Click()
{
    state().CurrentLetterNo = 0;
    done(NewLetter);
}

void frmData::cmdRe_Click()
{
    const int row = currentRow();
    if (row < 0)
        return;
    const qint32 no = letterNoAt(row);
    if (no == 0)
        return;
    state().CurrentLetterNo = no;
    done(StoredLetter);
}

void frmData::cmdSelect_Click()
{
    const int row = currentRow();
    if (row < 0)
        return; // an empty list puts nothing on the sheet
    state().CurrentLetterNoText = QString::number(letterNoAt(row));
    done(LetterShown);
}

void frmData::cmdCancel_Click()
{
    done(Cancelled);
}

void frmData::reload()
{
    const record::LetterListResult list = record::LetterStore(state().DatabasePath).list();
    if (!list.ok)
        platform::MsgBox(list.error, platform::vbCritical, QStringLiteral("データ削除！"));
    fill(list.rows);
}

void frmData::Command3_Click()
{
    const int count = rowCount();
    const int row = currentRow();
    if (count == 0 || row < 0)
        return;
    const qint32 no = letterNoAt(row);
    if (no == 0)
        return;
    const QString name = FlexGrid->item(row, ColName)->text();
    const QString question = count == 1
                                 ? QStringLiteral("「%1」を削除しますか？").arg(name)
                                 : QStringLiteral("「%1」　のデータを削除しますか？").arg(name);
    if (platform::MsgBox(question, platform::vbOKCancel + platform::vbQuestion,
                         QStringLiteral("データ削除！")) != platform::vbOK) {
        FlexGrid->setFocus();
        return;
    }
    const record::LetterDeleteResult deleted =
        record::LetterStore(state().DatabasePath).remove(listedRow(no));
    if (!deleted.ok)
        platform::MsgBox(deleted.error, platform::vbCritical, QStringLiteral("データ削除！"));
    if (deleted.ok || deleted.notAsListed) {
        state().CurrentLetterNo = count == 1 && deleted.ok ? 0 : no;
        reload();
        applySavedOrder();
        selectRow(0);
    }
    FlexGrid->setFocus();
}

bool frmData::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == FlexGrid && event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
            cmdRe_Click();
            return true;
        }
    }
    if (watched == FlexGrid->viewport()) {
        switch (event->type()) {
        case QEvent::Wheel: {
            // One line per wheel message, and only when the grid can scroll.
            const auto* wheel = static_cast<QWheelEvent*>(event);
            QScrollBar* bar = FlexGrid->verticalScrollBar();
            if (bar->maximum() > bar->minimum() && wheel->angleDelta().y() != 0)
                bar->triggerAction(wheel->angleDelta().y() > 0
                                       ? QAbstractSlider::SliderSingleStepSub
                                       : QAbstractSlider::SliderSingleStepAdd);
            return true;
        }
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonDblClick: {
            // A press on a letter's row chooses it; a press beside the rows changes nothing
            // and its release highlights the row clicked last.
            const auto* mouse = static_cast<QMouseEvent*>(event);
            const QModelIndex index = FlexGrid->indexAt(mouse->position().toPoint());
            if (!index.isValid() || letterNoAt(index.row()) == 0)
                return true;
            m_clickRow = index.row();
            break;
        }
        case QEvent::MouseButtonRelease: {
            const auto* mouse = static_cast<QMouseEvent*>(event);
            const QModelIndex index = FlexGrid->indexAt(mouse->position().toPoint());
            if (!index.isValid() || letterNoAt(index.row()) == 0) {
                if (m_clickRow >= 0)
                    selectRow(m_clickRow);
                return true;
            }
            break;
        }
        default:
            break;
        }
    }
    return QDialog::eventFilter(watched, event);
}

} // namespace shell
