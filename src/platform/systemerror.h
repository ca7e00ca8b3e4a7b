#pragma once

#include <QString>

namespace platform {

// The system's failure `code` (an errno value) as a short Japanese phrase for the user: the
// common causes (a full disk, no permission, a missing file or folder, a read-only disk, a
// disk error ...) in words, any other with its number.
QString systemErrorText(int code);

} // namespace platform
