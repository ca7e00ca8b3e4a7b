#include "sheet/sheettexts.h"

#include "common/textcuts.h"
#include "sheet/drawtarget.h"
#include "sheet/printlines.h"
#include "sheetdata/sheetlayout.h"

#include <algorithm>
#include <cmath>

namespace sheet {

namespace {

// Where one text slot is printed. `x` may depend on the length of the slot's own text.
struct SlotPlace
{
    int slot;
    int (*x)(int length);
    int y;
    const char16_t* font;
    double size;
};

template <int X> int at(int)
{
    return X;
}

constexpr const char16_t* GothicP = u"ＭＳ Ｐゴシック";
constexpr const char16_t* Mincho = u"ＭＳ 明朝";
constexpr const char16_t* MinchoP = u"ＭＳ Ｐ明朝";

int officeAreaCode(int n)
{
    return n >= 2 && n <= 4 ? 7575 : 7455;
}
// The first part of a telephone or fax number is printed at every length: one or two
// characters at the right, three and more further left.
int officePhoneFirst(int n)
{
    return n <= 2 ? 8235 : 8110;
}
int officeFaxAreaCode(int n)
{
    return n >= 2 && n <= 4 ? 7490 : 7370;
}
int officeFaxFirst(int n)
{
    return n <= 2 ? 8130 : 8010;
}
int patientPhoneFirst(int n)
{
    return n <= 2 ? 8745 : 8655;
}
int height(int n)
{
    return n == 3 ? 15750 : 15660;
}
int weight(int n)
{
    return n == 2 ? 17250 : 17160;
}

const SlotPlace Page1Slots[] = {
    {0, at<9360>, 1860, GothicP, 9.75},
    {1, at<9930>, 1860, GothicP, 9.75},
    {2, at<10485>, 1860, GothicP, 9.75},
    {3, at<2280>, 4020, Mincho, 9.75},
    {4, at<2730>, 4245, Mincho, 9.75},
    {5, officeAreaCode, 4020, Mincho, 9.75},
    {6, officePhoneFirst, 4020, Mincho, 9.75},
    {7, at<8790>, 4020, Mincho, 9.75},
    {8, officeFaxAreaCode, 4245, Mincho, 9.75},
    {9, officeFaxFirst, 4245, Mincho, 9.75},
    {10, at<8685>, 4245, Mincho, 9.75},
    {11, at<3120>, 2550, Mincho, 14.25},
    {12, at<3975>, 2250, Mincho, 9},
    {13, at<6645>, 2370, Mincho, 12},
    {14, at<6645>, 2865, Mincho, 12},
    {15, at<2460>, 2985, Mincho, 12},
    {16, at<2820>, 2985, Mincho, 12},
    {17, at<3180>, 2985, Mincho, 12},
    {18, at<3690>, 3000, Mincho, 9.75},
    {19, at<4335>, 3000, Mincho, 9.75},
    {20, at<4995>, 3000, Mincho, 9.75},
    {21, at<5700>, 3000, Mincho, 9.75},
    {22, at<7500>, 2285, Mincho, 9.75},
    {23, at<8040>, 2285, Mincho, 9.75},
    {24, at<7080>, 2550, MinchoP, 9.75},
    {25, at<7995>, 3030, Mincho, 9.75},
    {26, patientPhoneFirst, 3030, Mincho, 9.75},
    {27, at<9375>, 3030, Mincho, 9.75},
    {28, at<4065>, 4650, Mincho, 9.75},
    {29, at<5340>, 4650, Mincho, 9.75},
    {30, at<6615>, 4650, Mincho, 9.75},
    {31, at<9150>, 5640, MinchoP, 9.75},
    {32, at<1905>, 6645, Mincho, 9.75},
    {33, at<1905>, 6990, Mincho, 9.75},
    {34, at<1905>, 7335, Mincho, 9.75},
    {35, at<7185>, 6645, MinchoP, 9.75},
    {36, at<8730>, 6645, MinchoP, 9.75},
    {37, at<9450>, 6645, MinchoP, 9.75},
    {38, at<10170>, 6645, MinchoP, 9.75},
    {39, at<7185>, 6990, MinchoP, 9.75},
    {40, at<8730>, 6990, MinchoP, 9.75},
    {41, at<9450>, 6990, MinchoP, 9.75},
    {42, at<10170>, 6990, MinchoP, 9.75},
    {43, at<7185>, 7335, MinchoP, 9.75},
    {44, at<8730>, 7335, MinchoP, 9.75},
    {45, at<9450>, 7335, MinchoP, 9.75},
    {46, at<10170>, 7335, MinchoP, 9.75},
    {47, at<8370>, 6645, Mincho, 9.75},
    {48, at<9090>, 6645, Mincho, 9.75},
    {49, at<9810>, 6645, Mincho, 9.75},
    {50, at<8370>, 6990, Mincho, 9.75},
    {51, at<9090>, 6990, Mincho, 9.75},
    {52, at<9810>, 6990, Mincho, 9.75},
    {53, at<8370>, 7335, Mincho, 9.75},
    {54, at<9090>, 7335, Mincho, 9.75},
    {55, at<9810>, 7335, Mincho, 9.75},
    {56, at<4530>, 7995, MinchoP, 10.5},
    {57, at<1245>, 8850, Mincho, 10.5},
    {58, at<1320>, 10215, Mincho, 10.5},
    {59, at<6135>, 10215, Mincho, 10.5},
    {60, at<1320>, 10440, Mincho, 10.5},
    {61, at<6135>, 10440, Mincho, 10.5},
    {62, at<1320>, 10665, Mincho, 10.5},
    {63, at<6135>, 10665, Mincho, 10.5},
    {64, at<8565>, 14805, MinchoP, 10.5},
    {65, at<3450>, 15285, MinchoP, 10.5},
    {66, at<8860>, 15090, MinchoP, 10.5},
};

const SlotPlace Page2Slots[] = {
    {67, height, 2655, MinchoP, 9.75},     {68, weight, 2655, MinchoP, 9.75},
    {69, at<15795>, 2910, MinchoP, 9.75},  {70, at<16455>, 3735, MinchoP, 9.75},
    {71, at<15795>, 3990, MinchoP, 9.75},  {72, at<15795>, 4275, MinchoP, 9.75},
    {73, at<15795>, 4550, MinchoP, 9.75},  {74, at<15795>, 5115, MinchoP, 9.75},
    {75, at<15795>, 5370, MinchoP, 9.75},  {76, at<15615>, 7710, MinchoP, 9.75},
    {77, at<20580>, 8450, MinchoP, 9.75},  {78, at<14430>, 8655, MinchoP, 9.75},
    {79, at<17865>, 10095, MinchoP, 9.75}, {80, at<15215>, 10590, MinchoP, 9.75},
    {81, at<19845>, 10590, MinchoP, 9.75}, {82, at<15215>, 10815, MinchoP, 9.75},
    {83, at<19845>, 10815, MinchoP, 9.75}, {84, at<15215>, 11040, MinchoP, 9.75},
    {85, at<18450>, 11040, MinchoP, 9.75}, {86, at<15030>, 11535, MinchoP, 9.75},
    {87, at<12990>, 12585, Mincho, 10.5},
};

// The height and weight are printed inside the value boxes of page 2. Their places were chosen
// for narrower digits than this system's fonts have: a value that would run over the right
// side of its box moves left, and one wider than the box is set smaller, so that it always
// stays inside.
struct ValueBox
{
    int slot;
    int left;
    int right;
};
constexpr ValueBox ValueBoxes[] = {{67, 15630, 16155}, {68, 17070, 17595}};
constexpr int ValueBoxMargin = 15;

struct Placed
{
    int x;
    double size;
};

Placed fitInValueBox(DrawTarget& obj, int slot, int x, const QString& text)
{
    for (const ValueBox& box : ValueBoxes) {
        if (box.slot != slot || text.contains(u'\r'))
            continue;
        const double width = obj.textWidth(text);
        const int room = box.right - box.left - 2 * ValueBoxMargin;
        if (width > room) {
            // Quarter points, rounded down.
            const double size = std::floor(obj.fontSize() * room / width * 4) / 4;
            return {box.left + ValueBoxMargin, size};
        }
        const int end = box.right - ValueBoxMargin;
        if (x + width > end)
            return {static_cast<int>(std::floor(end - width)), obj.fontSize()};
    }
    return {x, obj.fontSize()};
}

void printSlots(DrawTarget& obj, int x, int y, std::span<const QString> formText,
                std::span<const SlotPlace> places)
{
    for (const SlotPlace& place : places) {
        const QString font = QString::fromUtf16(place.font);
        if (obj.fontName() != font)
            obj.setFontName(font);
        if (obj.fontSize() != place.size)
            obj.setFontSize(place.size);
        if (place.slot >= qsizetype(formText.size()))
            continue;
        const QString& text = formText[place.slot];
        const Placed at = fitInValueBox(obj, place.slot, place.x(common::charCount(text)), text);
        if (at.size != obj.fontSize())
            obj.setFontSize(at.size);
        obj.setTextSlot(place.slot);
        PrintLines(obj, text, x + at.x, y + place.y);
        obj.setTextSlot(-1);
    }
}

} // namespace

void DrawData1(DrawTarget& obj, int x, int y, std::span<const QString> formText)
{
    obj.setFont(QString::fromUtf16(GothicP), 9.75);
    obj.setFontBold(false);
    obj.setPrintingValues(true);
    printSlots(obj, x, y, formText, Page1Slots);
    obj.setPrintingValues(false);
}

void DrawData2(DrawTarget& obj, int x, int y, std::span<const QString> formText, bool pageHead)
{
    // The page-2 texts are set in "ＭＳ Ｐ明朝" whatever was drawn before.
    obj.setFont(QString::fromUtf16(MinchoP), 9.75);
    obj.setPrintingValues(true);
    printSlots(obj, x, y, formText, Page2Slots);
    if (pageHead && sheetdata::PageHeadSlot < qsizetype(formText.size())) {
        obj.setFont(QString::fromUtf16(Mincho), 9.75);
        obj.setFontBold(false);
        obj.setTextSlot(sheetdata::PageHeadSlot);
        PrintLines(obj, formText[sheetdata::PageHeadSlot], x + 19080, y + 2100);
        obj.setTextSlot(-1);
    }
    obj.setPrintingValues(false);
}

void DrawOnsetLabels(DrawTarget& obj, int x, int y)
{
    obj.setFont(QString::fromUtf16(MinchoP), 9.75);
    for (const int row : {6645, 6990, 7335}) {
        PrintLines(obj, QStringLiteral("(昭和･平成"), x + 7185, y + row);
        PrintLines(obj, QStringLiteral("年"), x + 8730, y + row);
        PrintLines(obj, QStringLiteral("月"), x + 9450, y + row);
        PrintLines(obj, QStringLiteral("日頃 )"), x + 10170, y + row);
    }
}

} // namespace sheet
