// Saving the letter of the real entry form: its controls filled as a user would leave them,
// saved into a temporary data file and read back.
#include "common/appstate.h"
#include "common/fontsubstitution.h"
#include "controls/controlwidgets.h"
#include "entry/formcontrolsreader.h"
#include "entry/frmDat3.h"
#include "entry/lettersaving.h"
#include "letterfile.h"
#include "letterfixtures.h"
#include "platform/database.h"
#include "record/datasave3.h"
#include "record/lettersave.h"
#include "record/wrapforprint.h"
#include "scripteddialogs.h"
#include "tableformreader.h"
#include "testenvironment.h"

#include <QFile>
#include <QTabBar>
#include <QTextBlock>
#include <QTextLayout>
#include <QtTest>

#include <memory>

namespace {

using Row = QMap<QString, QString>;

} // namespace

class LetterSaveTest : public QObject
{
    Q_OBJECT
private:
    std::unique_ptr<TestEnvironment> m_env;
    std::unique_ptr<entry::frmDat3> m_form;
    QString m_path;

    // Sets the controls as code would; the form's own handlers react as they do for the
    // user. False, with the setting, when a control is missing or refuses the value.
    bool fill(const QStringList& settings, QString* bad)
    {
        controls::ControlRegistry& controls = m_form->controls();
        for (const QString& setting : settings) {
            const auto s = TableFormReader::parseSetting(setting);
            bool ok = s.has_value();
            if (ok) {
                switch (s->property) {
                case TableFormReader::Setting::Text:
                    ok = controls.setText(s->name, s->index, s->text);
                    break;
                case TableFormReader::Setting::Value:
                    ok = controls.setValue(s->name, s->index, s->number);
                    break;
                case TableFormReader::Setting::Visible:
                    ok = controls.setVisible(s->name, s->index, s->number != 0);
                    break;
                case TableFormReader::Setting::Enabled:
                    ok = controls.setEnabled(s->name, s->index, s->number != 0);
                    break;
                }
            }
            if (!ok) {
                *bad = setting;
                return false;
            }
        }
        return true;
    }
    QString text(const QString& name, int index = controls::kNoIndex) const
    {
        return m_form->controls().text(name, index).value_or(QStringLiteral("(missing)"));
    }

private Q_SLOTS:
    void initTestCase() { common::installFontSubstitutions(); }
    void init()
    {
        m_env = std::make_unique<TestEnvironment>();
        m_path = m_env->filePath(QStringLiteral("Ruviro.mdb"));
        QString error;
        QVERIFY2(letterfixtures::createDataFile(m_path, &error), qPrintable(error));
        common::appState().DatabasePath = m_path;
        common::appState().CurrentLetterNo = 0;
        m_form = std::make_unique<entry::frmDat3>();
        m_form->TabNew();
        m_form->applyEraDefaults();
        m_form->controls().setText(QStringLiteral("cmbNengoD"), controls::kNoIndex,
                                   QStringLiteral("令和"));
        m_form->show();
    }
    void cleanup()
    {
        m_form.reset();
        m_env.reset();
    }

    // The form has every control that the save reads, and each of them can be read.
    void formHasEveryControlTheSaveReads()
    {
        const auto names = TableFormReader::blankLetter().controlNames();
        QStringList missing;
        for (const auto& [name, index] : names) {
            if (!m_form->controls().contains(name, index))
                missing << QStringLiteral("%1(%2)").arg(name).arg(index);
        }
        missing.sort();
        QCOMPARE(missing.join(u' '), QString());

        record::Letter letter;
        QCOMPARE(record::DataSave3(entry::FormControlsReader(m_form->controls()), letter),
                 QStringList{});
    }

