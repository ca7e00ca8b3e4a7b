#include "common/appstate.h"
#include "common/datafiles.h"
#include "common/fontsubstitution.h"
#include "emptydatafolder.h"
#include "entry/frmDat3.h"
#include "letterfile.h"
#include "letterfixtures.h"
#include "record/letterstore.h"
#include "scripteddialogs.h"
#include "shell/form1.h"
#include "shell/frmadj.h"
#include "shell/frmdata.h"
#include "shell/listorder.h"

#include "sheet/recordingtarget.h"
#include "sheet/sheetdrawing.h"
#include "sheetdata/sheetlayout.h"
#include <QApplication>
#include <QHeaderView>

#include <QScreen>
#include <QScrollBar>
#include <QTimer>
#include <QWheelEvent>
#include <QtTest>

#include <functional>

using namespace shell;

namespace {

common::AppState& state()
{
    return common::appState();
}

// Letters 1..n; letter i is written on 令和(i)年 or, for odd i, 平成.
bool writeLetters(const QString& path, int n)
{
    if (!letterfixtures::createDataFile(path))
        return false;
    for (int i = 1; i <= n; ++i) {
        const QString date = i % 2 ? QStringLiteral("平成%1年04月01日").arg(20 + i)
                                   : QStringLiteral("令和%1年04月01日").arg(i);
        if (!letterfixtures::writeLetter(
                path, i,
                {{QStringLiteral("患者名"),
                  db::Variant::fromString(QStringLiteral("患者%1").arg(i))},
                 {QStringLiteral("年齢"),
                  db::Variant::fromString(QString::number(60 + 7 * i % 30))},
                 {QStringLiteral("性別"), db::Variant::fromString(i % 3 ? "1" : "2")},
                 {QStringLiteral("最新意見書記入日"), db::Variant::fromString(date)}}))
            return false;
    }
    return true;
}

QList<record::LetterListRow> rowsOf(const QString& path)
{
    return record::LetterStore(path).list().rows;
}

// "" when exactly one row is highlighted and it is the current row; else what is wrong.
QString highlightProblem(const frmData& list)
{
    const QModelIndexList rows = list.FlexGrid->selectionModel()->selectedRows();
    if (rows.size() != 1)
        return QStringLiteral("%1 rows highlighted").arg(rows.size());
    if (rows.at(0).row() != list.currentRow())
        return QStringLiteral("row %1 highlighted, row %2 current")
            .arg(rows.at(0).row())
            .arg(list.currentRow());
    return QString();
}

#define VERIFY_ONE_HIGHLIGHT(list)                                                                 \
    do {                                                                                           \
        const QString problem = highlightProblem(list);                                            \
        QVERIFY2(problem.isEmpty(), qPrintable(problem));                                          \
    } while (false)

// Runs `step` on the modal window that opens next (the loop's list or entry form).
void whenModal(std::function<void(QWidget*)> step)
{
    QTimer::singleShot(0, [step] {
        QWidget* modal = QApplication::activeModalWidget();
        QVERIFY(modal);
        step(modal);
    });
}

// Whether the grid's rows, as it shows them, stand sorted on `column` (descending or not).
bool gridSortedOn(const frmData& list, int column, bool descending)
{
    QList<QStringList> rows;
    for (int r = 0; r < list.rowCount(); ++r) {
        QStringList cells;
        for (int c = 0; c < ListColumnCount; ++c)
            cells << list.cellText(r, c);
        rows << cells;
    }
    QList<QStringList> sorted = rows;
    sortListRows(sorted, column, descending);
    return rows == sorted;
}

} // namespace

class RecordListTest : public QObject
{
    Q_OBJECT
private:
    EmptyDataFolder m_folder;
    QString m_data;

private Q_SLOTS:
    // The fonts the program maps its font names to at its start.
    void initTestCase() { common::installFontSubstitutions(); }
    void init()
    {
        QVERIFY(m_folder.setUp());
        m_data = m_folder.dataFile();
    }
    void cleanup() { m_folder.tearDown(); }

    void gridShowsTheLetters_data()
    {
        QTest::addColumn<int>("count");
        for (int n : {0, 1, 5, 40})
            QTest::newRow(qPrintable(QStringLiteral("%1 letters").arg(n))) << n;
    }
    void gridShowsTheLetters()
    {
        QFETCH(int, count);
        QVERIFY(writeLetters(m_data, count));
        frmData list(rowsOf(m_data));
        QCOMPARE(list.windowTitle(), QStringLiteral("患者情報一覧"));
        QCOMPARE(list.rowCount(), count);
        // The columns as laid out; the reading, diagnosis and date columns may trade width
        // (wholeDatesAndDiagnosesShow).
        const int widths[] = {0, 0, 65, 92, -1, 33, 33, -1, -1};
        for (int c = 0; c < ListColumnCount; ++c) {
            QCOMPARE(list.FlexGrid->isColumnHidden(c), widths[c] == 0);
            if (widths[c] > 0)
                QCOMPARE(list.FlexGrid->columnWidth(c), widths[c]);
        }
        if (count == 0) {
            QCOMPARE(list.currentRow(), -1);
            list.cmdRe_Click();
            QCOMPARE(list.result(), int(frmData::Cancelled));
            // A heading click on the empty list sorts nothing and chooses nothing.
            list.headingClick(ColAge);
            QCOMPARE(list.currentRow(), -1);
            QVERIFY(list.FlexGrid->selectionModel()->selectedRows().isEmpty());
            return;
        }
        VERIFY_ONE_HIGHLIGHT(list);
        // Newest writing date first: 令和 letters before 平成 ones; row 1 chosen.
        QCOMPARE(list.lblSort->text(), QStringLiteral("▼"));
        QCOMPARE(list.currentRow(), 0);
        const QString first = list.cellText(0, ColWrittenOn);
        if (count > 1)
            QVERIFY(first.startsWith(QStringLiteral("令和")));
        for (int r = 0; r < count; ++r) {
            const QString sex = list.cellText(r, ColSex);
            QVERIFY(sex == QStringLiteral("男　") || sex == QStringLiteral("女　"));
        }
        QCOMPARE(state().CurrentLetterNo, list.letterNoAt(0));
    }

