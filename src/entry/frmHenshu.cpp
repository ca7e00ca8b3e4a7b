#include "entry/frmHenshu.h"

#include "entry/formbuilder.h"
#include "entry/phraselists.h"
#include "platform/messagebox.h"

#include <QGuiApplication>
#include <QKeyEvent>
#include <QScreen>

namespace entry {

using namespace controls;

namespace {

int px(int twips)
{
    return FormBuilder::px(twips);
}

} // namespace

frmHenshu::frmHenshu(int code, const QString& databasePath, const QStringList& items,
                     QWidget* parent)
    : QDialog(parent,
              Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint),
      m_code(code), m_databasePath(databasePath)
{
    setModal(true);
    QFont font(QStringLiteral("ＭＳ Ｐゴシック"));
    font.setPointSizeF(9);
    setFont(font);

    m_text = new MultiLineTextBox(QStringLiteral("txtHenshu"), kNoIndex, this);
    m_text->setImeMode(ImeMode::Hiragana);
    // The text takes Tab as a move to the next control, Enter as a new line.
    m_text->setGeometry(px(240), px(120), px(4095), px(2295));
    m_ok = new CommandButton(QStringLiteral("cmdOK"), kNoIndex, QStringLiteral("OK"), this);
    m_ok->setGeometry(px(2040), px(2760), px(975), px(375));
    m_no = new CommandButton(QStringLiteral("cmdNo"), kNoIndex, QStringLiteral("キャンセル"), this);
    m_no->setGeometry(px(3360), px(2760), px(975), px(375));
    m_label = new Label(QStringLiteral("Label1"), kNoIndex,
                        QStringLiteral("項目ごとに改行して入力して下さい。"), this);
    m_label->setForeColor(rgb(0, 0, 128));
    m_label->setGeometry(px(360), px(2520), px(2895), px(255));
    for (Control* control : {static_cast<Control*>(m_text), static_cast<Control*>(m_ok),
                             static_cast<Control*>(m_no), static_cast<Control*>(m_label)})
        m_controls.add(control);
    setTabOrder(m_text, m_ok);
    setTabOrder(m_ok, m_no);

    connect(m_ok->events(), &ControlEvents::click, this, &frmHenshu::cmdOK_Click);
    connect(m_no->events(), &ControlEvents::click, this, &frmHenshu::cmdNo_Click);

    // The list, one item per line, no line end after the last. What the box shows of each
    // item is kept, so that the lines left as they were keep their items exactly.
    m_items = items;
    for (const QString& item : items) {
        m_text->setText(item);
        m_shownItems.append(m_text->text());
    }
    m_text->setText(items.join(QStringLiteral("\r\n")));
    m_shownText = m_text->text();
    if (m_shownText != m_shownItems.join(QStringLiteral("\r\n")))
        m_shownItems.clear(); // lines that cannot be told apart: every line counts as typed

    setMinimumSize(px(kMinWidth), px(kMinHeight));
    resize(px(kMinWidth), px(kMinHeight));
    if (QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
}

void frmHenshu::resizeEvent(QResizeEvent* event)
{
    QDialog::resizeEvent(event);
    const int w = width();
    const int h = height();
    m_text->resize(qMax(0, w - px(465)), qMax(0, h - px(975)));
    m_label->move(m_label->x(), h - px(750));
    m_ok->move(w - px(2520), h - px(510));
    m_no->move(w - px(1200), h - px(510));
}

void frmHenshu::keyPressEvent(QKeyEvent* event)
{
    // Neither button is a cancel button: Escape does nothing.
    if (event->key() == Qt::Key_Escape) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

void frmHenshu::cmdOK_Click()
{
    const QString text = m_text->text();
    const QStringList items =
        text == m_shownText ? m_items : phraseItemsOfEdit(m_items, m_shownItems, text);
    // Nothing changed: the list keeps its rows as they stand.
    if (items == m_items) {
        m_stored = items;
        accept();
        return;
    }
    QString error;
    if (!replacePhraseList(m_databasePath, m_code, items, &error)) {
        platform::MsgBox(error, platform::vbCritical, windowTitle());
        return;
    }
    m_stored = items;
    accept();
}

void frmHenshu::cmdNo_Click()
{
    reject();
}

} // namespace entry
