#include "tableformreader.h"

#include <QRegularExpression>

namespace {

constexpr int NoIndex = record::FormReader::NoIndex;

} // namespace

TableFormReader TableFormReader::blankLetter()
{
    TableFormReader f;
    const auto single = [&](std::initializer_list<const char*> names) {
        for (const char* n : names)
            f.control(QString::fromLatin1(n));
    };
    const auto array = [&](const char* name, int first, int last) {
        for (int i = first; i <= last; ++i)
            f.control(QString::fromLatin1(name), i);
    };
    // Page 1 and page 9: heading, patient, physician and institution.
    single({"txtNenD",     "txtTukiD",   "txtHiD",     "cmbNengoD", "cmbKisaisya", "txtYubin1Dr",
            "txtYubin2Dr", "txtZushoDr", "txtname",    "txtKana",   "optMale",     "optFemale",
            "cmbNengo",    "txtNen",     "txtTuki",    "txtHi",     "txtToshi",    "txtYubin1",
            "txtYubin2",   "txtZusho",   "txtPtID",    "cmbNengo2", "txtNen2",     "txtTuki2",
            "txtHi2",      "opTakaAri",  "opTakaNasi", "cmbTaka"});
    array("Kisaisya", 1, 1);
    array("Kisaisya", 5, 10);
    array("optDoui", 1, 2);
    array("txtTel", 0, 2);
    array("opKaisu", 0, 1);
    array("chkTaka", 1, 13);
    // Diseases, course and medicines.
    array("cmbSippei", 1, 3);
    array("cmbSippeiNengou", 1, 3);
    array("txtSippeiNen", 1, 3);
    array("txtSippeiTuki", 1, 3);
    array("txtSippeiHi", 1, 3);
    array("opAntei", 1, 3);
    single({"txtHuantei", "txtKeika", "txtTokki"});
    array("cmbYakuzai", 1, 6);
    array("cmbYakuzaiKeizyo", 1, 6);
    array("cmbYouhou", 1, 6);
    array("cheTokubetu", 1, 12);
    // Mind and body.
    array("opNeta", 1, 9);
    array("opNin", 1, 8);
    array("opKioku", 1, 2);
    array("opNinchi", 1, 4);
    array("opDen", 1, 4);
    array("optNinchi", 1, 2);
    array("chkShuhen", 1, 12);
    array("opPsy", 1, 2);
    array("opPsyist", 1, 2);
    array("opKiki", 1, 2);
    array("optHenka", 1, 3);
    single({"txtMondai", "cmbPsy", "txtPsyist", "txtHight", "txtWeight", "chkKesson", "cmbKesson",
            "chkMahi", "cmbMahibui"});
    array("chkMahibui", 1, 5);
    for (int k = 1; k <= 5; ++k)
        array(QStringLiteral("optTeido%1").arg(k).toLatin1().constData(), 1, 3);
    single({"chkTeika", "chkKousyuku", "chkToutsu", "chkJokusou", "chkHihu", "cmbTeika",
            "cmbKousyuku", "cmbToutsu", "cmbJokusou", "cmbHihu"});
    for (const char* degree : {"optKintei", "optKousyuku", "optToutsu", "opJokusou", "optHihu"})
        array(degree, 1, 3);
    array("chkHuzui", 0, 6);
    // Life function, services, care notes and infection.
    array("optHokou", 1, 3);
    array("optIsu", 1, 3);
    array("chkHozyo", 1, 3);
    array("optShokuzi", 1, 2);
    array("optEiyou", 1, 2);
    array("chkJoutai", 1, 14);
    array("optKinou", 1, 3);
    single({"txtEiyou", "cmbTabyotai", "cmbTaisyo", "txtKanri", "cmbKansen"});
    array("chkKanri", 1, 10);
    array("KnariUnder", 1, 10);
    for (int k = 1; k <= 5; ++k)
        array(QStringLiteral("optKanten%1").arg(k).toLatin1().constData(), 1, 2);
    array("cmbKanten", 1, 6);
    array("optKansen", 1, 3);

    f.setText(QStringLiteral("cmbNengoD"), QStringLiteral("令和"));
    f.setText(QStringLiteral("cmbNengo"), QStringLiteral("昭和"));
    f.setText(QStringLiteral("cmbNengo2"), QStringLiteral("令和"));
    for (int k = 1; k <= 3; ++k)
        f.setText(QStringLiteral("cmbSippeiNengou"), k, QStringLiteral("令和"));
    for (int i = 1; i <= 10; ++i)
        f.control(QStringLiteral("KnariUnder"), i).visible = false;
    for (int k = 1; k <= 5; ++k)
        f.control(QStringLiteral("cmbKanten"), k).enabled = false;
    f.control(QStringLiteral("cmbKansen")).enabled = false;
    return f;
}

