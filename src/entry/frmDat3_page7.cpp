#include "entry/formbuilder.h"
#include "entry/frmDat3.h"

namespace entry {

void frmDat3::buildPage7(FormBuilder&, QWidget*) {}

} // namespace entry