    // The wheel scrolls the grid one line per message, and only when it can scroll.
    void wheelScrollsOneLine_data()
    {
        QTest::addColumn<int>("count");
        QTest::addColumn<int>("afterDown");
        QTest::newRow("5 letters, no scroll bar") << 5 << 0;
        QTest::newRow("40 letters") << 40 << 1;
    }
    void wheelScrollsOneLine()
    {
        QFETCH(int, count);
        QFETCH(int, afterDown);
        QVERIFY(writeLetters(m_data, count));
        frmData list(rowsOf(m_data));
        list.show();
        QVERIFY(QTest::qWaitForWindowExposed(&list));
        QScrollBar* bar = list.FlexGrid->verticalScrollBar();
        QCOMPARE(bar->value(), 0);
        QWidget* viewport = list.FlexGrid->viewport();
        const auto turn = [&](int delta) {
            const QPointF at(10, 10);
            QWheelEvent wheel(at, viewport->mapToGlobal(at), QPoint(), QPoint(0, delta),
                              Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
            QApplication::sendEvent(viewport, &wheel);
        };
        turn(-120); // towards the user: down
        QCOMPARE(bar->value(), afterDown);
        turn(-120);
        QCOMPARE(bar->value(), 2 * afterDown);
        turn(120);
        QCOMPARE(bar->value(), afterDown);
    }

    // A click beside the rows highlights the row clicked last again.
    void clickBesideTheRowsKeepsTheLastRow()
    {
        QVERIFY(writeLetters(m_data, 3));
        frmData list(rowsOf(m_data));
        list.show();
        QVERIFY(QTest::qWaitForWindowExposed(&list));
        QWidget* viewport = list.FlexGrid->viewport();
        const QRect second = list.FlexGrid->visualRect(list.FlexGrid->model()->index(1, ColName));
        QTest::mouseClick(viewport, Qt::LeftButton, {}, second.center());
        QCOMPARE(list.currentRow(), 1);
        QTest::mouseClick(viewport, Qt::LeftButton, {}, QPoint(10, viewport->height() - 5));
        QCOMPARE(list.currentRow(), 1);
        QCOMPARE(list.FlexGrid->selectionModel()->selectedRows().size(), 1);
        QCOMPARE(list.FlexGrid->selectionModel()->selectedRows().at(0).row(), 1);
    }

    void unansweredSexShowsNothing()
    {
        QVERIFY(letterfixtures::createDataFile(m_data));
        QVERIFY(letterfixtures::writeLetter(m_data, 1, {}));
        frmData list(rowsOf(m_data));
        QCOMPARE(list.cellText(0, ColSex), QString());
    }

    // The writing dates in time order whatever their form: 平成 and 令和, 元年, full-width
    // digits, the parts as a reloaded letter stores them. An empty cell comes before every
    // date and a text that names no date after every date, in ascending order; the order
    // holds at the opening under each date code and after a deletion.
    void writingDatesInTimeOrder_data()
    {
        QTest::addColumn<int>("dataSort");
        QTest::addColumn<bool>("descending");
        QTest::addColumn<int>("deleted"); // the letter deleted after the opening, 0 for none
        QTest::newRow("default order, newest first") << 0 << true << 0;
        QTest::newRow("by date, descending") << 80 << true << 0;
        QTest::newRow("by date, ascending") << 81 << false << 0;
        QTest::newRow("default order, after a deletion") << 0 << true << 3;
        QTest::newRow("descending, after a deletion") << 80 << true << 6;
        QTest::newRow("ascending, after a deletion") << 81 << false << 1;
    }
    void writingDatesInTimeOrder()
    {
        QFETCH(int, dataSort);
        QFETCH(bool, descending);
        QFETCH(int, deleted);
        // Letter i is written on dates[i - 1]; `ascending` is their time order.
        const QStringList dates = {
            "平成30年12月25日",
            "令和元年05月01日",
            "平成３０年４月１日",
            "",
            "平成31年04月30日",
            "令和04年06月30日",
            "平成20年04月日",
            "令和 1年 5月 2日",
            "平成元年01月08日",
            "令和７年１２月１０日",
            "不明",
            "令和0元年05月03日",
        };
        QStringList ascending = {
            "",
            "平成元年01月08日",   // 1989-01-08
            "平成３０年４月１日", // 2018-04-01
            "平成30年12月25日",
            "平成31年04月30日",
            "令和元年05月01日", // 2019-05-01
            "令和 1年 5月 2日",
            "令和0元年05月03日",
            "令和04年06月30日",
            "令和７年１２月１０日", // 2025-12-10
            "不明",                 // texts naming no date, in text order
            "平成20年04月日",
        };
        QVERIFY(letterfixtures::createDataFile(m_data));
        for (int i = 1; i <= dates.size(); ++i)
            QVERIFY(letterfixtures::writeLetter(
                m_data, i,
                {{QStringLiteral("患者名"),
                  db::Variant::fromString(QStringLiteral("患者%1").arg(i))},
                 {QStringLiteral("最新意見書記入日"), db::Variant::fromString(dates[i - 1])}}));
        state().DataSort = quint8(dataSort);
        state().SortDesc = common::SortDescOf(state().DataSort);
        state().CurrentLetterNo = deleted;
        frmData list(rowsOf(m_data));
        list.show();
        QVERIFY(QTest::qWaitForWindowActive(&list));
        const auto shownDates = [&list] {
            QStringList shown;
            for (int r = 0; r < list.rowCount(); ++r)
                shown << list.cellText(r, ColWrittenOn);
            return shown;
        };
        const auto expected = [&ascending, descending] {
            QStringList order = ascending;
            if (descending)
                std::reverse(order.begin(), order.end());
            return order;
        };
        QCOMPARE(shownDates(), expected());
        QCOMPARE(list.lblSort->text(), descending ? QStringLiteral("▼") : QStringLiteral("▲"));
        if (deleted == 0)
            return;
        QCOMPARE(list.letterNoAt(list.currentRow()), deleted);
        ScriptedDialogs dialogs;
        dialogs.answer(platform::vbOK);
        list.Command3_Click();
        QCOMPARE(dialogs.messages().size(), 1);
        ascending.removeOne(dates[deleted - 1]);
        QCOMPARE(shownDates(), expected());
        QCOMPARE(list.currentRow(), 0);
    }

    // With the font the list uses, every writing date and a diagnosis of ten characters show
    // whole in their columns, inside the grid beside its scroll bar; the window keeps its
    // size, the columns their order, and each heading lies over its column.
    void wholeDatesAndDiagnosesShow()
    {
        const QStringList dates = {"平成31年01月10日", "令和04年06月30日", "昭和64年01月07日",
                                   "明治45年07月30日", "大正15年12月24日", "平成３０年１２月２５日",
                                   "令和元年05月01日", "平成20年 4月 1日"};
        const QStringList diagnoses = {"アルツハイマー型認知症", "脳梗塞後遺症右片麻痺",
                                       "変形性膝関節症両側性", "慢性閉塞性肺疾患"};
        QVERIFY(letterfixtures::createDataFile(m_data));
        const int count = 40; // enough rows for the vertical scroll bar
        for (int i = 1; i <= count; ++i)
            QVERIFY(letterfixtures::writeLetter(
                m_data, i,
                {{QStringLiteral("診断名１"),
                  db::Variant::fromString(diagnoses[i % diagnoses.size()])},
                 {QStringLiteral("最新意見書記入日"),
                  db::Variant::fromString(dates[i % dates.size()])}}));
        frmData list(rowsOf(m_data));
        list.show();
        QVERIFY(QTest::qWaitForWindowExposed(&list));
        RecordGrid* grid = list.FlexGrid;
        const QFontInfo used(grid->font());
        // The IPA font's name as fontconfig gives it, in English or under a Japanese locale.
        QVERIFY2(used.family() == QStringLiteral("IPAPGothic") ||
                     used.family() == QStringLiteral("IPA Pゴシック"),
                 qPrintable(QStringLiteral("the list's font shows as %1, not IPAPGothic: is "
                                           "fonts-ipafont-gothic installed?")
                                .arg(used.family())));
        QVERIFY(grid->verticalScrollBar()->isVisible());
        QCOMPARE(list.size(), QSize(qRound(8745 / 15.0), qRound(5925 / 15.0)));

        // A cell's text gets its column's width less a text margin on either side (the
        // style's focus frame margin and one pixel) and the grid line.
        const int margin =
            2 * (grid->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, grid) + 1) +
            (grid->showGrid() ? 1 : 0);
        const QFontMetrics metrics(grid->font());
        for (int r = 0; r < list.rowCount(); ++r) {
            for (int c : {int(ColDiagnosis), int(ColWrittenOn)}) {
                const QString text = list.cellText(r, c);
                QVERIFY2(metrics.horizontalAdvance(text) <= grid->columnWidth(c) - margin,
                         qPrintable(QStringLiteral("%1 needs %2 px, its column gives %3")
                                        .arg(text)
                                        .arg(metrics.horizontalAdvance(text))
                                        .arg(grid->columnWidth(c) - margin)));
            }
        }
        int left = 0;
        for (int c = ColChartNo; c <= ColWrittenOn; ++c) {
            QCOMPARE(grid->horizontalHeader()->visualIndex(c), c);
            QCOMPARE(grid->columnViewportPosition(c), left);
            const QPushButton* heading = list.headingButton(c);
            QCOMPARE(heading->x(), left);
            QCOMPARE(heading->width(), grid->columnWidth(c));
            left += grid->columnWidth(c);
        }
        QVERIFY2(left <= grid->viewport()->width(),
                 qPrintable(QStringLiteral("the columns take %1 px of %2")
                                .arg(left)
                                .arg(grid->viewport()->width())));
        QVERIFY(!grid->horizontalScrollBar()->isVisible());
    }