    // Filled with the full letter, the form saves the same row as the table of controls.
    void fullLetterSavesAsTheTable()
    {
        QString bad;
        QVERIFY2(fill(TableFormReader::fullLetterSettings(), &bad), qPrintable(bad));
        QVERIFY(entry::SaveLetter(*m_form));
        QCOMPARE(common::appState().CurrentLetterNo, 1);
        const Row fromForm = LetterFile::readLetter(m_path, 1);

        const record::LetterSaveResult table =
            record::SaveLetter(m_path, {}, TableFormReader::fullLetter());
        QVERIFY(table.saved);
        Row fromTable = LetterFile::readLetter(m_path, table.letterNo);
        fromTable[QStringLiteral("作成NO")] = QStringLiteral("1");
        for (auto it = fromTable.cbegin(); it != fromTable.cend(); ++it)
            QCOMPARE(fromForm.value(it.key()), it.value());
        QCOMPARE(fromForm.value(QStringLiteral("病状治療状態印刷")),
                 record::WrapForPrint(text(QStringLiteral("txtKeika"))));
    }

    // Cases where the form's own reactions decide what is stored.
    void fields_data()
    {
        QTest::addColumn<QStringList>("settings");
        QTest::addColumn<QStringList>("expected");

        QTest::newRow("writing date in the era box's era")
            << QStringList{"cmbNengoD=平成", "txtNenD=31", "txtTukiD=04", "txtHiD=30"}
            << QStringList{"最新意見書記入日=平成31年04月30日"};
        QTest::newRow("empty form")
            << QStringList{}
            << QStringList{
                   "最新意見書記入日=", "生年月日=",      "最終診察日=",    "郵便番号=-",
                   "他科受診=00",       "発症年月日1=00", "症状安定性=0",   "問題行動他名=00",
                   "補助装具=0",        "感染症=0",       "医学的管理他名="};
        QTest::newRow("departments")
            << QStringList{"opTakaAri.Value=1",   "chkTaka(1).Value=1",  "chkTaka(4).Value=1",
                           "chkTaka(12).Value=1", "chkTaka(13).Value=1", "cmbTaka=心臓血管外科"}
            << QStringList{"他科受診=010412", "他科受診その他=心臓血管外科"};
        QTest::newRow("departments answered no after yes")
            << QStringList{"opTakaAri.Value=1", "chkTaka(2).Value=1", "opTakaNasi.Value=1"}
            << QStringList{"他科受診=", "他科受診その他="};
        QTest::newRow("onset unknown")
            << QStringList{"cmbSippeiNengou(1)=不詳", "cmbSippeiNengou(2)=不詳",
                           "txtSippeiNen(2)=20"}
            << QStringList{"発症年月日1=不詳年月日", "発症年月日2=不詳20年月日", "発症年月日3=00"};
        QTest::newRow("course with typed lines")
            << QStringList{"txtKeika=一行目\r\n" + QStringLiteral("長").repeated(50)}
            << QStringList{"病状治療状態=一行目\r\n" + QStringLiteral("長").repeated(50),
                           "病状治療状態印刷=一行目\r\n" + QStringLiteral("長").repeated(44) +
                               "\r\n" + QStringLiteral("長").repeated(6)};
        QTest::newRow("behaviour cleared after ticks")
            << QStringList{"optNinchi(1).Value=1", "chkShuhen(3).Value=1", "txtMondai=収集癖",
                           "optNinchi(1).Value=0"}
            << QStringList{"昼夜逆転=False", "問題行動他名=00"};
        QTest::newRow("paralysis unticked after sites")
            << QStringList{"chkMahi.Value=1",       "chkMahibui(1).Value=1", "optTeido1(2).Value=1",
                           "chkMahibui(5).Value=1", "cmbMahibui=顔面",       "chkMahi.Value=0"}
            << QStringList{"麻痺=False", "右上肢麻痺=False", "右上肢麻痺程度=0", "その他麻痺部位="};
        QTest::newRow("finding unticked keeps nothing")
            << QStringList{"chkJokusou.Value=1", "cmbJokusou=仙骨部", "opJokusou(2).Value=1",
                           "chkJokusou.Value=0"}
            << QStringList{"褥瘡=False", "褥瘡部位=", "褥瘡程度=0"};
        QTest::newRow("ataxia") << QStringList{"chkHuzui(0).Value=1", "chkHuzui(1).Value=1",
                                               "chkHuzui(6).Value=1"}
                                << QStringList{"失調不随=True", "上肢失調右=True",
                                               "体幹失調左=True", "下肢失調右=False"};
        QTest::newRow("walking aids outdoors and indoors outweigh not used")
            << QStringList{"chkHozyo(1).Value=1", "chkHozyo(2).Value=1", "chkHozyo(3).Value=1"}
            << QStringList{"補助装具=4"};
        QTest::newRow("services with underline")
            << QStringList{"chkKanri(2).Value=1", "KnariUnder(2).Visible=True",
                           "chkKanri(10).Value=1", "txtKanri=訪問マッサージ"}
            << QStringList{"訪問看護=True", "訪問看護下線=True", "訪問診療=False",
                           "医学的管理他名=訪問マッサージ"};
        QTest::newRow("other service unticked after typing")
            << QStringList{"chkKanri(10).Value=1", "txtKanri=訪問マッサージ",
                           "chkKanri(10).Value=0"}
            << QStringList{"医学的管理他=False", "医学的管理他名="};
        QTest::newRow("care notes follow their answers")
            << QStringList{"optKanten1(2).Value=1",  "cmbKanten(1)=収縮期180以上で中止",
                           "optKanten2(2).Value=1",  "cmbKanten(2)=杖歩行",
                           "optKanten2(1).Value=1",  "cmbKanten(3)=未回答",
                           "cmbKanten(6)=転倒に注意"}
            << QStringList{"介護血圧=2",       "介護血圧留意事項=収縮期180以上で中止",
                           "介護移動=1",       "介護移動留意事項=",
                           "介護摂食=0",       "介護摂食留意事項=",
                           "介護他=転倒に注意"};
        QTest::newRow("infection yes") << QStringList{"optKansen(1).Value=1", "cmbKansen=MRSA"}
                                       << QStringList{"感染症=1", "感染症名=MRSA"};
        QTest::newRow("infection unknown after a name")
            << QStringList{"optKansen(1).Value=1", "cmbKansen=MRSA", "optKansen(3).Value=1"}
            << QStringList{"感染症=3", "感染症名="};
    }
    void fields()
    {
        QFETCH(QStringList, settings);
        QFETCH(QStringList, expected);
        QString bad;
        QVERIFY2(fill(settings, &bad), qPrintable(bad));
        QVERIFY(entry::SaveLetter(*m_form));
        const Row row = LetterFile::readLetter(m_path, common::appState().CurrentLetterNo);
        QVERIFY(!row.isEmpty());
        for (const QString& e : expected) {
            const QString field = e.section(u'=', 0, 0);
            QVERIFY2(row.contains(field), qPrintable(field));
            QCOMPARE(row.value(field), e.section(u'=', 1));
        }
    }

