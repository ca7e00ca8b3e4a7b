#include "common/schema.h"

#include "platform/database.h"

#include <QStringList>

using namespace Qt::Literals::StringLiterals;

namespace common {

const std::vector<LetterField>& letterFields()
{
    static const std::vector<LetterField> fields = {
        {u"最新意見書記入日"_s, FieldKind::Text},            // 1
        {u"医師名"_s, FieldKind::Text},                      // 2
        {u"医療機関名"_s, FieldKind::Text},                  // 3
        {u"医療機関郵便番号"_s, FieldKind::Text},            // 4
        {u"医療機関住所"_s, FieldKind::Text},                // 5
        {u"医療機関電話局番"_s, FieldKind::Text},            // 6
        {u"医療機関電話"_s, FieldKind::Text},                // 7
        {u"医療機関FAX局番"_s, FieldKind::Text},             // 8
        {u"医療機関FAX"_s, FieldKind::Text},                 // 9
        {u"医師同意"_s, FieldKind::AnswerCode},              // 10
        {u"患者名"_s, FieldKind::Text},                      // 11
        {u"患者名かな"_s, FieldKind::Text},                  // 12
        {u"性別"_s, FieldKind::AnswerCode},                  // 13
        {u"生年月日"_s, FieldKind::Text},                    // 14
        {u"年齢"_s, FieldKind::Text},                        // 15
        {u"郵便番号"_s, FieldKind::Text},                    // 16
        {u"住所"_s, FieldKind::Text},                        // 17
        {u"電話局番"_s, FieldKind::Text},                    // 18
        {u"電話"_s, FieldKind::Text},                        // 19
        {u"カルテ番号"_s, FieldKind::Text},                  // 20
        {u"最終診察日"_s, FieldKind::Text},                  // 21
        {u"意見書作成回数"_s, FieldKind::AnswerCode},        // 22
        {u"他科受診"_s, FieldKind::Text},                    // 23
        {u"他科受診その他"_s, FieldKind::Text},              // 24
        {u"診断名1"_s, FieldKind::Text},                     // 25
        {u"診断名2"_s, FieldKind::Text},                     // 26
        {u"診断名3"_s, FieldKind::Text},                     // 27
        {u"発症年月日1"_s, FieldKind::Text},                 // 28
        {u"発症年月日2"_s, FieldKind::Text},                 // 29
        {u"発症年月日3"_s, FieldKind::Text},                 // 30
        {u"症状安定性"_s, FieldKind::AnswerCode},            // 31
        {u"不安定"_s, FieldKind::Text},                      // 32
        {u"病状治療状態"_s, FieldKind::Text},                // 33
        {u"病状治療状態印刷"_s, FieldKind::Text},            // 34
        {u"薬剤名1"_s, FieldKind::Text},                     // 35
        {u"単位1"_s, FieldKind::Text},                       // 36
        {u"用法1"_s, FieldKind::Text},                       // 37
        {u"薬剤名2"_s, FieldKind::Text},                     // 38
        {u"単位2"_s, FieldKind::Text},                       // 39
        {u"用法2"_s, FieldKind::Text},                       // 40
        {u"薬剤名3"_s, FieldKind::Text},                     // 41
        {u"単位3"_s, FieldKind::Text},                       // 42
        {u"用法3"_s, FieldKind::Text},                       // 43
        {u"薬剤名4"_s, FieldKind::Text},                     // 44
        {u"単位4"_s, FieldKind::Text},                       // 45
        {u"用法4"_s, FieldKind::Text},                       // 46
        {u"薬剤名5"_s, FieldKind::Text},                     // 47
        {u"単位5"_s, FieldKind::Text},                       // 48
        {u"用法5"_s, FieldKind::Text},                       // 49
        {u"薬剤名6"_s, FieldKind::Text},                     // 50
        {u"単位6"_s, FieldKind::Text},                       // 51
        {u"用法6"_s, FieldKind::Text},                       // 52
        {u"点滴管理"_s, FieldKind::YesNo},                   // 53
        {u"中心静脈栄養"_s, FieldKind::YesNo},               // 54
        {u"透析"_s, FieldKind::YesNo},                       // 55
        {u"人工肛門"_s, FieldKind::YesNo},                   // 56
        {u"酸素療法"_s, FieldKind::YesNo},                   // 57
        {u"人工呼吸器"_s, FieldKind::YesNo},                 // 58
        {u"気管切開処置"_s, FieldKind::YesNo},               // 59
        {u"疼痛看護"_s, FieldKind::YesNo},                   // 60
        {u"経管栄養"_s, FieldKind::YesNo},                   // 61
        {u"モニター測定"_s, FieldKind::YesNo},               // 62
        {u"褥創処置"_s, FieldKind::YesNo},                   // 63
        {u"カテーテル"_s, FieldKind::YesNo},                 // 64
        {u"寝たきり度"_s, FieldKind::AnswerCode},            // 65
        {u"認知症状況"_s, FieldKind::AnswerCode},            // 66
        {u"短期記憶"_s, FieldKind::AnswerCode},              // 67
        {u"認知能力"_s, FieldKind::AnswerCode},              // 68
        {u"伝達能力"_s, FieldKind::AnswerCode},              // 69
        {u"幻視幻聴"_s, FieldKind::YesNo},                   // 70
        {u"妄想"_s, FieldKind::YesNo},                       // 71
        {u"昼夜逆転"_s, FieldKind::YesNo},                   // 72
        {u"暴言"_s, FieldKind::YesNo},                       // 73
        {u"暴行"_s, FieldKind::YesNo},                       // 74
        {u"抵抗"_s, FieldKind::YesNo},                       // 75
        {u"徘徊"_s, FieldKind::YesNo},                       // 76
        {u"不始末"_s, FieldKind::YesNo},                     // 77
        {u"不潔行為"_s, FieldKind::YesNo},                   // 78
        {u"異食行動"_s, FieldKind::YesNo},                   // 79
        {u"性的問題行動"_s, FieldKind::YesNo},               // 80
        {u"問題行動他"_s, FieldKind::YesNo},                 // 81
        {u"問題行動他名"_s, FieldKind::Text},                // 82
        {u"精神神経疾患"_s, FieldKind::AnswerCode},          // 83
        {u"精神神経疾患名"_s, FieldKind::Text},              // 84
        {u"専門医"_s, FieldKind::AnswerCode},                // 85
        {u"専門医名"_s, FieldKind::Text},                    // 86
        {u"利き腕"_s, FieldKind::AnswerCode},                // 87
        {u"身長"_s, FieldKind::Text},                        // 88
        {u"体重"_s, FieldKind::Text},                        // 89
        {u"体重変化"_s, FieldKind::AnswerCode},              // 90
        {u"四肢欠損"_s, FieldKind::YesNo},                   // 91
        {u"四肢欠損部位"_s, FieldKind::Text},                // 92
        {u"麻痺"_s, FieldKind::YesNo},                       // 93
        {u"右上肢麻痺"_s, FieldKind::YesNo},                 // 94
        {u"右下肢麻痺"_s, FieldKind::YesNo},                 // 95
        {u"左上肢麻痺"_s, FieldKind::YesNo},                 // 96
        {u"左下肢麻痺"_s, FieldKind::YesNo},                 // 97
        {u"その他麻痺"_s, FieldKind::YesNo},                 // 98
        {u"右上肢麻痺程度"_s, FieldKind::AnswerCode},        // 99
        {u"右下肢麻痺程度"_s, FieldKind::AnswerCode},        // 100
        {u"左上肢麻痺程度"_s, FieldKind::AnswerCode},        // 101
        {u"左下肢麻痺程度"_s, FieldKind::AnswerCode},        // 102
        {u"その他麻痺程度"_s, FieldKind::AnswerCode},        // 103
        {u"その他麻痺部位"_s, FieldKind::Text},              // 104
        {u"筋力低下"_s, FieldKind::YesNo},                   // 105
        {u"筋力低下部位"_s, FieldKind::Text},                // 106
        {u"筋力低下程度"_s, FieldKind::AnswerCode},          // 107
        {u"関節拘縮"_s, FieldKind::YesNo},                   // 108
        {u"関節拘縮部位"_s, FieldKind::Text},                // 109
        {u"関節拘縮程度"_s, FieldKind::AnswerCode},          // 110
        {u"関節疼痛"_s, FieldKind::YesNo},                   // 111
        {u"関節疼痛部位"_s, FieldKind::Text},                // 112
        {u"関節疼痛程度"_s, FieldKind::AnswerCode},          // 113
        {u"上肢失調右"_s, FieldKind::YesNo},                 // 114
        {u"上肢失調左"_s, FieldKind::YesNo},                 // 115
        {u"下肢失調右"_s, FieldKind::YesNo},                 // 116
        {u"下肢失調左"_s, FieldKind::YesNo},                 // 117
        {u"体幹失調右"_s, FieldKind::YesNo},                 // 118
        {u"体幹失調左"_s, FieldKind::YesNo},                 // 119
        {u"失調不随"_s, FieldKind::YesNo},                   // 120
        {u"褥瘡"_s, FieldKind::YesNo},                       // 121
        {u"褥瘡部位"_s, FieldKind::Text},                    // 122
        {u"褥瘡程度"_s, FieldKind::AnswerCode},              // 123
        {u"皮膚疾患"_s, FieldKind::YesNo},                   // 124
        {u"皮膚疾患部位"_s, FieldKind::Text},                // 125
        {u"皮膚疾患程度"_s, FieldKind::AnswerCode},          // 126
        {u"屋外歩行"_s, FieldKind::AnswerCode},              // 127
        {u"車椅子"_s, FieldKind::AnswerCode},                // 128
        {u"補助装具"_s, FieldKind::AnswerCode},              // 129
        {u"食事行為"_s, FieldKind::AnswerCode},              // 130
        {u"栄養状態"_s, FieldKind::AnswerCode},              // 131
        {u"栄食留意"_s, FieldKind::Text},                    // 132
        {u"尿失禁"_s, FieldKind::YesNo},                     // 133
        {u"転倒骨折"_s, FieldKind::YesNo},                   // 134
        {u"移動能力"_s, FieldKind::YesNo},                   // 135
        {u"褥瘡可能性"_s, FieldKind::YesNo},                 // 136
        {u"心肺機能低下"_s, FieldKind::YesNo},               // 137
        {u"閉じこもり"_s, FieldKind::YesNo},                 // 138
        {u"意欲低下"_s, FieldKind::YesNo},                   // 139
        {u"徘徊可能性"_s, FieldKind::YesNo},                 // 140
        {u"低栄養"_s, FieldKind::YesNo},                     // 141
        {u"摂食嚥下"_s, FieldKind::YesNo},                   // 142
        {u"脱水"_s, FieldKind::YesNo},                       // 143
        {u"易感染性"_s, FieldKind::YesNo},                   // 144
        {u"痛み"_s, FieldKind::YesNo},                       // 145
        {u"病態他"_s, FieldKind::YesNo},                     // 146
        {u"病態他名"_s, FieldKind::Text},                    // 147
        {u"対処方法"_s, FieldKind::Text},                    // 148
        {u"生活機能"_s, FieldKind::AnswerCode},              // 149
        {u"訪問診療"_s, FieldKind::YesNo},                   // 150
        {u"訪問看護"_s, FieldKind::YesNo},                   // 151
        {u"訪問歯科診療"_s, FieldKind::YesNo},               // 152
        {u"訪問薬剤管理指導"_s, FieldKind::YesNo},           // 153
        {u"訪問リハビリテーション"_s, FieldKind::YesNo},     // 154
        {u"短期入所療養介護"_s, FieldKind::YesNo},           // 155
        {u"訪問歯科衛生指導"_s, FieldKind::YesNo},           // 156
        {u"訪問栄養食事指導"_s, FieldKind::YesNo},           // 157
        {u"通所リハビリテーション"_s, FieldKind::YesNo},     // 158
        {u"医学的管理他"_s, FieldKind::YesNo},               // 159
        {u"訪問診療下線"_s, FieldKind::YesNo},               // 160
        {u"訪問看護下線"_s, FieldKind::YesNo},               // 161
        {u"訪問歯科診療下線"_s, FieldKind::YesNo},           // 162
        {u"訪問薬剤管理指導下線"_s, FieldKind::YesNo},       // 163
        {u"訪問リハビリテーション下線"_s, FieldKind::YesNo}, // 164
        {u"短期入所療養介護下線"_s, FieldKind::YesNo},       // 165
        {u"訪問歯科衛生指導下線"_s, FieldKind::YesNo},       // 166
        {u"訪問栄養食事指導下線"_s, FieldKind::YesNo},       // 167
        {u"通所リハビリテーション下線"_s, FieldKind::YesNo}, // 168
        {u"医学的管理他下線"_s, FieldKind::YesNo},           // 169
        {u"医学的管理他名"_s, FieldKind::Text},              // 170
        {u"介護血圧"_s, FieldKind::AnswerCode},              // 171
        {u"介護移動"_s, FieldKind::AnswerCode},              // 172
        {u"介護摂食"_s, FieldKind::AnswerCode},              // 173
        {u"介護運動"_s, FieldKind::AnswerCode},              // 174
        {u"介護嚥下"_s, FieldKind::AnswerCode},              // 175
        {u"介護血圧留意事項"_s, FieldKind::Text},            // 176
        {u"介護移動留意事項"_s, FieldKind::Text},            // 177
        {u"介護摂食留意事項"_s, FieldKind::Text},            // 178
        {u"介護運動留意事項"_s, FieldKind::Text},            // 179
        {u"介護嚥下留意事項"_s, FieldKind::Text},            // 180
        {u"介護他"_s, FieldKind::Text},                      // 181
        {u"感染症"_s, FieldKind::AnswerCode},                // 182
        {u"感染症名"_s, FieldKind::Text},                    // 183
        {u"意見書特記事項"_s, FieldKind::Text},              // 184
        {u"意見書特記事項印刷"_s, FieldKind::Text},          // 185
        {u"医師氏名"_s, FieldKind::Text},                    // 186
    };
    return fields;
}

const LetterField& letterField(Field field)
{
    return letterFields()[static_cast<std::size_t>(field)];
}

namespace {

QString columnType(FieldKind kind)
{
    switch (kind) {
    case FieldKind::YesNo:
        return u"BOOLEAN DEFAULT 0"_s; // like a Yes/No column, False in a new row
    case FieldKind::AnswerCode:
        return u"INTEGER"_s;
    case FieldKind::Text:
        break;
    }
    return u"TEXT"_s;
}

bool createTables(db::Database& database, const QStringList& statements, QString* error)
{
    if (!database.beginTrans(error))
        return false;
    for (const QString& sql : statements) {
        if (!database.execute(sql, {}, error)) {
            database.rollback();
            return false;
        }
    }
    return database.commitTrans(error);
}

} // namespace

bool createLetterTables(db::Database& database, QString* error)
{
    QStringList columns{LetterKey + u" INTEGER"_s};
    for (const LetterField& field : letterFields())
        columns << field.name + u' ' + columnType(field.kind);
    return createTables(
        database,
        {u"CREATE TABLE %1 (%2)"_s.arg(LetterTable, columns.join(u", ")),
         u"CREATE UNIQUE INDEX %1 ON %2 (%3)"_s.arg(LetterIndex, LetterTable, LetterKey),
         letterListIndexSql(),
         u"CREATE TABLE %1 (%2 INTEGER, %3 TEXT)"_s.arg(ComboTable, ComboCode, ComboText)},
        error);
}

QString letterListIndexSql()
{
    return u"CREATE INDEX %1 ON %2 (%3)"_s.arg(LetterListIndex, LetterTable, LetterListColumns);
}

bool createPostCodeTables(db::Database& database, QString* error)
{
    return createTables(
        database,
        {u"CREATE TABLE %1 (%2 TEXT COLLATE RTRIM, %3 TEXT)"_s.arg(PostCodeTable, PostCodeCode,
                                                                   PostCodeAddress),
         u"CREATE INDEX %1 ON %2 (%3)"_s.arg(PostCodeIndex, PostCodeTable, PostCodeCode)},
        error);
}

} // namespace common
