#pragma once

#include "controls/controlregistry.h"
#include "controls/controlwidgets.h"

#include <QDialog>
#include <QStringList>

namespace entry {

// The phrase-list editor: one list as plain text, one item per line. "OK" stores the lines
// as the list's items (in one transaction; lines left as they were keep their items exactly,
// and a list left as it was is not written at all) and ends the dialog accepted; "キャンセル", the
// window's close button and nothing else end it without writing. Escape does nothing and
// Enter starts a new line. The opener sets the title and shows it modally.
class frmHenshu : public QDialog
{
    Q_OBJECT
public:
    // `items`: the list as it stands; `code`: the list's code (1 to 22) in the data file at
    // `databasePath`.
    frmHenshu(int code, const QString& databasePath, const QStringList& items,
              QWidget* parent = nullptr);

    controls::ControlRegistry& controls() { return m_controls; }
    template <class T = controls::Control> T* control(const QString& name) const
    {
        return m_controls.find<T>(name);
    }

    // The items stored by OK.
    const QStringList& storedItems() const { return m_stored; }

    // OK: stores the list and ends the dialog; when the list cannot be stored the user is
    // told, nothing was written, and the dialog stays open with its text.
    void cmdOK_Click();
    // キャンセル: ends the dialog; nothing is written.
    void cmdNo_Click();

    // The smallest client size, in twips.
    static constexpr int kMinWidth = 4560;
    static constexpr int kMinHeight = 3270;

protected:
    void resizeEvent(QResizeEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    controls::ControlRegistry m_controls;
    int m_code;
    QString m_databasePath;
    QStringList m_items;      // the list as it stood at opening
    QStringList m_shownItems; // what the text box showed of each item
    QString m_shownText;      // the text the box opened with
    QStringList m_stored;
    controls::MultiLineTextBox* m_text = nullptr;
    controls::CommandButton* m_ok = nullptr;
    controls::CommandButton* m_no = nullptr;
    controls::Label* m_label = nullptr;
};

} // namespace entry
