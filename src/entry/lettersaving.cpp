#include "entry/lettersaving.h"

#include "common/appstate.h"
#include "entry/formcontrolsreader.h"
#include "entry/frmDat3.h"
#include "platform/messagebox.h"
#include "record/datasave3.h"
#include "record/lettersave.h"

namespace entry {

qint32 SaveLetterAndTell(const QString& databasePath, const record::Letter& asRead,
                         const record::FormReader& form, record::Letter* stored)
{
    record::SaveDoctorDefaults(form);
    record::LetterSaveResult result = record::SaveLetter(databasePath, asRead, form);
    if (result.notAsRead) {
        // Another window changed this letter, or a deletion there moved another letter to its
        // number: its row is not written. The entries are kept, as a new letter or on the form.
        const int answer = platform::MsgBox(
            QStringLiteral("このデータは、ほかの画面で変更されたか、削除されて番号が変わったため、"
                           "登録できませんでした。\r\n"
                           "入力した内容を新しいデータとして登録しますか？\r\n"
                           "（「いいえ」を選ぶと入力画面に戻ります。）"),
            platform::vbYesNo + platform::vbExclamation, QStringLiteral("登録エラー"));
        if (answer != platform::vbYes)
            return 0;
        result = record::SaveLetterAsNew(databasePath, asRead, form);
    }
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
    if (stored)
        *stored = std::move(result.stored);
    return result.letterNo;
}

bool SaveLetter(frmDat3& form)
{
    common::AppState& state = common::appState();
    // A stored letter is saved over the letter the form read; a new one (CurrentLetterNo 0)
    // over nothing.
    record::Letter asRead;
    if (state.CurrentLetterNo != 0) {
        asRead = form.letterAsRead();
        asRead.setNo(state.CurrentLetterNo);
    }
    record::Letter stored;
    const qint32 saved =
        SaveLetterAndTell(state.DatabasePath, asRead, FormControlsReader(form.controls()), &stored);
    if (saved == 0)
        return false;
    state.CurrentLetterNo = saved;
    form.setLetterAsRead(stored);
    return true;
}

} // namespace entry