    void sortCodes_data()
    {
        QTest::addColumn<int>("dataSort");
        QTest::addColumn<int>("column");
        QTest::addColumn<QString>("mark");
        QTest::addColumn<int>("markLeft");
        QTest::newRow("0 default") << 0 << 8 << "▼" << 7605;
        const int lefts[] = {0, 0, 360, 1530, 3150, 4335, 4830, 5955, 7605};
        for (int c = 2; c <= 8; ++c)
            for (int d = 0; d <= 1; ++d) {
                const bool descending = c == 8 ? d == 0 : d == 1;
                QTest::newRow(qPrintable(QString::number(c * 10 + d)))
                    << c * 10 + d << c << (descending ? "▼" : "▲") << lefts[c];
            }
    }
    void sortCodes()
    {
        QFETCH(int, dataSort);
        QFETCH(int, column);
        QFETCH(QString, mark);
        QFETCH(int, markLeft);
        QVERIFY(writeLetters(m_data, 5));
        state().DataSort = quint8(dataSort);
        state().SortDesc = common::SortDescOf(state().DataSort);
        state().CurrentLetterNo = 3;
        frmData list(rowsOf(m_data));
        QCOMPARE(list.lblSort->text(), mark);
        QCOMPARE(list.lblSort->x(), qRound(markLeft / 15.0));
        QCOMPARE(int(state().DataSort), dataSort); // written back unchanged
        // Sorted on the column in the mark's direction, and letter 3 still chosen.
        QVERIFY(gridSortedOn(list, column, mark == QStringLiteral("▼")));
        if (dataSort != 0)
            QCOMPARE(list.letterNoAt(list.currentRow()), 3);
    }

