#include "shell/frmdata.h"

#include "common/appstate.h"
#include "controls/controlprocs.h"
#include "platform/database.h"
#include "platform/messagebox.h"
#include "shell/listcolumns.h"
#include "shell/listorder.h"
#include "shell/picturebutton.h"
#include "shell/recordlistmodel.h"
#include "shell/toolbaricons.h"

#include <QGuiApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>
#include <QScrollBar>
#include <QStyle>
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

struct Heading
{
    int column;
    const char* name;
    const char* caption;
};

const Heading kHeadings[] = {
    {ColChartNo, "picID", "患者ID"},
    {ColName, "picName", "氏 名"},
    {ColKana, "picKana", "ふりがな"},
    {ColSex, "picSex", "性別"},
    {ColAge, "picAge", "年齢"},
    {ColDiagnosis, "picDiag", "診 断 名"},
    {ColWrittenOn, "picEnd", "最新意見書記入日"},
};

// What of a column's width its cells' texts do not get: the text margin on either side and
// the grid line.
int cellMargins(const QTableView& grid)
{
    const int textMargin = grid.style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, &grid);
    return 2 * (textMargin + 1) + (grid.showGrid() ? 1 : 0);
}

// The width the columns share: the grid's inside, with room for its vertical scroll bar.
int columnSpace(const QTableView& grid)
{
    return grid.width() - 2 * grid.frameWidth() -
           grid.style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, grid.verticalScrollBar());
}

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

    QFont buttonFont(QStringLiteral("ＭＳ Ｐゴシック"));
    buttonFont.setPointSizeF(9);
    auto button = [&](QPushButton*& b, const char* name, const QString& caption, int left,
                      ListPicture picture) {
        b = new PictureButton(caption, listButtonPicture(picture), this);
        b->setObjectName(QString::fromLatin1(name));
        b->setGeometry(px(left), 0, px(1095), px(615));
        b->setAutoDefault(false);
        b->setFont(buttonFont);
        QPalette p = b->palette();
        p.setColor(QPalette::Button, QColor(0xC0, 0xC0, 0xC0));
        b->setPalette(p);
    };
    button(cmdNew, "cmdNew", QStringLiteral("新規登録(&N)"), 0, ListPicture::NewLetter);
    button(cmdRe, "cmdRe", QStringLiteral("登録更新(&R)"), 1200, ListPicture::ChangeLetter);
    button(Command3, "Command3", QStringLiteral("登録削除(&D)"), 2400, ListPicture::DeleteLetter);
    button(cmdSelect, "cmdSelect", QStringLiteral("印刷準備"), 6360, ListPicture::ShowLetter);
    button(cmdCancel, "cmdCancel", QStringLiteral("キャンセル"), 7560, ListPicture::Cancel);
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

    // The mark is wider than its label: the label keeps its place and size, and the form
    // draws the mark in full where the label stands (paintEvent).
    lblSort = new QLabel(this);
    lblSort->setObjectName(QStringLiteral("lblSort"));
    QFont markFont(QStringLiteral("ＭＳ Ｐゴシック"));
    markFont.setPointSizeF(9);
    markFont.setBold(true);
    lblSort->setFont(markFont);
    QPalette markColour = lblSort->palette();
    markColour.setColor(QPalette::WindowText, QColor(0x00, 0x00, 0xFF)); // &H00FF0000&
    lblSort->setPalette(markColour);
    lblSort->setGeometry(px(7605), px(750), px(75), px(180));
    lblSort->setAttribute(Qt::WA_TransparentForMouseEvents);

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
        b->setAutoDefault(false);
        b->setFocusPolicy(Qt::NoFocus);
        const int column = h.column;
        connect(b, &QPushButton::clicked, this, [this, column] { headingClick(column); });
        m_headings[column] = b;
    }

    m_model = new RecordListModel(this);
    FlexGrid = new RecordGrid(this);
    FlexGrid->setObjectName(QStringLiteral("FlexGrid"));
    FlexGrid->setModel(m_model);
    FlexGrid->setGeometry(0, px(1215), px(8745), px(5925 - 1215));
    FlexGrid->horizontalHeader()->hide();
    FlexGrid->verticalHeader()->hide();
    FlexGrid->setSelectionBehavior(QAbstractItemView::SelectRows);
    FlexGrid->setSelectionMode(QAbstractItemView::SingleSelection);
    FlexGrid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    FlexGrid->setWordWrap(false);
    FlexGrid->setFont(listFont);
    FlexGrid->setTextElideMode(Qt::ElideNone);
    FlexGrid->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    FlexGrid->verticalHeader()->setDefaultSectionSize(px(240));
    // Each heading lies over its column, as wide as it.
    const QList<int> widths = listColumnWidths(QFontMetrics(FlexGrid->font()),
                                               cellMargins(*FlexGrid), columnSpace(*FlexGrid));
    int left = 0;
    for (int c = 0; c < ListColumnCount; ++c) {
        FlexGrid->setColumnWidth(c, widths[c]);
        FlexGrid->setColumnHidden(c, widths[c] == 0);
        if (m_headings[c])
            m_headings[c]->setGeometry(left, px(960), widths[c], px(255));
        left += widths[c];
    }
    FlexGrid->installEventFilter(this);
    FlexGrid->viewport()->installEventFilter(this);
    FlexGrid->setVerticalScrollMode(QAbstractItemView::ScrollPerItem);

    fill(rows);
    applySavedOrder();
    if (state().CurrentLetterNo != 0) {
        // The letter in hand; when it is gone, the row the order put the choice on stays.
        selectLetter(state().CurrentLetterNo);
    } else if (rowCount() > 0) {
        selectRow(0);
        state().CurrentLetterNo = letterNoAt(0);
    }
    if (rowCount() > 0)
        FlexGrid->setFocus();

    // Centred on the screen at every opening.
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
}

