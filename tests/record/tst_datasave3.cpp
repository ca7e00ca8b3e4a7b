#include "letterfile.h"
#include "letterfixtures.h"
#include "platform/database.h"
#include "platform/settings.h"
#include "record/datasave3.h"
#include "record/lettersave.h"
#include "record/wrapforprint.h"
#include "scripteddialogs.h"
#include "tableformreader.h"
#include "testenvironment.h"

#include <QFile>
#include <QtTest>

namespace {

using Row = QMap<QString, QString>;

} // namespace

class DataSave3Test : public QObject
{
    Q_OBJECT
private:
    std::unique_ptr<TestEnvironment> m_env;
    QString m_path;

    // The stored letter `no`, every field as text; empty when there is no such
    // row.
    Row readLetter(qint32 no) { return LetterFile::readLetter(m_path, no); }
    // Saves the form as a new letter and reads it back.
    Row saveNew(const TableFormReader& form)
    {
        const record::LetterSaveResult r = record::SaveLetter(m_path, {}, form);
        if (!r.saved) {
            qWarning() << r.error;
            return {};
        }
        return readLetter(r.letterNo);
    }

private Q_SLOTS:
    void init()
    {
        m_env = std::make_unique<TestEnvironment>();
        m_path = m_env->filePath(QStringLiteral("Ruviro.mdb"));
        QString error;
        QVERIFY2(letterfixtures::createDataFile(m_path, &error), qPrintable(error));
    }
    void cleanup() { m_env.reset(); }

