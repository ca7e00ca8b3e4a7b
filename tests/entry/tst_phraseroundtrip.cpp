// A letter whose phrase combos hold picked phrases is saved and opened again: every box
// shows the same text.
#include "common/fontsubstitution.h"
#include "controls/controlwidgets.h"
#include "entry/formcontrolsreader.h"
#include "entry/frmDat3.h"
#include "entry/phrasecombos.h"
#include "load/dataload.h"
#include "phrasefixture.h"
#include "record/lettersave.h"
#include "testenvironment.h"

#include <QtTest>

#include <memory>

using namespace phrasetest;
using namespace Qt::Literals::StringLiterals;
using controls::ComboBox;

namespace {

QList<ComboBox*> everyPhraseBox(const entry::frmDat3& form)
{
    QList<ComboBox*> boxes;
    for (const entry::PhraseList& list : entry::phraseLists()) {
        if (list.firstMember == 0)
            boxes.append(form.control<ComboBox>(list.combo));
        for (int i = list.firstMember; list.firstMember != 0 && i <= list.lastMember; ++i)
            boxes.append(form.control<ComboBox>(list.combo, i));
    }
    return boxes;
}

std::unique_ptr<entry::frmDat3> openForm(const QString& path)
{
    auto form = std::make_unique<entry::frmDat3>();
    form->fillPhraseLists(path);
    form->TabNew();
    form->applyEraDefaults();
    return form;
}

} // namespace

class PhraseRoundTripTest : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { common::installFontSubstitutions(); }
    void pickedPhrasesComeBack_data();
    void pickedPhrasesComeBack();
};

void PhraseRoundTripTest::pickedPhrasesComeBack_data()
{
    QTest::addColumn<QStringList>("phrases");
    QTest::newRow("plain") << QStringList{"脳梗塞後遺症", "高血圧症", "右上下肢"};
    QTest::newRow("blanks, symbols, a long care note")
        << QStringList{" 先頭と末尾に空白 ", "ＡＢＣ／１２３＆<>\"'",
                       "あいうえおかきくけこさしすせそたちつてとなにぬねのはひふへほ"};
    QTest::newRow("an imported item holding CR LF") << QStringList{"右膝\r\n左膝", "腰"};
    QTest::newRow("a pair of surrogates") << QStringList{"𠮷野家の𩸽", "𠀋"};
}

void PhraseRoundTripTest::pickedPhrasesComeBack()
{
    QFETCH(QStringList, phrases);
    TestEnvironment environment;
    PhraseFile file;
    for (int code = 1; code <= 22; ++code)
        QVERIFY(file.add(code, phrases));

    auto first = openForm(file.path());
    // The answers whose site and name boxes are saved only with them.
    struct Master
    {
        const char* name;
        int index;
    };
    const Master masters[] = {
        {"opPsy", 1},      {"chkKesson", -1},   {"chkMahi", -1},   {"chkMahibui", 5},
        {"chkTeika", -1},  {"chkKousyuku", -1}, {"chkToutsu", -1}, {"chkJokusou", -1},
        {"chkHihu", -1},   {"chkJoutai", 14},   {"optKanten1", 2}, {"optKanten2", 2},
        {"optKanten3", 2}, {"optKanten4", 2},   {"optKanten5", 2}, {"optKansen", 1}};
    for (const Master& m : masters)
        QVERIFY2(first->controls().setValue(QString::fromLatin1(m.name), m.index, 1), m.name);
    // Each box picks a phrase from its list with the arrow keys, as a user does.
    const QList<ComboBox*> boxes = everyPhraseBox(*first);
    QCOMPARE(boxes.size(), 39);
    QStringList picked;
    for (qsizetype b = 0; b < boxes.size(); ++b) {
        ComboBox* box = boxes.at(b);
        const int entry = int(b % phrases.size());
        for (int step = 0; step <= entry; ++step)
            QTest::keyClick(box, Qt::Key_Down);
        QVERIFY2(box->text() == phrases.at(entry),
                 qPrintable(u"%1(%2) is not open"_s.arg(box->name()).arg(box->index())));
        picked.append(box->text());
    }
    const record::LetterSaveResult saved =
        record::SaveLetter(file.path(), {}, entry::FormControlsReader(first->controls()));
    QVERIFY2(saved.saved, qPrintable(saved.error));

    auto second = openForm(file.path());
    QCOMPARE(load::LoadLetter(*second, file.path(), saved.letterNo), load::LoadResult::Loaded);
    const QList<ComboBox*> loaded = everyPhraseBox(*second);
    for (qsizetype b = 0; b < loaded.size(); ++b) {
        QVERIFY2(loaded.at(b)->text() == picked.at(b),
                 qPrintable(u"%1(%2): \"%3\" came back as \"%4\""_s.arg(loaded.at(b)->name())
                                .arg(loaded.at(b)->index())
                                .arg(picked.at(b), loaded.at(b)->text())));
        // The lists are there again, and nothing was picked from them by the loading.
        QCOMPARE(loaded.at(b)->items().size(), phrases.size() + 2);
    }
}

QTEST_MAIN(PhraseRoundTripTest)
#include "tst_phraseroundtrip.moc"
