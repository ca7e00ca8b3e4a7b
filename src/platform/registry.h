#pragma once

#include <QString>

// Read-only access to the registry of a Wine prefix, where a Windows program installed on
// this machine has registered itself: $WINEPREFIX (default ~/.wine), whose system.reg holds
// HKEY_LOCAL_MACHINE and user.reg HKEY_CURRENT_USER.
namespace platform {

enum class RegistryRoot { LocalMachine, CurrentUser };

// The Wine prefix in use, without a trailing "/".
QString WinePrefix();

// The string value `valueName` ("" = the key's default value) of the key `subKey`
// ("Software\\Maker\\Program") under `root`; "" when the file, the key or the value is
// missing, the value is not a string, or it is longer than 1023 characters. Key and value
// names match without regard to case. A value that is a Windows path on a drive ("C:\...")
// comes back as the path of that drive inside the prefix, with "/" separators.
QString RegGetString(RegistryRoot root, const QString& subKey, const QString& valueName);

} // namespace platform
