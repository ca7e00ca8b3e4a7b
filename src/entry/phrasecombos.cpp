#include "entry/phrasecombos.h"

#include "controls/control.h"

namespace entry {

const QList<PhraseList>& phraseLists()
{
    static const QList<PhraseList> lists = [] {
        QList<PhraseList> l = {
            {1, QStringLiteral("cmbSippei"), 1, 3, QStringLiteral("「診断名」の編集")},
            {2, QStringLiteral("cmbYakuzai"), 1, 6, QStringLiteral("「薬剤名」の編集")},
            {3, QStringLiteral("cmbYakuzaiKeizyo"), 1, 6, QStringLiteral("「薬剤容量」の編集")},
            {4, QStringLiteral("cmbYouhou"), 1, 6, QStringLiteral("「薬剤用法」の編集")},
            {5, QStringLiteral("cmbPsy"), 0, 0, QStringLiteral("「精神神経症状」の編集")},
            {6, QStringLiteral("cmbKesson"), 0, 0, QStringLiteral("「四肢欠損部位」の編集")},
            {7, QStringLiteral("cmbMahibui"), 0, 0, QStringLiteral("「四肢麻痺部位」の編集")},
            {8, QStringLiteral("cmbTeika"), 0, 0, QStringLiteral("「筋力低下部位」の編集")},
            {9, QStringLiteral("cmbKousyuku"), 0, 0, QStringLiteral("「関節拘縮部位」の編集")},
            {10, QStringLiteral("cmbToutsu"), 0, 0, QStringLiteral("「関節疼痛部位」の編集")},
            {11, QStringLiteral("cmbJokusou"), 0, 0, QStringLiteral("「褥瘡部位」の編集")},
            {12, QStringLiteral("cmbHihu"), 0, 0, QStringLiteral("「他の皮膚疾患部位」の編集")},
            {13, QStringLiteral("cmbTabyotai"), 0, 0, QStringLiteral("「他の状態」の編集")},
            {14, QStringLiteral("cmbTaisyo"), 0, 0, QStringLiteral("「対処方針」の編集")},
            {15, QStringLiteral("cmbKanten"), 1, 1, QStringLiteral("「血圧の留意事項」の編集")},
            {16, QStringLiteral("cmbKanten"), 2, 2, QStringLiteral("「移動の留意事項」の編集")},
            {17, QStringLiteral("cmbKanten"), 3, 3, QStringLiteral("「摂食の留意事項」の編集")},
            {18, QStringLiteral("cmbKanten"), 4, 4, QStringLiteral("「運動の留意事項」の編集")},
            {19, QStringLiteral("cmbKanten"), 5, 5, QStringLiteral("「嚥下の留意事項」の編集")},
            {20, QStringLiteral("cmbKanten"), 6, 6, QStringLiteral("「その他の留意事項」の編集")},
            {21, QStringLiteral("cmbKansen"), 0, 0, QStringLiteral("「感染症の名称」の編集")},
            {22, QStringLiteral("cmbKisaisya"), 0, 0, QStringLiteral("「記載者氏名」の編集")},
        };
        return l;
    }();
    return lists;
}

const PhraseList* phraseListOfCode(int code)
{
    return code >= 1 && code <= phraseLists().size() ? &phraseLists()[code - 1] : nullptr;
}

const PhraseList* phraseListOf(const QString& combo, int index)
{
    for (const PhraseList& list : phraseLists()) {
        if (list.combo != combo)
            continue;
        if (list.firstMember == 0 ? index == controls::kNoIndex
                                  : index >= list.firstMember && index <= list.lastMember)
            return &list;
    }
    return nullptr;
}

} // namespace entry
