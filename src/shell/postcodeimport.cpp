#include "import/frmCSV.h"
#include "shell/form1.h"

namespace shell {

void Form1::mnuYubin_Click()
{
    import::frmCSV dialog(this);
    dialog.exec();
}

} // namespace shell
