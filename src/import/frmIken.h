#pragma once

#include <QCheckBox>
#include <QDialog>
#include <QLabel>
#include <QPushButton>

#include <functional>

namespace import {

// The import offer "Vadureデータのインポート": names the other program's database that was
// found, or says that none was found and offers to look for it. The answer goes into
// InportState, which the import run reads after each showing. At start-up the check box lets
// the user decline the offer for good. The dialog never imports and never opens a database.
class frmIken : public QDialog
{
    Q_OBJECT
public:
    // `openList` opens the record list (DataOpen); "Cancel" runs it before the showing ends.
    explicit frmIken(std::function<void()> openList, QWidget* parent = nullptr);

    // Shows the dialog modally, loading it first when it is not loaded.
    void showModal();
    bool isLoaded() const { return m_loaded; }
    // The label's whole text (the line may show a long path shortened), lines joined by LF.
    QString labelText() const { return m_labelText; }

    // The texts for a source file chosen in the open-file dialog, written while the dialog is
    // loaded and hidden.
    void nameSource(const QString& path);

    void Form_Load();
    void cmdGo_Click();
    void cmdCancel_Click();
    void Form_Unload();

    QLabel* lblIken = nullptr;
    QPushButton* cmdGo = nullptr;
    QPushButton* cmdCancel = nullptr;
    QCheckBox* chkIken = nullptr;

    // Closing the window, from its frame or the keyboard, answers "Cancel".
    void reject() override;

private:
    void unload();
    void setLabel(const QString& text);

    std::function<void()> m_openList;
    bool m_loaded = false;
    QString m_labelText;
};

} // namespace import
