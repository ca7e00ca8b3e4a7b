#include "entry/formbuilder.h"
#include "entry/frmDat3.h"

namespace entry {

void frmDat3::buildPage8(FormBuilder&, QWidget*) {}

} // namespace entry
