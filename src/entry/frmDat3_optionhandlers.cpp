// The entry form's option buttons: the "有" answers that enable their dependants and the other
// answers that disable them, the right mouse button that leaves a question unanswered, the
// level definitions shown over the two independence scales, and the doctor block's focus.

#include "entry/frmDat3_handlers.h"

#include "controls/controlprocs.h"

#include <QTimer>
#include <QWidget>

#include <vector>

namespace entry {

using namespace controls;
using handlers::lookOf;
using handlers::Looks;
using handlers::members;

namespace {

// The questions whose "有" has dependants.
enum class Question {
    OtherDepartments, // "他科受診の有無"
    Peripheral,       // "認知症の周辺症状"
    Psychiatric,      // "その他の精神・神経症状"
    Specialist,       // "専門医受診の有無"
    CareNote1, // "サービス提供時における医学的観点からの留意事項", "･血圧" .. "･嚥下"
    CareNote2,
    CareNote3,
    CareNote4,
    CareNote5,
    Infection, // "感染症の有無"
};

// One answer of such a question: choosing it gives the dependants the enabled look ("有") or
// the disabled look (the other answers); clearing "有" with the right button disables them.
struct Answer
{
    const char* name;
    int index;
    Question question;
    bool yes;
};

const std::vector<Answer>& answers()
{
    static const std::vector<Answer> table = {
        {"opTakaAri", kNoIndex, Question::OtherDepartments, true},
        {"opTakaNasi", kNoIndex, Question::OtherDepartments, false},
        {"optNinchi", 1, Question::Peripheral, true},
        {"optNinchi", 2, Question::Peripheral, false},
        {"opPsy", 1, Question::Psychiatric, true},
        {"opPsy", 2, Question::Psychiatric, false},
        {"opPsyist", 1, Question::Specialist, true},
        {"opPsyist", 2, Question::Specialist, false},
        {"optKanten1", 2, Question::CareNote1, true},
        {"optKanten1", 1, Question::CareNote1, false},
        {"optKanten2", 2, Question::CareNote2, true},
        {"optKanten2", 1, Question::CareNote2, false},
        {"optKanten3", 2, Question::CareNote3, true},
        {"optKanten3", 1, Question::CareNote3, false},
        {"optKanten4", 2, Question::CareNote4, true},
        {"optKanten4", 1, Question::CareNote4, false},
        {"optKanten5", 2, Question::CareNote5, true},
        {"optKanten5", 1, Question::CareNote5, false},
        {"optKansen", 1, Question::Infection, true},
        {"optKansen", 2, Question::Infection, false},
        {"optKansen", 3, Question::Infection, false},
    };
    return table;
}

// A care note's box with its brackets "（" and "）".
void careNote(const Looks& looks, int item, Look look)
{
    looks.set(QStringLiteral("cmbKanten"), item, look);
    looks.set(QStringLiteral("Label15"), item, look);
    looks.set(QStringLiteral("Label40"), item, look);
}

void applyQuestion(const Looks& looks, Question question, Look look)
{
    const bool on = look == Look::Enabled;
    switch (question) {
    case Question::OtherDepartments:
        // The department boxes follow the answer; the other department's name comes back
        // only while "その他" is ticked.
        looks.range(QStringLiteral("chkTaka"), 1, 13, look);
        if (!on || looks.value(QStringLiteral("chkTaka"), 13) == 1)
            looks.set(QStringLiteral("cmbTaka"), look);
        break;
    case Question::Peripheral:
        looks.range(QStringLiteral("chkShuhen"), 1, 12, look);
        if (on) {
            looks.set(QStringLiteral("Label25"), 0, look);
            looks.set(QStringLiteral("Label25"), 3, look);
            if (looks.value(QStringLiteral("chkShuhen"), 12) == 1)
                looks.set(QStringLiteral("txtMondai"), look);
        } else {
            looks.set(QStringLiteral("txtMondai"), look);
            looks.set(QStringLiteral("Label25"), 0, look);
            looks.set(QStringLiteral("Label25"), 3, look);
        }
        break;
    case Question::Psychiatric:
        looks.set(QStringLiteral("cmbPsy"), look);
        break;
    case Question::Specialist:
        looks.set(QStringLiteral("txtPsyist"), look);
        break;
    case Question::CareNote1:
    case Question::CareNote2:
    case Question::CareNote3:
    case Question::CareNote4:
    case Question::CareNote5:
        careNote(looks, static_cast<int>(question) - static_cast<int>(Question::CareNote1) + 1,
                 look);
        break;
    case Question::Infection:
        looks.set(QStringLiteral("cmbKansen"), look);
        looks.set(QStringLiteral("Label15"), 7, look);
        looks.set(QStringLiteral("Label40"), 7, look);
        break;
    }
}

// The level definitions of the two independence scales, by member: first line, second line
// ("" for a one-line definition).
struct Definition
{
    int member;
    const char* first;
    const char* second;
};

const char* const kJ = "何らかの障害等を有するが、日常生活はほぼ自立しており独力で外出する。";
const char* const kA = "屋内での生活は概ね自立しているが、介助無しには外出しない。";
const char* const kB =
    "屋内での生活は何らかの介助を要し、日中もベッド上での生活が主体であるが、座位を保つ。";
const char* const kC = "１日中ベッド上で過ごし、排泄、食事、着替において介助を要する。";
const char* const kII =
    "日常生活に支障を来たすような症状・行動や意思疎通の困難さが多少見られても、";
const char* const kIII =
    "日常生活に支障を来たすような症状・行動や意思疎通の困難さが見られ、介護を必要とする。";

const std::vector<Definition>& bedriddenLevels()
{
    static const std::vector<Definition> table = {
        {2, kJ, "交通機関等を利用して外出する｡ "},
        {3, kJ, "隣近所へなら外出する。"},
        {4, kA, "介助により外出し、日中はほとんどベッドから離れて生活する。"},
        {5, kA, "外出の頻度が少なく、日中も寝たり起きたりの生活をしている。"},
        {6, kB, "車いすに移乗し、食事、排泄はベッドから離れて行う。"},
        {7, kB, "介助により車いすに移乗する。"},
        {8, kC, "自力で寝返りをうつ。"},
        {9, kC, "自力では寝返りもうたない。"},
    };
    return table;
}

const std::vector<Definition>& dementiaLevels()
{
    static const std::vector<Definition> table = {
        {2, "何らかの認知症を有するが、日常生活は家庭内及び社会的にほぼ自立している。", ""},
        {3, kII, "誰かが注意していれば自立できる。家庭外で上記の状態が見られる。"},
        {4, kII, "誰かが注意していれば自立できる。家庭内でも上記の状態が見られる。"},
        {5, kIII, "日中を中心として上記の状態が見られる。"},
        {6, kIII, "夜間を中心として上記の状態が見られる。"},
        {7, "日常生活に支障を来たすような症状・行動や意思疎通の困難さが頻繁に見られ、",
         "常に介護を必要とする。"},
        {8, "著しい精神症状や問題行動あるいは重篤な身体疾患が見られ、専門医療を必要とする。", ""},
    };
    return table;
}

QString definitionText(const Definition& definition)
{
    QString text = QString::fromUtf8(definition.first);
    if (*definition.second)
        text += QStringLiteral("\r\n") + QString::fromUtf8(definition.second);
    return text;
}

void attachDefinitions(const ControlRegistry& controls, const QString& scale,
                       const std::vector<Definition>& levels, Control* comment)
{
    for (const Definition& level : levels) {
        Control* option = controls.find(scale, level.member);
        if (!option)
            continue;
        option->widget()->setMouseTracking(true);
        const QString text = definitionText(level);
        QObject::connect(option->events(), &ControlEvents::mouseMove, option->events(),
                         [comment, text] {
                             comment->setText(text);
                             comment->setVisible(true);
                         });
    }
}

} // namespace

void attachOptionHandlers(const ControlRegistry& controls)
{
    const Looks looks(controls);

    for (const Answer& answer : answers()) {
        Control* option = controls.find(QLatin1String(answer.name), answer.index);
        if (!option)
            continue;
        const Question question = answer.question;
        QObject::connect(
            option->events(), &ControlEvents::click, option->events(),
            [looks, question, yes = answer.yes] { applyQuestion(looks, question, lookOf(yes)); });
        // The control layer clears the option on the right button before this runs, and
        // clearing chooses nothing, so "有" takes its dependants' enabled look away itself.
        if (answer.yes) {
            QObject::connect(option->events(), &ControlEvents::mouseDown, option->events(),
                             [looks, question](const MouseArgs& args) {
                                 if (args.button == Qt::RightButton)
                                     applyQuestion(looks, question, Look::Disabled);
                             });
        }
    }

    if (Control* comment = controls.find(QStringLiteral("lblComment"))) {
        attachDefinitions(controls, QStringLiteral("opNeta"), bedriddenLevels(), comment);
        attachDefinitions(controls, QStringLiteral("opNin"), dementiaLevels(), comment);
    }

    // The doctor block: a box that gets the focus selects its whole text, so typing replaces
    // it. A click selects again once the press has placed the caret.
    for (Control* box : members(controls, QStringLiteral("Kisaisya"))) {
        QWidget* widget = box->widget();
        QObject::connect(box->events(), &ControlEvents::gotFocus, box->events(), [widget] {
            common::SelAllText(*widget);
            QTimer::singleShot(0, widget, [widget] {
                if (widget->hasFocus())
                    common::SelAllText(*widget);
            });
        });
    }
}

} // namespace entry