frmData::~frmData() = default;

void frmData::fill(const QList<record::LetterListRow>& rows)
{
    m_model->setRows(rows);
    m_clickRow = -1;
    m_sortColumn = -1;
    // As read, the first row is the chosen one.
    selectRow(0);
}

int frmData::rowCount() const
{
    return m_model->rowCount();
}

qint32 frmData::letterNoAt(int row) const
{
    return row >= 0 && row < rowCount() ? m_model->letter(row).letterNo : 0;
}

QString frmData::cellText(int row, int column) const
{
    return m_model->text(row, column);
}

int frmData::currentRow() const
{
    return rowCount() > 0 ? FlexGrid->currentIndex().row() : -1;
}

void frmData::selectRow(int row)
{
    if (row < 0 || row >= rowCount())
        return;
    const QModelIndex index = m_model->index(row, ColChartNo);
    FlexGrid->selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect |
                                                           QItemSelectionModel::Rows);
    FlexGrid->scrollTo(index);
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
    showMark(descending ? QStringLiteral("▼") : QStringLiteral("▲"), sortMarkLeft(column));

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
    m_model->sortBy(column, descending);
    m_sortColumn = column;
    m_sortDescending = descending;
    if (currentRow() >= 0)
        FlexGrid->scrollTo(FlexGrid->currentIndex());
}

