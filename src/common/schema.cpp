#include "common/schema.h"

#include "platform/database.h"
#include "platform/schemainfo.h"

#include <QHash>
#include <QSet>
#include <QStringList>

#include <algorithm>

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

QString columnTypeName(FieldKind kind)
{
    switch (kind) {
    case FieldKind::YesNo:
        return u"BOOLEAN"_s;
    case FieldKind::AnswerCode:
        return u"INTEGER"_s;
    case FieldKind::Text:
        break;
    }
    return u"TEXT"_s;
}

// A Yes/No column is False in a new row, as a Yes/No column of the original; "" for none.
QString columnDefault(FieldKind kind)
{
    return kind == FieldKind::YesNo ? u"0"_s : QString();
}

QString columnType(FieldKind kind)
{
    const QString value = columnDefault(kind);
    return value.isEmpty() ? columnTypeName(kind) : columnTypeName(kind) + u" DEFAULT "_s + value;
}

const QString IntegerType = u"INTEGER"_s;
const QString TextType = u"TEXT"_s;

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
    QStringList columns{LetterKey + u' ' + IntegerType};
    for (const LetterField& field : letterFields())
        columns << field.name + u' ' + columnType(field.kind);
    return createTables(
        database,
        {u"CREATE TABLE %1 (%2)"_s.arg(LetterTable, columns.join(u", ")),
         u"CREATE UNIQUE INDEX %1 ON %2 (%3)"_s.arg(LetterIndex, LetterTable, LetterKey),
         letterListIndexSql(),
         u"CREATE TABLE %1 (%2 %3, %4 %5)"_s.arg(ComboTable, ComboCode, IntegerType, ComboText,
                                                 TextType)},
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

namespace {

QString folded(const QString& name)
{
    return name.normalized(QString::NormalizationForm_KC).toLower();
}

bool sameName(const QString& a, const QString& b)
{
    return folded(a) == folded(b);
}

// A column the program makes: its type and its DEFAULT ("" for none).
struct OwnColumn
{
    QString type;
    QString defaultValue;
};

using OwnColumns = QHash<QString, OwnColumn>; // by folded name

const OwnColumns& letterColumns()
{
    static const OwnColumns columns = [] {
        OwnColumns c{{folded(LetterKey), {IntegerType, {}}}};
        for (const LetterField& field : letterFields())
            c.insert(folded(field.name), {columnTypeName(field.kind), columnDefault(field.kind)});
        return c;
    }();
    return columns;
}

const OwnColumns& comboColumns()
{
    static const OwnColumns columns{{folded(ComboCode), {IntegerType, {}}},
                                    {folded(ComboText), {TextType, {}}}};
    return columns;
}

// What in the table is not as the program makes it; "" when nothing is.
QString foreignPart(const db::SchemaTable& table, const OwnColumns& own)
{
    if (!table.otherParts.isEmpty())
        return u"表「%1」に、このプログラムが使わない定義（%2）があります。"_s.arg(
            table.name, table.otherParts.join(u"、"_s));
    QSet<QString> seen;
    for (const db::SchemaColumn& column : table.columns) {
        // Names that differ in width alone are one name to the program.
        if (seen.contains(folded(column.name)))
            return u"表「%1」に、同じ名前の項目「%2」が二つあります。"_s.arg(table.name,
                                                                             column.name);
        seen.insert(folded(column.name));
        const auto it = own.constFind(folded(column.name));
        if (sameName(column.name, LetterKey) && column.constraints.contains(u"PRIMARY KEY"_s))
            return u"表「%1」の %2 が行番号を兼ねる主キー（INTEGER PRIMARY KEY）になっています。"_s
                .arg(table.name, column.name);
        if (!column.constraints.isEmpty())
            return u"表「%1」の項目「%2」に、このプログラムが使わない制約（%3）があります。"_s.arg(
                table.name, column.name, column.constraints.join(u"、"_s));
        const QString defaultValue = column.defaultValue.value_or(QString());
        if (it == own.cend()) {
            // A column of no field: any plain value as its DEFAULT, never an expression.
            if (defaultValue.startsWith(u'('))
                return u"表「%1」の項目「%2」の既定値が式（%3）になっています。"_s.arg(
                    table.name, column.name, defaultValue);
            continue;
        }
        if (column.declaredType.simplified().compare(it->type, Qt::CaseInsensitive) != 0)
            return u"表「%1」の項目「%2」の型が「%3」です（このプログラムでは「%4」）。"_s.arg(
                table.name, column.name, column.declaredType, it->type);
        if (column.defaultValue && defaultValue != it->defaultValue)
            return u"表「%1」の項目「%2」に、このプログラムが使わない既定値（%3）があります。"_s
                .arg(table.name, column.name, defaultValue);
    }
    return {};
}

// What in the index is not as the program makes it, if it is one the program makes at all.
QString foreignIndex(const db::SchemaIndex& index)
{
    const auto keys = [&](const QStringList& names) {
        if (index.columns.size() != names.size())
            return false;
        for (qsizetype i = 0; i < names.size(); ++i)
            if (!sameName(index.columns[i], names[i]))
                return false;
        return true;
    };
    const bool plain =
        !index.automatic && !index.partial && index.plainKeys && sameName(index.table, LetterTable);
    if (sameName(index.name, LetterIndex)) {
        if (plain && index.unique && keys({LetterKey}))
            return {};
        return u"索引「%1」が、%2 だけに掛けた一意の索引ではありません。"_s.arg(index.name,
                                                                                LetterKey);
    }
    if (sameName(index.name, LetterListIndex)) {
        if (plain && !index.unique && keys(LetterListColumns.split(u',')))
            return {};
        return u"索引「%1」が、このプログラムの一覧の索引と違います。"_s.arg(index.name);
    }
    if (index.automatic)
        return u"表「%1」に、このプログラムが使わない一意の制約（索引「%2」）があります。"_s.arg(
            index.table, index.name);
    return u"索引「%1」（表「%2」）は、このプログラムの索引ではありません。"_s.arg(index.name,
                                                                                   index.table);
}

} // namespace

QString foreignSchemaObject(const db::Schema& schema)
{
    for (const db::SchemaObject& object : schema.others) {
        if (object.type == QLatin1String("trigger"))
            return u"表「%1」にトリガー「%2」があります。このプログラムはトリガーを使いません。"_s
                .arg(object.table, object.name);
        if (object.type == QLatin1String("view"))
            return u"ビュー「%1」があります。このプログラムはビューを使いません。"_s.arg(
                object.name);
        return u"このプログラムが使わないもの（%1「%2」）があります。"_s.arg(object.type,
                                                                             object.name);
    }
    bool letters = false;
    QSet<QString> seen;
    for (const db::SchemaTable& table : schema.tables) {
        if (seen.contains(folded(table.name)))
            return u"同じ名前の表「%1」が二つあります。"_s.arg(table.name);
        seen.insert(folded(table.name));
        QString problem;
        if (sameName(table.name, LetterTable)) {
            letters = true;
            problem = foreignPart(table, letterColumns());
            const bool keyed = std::any_of(
                table.columns.cbegin(), table.columns.cend(),
                [](const db::SchemaColumn& column) { return sameName(column.name, LetterKey); });
            if (problem.isEmpty() && !keyed)
                problem = u"表「%1」に %2 がありません。"_s.arg(table.name, LetterKey);
        } else if (sameName(table.name, ComboTable)) {
            problem = foreignPart(table, comboColumns());
        } else {
            problem = u"表「%1」は、このプログラムの表ではありません。"_s.arg(table.name);
        }
        if (!problem.isEmpty())
            return problem;
    }
    if (!letters)
        return u"表「%1」がありません。"_s.arg(LetterTable);
    bool keyIndex = false;
    for (const db::SchemaIndex& index : schema.indexes) {
        if (const QString problem = foreignIndex(index); !problem.isEmpty())
            return problem;
        keyIndex = keyIndex || sameName(index.name, LetterIndex);
    }
    if (!keyIndex)
        return u"%1 に一意の索引「%2」がありません（同じ番号の意見書が二つ入りえます）。"_s.arg(
            LetterKey, LetterIndex);
    return {};
}

} // namespace common