    // Each row: settings of the blank form, then the fields expected in the
    // stored letter.
    void fields_data()
    {
        QTest::addColumn<QStringList>("settings");
        QTest::addColumn<QStringList>("expected");

        // Heading, physician and patient.
        QTest::newRow("blank dates and pairs")
            << QStringList{}
            << QStringList{
                   "最新意見書記入日=",  "生年月日=",      "最終診察日=",   "郵便番号=-", "電話=-",
                   "医療機関郵便番号=-", "医療機関電話=-", "医療機関FAX=-", "医師同意=0", "性別=0",
                   "意見書作成回数=0"};
        QTest::newRow("writing date with the era box's era")
            << QStringList{"cmbNengoD=平成", "txtNenD=18", "txtTukiD=04", "txtHiD=01"}
            << QStringList{"最新意見書記入日=平成18年04月01日"};
        QTest::newRow("writing date in Reiwa")
            << QStringList{"cmbNengoD=令和", "txtNenD=7", "txtTukiD=12", "txtHiD=10"}
            << QStringList{"最新意見書記入日=令和7年12月10日"};
        QTest::newRow("writing year alone") << QStringList{"cmbNengoD=平成", "txtNenD=18"}
                                            << QStringList{"最新意見書記入日=平成18年月日"};
        QTest::newRow("birth and last examination")
            << QStringList{"cmbNengo=平成",  "txtNen=10", "txtTuki=05",  "txtHi=03",
                           "cmbNengo2=令和", "txtNen2=7", "txtTuki2=03", "txtHi2=28"}
            << QStringList{"生年月日=平成10年05月03日", "最終診察日=令和7年03月28日"};
        QTest::newRow("answers and pairs")
            << QStringList{"optDoui(2).Value=1",   "optMale.Value=1", "opKaisu(0).Value=1",
                           "txtYubin1=150",        "txtYubin2=0002",  "txtTel(0)=03",
                           "txtTel(1)=1234",       "txtTel(2)=5678",  "Kisaisya(9)=11",
                           "cmbKisaisya=山田 太郎"}
            << QStringList{"医師同意=2",        "性別=1",           "意見書作成回数=1",
                           "郵便番号=150-0002", "電話局番=03",      "電話=1234-5678",
                           "医療機関FAX=11-",   "医師名=山田 太郎", "医師氏名=山田 太郎"};

        // Other departments, diagnoses and onset dates.
        QTest::newRow("departments with other")
            << QStringList{"opTakaAri.Value=1",   "chkTaka(1).Value=1",  "chkTaka(4).Value=1",
                           "chkTaka(12).Value=1", "chkTaka(13).Value=1", "cmbTaka=心臓血管外科"}
            << QStringList{"他科受診=010412", "他科受診その他=心臓血管外科"};
        QTest::newRow("departments: only other, empty name")
            << QStringList{"opTakaAri.Value=1", "chkTaka(13).Value=1"}
            << QStringList{"他科受診=", "他科受診その他="};
        QTest::newRow("departments: no with ticks left")
            << QStringList{"opTakaNasi.Value=1", "chkTaka(2).Value=1", "chkTaka(13).Value=1",
                           "cmbTaka=歯科口腔外科"}
            << QStringList{"他科受診=", "他科受診その他="};
        QTest::newRow("departments: unanswered")
            << QStringList{"chkTaka(3).Value=1", "chkTaka(13).Value=1", "cmbTaka=麻酔科"}
            << QStringList{"他科受診=00", "他科受診その他="};
        {
            QStringList all{"opTakaAri.Value=1"};
            for (int i = 1; i <= 12; ++i)
                all << QStringLiteral("chkTaka(%1).Value=1").arg(i);
            QTest::newRow("departments: all twelve")
                << all << QStringList{"他科受診=010203040506070809101112"};
        }
        QTest::newRow("onset dates")
            << QStringList{"cmbSippei(1)=脳梗塞",     "cmbSippeiNengou(1)=平成",
                           "txtSippeiNen(1)=20",      "txtSippeiTuki(1)=04",
                           "txtSippeiHi(1)=01",       "cmbSippeiNengou(2)=不詳",
                           "cmbSippeiNengou(3)=不詳", "txtSippeiNen(3)=20"}
            << QStringList{"診断名1=脳梗塞", "診断名2=", "発症年月日1=平成20年04月01日",
                           "発症年月日2=不詳年月日", "発症年月日3=不詳20年月日"};
        QTest::newRow("onset dates: empty and odd eras")
            << QStringList{"cmbSippeiNengou(1)=昭和", "cmbSippeiNengou(2)=", "cmbSippeiNengou(3)=",
                           "txtSippeiNen(3)=20",      "txtSippeiNen(1)=",    "txtSippeiHi(2)="}
            << QStringList{"発症年月日1=00", "発症年月日2=年月日", "発症年月日3=00"};
        QTest::newRow("onset date partly filled")
            << QStringList{"cmbSippeiNengou(1)=平成", "txtSippeiNen(1)=20"}
            << QStringList{"発症年月日1=平成20年月日"};

        // Course, medicines and special care.
        QTest::newRow("stability unanswered") << QStringList{} << QStringList{"症状安定性=0"};
        QTest::newRow("stability unstable")
            << QStringList{"opAntei(2).Value=1"} << QStringList{"症状安定性=2"};
        QTest::newRow("stable with detail kept")
            << QStringList{"opAntei(1).Value=1", "txtHuantei=夜間に不穏"}
            << QStringList{"症状安定性=1", "不安定=夜間に不穏"};
        QTest::newRow("medicines in row 3 only")
            << QStringList{"cmbYakuzai(3)=アムロジピン", "cmbYakuzaiKeizyo(3)=5mg",
                           "cmbYouhou(3)=朝食後"}
            << QStringList{"薬剤名1=",  "単位1=",       "用法1=",
                           "薬剤名2=",  "用法2=",       "薬剤名3=アムロジピン",
                           "単位3=5mg", "用法3=朝食後", "用法6="};
        QTest::newRow("catheter alone")
            << QStringList{"cheTokubetu(12).Value=1"}
            << QStringList{"カテーテル=True", "点滴管理=False", "酸素療法=False", "褥創処置=False"};
        QTest::newRow("oxygen") << QStringList{"cheTokubetu(5).Value=1"}
                                << QStringList{"酸素療法=True"};
        QTest::newRow("course and remarks empty")
            << QStringList{}
            << QStringList{
                   "病状治療状態=", "病状治療状態印刷=", "意見書特記事項=", "意見書特記事項印刷="};

        // Independence, cognition and problem behaviour.
        QTest::newRow("independence codes")
            << QStringList{"opNeta(6).Value=1", "opNin(8).Value=1", "opKioku(2).Value=1"}
            << QStringList{"寝たきり度=6", "認知症状況=8", "短期記憶=2", "認知能力=0",
                           "伝達能力=0"};
        QTest::newRow("behaviour yes")
            << QStringList{"optNinchi(1).Value=1", "chkShuhen(2).Value=1", "chkShuhen(7).Value=1",
                           "txtMondai=収集癖"}
            << QStringList{"妄想=True", "徘徊=True", "幻視幻聴=False", "問題行動他=False",
                           "問題行動他名=収集癖"};
        QTest::newRow("behaviour no with ticks left")
            << QStringList{"optNinchi(2).Value=1", "chkShuhen(2).Value=1", "txtMondai=収集癖"}
            << QStringList{"妄想=False", "問題行動他名="};
        QTest::newRow("behaviour unanswered")
            << QStringList{"chkShuhen(2).Value=1", "chkShuhen(12).Value=1", "txtMondai=収集癖"}
            << QStringList{"妄想=False", "問題行動他=False", "問題行動他名=00"};

        // Psychiatric findings, physique, limb loss and paralysis.
        QTest::newRow("psychiatric unanswered")
            << QStringList{"cmbPsy=せん妄", "txtPsyist=精神科"}
            << QStringList{"精神神経疾患=0", "精神神経疾患名=", "専門医=0", "専門医名="};
        QTest::newRow("psychiatric no, specialist yes")
            << QStringList{"opPsy(2).Value=1", "cmbPsy=せん妄", "opPsyist(1).Value=1",
                           "txtPsyist=精神神経科クリニック院長"}
            << QStringList{"精神神経疾患=2", "精神神経疾患名=", "専門医=1",
                           "専門医名=精神神経科クリニック院長"};
        QTest::newRow("psychiatric yes, specialist no")
            << QStringList{"opPsy(1).Value=1", "cmbPsy=せん妄", "opPsyist(2).Value=1",
                           "txtPsyist=精神科"}
            << QStringList{"精神神経疾患=1", "精神神経疾患名=せん妄", "専門医=2", "専門医名="};
        QTest::newRow("physique") << QStringList{"opKiki(2).Value=1", "txtWeight=43.5",
                                                 "optHenka(3).Value=1"}
                                  << QStringList{"利き腕=2", "身長=", "体重=43.5", "体重変化=3"};
        QTest::newRow("limb loss unticked keeps no site")
            << QStringList{"cmbKesson=左下腿"} << QStringList{"四肢欠損=False", "四肢欠損部位="};
        QTest::newRow("limb loss ticked, empty site")
            << QStringList{"chkKesson.Value=1"} << QStringList{"四肢欠損=True", "四肢欠損部位="};
        QTest::newRow("paralysis unticked clears the group")
            << QStringList{"chkMahibui(1).Value=1", "chkMahibui(5).Value=1", "optTeido1(2).Value=1",
                           "optTeido5(3).Value=1", "cmbMahibui=顔面"}
            << QStringList{"麻痺=False",       "右上肢麻痺=False", "その他麻痺=False",
                           "右上肢麻痺程度=0", "その他麻痺程度=0", "その他麻痺部位="};
        QTest::newRow("paralysis site without degree")
            << QStringList{"chkMahi.Value=1", "chkMahibui(1).Value=1", "optTeido3(2).Value=1"}
            << QStringList{"麻痺=True", "右上肢麻痺=True", "右上肢麻痺程度=0", "左上肢麻痺=False",
                           "左上肢麻痺程度=0"};
        QTest::newRow("paralysis other site")
            << QStringList{"chkMahi.Value=1", "chkMahibui(5).Value=1", "optTeido5(3).Value=1",
                           "chkMahibui(2).Value=1", "optTeido2(1).Value=1"}
            << QStringList{"その他麻痺=True", "その他麻痺部位=", "その他麻痺程度=3",
                           "右下肢麻痺=True", "右下肢麻痺程度=1"};
        QTest::newRow("paralysis, no site")
            << QStringList{"chkMahi.Value=1", "cmbMahibui=顔面"}
            << QStringList{"麻痺=True", "左下肢麻痺=False", "その他麻痺部位=", "左下肢麻痺程度=0"};

        // Muscles, joints, ataxia, pressure sores and skin.
        QTest::newRow("weakness without degree")
            << QStringList{"chkTeika.Value=1", "cmbTeika=両下肢"}
            << QStringList{"筋力低下=True", "筋力低下部位=両下肢", "筋力低下程度=0"};
        QTest::newRow("joint pain severe")
            << QStringList{"chkToutsu.Value=1", "optToutsu(3).Value=1"}
            << QStringList{"関節疼痛=True", "関節疼痛程度=3"};
        QTest::newRow("pressure sore unticked")
            << QStringList{"cmbJokusou=仙骨部", "opJokusou(2).Value=1"}
            << QStringList{"褥瘡=False", "褥瘡部位=", "褥瘡程度=0"};
        QTest::newRow("skin, empty site, mild")
            << QStringList{"chkHihu.Value=1", "optHihu(1).Value=1"}
            << QStringList{"皮膚疾患=True", "皮膚疾患部位=", "皮膚疾患程度=1"};
        QTest::newRow("ataxia sides")
            << QStringList{"chkHuzui(0).Value=1", "chkHuzui(1).Value=1", "chkHuzui(6).Value=1"}
            << QStringList{"失調不随=True", "上肢失調右=True", "体幹失調左=True",
                           "上肢失調左=False", "下肢失調右=False"};
        QTest::newRow("ataxia without side")
            << QStringList{"chkHuzui(0).Value=1"}
            << QStringList{"失調不随=True", "上肢失調右=False", "体幹失調左=False"};
        QTest::newRow("ataxia unticked")
            << QStringList{"chkHuzui(1).Value=1", "chkHuzui(4).Value=1"}
            << QStringList{"失調不随=False", "上肢失調右=False", "下肢失調左=False"};

        // Mobility, nutrition, risks and prognosis.
        QTest::newRow("mobility codes")
            << QStringList{"optHokou(2).Value=1", "optIsu(3).Value=1", "optShokuzi(2).Value=1",
                           "optKinou(3).Value=1"}
            << QStringList{"屋外歩行=2", "車椅子=3", "食事行為=2", "栄養状態=0", "生活機能=3"};
        for (const auto& [boxes, code] : QList<std::pair<QStringList, QString>>{
                 {{}, "0"}, {{"1"}, "1"}, {{"2"}, "2"}, {{"3"}, "3"}, {{"2", "3"}, "4"}}) {
            QStringList s;
            for (const QString& b : boxes)
                s << QStringLiteral("chkHozyo(%1).Value=1").arg(b);
            QTest::addRow("walking aids %s", qPrintable(boxes.join('+')))
                << s << QStringList{"補助装具=" + code};
        }
        QTest::newRow("conditions")
            << QStringList{"chkJoutai(8).Value=1", "chkJoutai(4).Value=1", "chkJoutai(13).Value=1",
                           "cmbTabyotai=不眠"}
            << QStringList{"徘徊可能性=True", "褥瘡可能性=True", "痛み=True",
                           "尿失禁=False",    "病態他=False",    "病態他名="};
        QTest::newRow("other condition, empty name")
            << QStringList{"chkJoutai(14).Value=1"} << QStringList{"病態他=True", "病態他名="};
        QTest::newRow("other condition named")
            << QStringList{"chkJoutai(14).Value=1", "cmbTabyotai=不眠"}
            << QStringList{"病態他=True", "病態他名=不眠"};
        QTest::newRow("cuts at 40 and 60 characters")
            << QStringList{"txtEiyou=" + QString(50, QChar(u'塩')),
                           "cmbTaisyo=" + QString(70, QChar(u'見'))}
            << QStringList{"栄食留意=" + QString(40, QChar(u'塩')),
                           "対処方法=" + QString(60, QChar(u'見'))};
        QTest::newRow("cuts keep surrogate pairs whole")
            << QStringList{"txtEiyou=" + QString(39, QChar(u'塩')) + QStringLiteral("𠀋𠀋"),
                           "cmbTaisyo=" + QStringLiteral("𩸽").repeated(61)}
            << QStringList{"栄食留意=" + QString(39, QChar(u'塩')) + QStringLiteral("𠀋"),
                           "対処方法=" + QStringLiteral("𩸽").repeated(60)};
        QTest::newRow("exactly 40 stays whole")
            << QStringList{"txtEiyou=" + QString(40, QChar(u'塩'))}
            << QStringList{"栄食留意=" + QString(40, QChar(u'塩'))};

        // Medical services, care notes and infection.
        QTest::newRow("services and underlines")
            << QStringList{"chkKanri(1).Value=1", "chkKanri(2).Value=1",
                           "KnariUnder(2).Visible=True", "KnariUnder(3).Visible=True"}
            << QStringList{"訪問診療=True",
                           "訪問診療下線=False",
                           "訪問看護=True",
                           "訪問看護下線=True",
                           "訪問歯科診療=False",
                           "訪問歯科診療下線=True",
                           "訪問リハビリテーション=False",
                           "医学的管理他=False"};
        QTest::newRow("other service named")
            << QStringList{"chkKanri(10).Value=1", "txtKanri=訪問マッサージ",
                           "KnariUnder(10).Visible=True"}
            << QStringList{"医学的管理他=True", "医学的管理他名=訪問マッサージ",
                           "医学的管理他下線=True"};
        QTest::newRow("other service unticked")
            << QStringList{"txtKanri=訪問マッサージ"} << QStringList{"医学的管理他名="};
        QTest::newRow("care notes blanked when disabled")
            << QStringList{"optKanten1(2).Value=1",      "cmbKanten(1).Enabled=True",
                           "cmbKanten(1)=収縮期180以上", "optKanten2(1).Value=1",
                           "cmbKanten(2)=残っていた文",  "cmbKanten(3)=未回答の文",
                           "cmbKanten(6)=転倒に注意"}
            << QStringList{"介護血圧=2",       "介護血圧留意事項=収縮期180以上",
                           "介護移動=1",       "介護移動留意事項=",
                           "介護摂食=0",       "介護摂食留意事項=",
                           "介護他=転倒に注意"};
        QTest::newRow("infection yes")
            << QStringList{"optKansen(1).Value=1", "cmbKansen.Enabled=True", "cmbKansen=MRSA"}
            << QStringList{"感染症=1", "感染症名=MRSA"};
        QTest::newRow("infection no with name left")
            << QStringList{"optKansen(2).Value=1", "cmbKansen=MRSA"}
            << QStringList{"感染症=2", "感染症名="};
        QTest::newRow("infection unanswered")
            << QStringList{"cmbKansen=MRSA"} << QStringList{"感染症=0", "感染症名="};
    }
    void fields()
    {
        QFETCH(QStringList, settings);
        QFETCH(QStringList, expected);
        TableFormReader form = TableFormReader::blankLetter();
        QString bad;
        QVERIFY2(form.apply(settings, &bad), qPrintable(bad));
        const Row row = saveNew(form);
        QVERIFY(!row.isEmpty());
        for (const QString& e : expected) {
            const QString field = e.section(u'=', 0, 0);
            const QString value = e.section(u'=', 1);
            QVERIFY2(row.contains(field), qPrintable(field));
            QCOMPARE(row.value(field), value);
        }
    }

