// The sections of page 2: physique, paralysis, muscle, joints, ataxia, skin, mobility,
// nutrition, risks, prognosis, medical services, care notes, infection and the remarks.
#include "sheetdata/letterrow.h"

namespace sheetdata {

namespace {

void setText(SheetModel& model, int slot, const std::optional<QString>& value)
{
    if (value)
        model.FormText[slot] = *value;
}

struct FlagTick
{
    const char16_t* field;
    Tick tick;
};

void tickFlags(SheetModel& model, const LetterRow& row, std::initializer_list<FlagTick> flags)
{
    for (const FlagTick& flag : flags)
        tickWhenTrue(model, row, QString::fromUtf16(flag.field), flag.tick);
}

// A finding with its own box and three degree boxes (軽, 中, 重) on one line.
void finding(SheetModel& model, const LetterRow& row, const QString& field, int slot, qint16 y,
             const QString& siteField, int siteSlot)
{
    tickWhenTrue(model, row, field, {slot, 13350, y});
    setText(model, siteSlot, row.text(siteField));
    tickCode(model, row, field + u"程度"_qs,
             {{slot + 1, 19575, y}, {slot + 2, 20130, y}, {slot + 3, 20685, y}});
}

} // namespace

void fillPhysique(SheetModel& model, const LetterRow& row)
{
    tickCode(model, row, u"利き腕"_qs, {{92, 14055, 2685}, {93, 14505, 2685}});
    setText(model, 67, row.text(u"身長"_qs));
    setText(model, 68, row.text(u"体重"_qs));
    tickCode(model, row, u"体重変化"_qs, {{94, 20190, 2685}, {95, 20925, 2685}, {96, 21660, 2685}});
    tickWhenTrue(model, row, u"四肢欠損"_qs, {97, 13350, 2940});
    setText(model, 69, row.text(u"四肢欠損部位"_qs));
    tickWhenTrue(model, row, u"麻痺"_qs, {98, 13350, 3195});

    // Each limb: its box, then its degree boxes 軽, 中, 重.
    static const struct
    {
        const char16_t* field;
        int slot;
        qint16 x;
        qint16 y;
        qint16 degreeX[3];
    } limbs[] = {
        {u"右上肢麻痺", 99, 15105, 3195, {16560, 17025, 17460}},
        {u"左上肢麻痺", 103, 18225, 3195, {19665, 20115, 20565}},
        {u"右下肢麻痺", 107, 15105, 3480, {16560, 17025, 17460}},
        {u"左下肢麻痺", 111, 18225, 3480, {19665, 20115, 20565}},
    };
    for (const auto& limb : limbs) {
        const QString field = QString::fromUtf16(limb.field);
        tickWhenTrue(model, row, field, {limb.slot, limb.x, limb.y});
        tickCode(model, row, field + u"程度"_qs,
                 {{limb.slot + 1, limb.degreeX[0], limb.y},
                  {limb.slot + 2, limb.degreeX[1], limb.y},
                  {limb.slot + 3, limb.degreeX[2], limb.y}});
    }
    tickWhenTrue(model, row, u"その他麻痺"_qs, {115, 15105, 3765});
    tickCode(model, row, u"その他麻痺程度"_qs,
             {{116, 18045, 3765}, {117, 18510, 3765}, {118, 18930, 3765}});
    setText(model, 70, row.text(u"その他麻痺部位"_qs));
}

void fillMuscleAndSkin(SheetModel& model, const LetterRow& row)
{
    finding(model, row, u"筋力低下"_qs, 119, 4020, u"筋力低下部位"_qs, 71);
    finding(model, row, u"関節拘縮"_qs, 123, 4305, u"関節拘縮部位"_qs, 72);
    finding(model, row, u"関節疼痛"_qs, 127, 4590, u"関節疼痛部位"_qs, 73);

    // The ataxia line: the right arm has a row of its own (Slot 208), so that Slot 130 keeps
    // the 重 tick of joint pain.
    static const FlagTick sides[] = {
        {u"上肢失調右", {UpperLimbAtaxiaRightSlot, 15735, 4860}},
        {u"上肢失調左", {131, 16290, 4860}},
        {u"下肢失調右", {132, 17850, 4860}},
        {u"下肢失調左", {133, 18405, 4860}},
        {u"体幹失調右", {134, 20130, 4860}},
        {u"体幹失調左", {135, 20685, 4860}},
    };
    bool group = false;
    for (const FlagTick& side : sides) {
        if (row.isTrue(QString::fromUtf16(side.field))) {
            storeTick(model, side.tick);
            group = true;
        }
    }
    if (group)
        storeTick(model, {136, 13350, 4860});

    finding(model, row, u"褥瘡"_qs, 137, 5145, u"褥瘡部位"_qs, 74);
    finding(model, row, u"皮膚疾患"_qs, 141, 5400, u"皮膚疾患部位"_qs, 75);
}

void fillMobility(SheetModel& model, const LetterRow& row)
{
    tickCode(model, row, u"屋外歩行"_qs,
             {{145, 16095, 6345}, {146, 17475, 6345}, {147, 20025, 6345}});
    tickCode(model, row, u"車椅子"_qs,
             {{148, 16095, 6570}, {149, 17475, 6570}, {150, 20025, 6570}});
    // 補助装具 4 means used outdoors and indoors: both boxes.
    const Tick none{151, 16095, 6795};
    const Tick outdoors{152, 17475, 6795};
    const Tick indoors{153, 20025, 6795};
    switch (row.code(u"補助装具"_qs, 4)) {
    case 1:
        storeTick(model, none);
        break;
    case 2:
        storeTick(model, outdoors);
        break;
    case 3:
        storeTick(model, indoors);
        break;
    case 4:
        storeTick(model, outdoors);
        storeTick(model, indoors);
        break;
    default:
        break;
    }
    tickCode(model, row, u"食事行為"_qs, {{154, 15255, 7275}, {155, 19440, 7275}});
    tickCode(model, row, u"栄養状態"_qs, {{156, 15255, 7500}, {157, 19440, 7500}});
    setText(model, 76, row.text(u"栄食留意"_qs));

    tickFlags(model, row,
              {{u"尿失禁", {158, 13185, 8250}},
               {u"転倒骨折", {159, 14010, 8250}},
               {u"移動能力", {160, 15375, 8250}},
               {u"褥瘡可能性", {161, 16935, 8250}},
               {u"心肺機能低下", {162, 17580, 8250}},
               {u"閉じこもり", {163, 19215, 8250}},
               {u"意欲低下", {164, 20490, 8250}},
               {u"徘徊可能性", {165, 21795, 8250}},
               {u"低栄養", {166, 13185, 8475}},
               {u"摂食嚥下", {167, 14010, 8475}},
               {u"脱水", {168, 16095, 8475}},
               {u"易感染性", {169, 16755, 8475}},
               {u"痛み", {170, 17865, 8475}},
               {u"病態他", {171, 19680, 8475}}});
    setText(model, 77, row.text(u"病態他名"_qs));
    setText(model, 78, row.text(u"対処方法"_qs));
    tickCode(model, row, u"生活機能"_qs,
             {{172, 14175, 9165}, {173, 16470, 9165}, {174, 19110, 9165}});
}

void fillServices(SheetModel& model, const LetterRow& row)
{
    // Each service: its box, and the underline under its printed name (165 twips below the
    // top of the box, from 15 twips left of it).
    static const struct
    {
        const char16_t* field;
        int slot;
        qint16 x;
        qint16 y;
        qint16 underlineEnd;
    } services[] = {
        {u"訪問診療", 175, 12990, 9645, 13955},
        {u"訪問看護", 176, 15375, 9645, 16340},
        {u"訪問歯科診療", 177, 17580, 9645, 18945},
        {u"訪問薬剤管理指導", 178, 20115, 9645, 21855},
        {u"訪問リハビリテーション", 179, 12990, 9885, 14970},
        {u"短期入所療養介護", 180, 15375, 9885, 17115},
        {u"訪問歯科衛生指導", 181, 17580, 9885, 19320},
        {u"訪問栄養食事指導", 182, 20115, 9885, 21855},
        {u"通所リハビリテーション", 183, 12990, 10125, 14970},
        {u"医学的管理他", 184, 15375, 10125, 17580},
    };
    for (const auto& service : services)
        tickWhenTrue(model, row, QString::fromUtf16(service.field),
                     {service.slot, service.x, service.y});
    for (const auto& service : services) {
        if (row.isTrue(QString::fromUtf16(service.field) + u"下線"_qs)) {
            const qint16 y = static_cast<qint16>(service.y + 165);
            storeLine(model, service.slot + 10, static_cast<qint16>(service.x - 15), y,
                      service.underlineEnd, y);
        }
    }
    setText(model, 79, row.text(u"医学的管理他名"_qs));

    // Each care note: the boxes of 特になし (code 1) and 有 (code 2).
    static const struct
    {
        const char16_t* field;
        Tick none;
        Tick present;
    } notes[] = {
        {u"介護血圧", {195, 13575, 10620}, {196, 14565, 10620}},
        {u"介護移動", {197, 18225, 10620}, {198, 19200, 10620}},
        {u"介護摂食", {199, 13575, 10845}, {200, 14565, 10845}},
        {u"介護運動", {201, 18225, 10845}, {202, 19200, 10845}},
        {u"介護嚥下", {203, 13575, 11070}, {204, 14565, 11070}},
    };
    for (const auto& note : notes)
        tickCode(model, row, QString::fromUtf16(note.field), {note.none, note.present});
    int slot = 80;
    for (const auto& note : notes)
        setText(model, slot++, row.text(QString::fromUtf16(note.field) + u"留意事項"_qs));
    setText(model, 85, row.text(u"介護他"_qs));

    // The sheet prints the infection answers as 無, 有, 不明.
    switch (row.code(u"感染症"_qs, 3)) {
    case 1:
        storeTick(model, {206, 14355, 11565});
        break;
    case 2:
        storeTick(model, {205, 13575, 11565});
        break;
    case 3:
        storeTick(model, {207, 20385, 11565});
        break;
    default:
        break;
    }
    setText(model, 86, row.text(u"感染症名"_qs));
}

void fillRemarks(SheetModel& model, const LetterRow& row)
{
    setText(model, 87, row.text(u"意見書特記事項印刷"_qs));
}

} // namespace sheetdata
