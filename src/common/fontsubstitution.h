#pragma once

namespace common {

// Maps the sheet's and the forms' Japanese font names to the IPA fonts installed on this
// system (ＭＳ 明朝 → IPAMincho and so on). Called once at start-up and by the tests; calling it
// again does no harm.
void installFontSubstitutions();

} // namespace common
