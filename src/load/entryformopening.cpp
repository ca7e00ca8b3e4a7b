#include "load/entryformopening.h"

#include "entry/formbuilder.h"
#include "entry/frmDat3.h"
#include "load/dataload.h"
#include "entry/formfieldnames.h"
#include "record/letterstore.h"

namespace load {

namespace {

// The title box's width when it has no caption, in twips.
constexpr int kEmptyTitleWidth = 960;

} // namespace

EntryFormOpening OpenEntryForm(entry::frmDat3& form, const QString& databasePath, qint32 letterNo)
{
    EntryFormOpening opening;
    record::LetterReadResult read;
    if (letterNo != 0) {
        read = record::LetterStore(databasePath).read(letterNo);
        switch (read.status) {
        case record::LetterReadResult::Status::Read:
            if (read.unfit) {
                opening.error = entry::unfitValueMessage(letterNo, *read.unfit);
                return opening;
            }
            break;
        case record::LetterReadResult::Status::NoRow:
            opening.error = QStringLiteral("意見書 %1 番はデータファイルにありません。"
                                           "他の画面で削除されたか、番号が変わった可能性が"
                                           "あります。")
                                .arg(letterNo);
            return opening;
        case record::LetterReadResult::Status::Failed:
            opening.error = read.error;
            return opening;
        }
    }

    form.fillPhraseLists(databasePath);
    form.TabNew();
    form.applyEraDefaults();
    controls::Control* title = form.control(QStringLiteral("Label52"));
    if (letterNo != 0) {
        DataLoad(form, read.letter);
        LoadDoctorS(form);
    } else {
        if (title)
            title->setText(QStringLiteral("新規登録"));
        form.writeTodayAsWritingDate();
        LoadDoctorS(form);
        form.setNewData(true);
    }
    if (title && title->text().isEmpty())
        title->widget()->resize(entry::FormBuilder::px(kEmptyTitleWidth),
                                title->widget()->height());
    opening.opened = true;
    return opening;
}

} // namespace load