    void headingClicksFlipAndKeepTheChoice()
    {
        QVERIFY(writeLetters(m_data, 5));
        state().SortDesc = 1; // inverted to 0 by the opening
        state().CurrentLetterNo = 4;
        frmData list(rowsOf(m_data));
        list.headingClick(ColAge);
        QCOMPARE(list.lblSort->text(), QStringLiteral("▼"));
        QCOMPARE(int(state().DataSort), 61);
        QCOMPARE(list.letterNoAt(list.currentRow()), 4);
        list.headingClick(ColAge);
        QCOMPARE(list.lblSort->text(), QStringLiteral("▲"));
        QCOMPARE(int(state().DataSort), 60);
        QCOMPARE(list.letterNoAt(list.currentRow()), 4);
    }

    void deletion_data()
    {
        QTest::addColumn<int>("dataSort");
        QTest::addColumn<int>("count");
        QTest::addColumn<int>("letter");
        QTest::addColumn<int>("answer");
        QTest::addColumn<QString>("question");
        QTest::addColumn<int>("left");
        QTest::addColumn<bool>("flagFlips"); // the saved order applied once more
        const int ok = platform::vbOK;
        QTest::newRow("first of 5")
            << 0 << 5 << 1 << ok << "「患者1」　のデータを削除しますか？" << 4 << true;
        QTest::newRow("middle of 5")
            << 0 << 5 << 3 << ok << "「患者3」　のデータを削除しますか？" << 4 << true;
        QTest::newRow("last of 5")
            << 0 << 5 << 5 << ok << "「患者5」　のデータを削除しますか？" << 4 << true;
        QTest::newRow("cancelled") << 0 << 5 << 2 << int(platform::vbCancel)
                                   << "「患者2」　のデータを削除しますか？" << 5 << false;
        QTest::newRow("the only letter")
            << 0 << 1 << 1 << ok << "「患者1」を削除しますか？" << 0 << false;
        // Under a column order the heading click turns the flag back.
        QTest::newRow("middle of 5, by name descending")
            << 31 << 5 << 3 << ok << "「患者3」　のデータを削除しますか？" << 4 << false;
        QTest::newRow("cancelled, by age ascending")
            << 60 << 5 << 4 << int(platform::vbCancel) << "「患者4」　のデータを削除しますか？" << 5
            << false;
        QTest::newRow("the only letter, by date ascending")
            << 81 << 1 << 1 << ok << "「患者1」を削除しますか？" << 0 << false;
    }
    void deletion()
    {
        QFETCH(int, dataSort);
        QFETCH(int, count);
        QFETCH(int, letter);
        QFETCH(int, answer);
        QFETCH(QString, question);
        QFETCH(int, left);
        QFETCH(bool, flagFlips);
        QVERIFY(writeLetters(m_data, count));
        state().DataSort = quint8(dataSort);
        state().SortDesc = common::SortDescOf(state().DataSort);
        state().CurrentLetterNo = letter;
        frmData list(rowsOf(m_data));
        list.show();
        QVERIFY(QTest::qWaitForWindowActive(&list));
        const int row = list.currentRow();
        QCOMPARE(list.letterNoAt(row), letter);
        const quint8 flag = state().SortDesc;
        const QString mark = list.lblSort->text();
        ScriptedDialogs dialogs;
        dialogs.answer(answer);
        list.Command3_Click();
        QCOMPARE(dialogs.messages().size(), 1);
        QCOMPARE(dialogs.messages().at(0).text, question);
        QCOMPARE(dialogs.messages().at(0).style, 33);
        QCOMPARE(dialogs.messages().at(0).title, QStringLiteral("データ削除！"));
        QCOMPARE(list.rowCount(), left);
        QCOMPARE(LetterFile::letterNumbers(m_data).size(), left);
        QCOMPARE(state().SortDesc, quint8(flagFlips ? 1 - flag : flag));
        QCOMPARE(int(state().DataSort), dataSort);
        QCOMPARE(list.lblSort->text(), mark);
        if (left > 0) {
            // One row highlighted, the grid has the focus; after a deletion that is row 1,
            // after Cancel the row chosen before.
            VERIFY_ONE_HIGHLIGHT(list);
            QCOMPARE(list.currentRow(), answer == platform::vbOK ? 0 : row);
            QCOMPARE(QApplication::focusWidget(), list.FlexGrid);
            // The rows stand in the saved order.
            const int column = dataSort == 0 ? int(ColWrittenOn) : dataSort / 10;
            QVERIFY(gridSortedOn(list, column, list.lblSort->text() == QStringLiteral("▼")));
        }
        if (left > 0 && answer == platform::vbOK) {
            QCOMPARE(LetterFile::letterNumbers(m_data).last(), left);
            QCOMPARE(state().CurrentLetterNo, letter);
        }
        if (count == 1)
            QCOMPARE(state().CurrentLetterNo, 0);
    }

