// The main window's printing: the sheet on paper, and the print dialog's road to it.

#include "common/appstate.h"
#include "platform/messagebox.h"
#include "platform/printer.h"
#include "platform/printersettings.h"
#include "sheet/printjob.h"
#include "shell/form1.h"
#include "shell/frmadj.h"
#include "shell/printwarning.h"

namespace shell {

namespace {

sheet::PrintRequest printRequest(const sheetdata::SheetModel& model)
{
    const common::AppState& s = common::appState();
    // The offsets of the printer as it is now: the job is printed with its paper as it is.
    return {model, s.PageHead, s.UserX, s.UserY, sheet::measurePrintArea(platform::printer())};
}

} // namespace

void Form1::mnuPrint_Click()
{
    if (!platform::printer().isInstalled()) {
        platform::MsgBox(
            QStringLiteral("プリンタがありません。\r\nプリンタを設定してから印刷して下さい。"),
            platform::vbExclamation, QStringLiteral("印刷"));
        return;
    }
    runPrintDialog();
}

void Form1::runPrintDialog()
{
    for (;;) {
        int result = frmAdj::Cancelled;
        {
            frmAdj dialog(*this);
            AdjFormLayout(dialog, *this);
            if (beforePrintDialog)
                beforePrintDialog(dialog);
            result = dialog.exec();
        }
        switch (result) {
        case frmAdj::Print:
            // A value cut at its box is told before anything prints; the user may go back.
            if (!confirmCutValues(m_model, common::appState().PageHead))
                return;
            if (common::appState().PaperType)
                GoPrintA3();
            else
                GoPrintA4();
            return;
        case frmAdj::Properties:
            printerProperties();
            continue; // the print dialog opens again with the printer's new settings
        default:
            return;
        }
    }
}

void Form1::printerProperties()
{
    common::AppState& s = common::appState();
    platform::Printer& printer = platform::printer();
    platform::PrinterDriver& driver = platform::printerDriver();
    const QString name = printer.deviceName();
    const platform::PrinterDriver::Settings settings = driver.currentSettings(name);
    if (!settings.opened) {
        platform::MsgBox(QStringLiteral("このバージョンのWindows では表示できません。\r\n"
                                        "コントロールパネルから設定して下さい。"),
                         platform::vbExclamation, QStringLiteral("プリンタのプロパティ"));
    } else if (settings.block) {
        // The driver's dialog starts from the printer object's values; what the user confirms
        // there comes back into the printer object (a cancelled dialog gives its values back
        // unchanged). A driver that gives no settings shows no dialog.
        platform::PrinterSettingsBlock block = *settings.block;
        platform::seedSettingsBlock(block, printer);
        const platform::PrinterDriver::Answer answer = driver.prompt(name, block, this);
        bool take = s.IsNT;
        if (answer.confirmed && !answer.printerName.isEmpty() && answer.printerName != name)
            // Another printer was picked in the driver's dialog: it is followed, so that the
            // values confirmed for it are never printed with on this one.
            take = take && followPrinterPicked(answer.printerName);
        if (take)
            platform::takeSettingsBlock(block, printer);
    }
    // The paper mode follows the paper: A3 stays A3 in landscape, anything else is A4
    // portrait.
    if (printer.paperSize() == platform::PaperA3) {
        printer.setOrientation(platform::Landscape);
        setPaperChecks(true);
        s.PaperType = true;
    } else {
        printer.setPaperSize(platform::PaperA4);
        printer.setOrientation(platform::Portrait);
        setPaperChecks(false);
        s.PaperType = false;
    }
    GetPrintArea();
    ShowPaperSize();
}

bool Form1::followPrinterPicked(const QString& name)
{
    common::AppState& s = common::appState();
    platform::Printer& printer = platform::printer();
    const QString current = printer.deviceName();
    if (!printer.setDeviceName(name)) {
        platform::MsgBox(printerNotChosenText(name, current), platform::vbExclamation,
                         QStringLiteral("印刷"));
        return false;
    }
    // As a choice in the printer list: whether the printer takes A3 is tried on it.
    s.NoA3 = !printer.setPaperSize(platform::PaperA3);
    mnuA3->setEnabled(!s.NoA3);
    printer.setPaperSize(platform::PaperA4);
    return true;
}

QString printerNotChosenText(const QString& chosen, const QString& current)
{
    QString text = QStringLiteral("プリンタ「%1」に切り替えられませんでした。").arg(chosen);
    if (!current.isEmpty())
        text += QStringLiteral("\r\n「%1」で印刷します。").arg(current);
    return text;
}

void Form1::GoPrintA3()
{
    finishPrintJob(sheet::GoPrintA3(platform::printer(), printRequest(m_model)));
}

void Form1::GoPrintA4()
{
    finishPrintJob(sheet::GoPrintA4(platform::printer(), printRequest(m_model)));
}

void Form1::finishPrintJob(const sheet::PrintResult& result)
{
    GetPrintArea();
    ShowPaperSize();
    if (!result.printed)
        platform::MsgBox(result.error, platform::vbExclamation, QStringLiteral("印刷"));
}

} // namespace shell
