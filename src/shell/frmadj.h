#pragma once

#include <QDialog>

#include <array>

class QComboBox;
class QLabel;
class QPushButton;
class QRadioButton;
class QTimer;

namespace controls {
class PictureBox;
}

namespace shell {

class Form1;

// The print dialog "印刷": the printer, one A3 sheet or two A4 sheets, the shift of the print
// position in 0.5 mm steps, the printer's own properties, and the start of printing. Every
// change takes effect at once on the printer, the main window's paper menu and the run's
// state; Cancel only closes the dialog. The dialog ends with what comes next, which the main
// window does: print, show the printer's properties, or nothing.
class frmAdj : public QDialog
{
    Q_OBJECT
public:
    enum Result { Cancelled = 0, Print = 1, Properties = 2 };

    // Loads the dialog: the printer list with the current printer chosen, the paper mode,
    // the port, the copies and the shift.
    explicit frmAdj(Form1& main);
    ~frmAdj() override;

    // Handlers.
    void Combo1_Click();
    void optA3_Click();
    void optA4_Click();
    void picAdj_Click(int index);
    void picAdj_MouseDown(int index);
    void picAdj_MouseUp(int index);
    void Timer1_Timer();
    void cmdOK_Click();
    void cmdCancel_Click();
    void cmdProperty_Click();

    // Shows the shift: direction words and the millimetres without sign.
    void showShift();
    // "印刷部数：" shows the printer's copies, or "プロパティ参照" when it reports none.
    void showCopies();

    QLabel* lblAdj = nullptr;
    std::array<controls::PictureBox*, 4> picAdj{};
    QLabel* lblRight = nullptr;
    QLabel* lblXp = nullptr;
    QLabel* lblXmm = nullptr;
    QLabel* lblDown = nullptr;
    QLabel* lblYp = nullptr;
    QLabel* lblYmm = nullptr;
    QLabel* Label1 = nullptr;
    QComboBox* Combo1 = nullptr;
    QLabel* Label2 = nullptr;
    QLabel* Label4 = nullptr;
    QLabel* Label3 = nullptr;
    QRadioButton* optA4 = nullptr;
    QRadioButton* optA3 = nullptr;
    QLabel* Label7 = nullptr;
    QLabel* Label8 = nullptr;
    QPushButton* cmdProperty = nullptr;
    QLabel* Label6 = nullptr;
    QPushButton* cmdOK = nullptr;
    QPushButton* cmdCancel = nullptr;
    QTimer* Timer1 = nullptr;

    // The arrow held down (0 up, 1 left, 2 down, 3 right).
    int AdjIndex() const { return m_adjIndex; }

private:
    void createControls();
    void Form_Load();
    void step(int index);

    Form1& m_main;
    int m_adjIndex = 0;
};

// Lays the dialog out over the main window: centred on its inner area, an inner area of
// 461 × 225 pixels, the controls at their places, the labels' font size from the screen.
void AdjFormLayout(frmAdj& dialog, const Form1& main);

// The shift as the dialog writes it: plain decimals without trailing zeros (0, 0.5, 12.5).
QString shiftText(float millimetres);

} // namespace shell