    // Whenever the list has rows, exactly one is highlighted, it is the current row, and the
    // commands act on it: at the opening (also when the letter in hand is gone, under any
    // order), after the keys, a heading click and a cancelled deletion.
    void oneHighlightedRowIsTheCurrentRow_data()
    {
        QTest::addColumn<int>("dataSort");
        QTest::addColumn<int>("inHand");   // CurrentLetterNo at the opening
        QTest::addColumn<int>("expected"); // the letter highlighted, 0: the one on row 1
        for (int code : {0, 21, 31, 50, 60, 81}) {
            const QString c = QString::number(code);
            QTest::newRow(qPrintable(c + QStringLiteral(", first opening"))) << code << 0 << 0;
            QTest::newRow(qPrintable(c + QStringLiteral(", letter 4 in hand"))) << code << 4 << 4;
            // A gone letter (deleted, restored over, imported): the highlight stays where
            // the order put it: on row 1 for the default order, else on the letter read first.
            QTest::newRow(qPrintable(c + QStringLiteral(", letter in hand gone")))
                << code << 9 << (code == 0 ? 0 : 1);
        }
    }
    void oneHighlightedRowIsTheCurrentRow()
    {
        QFETCH(int, dataSort);
        QFETCH(int, inHand);
        QFETCH(int, expected);
        QVERIFY(writeLetters(m_data, 6));
        state().DataSort = quint8(dataSort);
        state().SortDesc = common::SortDescOf(state().DataSort);
        state().CurrentLetterNo = inHand;
        frmData list(rowsOf(m_data));
        list.show();
        QVERIFY(QTest::qWaitForWindowActive(&list));
        QCOMPARE(QApplication::focusWidget(), list.FlexGrid);
        VERIFY_ONE_HIGHLIGHT(list);
        if (expected == 0)
            QCOMPARE(list.currentRow(), 0);
        else
            QCOMPARE(list.letterNoAt(list.currentRow()), expected);
        if (inHand == 0)
            QCOMPARE(state().CurrentLetterNo, list.letterNoAt(0));

        // The keys move the highlight and the current row together; Ctrl+Space keeps it.
        QTest::keyClick(list.FlexGrid, Qt::Key_Down);
        VERIFY_ONE_HIGHLIGHT(list);
        QTest::keyClick(list.FlexGrid, Qt::Key_Space, Qt::ControlModifier);
        VERIFY_ONE_HIGHLIGHT(list);
        const qint32 chosen = list.letterNoAt(list.currentRow());

        // A heading click keeps the letter highlighted, on its new row.
        list.headingClick(ColKana);
        VERIFY_ONE_HIGHLIGHT(list);
        QCOMPARE(list.letterNoAt(list.currentRow()), chosen);

        // A cancelled deletion keeps the highlight and gives the grid the focus.
        ScriptedDialogs dialogs;
        dialogs.answer(platform::vbCancel);
        list.cmdNew->setFocus();
        list.Command3_Click();
        QCOMPARE(dialogs.messages().size(), 1);
        QCOMPARE(dialogs.messages().at(0).text,
                 QStringLiteral("「患者%1」　のデータを削除しますか？").arg(chosen));
        VERIFY_ONE_HIGHLIGHT(list);
        QCOMPARE(list.letterNoAt(list.currentRow()), chosen);
        QCOMPARE(QApplication::focusWidget(), list.FlexGrid);

        // 印刷準備 and 登録更新 take the highlighted letter.
        list.cmdSelect_Click();
        QCOMPARE(state().CurrentLetterNoText, QString::number(chosen));
        list.cmdRe_Click();
        QCOMPARE(list.result(), int(frmData::StoredLetter));
        QCOMPARE(state().CurrentLetterNo, chosen);
    }

    // Enter and a double click (on a row, or beside the rows) open the chosen letter.
    void enterAndDoubleClickOpenTheLetter_data()
    {
        QTest::addColumn<int>("count");
        QTest::addColumn<QString>("how");
        QTest::addColumn<int>("result");
        const int stored = frmData::StoredLetter;
        QTest::newRow("Enter") << 5 << "enter" << stored;
        QTest::newRow("double click on a row") << 5 << "double click row" << stored;
        QTest::newRow("double click beside the rows") << 5 << "double click beside" << stored;
        QTest::newRow("double click, empty list")
            << 0 << "double click beside" << int(frmData::Cancelled);
        QTest::newRow("Enter, empty list") << 0 << "enter" << int(frmData::Cancelled);
    }
    void enterAndDoubleClickOpenTheLetter()
    {
        QFETCH(int, count);
        QFETCH(QString, how);
        QFETCH(int, result);
        QVERIFY(writeLetters(m_data, count));
        frmData list(rowsOf(m_data));
        list.show();
        QVERIFY(QTest::qWaitForWindowExposed(&list));
        QWidget* viewport = list.FlexGrid->viewport();
        qint32 expected = 0;
        if (count > 0) {
            // Row 3 clicked first: the letter every way below opens.
            const QRect third =
                list.FlexGrid->visualRect(list.FlexGrid->model()->index(2, ColName));
            QTest::mouseClick(viewport, Qt::LeftButton, {}, third.center());
            expected = list.letterNoAt(2);
            QCOMPARE(list.letterNoAt(list.currentRow()), expected);
        }
        if (how == QLatin1String("enter"))
            QTest::keyClick(list.FlexGrid, Qt::Key_Return);
        else if (how == QLatin1String("double click row"))
            QTest::mouseDClick(
                viewport, Qt::LeftButton, {},
                list.FlexGrid->visualRect(list.FlexGrid->model()->index(2, ColKana)).center());
        else
            QTest::mouseDClick(viewport, Qt::LeftButton, {}, QPoint(10, viewport->height() - 5));
        QCOMPARE(list.result(), result);
        if (result == frmData::StoredLetter) {
            QVERIFY(!list.isVisible());
            QCOMPARE(state().CurrentLetterNo, expected);
        } else {
            QVERIFY(list.isVisible());
        }
    }