    void printCopiesAreTheirOwnTexts()
    {
        TableFormReader form = TableFormReader::blankLetter();
        const QString course = QStringLiteral("経").repeated(50);
        const QString remarks = QStringLiteral("特記\r\n") + QStringLiteral("記").repeated(46);
        form.setText(QStringLiteral("txtKeika"), course);
        form.setText(QStringLiteral("txtTokki"), remarks);
        const Row row = saveNew(form);
        QCOMPARE(row.value(QStringLiteral("病状治療状態")), course);
        QCOMPARE(row.value(QStringLiteral("病状治療状態印刷")), record::WrapForPrint(course));
        QCOMPARE(row.value(QStringLiteral("意見書特記事項")), remarks);
        QCOMPARE(row.value(QStringLiteral("意見書特記事項印刷")), record::WrapForPrint(remarks));
        QVERIFY(row.value(QStringLiteral("病状治療状態印刷")) != course);
    }

    void everyFieldOfAFullLetterIsWritten()
    {
        const Row row = saveNew(TableFormReader::fullLetter());
        QCOMPARE(row.value(QStringLiteral("作成NO")), QStringLiteral("1"));
        QCOMPARE(row.value(QStringLiteral("最新意見書記入日")), QStringLiteral("令和7年04月01日"));
        QCOMPARE(row.value(QStringLiteral("他科受診")), QStringLiteral("010412"));
        QCOMPARE(row.value(QStringLiteral("補助装具")), QStringLiteral("4"));
        QCOMPARE(row.value(QStringLiteral("医師氏名")), row.value(QStringLiteral("医師名")));
        // No field is left Null: every column of the letter got a value.
        for (auto it = row.cbegin(); it != row.cend(); ++it)
            QVERIFY2(!LetterFile::isNull(m_path, 1, it.key()), qPrintable(it.key()));
    }