QStringList TableFormReader::fullLetterSettings()
{
    QStringList settings = {"txtNenD=7",
                            "txtTukiD=04",
                            "txtHiD=01",
                            "cmbKisaisya=山田 太郎",
                            "Kisaisya(1)=山田内科医院",
                            "txtYubin1Dr=100",
                            "txtYubin2Dr=0001",
                            "txtZushoDr=東京都千代田区千代田1-1",
                            "Kisaisya(5)=03",
                            "Kisaisya(6)=1234",
                            "Kisaisya(7)=5678",
                            "Kisaisya(8)=03",
                            "Kisaisya(9)=1234",
                            "Kisaisya(10)=5679",
                            "optDoui(1).Value=1",
                            "txtname=佐藤 花子",
                            "txtKana=さとう はなこ",
                            "optFemale.Value=1",
                            "txtNen=10",
                            "txtTuki=05",
                            "txtHi=03",
                            "txtToshi=91",
                            "txtYubin1=150",
                            "txtYubin2=0002",
                            "txtZusho=東京都渋谷区渋谷2-2-2 渋谷ハイツ305号室",
                            "txtTel(0)=03",
                            "txtTel(1)=9876",
                            "txtTel(2)=5432",
                            "txtPtID=A-000123",
                            "txtNen2=7",
                            "txtTuki2=03",
                            "txtHi2=28",
                            "opKaisu(1).Value=1",
                            "opTakaAri.Value=1",
                            "chkTaka(1).Value=1",
                            "chkTaka(4).Value=1",
                            "chkTaka(12).Value=1",
                            "chkTaka(13).Value=1",
                            "cmbTaka=心臓血管外科",
                            "cmbSippei(1)=脳梗塞",
                            "cmbSippei(2)=高血圧症",
                            "cmbSippei(3)=糖尿病",
                            "cmbSippeiNengou(1)=平成",
                            "txtSippeiNen(1)=20",
                            "txtSippeiTuki(1)=04",
                            "txtSippeiHi(1)=01",
                            "cmbSippeiNengou(2)=平成",
                            "txtSippeiNen(2)=10",
                            "cmbSippeiNengou(3)=不詳",
                            "opAntei(2).Value=1",
                            "txtHuantei=血圧の変動が大きい",
                            "opNeta(6).Value=1",
                            "opNin(3).Value=1",
                            "opKioku(2).Value=1",
                            "opNinchi(2).Value=1",
                            "opDen(2).Value=1",
                            "optNinchi(1).Value=1",
                            "chkShuhen(2).Value=1",
                            "chkShuhen(7).Value=1",
                            "chkShuhen(12).Value=1",
                            "txtMondai=夜間の大声",
                            "opPsy(1).Value=1",
                            "cmbPsy=せん妄",
                            "opPsyist(1).Value=1",
                            "txtPsyist=精神科",
                            "opKiki(1).Value=1",
                            "txtHight=152",
                            "txtWeight=43",
                            "optHenka(3).Value=1",
                            "chkKesson.Value=1",
                            "cmbKesson=左下腿",
                            "chkMahi.Value=1",
                            "chkMahibui(1).Value=1",
                            "chkMahibui(5).Value=1",
                            "optTeido1(2).Value=1",
                            "optTeido5(3).Value=1",
                            "cmbMahibui=顔面",
                            "chkTeika.Value=1",
                            "cmbTeika=両下肢",
                            "optKintei(2).Value=1",
                            "chkToutsu.Value=1",
                            "cmbToutsu=両膝",
                            "optToutsu(3).Value=1",
                            "chkHuzui(0).Value=1",
                            "chkHuzui(1).Value=1",
                            "chkHuzui(6).Value=1",
                            "chkJokusou.Value=1",
                            "cmbJokusou=仙骨部",
                            "opJokusou(1).Value=1",
                            "optHokou(2).Value=1",
                            "optIsu(3).Value=1",
                            "chkHozyo(2).Value=1",
                            "chkHozyo(3).Value=1",
                            "optShokuzi(1).Value=1",
                            "optEiyou(2).Value=1",
                            "txtEiyou=塩分制限",
                            "chkJoutai(1).Value=1",
                            "chkJoutai(2).Value=1",
                            "chkJoutai(14).Value=1",
                            "cmbTabyotai=不眠",
                            "cmbTaisyo=定期的な見守りと服薬管理",
                            "optKinou(1).Value=1",
                            "chkKanri(1).Value=1",
                            "chkKanri(2).Value=1",
                            "KnariUnder(2).Visible=True",
                            "chkKanri(10).Value=1",
                            "txtKanri=訪問マッサージ",
                            "optKanten1(2).Value=1",
                            "cmbKanten(1).Enabled=True",
                            "cmbKanten(1)=収縮期180以上で中止",
                            "optKanten2(1).Value=1",
                            "cmbKanten(6)=転倒に注意",
                            "optKansen(1).Value=1",
                            "cmbKansen.Enabled=True",
                            "cmbKansen=MRSA"};
    for (int k = 1; k <= 6; ++k) {
        settings << QStringLiteral("cmbYakuzai(%1)=薬剤%1").arg(k)
                 << QStringLiteral("cmbYakuzaiKeizyo(%1)=%1錠").arg(k)
                 << QStringLiteral("cmbYouhou(%1)=分%1 毎食後").arg(k);
    }
    for (int k : {1, 5, 9, 12})
        settings << QStringLiteral("cheTokubetu(%1).Value=1").arg(k);
    const QString course = QStringLiteral(
        "平成20年4月に脳梗塞を発症し、左片麻痺が残存している。リハビリテーションにより屋内の"
        "移動は歩行器で可能となったが、屋外は車いすを使用している。\r\n"
        "高血圧症、糖尿病に対して内服加療中であり、血圧・血糖ともにおおむね安定している。");
    settings << QStringLiteral("txtKeika=") + course;
    QString remarks;
    for (int i = 1; i <= 12; ++i)
        remarks += QStringLiteral("%1. 日中は独居となるため、見守りのサービスが必要である。"
                                  "服薬の自己管理は困難で、家族の支援を要する。\r\n")
                       .arg(i);
    settings << QStringLiteral("txtTokki=") + remarks;
    return settings;
}

