// Before printing, the user is told which of the letter's fields are too long for their boxes
// and printed cut, and may print anyway or go back; values that were only condensed, set
// smaller or on a further line are not told.
#include "common/appstate.h"
#include "fullletter.h"
#include "platform/printerdouble.h"
#include "scripteddialogs.h"
#include "shell/form1.h"
#include "shell/frmadj.h"
#include "shell/printwarning.h"
#include "testenvironment.h"

#include <QRadioButton>
#include <QTimer>
#include <QtTest>

using namespace shell;
using platform::FakePrinter;

namespace {

letterfixtures::Fields withOtherBehaviour(const QString& name)
{
    return letterfixtures::withValues(fullletter::fields(),
                                      {{u"問題行動他名"_qs, db::Variant::fromString(name)}});
}

} // namespace

class PrintWarningTest : public QObject
{
    Q_OBJECT
private:
    std::unique_ptr<TestEnvironment> m_env;
    std::unique_ptr<Form1> m_form;
    FakePrinter* m_printer = nullptr;

    // The main window with `fields` on the sheet, printed through the print dialog's OK in
    // the paper mode `a3`.
    void print(const letterfixtures::Fields& fields, bool a3)
    {
        auto printer = std::make_unique<FakePrinter>(FakePrinter::Spec{});
        m_printer = printer.get();
        platform::setPrinter(std::move(printer));
        platform::setPrinterDriver(std::make_unique<platform::FakePrinterDriver>());
        m_form = std::make_unique<Form1>();
        m_form->load();
        m_form->model() = fullletter::sheet(fields);
        m_form->beforePrintDialog = [a3](frmAdj& dialog) {
            QTimer::singleShot(0, &dialog, [&dialog, a3] {
                (a3 ? dialog.optA3 : dialog.optA4)->setChecked(true);
                dialog.cmdOK_Click();
            });
        };
        m_form->mnuPrint_Click();
        m_form->beforePrintDialog = nullptr;
    }

private Q_SLOTS:
    void init()
    {
        m_env = std::make_unique<TestEnvironment>();
        m_env->isolatePrinterOptions();
        common::appState() = common::AppState{};
    }
    void cleanup()
    {
        m_form.reset();
        platform::setPrinterDriver(nullptr);
        m_env.reset();
    }

    void cutFieldsAreToldBeforePrinting_data()
    {
        QTest::addColumn<bool>("a3");
        QTest::addColumn<int>("answer");
        QTest::addColumn<int>("jobs");
        QTest::newRow("A3, printed anyway") << true << int(platform::vbYes) << 1;
        QTest::newRow("A3, gone back") << true << int(platform::vbNo) << 0;
        QTest::newRow("A4, printed anyway") << false << int(platform::vbYes) << 1;
        QTest::newRow("A4, gone back") << false << int(platform::vbNo) << 0;
    }
    void cutFieldsAreToldBeforePrinting()
    {
        QFETCH(bool, a3);
        QFETCH(int, answer);
        QFETCH(int, jobs);
        ScriptedDialogs dialogs;
        dialogs.answer(answer);
        // 80 characters: more than its box holds even at the smallest size.
        print(withOtherBehaviour(fullletter::kanji(80)), a3);
        QCOMPARE(dialogs.remaining(), 0);
        QCOMPARE(dialogs.messages().size(), 1);
        const ScriptedDialogs::Shown shown = dialogs.messages().at(0);
        QCOMPARE(shown.title, QStringLiteral("印刷"));
        QCOMPARE(shown.style,
                 int(platform::vbYesNo | platform::vbExclamation | platform::vbDefaultButton2));
        QVERIFY2(shown.text.contains(
                     QStringLiteral("「心身（２）」ページの「認知症の周辺症状　その他の内容」")),
                 qPrintable(shown.text));
        // Only that field is named: the others fit, condensed, smaller or on further lines.
        QCOMPARE(shown.text.count(QStringLiteral("・")), 1);
        QCOMPARE(m_printer->endedJobs(), jobs);
        QCOMPARE(m_printer->printedPages().size(), jobs ? (a3 ? 1 : 2) : 0);
    }

    // The letter filled to every limit of the form fits its boxes: it prints without a word.
    void fullLetterPrintsWithoutQuestion()
    {
        ScriptedDialogs dialogs;
        print(fullletter::fields(), true);
        QVERIFY(dialogs.messages().isEmpty());
        QCOMPARE(m_printer->endedJobs(), 1);
    }

    // Each field is named once, however many of its slots were cut, in the order of the slots.
    void fieldNames()
    {
        const QStringList names = cutFieldNames({11, 64, 88, 87, 57});
        QCOMPARE(names,
                 (QStringList{
                     QStringLiteral("「申請者」ページの「申請者氏名」"),
                     QStringLiteral("「心身（２）」ページの「認知症の周辺症状　その他の内容」"),
                     QStringLiteral("「生活（３）･特記」ページの「特記すべき事項」"),
                     QStringLiteral("「疾病」ページの「経過及び投薬内容を含む治療内容」"),
                 }));
    }
};

QTEST_MAIN(PrintWarningTest)
#include "tst_printwarning.moc"
