// The entry form's own commands: save, discard and today's date.

#include "common/appstate.h"
#include "entry/frmDat3.h"
#include "entry/lettersaving.h"
#include "platform/clock.h"
#include "platform/messagebox.h"
#include "record/eradate.h"

namespace entry {

void frmDat3::connectCommands()
{
    const auto onClick = [this](const QString& name, void (frmDat3::*handler)()) {
        if (controls::Control* button = control(name))
            connect(button->events(), &controls::ControlEvents::click, this,
                    [this, handler] { (this->*handler)(); });
    };
    onClick(QStringLiteral("Command3"), &frmDat3::Command3_Click);
    onClick(QStringLiteral("Command2"), &frmDat3::Command2_Click);
    onClick(QStringLiteral("Command1"), &frmDat3::Command1_Click);
    onClick(QStringLiteral("Command8"), &frmDat3::Command8_Click);
}

void frmDat3::Command3_Click()
{
    // A letter that could not be saved was told; the form stays open with its entries.
    if (!SaveLetter(*this))
        return;
    m_newData = false;
    done(Saved);
}

void frmDat3::Command2_Click()
{
    if (!SaveLetter(*this))
        return;
    m_newData = false;
    done(SavedForPrint);
}

void frmDat3::Command1_Click()
{
    const bool isNew = m_newData;
    const int answer =
        platform::MsgBox(isNew ? QStringLiteral("新規作成を破棄しますか？")
                               : QStringLiteral("データ更新を破棄しますか？"),
                         platform::vbOKCancel + platform::vbQuestion,
                         isNew ? QStringLiteral("新規登録！") : QStringLiteral("更新登録！"));
    if (answer != platform::vbOK)
        return;
    m_newData = false;
    done(Discarded);
}

void frmDat3::Command8_Click()
{
    writeTodayAsWritingDate();
    Nenrei();
}

void frmDat3::writeTodayAsWritingDate()
{
    const QDate today = platform::today();
    const record::EraYear era = record::EraOfDate(today);
    if (controls::Control* box = control(QStringLiteral("cmbNengoD")))
        box->setText(era.era);
    if (controls::Control* box = control(QStringLiteral("txtNenD")))
        box->setText(QString::number(era.year));
    if (controls::Control* box = control(QStringLiteral("txtTukiD")))
        box->setText(QStringLiteral("%1").arg(today.month(), 2, 10, QLatin1Char('0')));
    if (controls::Control* box = control(QStringLiteral("txtHiD")))
        box->setText(QStringLiteral("%1").arg(today.day(), 2, 10, QLatin1Char('0')));
}

} // namespace entry