    // Every field the save writes is a column of the schema; a column the table
    // lacks is the only write that fails.
    void failedWritesAreTheMissingColumns()
    {
        const auto writeNew = [&] {
            const record::LetterSaveResult r =
                record::SaveLetter(m_path, {}, TableFormReader::fullLetter());
            return r.saved ? r.lostFields : QStringList{QStringLiteral("(no row)")};
        };
        QCOMPARE(writeNew(), QStringList{});
        QVERIFY(LetterFile::dropColumn(m_path, QStringLiteral("意見書特記事項印刷")));
        QCOMPARE(writeNew(), QStringList{QStringLiteral("意見書特記事項印刷")});
        QCOMPARE(readLetter(2).value(QStringLiteral("意見書特記事項")),
                 *TableFormReader::fullLetter().text(QStringLiteral("txtTokki")));
    }

    void missingColumnLeavesTheOthers()
    {
        ScriptedDialogs dialogs;
        QVERIFY(LetterFile::dropColumn(m_path, QStringLiteral("診断名2")));
        const TableFormReader form = TableFormReader::fullLetter();
        const record::LetterSaveResult r = record::SaveLetter(m_path, {}, form);
        QVERIFY2(r.saved, qPrintable(r.error));
        QCOMPARE(r.lostFields, QStringList{QStringLiteral("診断名2")});
        const Row row = readLetter(r.letterNo);
        QVERIFY(!row.contains(QStringLiteral("診断名2")));
        QCOMPARE(row.value(QStringLiteral("診断名1")), QStringLiteral("脳梗塞"));
        QCOMPARE(row.value(QStringLiteral("診断名3")), QStringLiteral("糖尿病"));
        QCOMPARE(row.value(QStringLiteral("感染症名")), QStringLiteral("MRSA"));
        QCOMPARE(row.value(QStringLiteral("医師氏名")), QStringLiteral("山田 太郎"));
        QVERIFY(dialogs.shown().isEmpty());
    }