    // The print copy breaks a paragraph where the course box on screen breaks it.
    void printCopyBreaksWhereTheBoxDoes_data()
    {
        QTest::addColumn<QString>("paragraph");
        QTest::newRow("full width") << QStringLiteral("あ").repeated(100);
        QTest::newRow("half width") << QStringLiteral("1").repeated(200);
        QTest::newRow("words")
            << QStringLiteral("The quick brown fox jumps over the lazy dog. ").repeated(5);
        QTest::newRow("mixed") << QStringLiteral("平成20年4月に脳梗塞（ｱﾃﾛｰﾑ血栓性）を発症し、"
                                                 "ADL は over 80% 自立。")
                                      .repeated(4);
        QTest::newRow("tabs") << QStringLiteral("項目\t内容\t備考あいうえおかきくけこ").repeated(6);
    }
    void printCopyBreaksWhereTheBoxDoes()
    {
        QFETCH(QString, paragraph);
        auto* box = m_form->control<controls::MultiLineTextBox>(QStringLiteral("txtKeika"));
        QVERIFY(box);
        for (int k = 0; k < entry::frmDat3::kPageCount; ++k) {
            if (m_form->page(k)->isAncestorOf(box))
                m_form->tabStrip()->setCurrentIndex(k);
        }
        box->setText(paragraph);
        QCoreApplication::processEvents();
        QTextLayout* layout = box->document()->firstBlock().layout();
        QVERIFY(layout && layout->lineCount() > 1);
        QStringList shown;
        for (int i = 0; i < layout->lineCount(); ++i)
            shown << paragraph.mid(layout->lineAt(i).textStart(), layout->lineAt(i).textLength());
        QCOMPARE(record::WrapForPrint(paragraph).split(QStringLiteral("\r\n")), shown);
    }