TableFormReader TableFormReader::fullLetter()
{
    TableFormReader f = blankLetter();
    f.apply(fullLetterSettings());
    return f;
}

QList<QPair<QString, int>> TableFormReader::controlNames() const
{
    return m_controls.keys();
}

const TableFormReader::Control* TableFormReader::find(const QString& name, int index) const
{
    const auto it = m_controls.constFind({name, index});
    return it == m_controls.cend() ? nullptr : &*it;
}

std::optional<QString> TableFormReader::text(const QString& name, int index) const
{
    if (const Control* c = find(name, index))
        return c->text;
    return std::nullopt;
}

std::optional<int> TableFormReader::value(const QString& name, int index) const
{
    if (const Control* c = find(name, index))
        return c->value;
    return std::nullopt;
}

std::optional<bool> TableFormReader::visible(const QString& name, int index) const
{
    if (const Control* c = find(name, index))
        return c->visible;
    return std::nullopt;
}

std::optional<bool> TableFormReader::enabled(const QString& name, int index) const
{
    if (const Control* c = find(name, index))
        return c->enabled;
    return std::nullopt;
}

TableFormReader::Control& TableFormReader::control(const QString& name, int index)
{
    return m_controls[{name, index}];
}

std::optional<TableFormReader::Setting> TableFormReader::parseSetting(const QString& setting)
{
    static const QRegularExpression pattern(
        QStringLiteral(
            "^([A-Za-z0-9_]+)(?:\\((\\d+)\\))?(?:\\.(Text|Value|Visible|Enabled))?=(.*)$"),
        QRegularExpression::DotMatchesEverythingOption);
    const QRegularExpressionMatch m = pattern.match(setting);
    if (!m.hasMatch())
        return std::nullopt;
    Setting s;
    s.name = m.captured(1);
    s.index = m.capturedLength(2) ? m.captured(2).toInt() : NoIndex;
    const QString prop = m.captured(3);
    s.property = prop == QLatin1String("Value")     ? Setting::Value
                 : prop == QLatin1String("Visible") ? Setting::Visible
                 : prop == QLatin1String("Enabled") ? Setting::Enabled
                                                    : Setting::Text;
    s.text = m.captured(4);
    s.number = s.text == QLatin1String("True")    ? 1
               : s.text == QLatin1String("False") ? 0
                                                  : s.text.toInt();
    return s;
}

bool TableFormReader::apply(const QStringList& settings, QString* bad)
{
    for (const QString& setting : settings) {
        const std::optional<Setting> s = parseSetting(setting);
        // Only controls of the form: a misspelt name would otherwise test nothing.
        const auto it = s ? m_controls.find({s->name, s->index}) : m_controls.end();
        if (it == m_controls.end()) {
            if (bad)
                *bad = setting;
            return false;
        }
        Control& c = *it;
        switch (s->property) {
        case Setting::Text:
            c.text = s->text;
            break;
        case Setting::Value:
            c.value = s->number;
            break;
        case Setting::Visible:
            c.visible = s->number != 0;
            break;
        case Setting::Enabled:
            c.enabled = s->number != 0;
            break;
        }
    }
    return true;
}
