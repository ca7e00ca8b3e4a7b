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
    Field field;
    Tick tick;
};

void tickFlags(SheetModel& model, const LetterRow& row, std::initializer_list<FlagTick> flags)
{
    for (const FlagTick& flag : flags)
        tickWhenTrue(model, row, flag.field, flag.tick);
}

// A finding with its own box and three degree boxes (軽, 中, 重) on one line.
// Its three fields follow one another: the flag, the site and the degree.
void finding(SheetModel& model, const LetterRow& row, Field field, int slot, qint16 y, int siteSlot)
{
    tickWhenTrue(model, row, field, {slot, 13350, y});
    setText(model, siteSlot, row.text(nthField(field, 2)));
    tickCode(model, row, nthField(field, 3),
             {{slot + 1, 19575, y}, {slot + 2, 20130, y}, {slot + 3, 20685, y}});
}

} // namespace

void fillPhysique(SheetModel& model, const LetterRow& row)
{
    tickCode(model, row, Field::Handedness, {{92, 14055, 2685}, {93, 14505, 2685}});
    setText(model, 67, row.text(Field::Height));
    setText(model, 68, row.text(Field::Weight));
    tickCode(model, row, Field::WeightChange,
             {{94, 20190, 2685}, {95, 20925, 2685}, {96, 21660, 2685}});
    tickWhenTrue(model, row, Field::LimbLoss, {97, 13350, 2940});
    setText(model, 69, row.text(Field::LimbLossSite));
    tickWhenTrue(model, row, Field::Paralysis, {98, 13350, 3195});

    // Each limb: its box, then its degree boxes 軽, 中, 重.
    static const struct
    {
        Field field;
        Field degree;
        int slot;
        qint16 x;
        qint16 y;
        qint16 degreeX[3];
    } limbs[] = {
        {Field::ParalysisRightArm,
         Field::ParalysisRightArmDegree,
         99,
         15105,
         3195,
         {16560, 17025, 17460}},
        {Field::ParalysisLeftArm,
         Field::ParalysisLeftArmDegree,
         103,
         18225,
         3195,
         {19665, 20115, 20565}},
        {Field::ParalysisRightLeg,
         Field::ParalysisRightLegDegree,
         107,
         15105,
         3480,
         {16560, 17025, 17460}},
        {Field::ParalysisLeftLeg,
         Field::ParalysisLeftLegDegree,
         111,
         18225,
         3480,
         {19665, 20115, 20565}},
    };
    for (const auto& limb : limbs) {
        tickWhenTrue(model, row, limb.field, {limb.slot, limb.x, limb.y});
        tickCode(model, row, limb.degree,
                 {{limb.slot + 1, limb.degreeX[0], limb.y},
                  {limb.slot + 2, limb.degreeX[1], limb.y},
                  {limb.slot + 3, limb.degreeX[2], limb.y}});
    }
    tickWhenTrue(model, row, Field::ParalysisOther, {115, 15105, 3765});
    tickCode(model, row, Field::ParalysisOtherDegree,
             {{116, 18045, 3765}, {117, 18510, 3765}, {118, 18930, 3765}});
    setText(model, 70, row.text(Field::ParalysisOtherSite));
}

void fillMuscleAndSkin(SheetModel& model, const LetterRow& row)
{
    finding(model, row, Field::MuscleWeakness, 119, 4020, 71);
    finding(model, row, Field::Contracture, 123, 4305, 72);
    finding(model, row, Field::JointPain, 127, 4590, 73);

    // The ataxia line: the right arm has a row of its own (Slot 208), so that Slot 130 keeps
    // the 重 tick of joint pain.
    static const FlagTick sides[] = {
        {Field::AtaxiaArmRight, {UpperLimbAtaxiaRightSlot, 15735, 4860}},
        {Field::AtaxiaArmLeft, {131, 16290, 4860}},
        {Field::AtaxiaLegRight, {132, 17850, 4860}},
        {Field::AtaxiaLegLeft, {133, 18405, 4860}},
        {Field::AtaxiaTrunkRight, {134, 20130, 4860}},
        {Field::AtaxiaTrunkLeft, {135, 20685, 4860}},
    };
    bool group = false;
    for (const FlagTick& side : sides) {
        if (row.isTrue(side.field)) {
            storeTick(model, side.tick);
            group = true;
        }
    }
    if (group)
        storeTick(model, {136, 13350, 4860});

    finding(model, row, Field::PressureSore, 137, 5145, 74);
    finding(model, row, Field::SkinDisease, 141, 5400, 75);
}