    // The list's buttons with their pictures, and the sort mark's label.
    void buttonsCarryTheirPictures_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<int>("left");
        QTest::addColumn<QSize>("picture");
        QTest::newRow("cmdNew") << "cmdNew"
                                << "新規登録(&N)" << 0 << QSize(16, 16);
        QTest::newRow("cmdRe") << "cmdRe"
                               << "登録更新(&R)" << 1200 << QSize(16, 16);
        QTest::newRow("Command3") << "Command3"
                                  << "登録削除(&D)" << 2400 << QSize(16, 16);
        QTest::newRow("cmdSelect") << "cmdSelect"
                                   << "印刷準備" << 6360 << QSize(35, 32);
        QTest::newRow("cmdCancel") << "cmdCancel"
                                   << "キャンセル" << 7560 << QSize(25, 22);
    }
    void buttonsCarryTheirPictures()
    {
        QFETCH(QString, name);
        QFETCH(QString, caption);
        QFETCH(int, left);
        QFETCH(QSize, picture);
        QVERIFY(writeLetters(m_data, 2));
        frmData list(rowsOf(m_data));
        auto* button = list.findChild<QPushButton*>(name);
        QVERIFY(button);
        QCOMPARE(button->text(), caption);
        QCOMPARE(button->geometry(), QRect(qRound(left / 15.0), 0, 73, 41));
        QCOMPARE(button->iconSize(), picture);
        const QImage image = button->icon().pixmap(picture).toImage();
        QCOMPARE(image.size(), picture);
        int drawn = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                drawn += qAlpha(image.pixel(x, y)) > 0 ? 1 : 0;
        QVERIFY2(drawn > picture.width() * picture.height() / 8,
                 qPrintable(QString::number(drawn)));
        // The mark's label: 75 x 180 twips at (7605, 750) under the default order.
        QCOMPARE(list.lblSort->geometry(), QRect(507, 50, 5, 12));
    }

    // The status bar names the patient of the letter put on the sheet; a number without a
    // letter leaves it empty, as the sheet is.
    void statusBarNamesTheLetterOnTheSheet()
    {
        QVERIFY(writeLetters(m_data, 2));
        Form1 form;
        form.showLetter(QStringLiteral("2"));
        QCOMPARE(form.lblPointer->text(), QStringLiteral("患者2"));
        form.showLetter(QStringLiteral("7"));
        QCOMPARE(form.model().FormText[sheetdata::PatientNameSlot], QString());
        QCOMPARE(form.lblPointer->text(), QString());
    }

    // The list and the entry form take over each other's place.
    void handOversKeepTheWindowsPlace_data()
    {
        QTest::addColumn<bool>("stored"); // 登録更新 (else 新規登録)
        QTest::addColumn<bool>("save");   // 登　録 (else 取り消し, OK)
        QTest::newRow("new letter, saved") << false << true;
        QTest::newRow("stored letter, saved") << true << true;
        QTest::newRow("stored letter, discarded") << true << false;
    }
    void handOversKeepTheWindowsPlace()
    {
        QFETCH(bool, stored);
        QFETCH(bool, save);
        QVERIFY(writeLetters(m_data, 3));
        Form1 form;
        form.show();
        ScriptedDialogs dialogs;
        if (!save)
            dialogs.answer(platform::vbOK);
        const QPoint listAt(37, 41);
        const QPoint formAt(83, 29);
        bool back = false;
        whenModal([&](QWidget* w) {
            auto* list = qobject_cast<frmData*>(w);
            QVERIFY(list);
            // The first list is centred on the screen.
            const QScreen* screen = QGuiApplication::primaryScreen();
            const QPoint off = list->geometry().center() - screen->availableGeometry().center();
            list->move(listAt);
            if (qAbs(off.x()) > 2 || qAbs(off.y()) > 2)
                list->cmdCancel_Click();
            QVERIFY2(qAbs(off.x()) <= 2 && qAbs(off.y()) <= 2, "the first list is not centred");
            whenModal([&](QWidget* w2) {
                auto* entry = qobject_cast<entry::frmDat3*>(w2);
                QVERIFY(entry);
                QCOMPARE(entry->pos(), listAt);
                entry->move(formAt);
                whenModal([&](QWidget* w3) {
                    auto* again = qobject_cast<frmData*>(w3);
                    QVERIFY(again);
                    back = true;
                    QCOMPARE(again->pos(), formAt);
                    again->cmdCancel_Click();
                });
                if (save)
                    entry->Command3_Click();
                else
                    entry->Command1_Click();
            });
            if (stored)
                list->cmdRe_Click();
            else
                list->cmdNew_Click();
        });
        form.DataOpen();
        QVERIFY(back);
    }

    // Another window deleted letter 1 after this list was read, so the row numbered 2 now
    // holds 患者3: deleting the listed 患者2 (number 2) deletes nothing, tells the user, and
    // reads the list again; the next deletion of the row chosen then reaches the letter
    // it shows.
    void deletionAfterAnotherWindowDeleted()
    {
        QVERIFY(writeLetters(m_data, 4));
        state().CurrentLetterNo = 2;
        frmData list(rowsOf(m_data));
        const auto nameAt = [&](int r) {
            return list.FlexGrid->model()->index(r, 3).data().toString();
        };
        QCOMPARE(nameAt(list.currentRow()), QStringLiteral("患者2"));
        record::LetterListRow first = rowsOf(m_data).at(0);
        QVERIFY(record::LetterStore(m_data).remove(first).ok);
        const QByteArray before = LetterFile::fileHash(m_data);

        ScriptedDialogs dialogs;
        dialogs.answer(platform::vbOK).answer(platform::vbOK);
        list.Command3_Click();
        QCOMPARE(dialogs.messages().size(), 2);
        QCOMPARE(dialogs.messages().at(0).text,
                 QStringLiteral("「患者2」　のデータを削除しますか？"));
        QVERIFY2(dialogs.messages().at(1).text.contains(QStringLiteral("ほかの画面")),
                 qPrintable(dialogs.messages().at(1).text));
        QCOMPARE(dialogs.messages().at(1).title, QStringLiteral("データ削除！"));
        QCOMPARE(LetterFile::fileHash(m_data), before);
        QCOMPARE(list.rowCount(), 3);

        // The list read again shows 患者2 as letter 1.
        int row = -1;
        for (int r = 0; r < list.rowCount(); ++r)
            if (nameAt(r) == QStringLiteral("患者2"))
                row = r;
        QVERIFY(row >= 0);
        QCOMPARE(list.letterNoAt(row), 1);
        list.FlexGrid->setCurrentIndex(list.FlexGrid->model()->index(row, 1));
        dialogs.answer(platform::vbOK);
        list.Command3_Click();
        QCOMPARE(rowsOf(m_data).size(), 2);
        for (const record::LetterListRow& left : rowsOf(m_data))
            QVERIFY(left.name != QStringLiteral("患者2"));
    }

    void missingDataFile_data()
    {
        QTest::addColumn<int>("answer");
        QTest::addColumn<QString>("pick"); // "", "letters", "notes"
        QTest::addColumn<bool>("listOpens");
        QTest::newRow("No") << int(platform::vbNo) << "" << false;
        QTest::newRow("Yes, cancelled") << int(platform::vbYes) << "" << false;
        QTest::newRow("Yes, a letter file") << int(platform::vbYes) << "letters" << true;
        QTest::newRow("Yes, a file of no letters") << int(platform::vbYes) << "notes" << false;
    }
    void missingDataFile()
    {
        QFETCH(int, answer);
        QFETCH(QString, pick);
        QFETCH(bool, listOpens);
        Form1 form;
        const QString picked = m_folder.filePath(QStringLiteral("picked.old"));
        if (pick == QLatin1String("letters"))
            QVERIFY(writeLetters(picked, 2));
        else if (pick == QLatin1String("notes")) {
            QFile f(picked);
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write("random words, not a database");
        }
        ScriptedDialogs dialogs;
        dialogs.answer(answer);
        if (answer == platform::vbYes)
            dialogs.chooseFile(pick.isEmpty() ? QString() : picked);
        if (pick == QLatin1String("notes"))
            dialogs.answer(platform::vbOK);
        bool opened = false;
        if (listOpens)
            whenModal([&](QWidget* w) {
                auto* list = qobject_cast<frmData*>(w);
                QVERIFY(list);
                opened = true;
                QCOMPARE(list->rowCount(), 2);
                list->cmdCancel_Click();
            });
        form.DataOpen();
        QCOMPARE(dialogs.messages().at(0).text,
                 QStringLiteral("Ruviro.mdb が見つかりません。\r\n自分でファイルを探しますか？"));
        QCOMPARE(dialogs.messages().at(0).style, 36);
        QCOMPARE(dialogs.messages().at(0).title, QStringLiteral("Serch Err！"));
        QCOMPARE(opened, listOpens);
        if (listOpens) {
            QCOMPARE(state().DatabasePath, picked);
            QCOMPARE(int(state().InportState), 1);
        }
        if (pick == QLatin1String("notes"))
            QCOMPARE(dialogs.messages().last().style, 16);
    }

    // Through the real windows: the list, a new letter written and saved, the list again,
    // the letter opened, the changes discarded, and the letter put on the sheet.
    void endToEnd()
    {
        QVERIFY(letterfixtures::createDataFile(m_data));
        Form1 form;
        form.show();
        ScriptedDialogs dialogs;
        dialogs.answer(platform::vbOK); // 取り消し's question

        whenModal([&](QWidget* w) {
            auto* list = qobject_cast<frmData*>(w);
            QVERIFY(list);
            QCOMPARE(list->rowCount(), 0);
            list->cmdSelect_Click(); // nothing on an empty list
            QVERIFY(list->isVisible());
            whenModal([&](QWidget* w2) {
                auto* entry = qobject_cast<entry::frmDat3*>(w2);
                QVERIFY(entry);
                QVERIFY(entry->NewData());
                QCOMPARE(entry->control("cmbNengoD")->text(), QStringLiteral("令和"));
                QCOMPARE(entry->control("txtNenD")->text(), QStringLiteral("7"));
                QCOMPARE(entry->control("txtTukiD")->text(), QStringLiteral("04"));
                entry->control("txtname")->setText(QStringLiteral("山田太郎"));
                whenModal([&](QWidget* w3) {
                    auto* list2 = qobject_cast<frmData*>(w3);
                    QVERIFY(list2);
                    QCOMPARE(list2->rowCount(), 1);
                    QCOMPARE(list2->cellText(0, ColName), QStringLiteral("山田太郎"));
                    whenModal([&](QWidget* w4) {
                        auto* stored = qobject_cast<entry::frmDat3*>(w4);
                        QVERIFY(stored);
                        QVERIFY(!stored->NewData());
                        QCOMPARE(stored->control("txtname")->text(), QStringLiteral("山田太郎"));
                        whenModal([&](QWidget* w5) {
                            auto* list3 = qobject_cast<frmData*>(w5);
                            QVERIFY(list3);
                            list3->cmdSelect_Click();
                        });
                        stored->Command1_Click(); // asks, then back to the list
                    });
                    list2->cmdRe_Click();
                });
                entry->Command3_Click(); // saves, back to the list
            });
            list->cmdNew_Click();
        });
        form.DataOpen();

        QCOMPARE(dialogs.messages().size(), 1);
        QCOMPARE(dialogs.messages().at(0).text, QStringLiteral("データ更新を破棄しますか？"));
        QCOMPARE(dialogs.messages().at(0).title, QStringLiteral("更新登録！"));
        QCOMPARE(LetterFile::letterNumbers(m_data), QList<qint32>{1});
        QVERIFY(form.model().FormLoaded);
        QCOMPARE(form.lblPointer->text(), QStringLiteral("山田太郎"));
        QCOMPARE(QApplication::activeModalWidget(), nullptr);
        // The sheet draws the letter: its name and its writing date among the texts.
        sheet::RecordingTarget blank;
        sheet::DrawSheet(blank, sheetdata::SheetModel{}, false);
        sheet::RecordingTarget drawn;
        sheet::DrawSheet(drawn, form.model(), false);
        QStringList texts;
        for (const auto& op : drawn.ops(sheet::RecordedOp::Text))
            texts << op.text;
        QVERIFY2(texts.contains(QStringLiteral("山田太郎")), qPrintable(texts.join(u'|')));
        QVERIFY(drawn.ops(sheet::RecordedOp::Text).size() >
                blank.ops(sheet::RecordedOp::Text).size());
    }

    // Letter 2 open in the entry form while another window deletes letter 1, so the row
    // numbered 2 now holds 患者3. "登　録(&R)" writes nothing and asks: "No" goes back to the
    // form with its entries; "Yes" saves the entries as a new letter, and the list comes back
    // on it. 患者3's letter is untouched throughout.
    void saveAfterAnotherWindowDeleted()
    {
        QVERIFY(writeLetters(m_data, 3));
        state().CurrentLetterNo = 2;
        Form1 form;
        form.show();
        ScriptedDialogs dialogs;
        dialogs.answer(platform::vbNo).answer(platform::vbYes);
        QByteArray before;
        whenModal([&](QWidget* w) {
            auto* list = qobject_cast<frmData*>(w);
            QVERIFY(list);
            whenModal([&](QWidget* w2) {
                auto* entry = qobject_cast<entry::frmDat3*>(w2);
                QVERIFY(entry);
                QCOMPARE(entry->control("txtname")->text(), QStringLiteral("患者2"));
                entry->control("txtname")->setText(QStringLiteral("患者2 改"));
                QVERIFY(record::LetterStore(m_data).remove(rowsOf(m_data).at(0)).ok);
                before = LetterFile::fileHash(m_data);
                entry->Command3_Click(); // No: the form stays with its entries
                QVERIFY(entry->isVisible());
                QCOMPARE(entry->control("txtname")->text(), QStringLiteral("患者2 改"));
                QCOMPARE(LetterFile::fileHash(m_data), before);
                whenModal([&](QWidget* w3) {
                    auto* list2 = qobject_cast<frmData*>(w3);
                    QVERIFY(list2);
                    QCOMPARE(list2->letterNoAt(list2->currentRow()), 3);
                    list2->cmdCancel_Click();
                });
                entry->Command3_Click(); // Yes: saved as a new letter, back to the list
            });
            list->cmdRe_Click();
        });
        form.DataOpen();

        QCOMPARE(dialogs.messages().size(), 2);
        for (const auto& shown : dialogs.messages()) {
            QVERIFY2(shown.text.contains(QStringLiteral("ほかの画面")), qPrintable(shown.text));
            QCOMPARE(shown.style, int(platform::vbYesNo + platform::vbExclamation));
        }
        QCOMPARE(state().CurrentLetterNo, 3);
        const QList<record::LetterListRow> rows = rowsOf(m_data);
        QCOMPARE(rows.size(), 3);
        QCOMPARE(rows.at(0).name, QStringLiteral("患者2"));
        QCOMPARE(rows.at(1).name, QStringLiteral("患者3"));
        QCOMPARE(rows.at(2).name, QStringLiteral("患者2 改"));
        QCOMPARE(rows.at(2).writtenOn, rows.at(0).writtenOn);
    }

    // "印刷(&P)" saves the letter, puts it on the sheet and opens the print dialog; the list
    // does not come back.
    void printCommandSavesShowsAndOpensThePrintDialog()
    {
        QVERIFY(letterfixtures::createDataFile(m_data));
        Form1 form;
        form.show();
        int openings = 0;
        form.beforePrintDialog = [&](frmAdj& dialog) {
            ++openings;
            QVERIFY(form.model().FormLoaded);
            QCOMPARE(form.lblPointer->text(), QStringLiteral("山田花子"));
            QTimer::singleShot(0, &dialog, [&dialog] { dialog.cmdCancel_Click(); });
        };
        whenModal([&](QWidget* w) {
            auto* list = qobject_cast<frmData*>(w);
            QVERIFY(list);
            whenModal([&](QWidget* w2) {
                auto* entry = qobject_cast<entry::frmDat3*>(w2);
                QVERIFY(entry);
                entry->control("txtname")->setText(QStringLiteral("山田花子"));
                entry->Command2_Click();
            });
            list->cmdNew_Click();
        });
        form.DataOpen();
        QCOMPARE(openings, 1);
        QCOMPARE(LetterFile::letterNumbers(m_data), QList<qint32>{1});
        QCOMPARE(state().CurrentLetterNoText, QStringLiteral("1"));
        QCOMPARE(form.model().FormText[sheetdata::PatientNameSlot], QStringLiteral("山田花子"));
        QCOMPARE(QApplication::activeModalWidget(), nullptr);
    }
};

QTEST_MAIN(RecordListTest)
#include "tst_recordlist.moc"
