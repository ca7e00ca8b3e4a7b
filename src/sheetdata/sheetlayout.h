#pragma once

// The numbers of the printed sheet that every part of the program shares: the canvas, the
// page split, the text slots and the mark rows. Use these names; never repeat the numbers.

namespace sheetdata {

// The canvas: an A3 landscape sheet in twips, origin at the top left corner of the paper.
// Page 1 is the left half, page 2 the right half; page-2 coordinates are sheet coordinates
// (x of Page2Shift and more), and printing on two A4 sheets moves page 2 left by Page2Shift.
inline constexpr int SheetWidth = 23814;
inline constexpr int SheetHeight = 16840;
inline constexpr int Page2Shift = 11907;

// Text slots. Slots 0 to 88 are the letter's texts (0 to 66 on page 1, 67 to 88 on page 2,
// 88 the page-2 header). Slots 89 and 90 carry the era printed before the writing date and
// before the last examination date on page 1 (where the empty form has no fixed era).
inline constexpr int LetterTextSlotCount = 89;
inline constexpr int TextSlotCount = 91;
inline constexpr int Page1FirstSlot = 0;
inline constexpr int Page1LastSlot = 66;
inline constexpr int Page2FirstSlot = 67;
inline constexpr int Page2LastSlot = 88;
inline constexpr int PageHeadSlot = 88;
inline constexpr int WritingEraSlot = 89;
inline constexpr int ExaminationEraSlot = 90;
inline constexpr int PatientNameSlot = 11;
// The era the sheet prints before the writing date and the last examination date when the
// letter has no such date, and on the empty form.
inline constexpr char16_t DefaultEra[] = u"令和";

// True when the text slot is printed on page 1 (the two-sheet printing uses this).
constexpr bool isPage1TextSlot(int slot)
{
    return (slot >= Page1FirstSlot && slot <= Page1LastSlot) || slot == WritingEraSlot ||
           slot == ExaminationEraSlot;
}
constexpr bool isPage2TextSlot(int slot)
{
    return slot >= Page2FirstSlot && slot <= Page2LastSlot;
}

// Mark rows: one row per tick place. Row r is addressed by its Slot r + 1. Rows 0 to 90
// (Slots 1 to 91) are page 1's marks, rows 91 to 207 (Slots 92 to 208) page 2's.
// Slot 208 is the tick of the right arm's ataxia, so that Slot 130 keeps the joint-pain tick.
inline constexpr int MarkRowCount = 208;
inline constexpr int FirstMarkSlot = 1;
inline constexpr int LastMarkSlot = MarkRowCount;
inline constexpr int Page1FirstRow = 0;
inline constexpr int Page1LastRow = 90;
inline constexpr int Page2FirstRow = 91;
inline constexpr int Page2LastRow = MarkRowCount - 1;
inline constexpr int UpperLimbAtaxiaRightSlot = 208;

// A tick's printed check box is CheckBoxSize twips square; (X1, Y1) is its top left corner.
inline constexpr int CheckBoxSize = 120;

} // namespace sheetdata