void fillMobility(SheetModel& model, const LetterRow& row)
{
    tickCode(model, row, Field::OutdoorWalking,
             {{145, 16095, 6345}, {146, 17475, 6345}, {147, 20025, 6345}});
    tickCode(model, row, Field::Wheelchair,
             {{148, 16095, 6570}, {149, 17475, 6570}, {150, 20025, 6570}});
    // 補助装具 4 means used outdoors and indoors: both boxes.
    const Tick none{151, 16095, 6795};
    const Tick outdoors{152, 17475, 6795};
    const Tick indoors{153, 20025, 6795};
    switch (row.code(Field::WalkingAids, 4)) {
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
    tickCode(model, row, Field::Eating, {{154, 15255, 7275}, {155, 19440, 7275}});
    tickCode(model, row, Field::Nutrition, {{156, 15255, 7500}, {157, 19440, 7500}});
    setText(model, 76, row.text(Field::NutritionNotes));

    tickFlags(model, row,
              {{Field::Incontinence, {158, 13185, 8250}},
               {Field::FallFracture, {159, 14010, 8250}},
               {Field::ReducedMobility, {160, 15375, 8250}},
               {Field::SoreRisk, {161, 16935, 8250}},
               {Field::CardiopulmonaryDecline, {162, 17580, 8250}},
               {Field::Withdrawal, {163, 19215, 8250}},
               {Field::LowMotivation, {164, 20490, 8250}},
               {Field::WanderingRisk, {165, 21795, 8250}},
               {Field::Undernutrition, {166, 13185, 8475}},
               {Field::Dysphagia, {167, 14010, 8475}},
               {Field::Dehydration, {168, 16095, 8475}},
               {Field::InfectionProne, {169, 16755, 8475}},
               {Field::Pain, {170, 17865, 8475}},
               {Field::OtherCondition, {171, 19680, 8475}}});
    setText(model, 77, row.text(Field::OtherConditionName));
    setText(model, 78, row.text(Field::ConditionPolicy));
    tickCode(model, row, Field::LifeFunction,
             {{172, 14175, 9165}, {173, 16470, 9165}, {174, 19110, 9165}});
}

void fillServices(SheetModel& model, const LetterRow& row)
{
    // Each service: its box, and the underline under its printed name (165 twips below the
    // top of the box, from 15 twips left of it).
    static const struct
    {
        Field field;
        Field underline;
        int slot;
        qint16 x;
        qint16 y;
        qint16 underlineEnd;
    } services[] = {
        {Field::HomeVisitCare, Field::HomeVisitCareUnderline, 175, 12990, 9645, 13955},
        {Field::HomeNursing, Field::HomeNursingUnderline, 176, 15375, 9645, 16340},
        {Field::HomeDental, Field::HomeDentalUnderline, 177, 17580, 9645, 18945},
        {Field::HomePharmacy, Field::HomePharmacyUnderline, 178, 20115, 9645, 21855},
        {Field::HomeRehabilitation, Field::HomeRehabilitationUnderline, 179, 12990, 9885, 14970},
        {Field::ShortStay, Field::ShortStayUnderline, 180, 15375, 9885, 17115},
        {Field::HomeDentalHygiene, Field::HomeDentalHygieneUnderline, 181, 17580, 9885, 19320},
        {Field::HomeDiet, Field::HomeDietUnderline, 182, 20115, 9885, 21855},
        {Field::DayRehabilitation, Field::DayRehabilitationUnderline, 183, 12990, 10125, 14970},
        {Field::OtherService, Field::OtherServiceUnderline, 184, 15375, 10125, 17580},
    };
    for (const auto& service : services)
        tickWhenTrue(model, row, service.field, {service.slot, service.x, service.y});
    for (const auto& service : services) {
        if (row.isTrue(service.underline)) {
            const qint16 y = static_cast<qint16>(service.y + 165);
            storeLine(model, service.slot + 10, static_cast<qint16>(service.x - 15), y,
                      service.underlineEnd, y);
        }
    }
    setText(model, 79, row.text(Field::OtherServiceName));

    // Each care note: the boxes of 特になし (code 1) and 有 (code 2).
    static const struct
    {
        Field field;
        Field points;
        Tick none;
        Tick present;
    } notes[] = {
        {Field::CareBloodPressure,
         Field::CareBloodPressureNotes,
         {195, 13575, 10620},
         {196, 14565, 10620}},
        {Field::CareMoving, Field::CareMovingNotes, {197, 18225, 10620}, {198, 19200, 10620}},
        {Field::CareEating, Field::CareEatingNotes, {199, 13575, 10845}, {200, 14565, 10845}},
        {Field::CareExercise, Field::CareExerciseNotes, {201, 18225, 10845}, {202, 19200, 10845}},
        {Field::CareSwallowing,
         Field::CareSwallowingNotes,
         {203, 13575, 11070},
         {204, 14565, 11070}},
    };
    for (const auto& note : notes)
        tickCode(model, row, note.field, {note.none, note.present});
    int slot = 80;
    for (const auto& note : notes)
        setText(model, slot++, row.text(note.points));
    setText(model, 85, row.text(Field::CareOther));

    // The sheet prints the infection answers as 無, 有, 不明.
    switch (row.code(Field::Infection, 3)) {
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
    setText(model, 86, row.text(Field::InfectionName));
}

void fillRemarks(SheetModel& model, const LetterRow& row)
{
    setText(model, 87, row.text(Field::RemarksPrint));
}

} // namespace sheetdata
