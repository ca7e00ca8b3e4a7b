#pragma once

#include <QString>

// Qt's own texts (the buttons and labels of the file dialogs, the print dialog and the
// printer's properties) in Japanese, whatever the system's language: the program speaks
// Japanese throughout.
namespace platform {

// Loads Qt's Japanese translations from `folder` (Qt's own translations folder when "") and
// installs them in the application, which must exist, with the program's own Japanese for
// the few texts of those dialogs that Qt's leave in English. Returns "" when Qt's are
// installed, else why not; the program then goes on with Qt's English texts.
QString installQtTranslations(const QString& folder = QString());

} // namespace platform
