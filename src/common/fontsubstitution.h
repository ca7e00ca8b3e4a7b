#pragma once

namespace common {

// Maps the Japanese font names that the forms and the sheet ask for (ＭＳ 明朝, ＭＳ Ｐゴシック …)
// to the IPA fonts installed here. Call once after the application object exists.
void installFontSubstitutions();

} // namespace common
