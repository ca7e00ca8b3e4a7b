#include "entry/lettersaving.h"

#include "common/appstate.h"
#include "entry/formcontrolsreader.h"
#include "entry/frmDat3.h"
#include "platform/messagebox.h"
#include "record/datasave3.h"
#include "record/lettersave.h"

namespace entry {

qint32 SaveLetterAndTell(const QString& databasePath, qint32 letterNo,
                         const record::FormReader& form)
{
    record::SaveDoctorDefaults(form);
    const record::LetterSaveResult result = record::SaveLetter(databasePath, letterNo, form);
    if (!result.saved) {
        platform::MsgBox(QStringLiteral("データを保存できませんでした。\r\n") + result.error,
                         platform::vbCritical, QStringLiteral("登録エラー"));
        return 0;
    }
    if (!result.lostFields.isEmpty()) {
        platform::MsgBox(QStringLiteral("データを保存しましたが、次の項目はデータファイルに"
                                        "その欄がないため保存できませんでした。\r\n") +
                             result.lostFields.join(QStringLiteral("、")),
                         platform::vbExclamation, QStringLiteral("登録エラー"));
    }
    return result.letterNo;
}

bool SaveLetter(const frmDat3& form)
{
    common::AppState& state = common::appState();
    const qint32 saved = SaveLetterAndTell(state.DatabasePath, state.CurrentLetterNo,
                                           FormControlsReader(form.controls()));
    if (saved == 0)
        return false;
    state.CurrentLetterNo = saved;
    return true;
}

} // namespace entry