    void missingControlLeavesItsField()
    {
        QCOMPARE(record::SaveLetter(m_path, {}, TableFormReader::fullLetter()).letterNo, 1);
        TableFormReader form = TableFormReader::blankLetter();
        form.remove(QStringLiteral("txtname"));
        form.remove(QStringLiteral("txtKeika"));
        QVERIFY(record::SaveLetter(m_path, record::LetterStore(m_path).read(1).letter, form).saved);
        const Row row = readLetter(1);
        QCOMPARE(row.value(QStringLiteral("患者名")), QStringLiteral("佐藤 花子"));
        QVERIFY(row.value(QStringLiteral("病状治療状態印刷")).startsWith(u"平成20年4月"));
        QCOMPARE(row.value(QStringLiteral("患者名かな")), QString());
        QCOMPARE(row.value(QStringLiteral("意見書特記事項印刷")), QString());
    }

    void savingTwiceGivesTheSameRow()
    {
        const TableFormReader form = TableFormReader::fullLetter();
        const record::LetterSaveResult first = record::SaveLetter(m_path, {}, form);
        QVERIFY(first.saved);
        const Row once = readLetter(first.letterNo);
        const record::LetterSaveResult second = record::SaveLetter(m_path, first.stored, form);
        QVERIFY(second.saved);
        QCOMPARE(second.letterNo, first.letterNo);
        QCOMPARE(readLetter(first.letterNo), once);
        QCOMPARE(LetterFile::letterNumbers(m_path), QList<qint32>{1});
    }