    void savingTwiceKeepsTheNumberAndTheRow()
    {
        QVERIFY(LetterFile::addEmptyLetter(m_path, 1));
        QString bad;
        QVERIFY2(fill(TableFormReader::fullLetterSettings(), &bad), qPrintable(bad));
        QVERIFY(entry::SaveLetter(*m_form));
        QCOMPARE(common::appState().CurrentLetterNo, 2);
        const Row once = LetterFile::readLetter(m_path, 2);
        QVERIFY(entry::SaveLetter(*m_form));
        QCOMPARE(common::appState().CurrentLetterNo, 2);
        QCOMPARE(LetterFile::readLetter(m_path, 2), once);
        QCOMPARE(LetterFile::letterNumbers(m_path), (QList<qint32>{1, 2}));
    }

    void readOnlyFileKeepsFormAndFile()
    {
        QString bad;
        QVERIFY2(fill(TableFormReader::fullLetterSettings(), &bad), qPrintable(bad));
        QVERIFY(QFile::setPermissions(m_path, QFile::ReadOwner | QFile::ReadGroup));
        const QByteArray before = LetterFile::fileHash(m_path);

        ScriptedDialogs dialogs;
        dialogs.answer(platform::vbOK);
        QVERIFY(!entry::SaveLetter(*m_form));
        QCOMPARE(dialogs.messages().size(), 1);
        const auto shown = dialogs.messages().at(0);
        QVERIFY2(shown.text.startsWith(QStringLiteral("データを保存できませんでした。\r\n")),
                 qPrintable(shown.text));
        QCOMPARE(shown.style, int(platform::vbCritical));
        QCOMPARE(shown.title, QStringLiteral("登録エラー"));

        QCOMPARE(LetterFile::fileHash(m_path), before);
        QCOMPARE(common::appState().CurrentLetterNo, 0);
        QVERIFY(m_form->isVisible());
        QCOMPARE(text(QStringLiteral("txtname")), QStringLiteral("佐藤 花子"));
        QCOMPARE(m_form->controls().value(QStringLiteral("chkKanri"), 10), 1);

        // Once the file can be written again, the same entries are saved.
        QVERIFY(QFile::setPermissions(m_path, QFile::ReadOwner | QFile::WriteOwner));
        QVERIFY(entry::SaveLetter(*m_form));
        QCOMPARE(LetterFile::readLetter(m_path, 1).value(QStringLiteral("患者名")),
                 QStringLiteral("佐藤 花子"));
    }

    // What the user can type is what the letter keeps.
    void inputLimits_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("limit");
        QTest::newRow("points to note on nutrition") << "txtEiyou" << 40;
        QTest::newRow("handling policy") << "cmbTaisyo" << 60;
    }
    void inputLimits()
    {
        QFETCH(QString, name);
        QFETCH(int, limit);
        controls::Control* box = m_form->controls().find(name);
        QVERIFY(box);
        for (int k = 0; k < entry::frmDat3::kPageCount; ++k) {
            if (m_form->page(k)->isAncestorOf(box->widget()))
                m_form->tabStrip()->setCurrentIndex(k);
        }
        QWidget* edit = box->widget();
        if (auto* combo = qobject_cast<QComboBox*>(edit))
            edit = combo->lineEdit();
        edit->setFocus();
        QTest::keyClicks(edit, QString(limit + 5, QChar(u'x')));
        QCOMPARE(box->text(), QString(limit, QChar(u'x')));
        QVERIFY(entry::SaveLetter(*m_form));
        const Row row = LetterFile::readLetter(m_path, 1);
        QCOMPARE(row.value(name == u"txtEiyou" ? QStringLiteral("栄食留意")
                                               : QStringLiteral("対処方法")),
                 box->text());
    }
};

QTEST_MAIN(LetterSaveTest)
#include "tst_lettersave.moc"
