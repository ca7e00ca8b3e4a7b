#pragma once

#include <QString>

#include <span>

namespace sheet {

class DrawTarget;

// The letter's texts of page 1 (text slots 0 to 66) at origin (x, y). Slots missing from
// `formText` print nothing. Leaves "ＭＳ Ｐ明朝" 10.5 pt, bold off.
void DrawData1(DrawTarget& obj, int x, int y, std::span<const QString> formText);

// The letter's texts of page 2 (slots 67 to 87, and the header line of slot 88 when
// `pageHead` is true) at origin (x, y). Leaves "ＭＳ 明朝" 10.5 pt (9.75 pt with the header),
// bold off.
void DrawData2(DrawTarget& obj, int x, int y, std::span<const QString> formText, bool pageHead);

// The onset-date template of the empty sheet: "(昭和･平成", "年", "月", "日頃 )" on each of the
// three diagnosis rows. Leaves "ＭＳ Ｐ明朝" 9.75 pt.
void DrawOnsetLabels(DrawTarget& obj, int x, int y);

} // namespace sheet