void frmData::applySavedOrder()
{
    common::AppState& s = state();
    s.SortDesc = s.SortDesc != 0 ? 0 : 1;
    const int column = s.DataSort / 10;
    if (s.DataSort == 0) {
        showMark(QStringLiteral("▼"), sortMarkLeft(ColWrittenOn));
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

bool frmData::reload()
{
    const record::LetterListResult list = record::LetterStore(state().DatabasePath).list();
    if (!list.ok) {
        platform::MsgBox(list.error, platform::vbCritical, QStringLiteral("データ削除！"));
        return false;
    }
    fill(list.rows);
    return true;
}

record::LetterDeleteResult frmData::deleteListedLetter(const record::LetterListRow& listed) const
{
    const db::ActionScope deleting(db::Action::Delete);
    return record::LetterStore(state().DatabasePath).remove(listed);
}

void frmData::Command3_Click()
{
    common::AppState& s = state();
    const int count = rowCount();
    const int row = currentRow();
    if (count == 0 || row < 0)
        return;
    const record::LetterListRow listed = m_model->letter(row);
    if (listed.letterNo == 0)
        return;
    const QString question =
        count == 1 ? QStringLiteral("「%1」を削除しますか？").arg(listed.name)
                   : QStringLiteral("「%1」　のデータを削除しますか？").arg(listed.name);
    if (platform::MsgBox(question, platform::vbOKCancel + platform::vbQuestion,
                         QStringLiteral("データ削除！")) != platform::vbOK) {
        // Nothing deleted: the chosen row keeps its highlight and the grid the focus.
        selectRow(row);
        FlexGrid->setFocus();
        return;
    }
    const record::LetterDeleteResult deleted = deleteListedLetter(listed);
    if (deleted.ok) {
        if (count == 1) {
            // The only letter: the list is read again, and there is nothing left to order.
            s.CurrentLetterNo = 0;
            reload();
        } else {
            // The letter that followed takes the deleted one's number; the list is read
            // again in the saved order, with its first row chosen.
            s.CurrentLetterNo = listed.letterNo;
            if (reload())
                applySavedOrder();
            selectRow(0);
        }
    } else {
        platform::MsgBox(deleted.error, platform::vbCritical, QStringLiteral("データ削除！"));
        if (deleted.notAsListed) {
            // The file changed under the list: it is read again and shown in the order it
            // had, with its first row chosen; the saved order and its flag stay as they are.
            const int column = m_sortColumn;
            const bool descending = m_sortDescending;
            if (reload() && column >= 0)
                sortGrid(column, descending);
            selectRow(0);
        }
    }
    if (rowCount() > 0)
        FlexGrid->setFocus();
}

void frmData::showMark(const QString& mark, int left)
{
    lblSort->setText(mark);
    lblSort->move(px(left), px(750));
    update(0, lblSort->y(), width(), lblSort->height()); // the mark drawn beside its label
}

void frmData::paintEvent(QPaintEvent* event)
{
    QDialog::paintEvent(event);
    // The sort mark in full at the label's place (the label itself is narrower than it).
    if (lblSort->text().isEmpty() || !lblSort->isVisible())
        return;
    QPainter painter(this);
    painter.setFont(lblSort->font());
    const QRect at(lblSort->pos(),
                   QSize(qMax(lblSort->width(),
                              QFontMetrics(lblSort->font()).horizontalAdvance(lblSort->text())),
                         lblSort->height()));
    style()->drawItemText(&painter, at, Qt::AlignLeft | Qt::AlignVCenter, lblSort->palette(), true,
                          lblSort->text(), QPalette::WindowText);
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
    if (watched != FlexGrid->viewport())
        return QDialog::eventFilter(watched, event);
    switch (event->type()) {
    case QEvent::Wheel: {
        // One line per wheel message, and only when the grid can scroll.
        const auto* wheel = static_cast<QWheelEvent*>(event);
        QScrollBar* bar = FlexGrid->verticalScrollBar();
        if (bar->maximum() > bar->minimum() && wheel->angleDelta().y() != 0)
            bar->triggerAction(wheel->angleDelta().y() > 0 ? QAbstractSlider::SliderSingleStepSub
                                                           : QAbstractSlider::SliderSingleStepAdd);
        return true;
    }
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick: {
        // A press on a letter's row chooses it; a press beside the rows changes nothing.
        // A double click, on a row or beside the rows, then opens the chosen letter.
        const auto* mouse = static_cast<QMouseEvent*>(event);
        const QModelIndex index = FlexGrid->indexAt(mouse->position().toPoint());
        if (index.isValid() && letterNoAt(index.row()) != 0) {
            m_clickRow = index.row();
            selectRow(m_clickRow);
        }
        if (rowCount() > 0)
            FlexGrid->setFocus(Qt::MouseFocusReason);
        if (event->type() == QEvent::MouseButtonDblClick && mouse->button() == Qt::LeftButton)
            cmdRe_Click();
        return true;
    }
    case QEvent::MouseMove:
        return true; // no dragging a highlight over the rows
    case QEvent::MouseButtonRelease:
        // The release highlights the row pressed last (also beside the rows).
        if (m_clickRow >= 0)
            selectRow(m_clickRow);
        return true;
    default:
        return QDialog::eventFilter(watched, event);
    }
}

QItemSelectionModel::SelectionFlags RecordGrid::selectionCommand(const QModelIndex& index,
                                                                 const QEvent*) const
{
    if (!index.isValid())
        return QItemSelectionModel::NoUpdate;
    return QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows;
}

} // namespace shell
