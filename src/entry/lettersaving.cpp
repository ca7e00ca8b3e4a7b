#include "entry/lettersaving.h"

#include "common/appstate.h"
#include "entry/formcontrolsreader.h"
#include "entry/frmDat3.h"
#include "record/lettersave.h"

namespace entry {

bool SaveLetter(const frmDat3& form)
{
    common::AppState& state = common::appState();
    const qint32 saved = record::SaveLetterOrTell(state.DatabasePath, state.CurrentLetterNo,
                                                  FormControlsReader(form.controls()));
    if (saved == 0)
        return false;
    state.CurrentLetterNo = saved;
    return true;
}

} // namespace entry