    void editRewritesItsOwnRow()
    {
        TableFormReader form = TableFormReader::fullLetter();
        QVERIFY(record::SaveLetter(m_path, {}, form).saved);
        QVERIFY(record::SaveLetter(m_path, {}, form).saved);
        form.setText(QStringLiteral("txtname"), QStringLiteral("鈴木 一郎"));
        form.setValue(QStringLiteral("chkKanri"), 1, 0);
        QVERIFY(record::SaveLetter(m_path, record::LetterStore(m_path).read(1).letter, form).saved);
        QCOMPARE(readLetter(1).value(QStringLiteral("患者名")), QStringLiteral("鈴木 一郎"));
        QCOMPARE(readLetter(1).value(QStringLiteral("訪問診療")), QStringLiteral("False"));
        QCOMPARE(readLetter(2).value(QStringLiteral("患者名")), QStringLiteral("佐藤 花子"));
        QCOMPARE(LetterFile::letterNumbers(m_path), (QList<qint32>{1, 2}));
    }

    void newLetterNumber_data()
    {
        QTest::addColumn<QList<qint32>>("stored");
        QTest::addColumn<qint32>("expected");
        QTest::newRow("empty table") << QList<qint32>{} << 1;
        QTest::newRow("letters 1 to 7") << QList<qint32>{1, 2, 3, 4, 5, 6, 7} << 8;
        QTest::newRow("out of order") << QList<qint32>{3, 9, 4} << 10;
    }
    void newLetterNumber()
    {
        QFETCH(QList<qint32>, stored);
        QFETCH(qint32, expected);
        for (qint32 no : stored)
            QVERIFY(LetterFile::addEmptyLetter(m_path, no));
        const record::LetterSaveResult r =
            record::SaveLetter(m_path, {}, TableFormReader::fullLetter());
        QVERIFY2(r.saved, qPrintable(r.error));
        QCOMPARE(r.letterNo, expected);
        QCOMPARE(readLetter(expected).value(QStringLiteral("患者名")), QStringLiteral("佐藤 花子"));
    }
};

QTEST_MAIN(DataSave3Test)
#include "tst_datasave3.moc"
