#include "common/fontsubstitution.h"
#include "controls/controlwidgets.h"
#include "entry/frmDat3.h"
#include "entry/frmHenshu.h"
#include "phrasefixture.h"
#include "shots.h"

#include <QAbstractItemView>
#include <QPainter>
#include <QTabBar>
#include <QtTest>

using namespace phrasetest;
using namespace Qt::Literals::StringLiterals;

namespace {

const QStringList kDiagnoses = {u"脳梗塞後遺症"_s, u"高血圧症"_s, u"２型糖尿病"_s,
                                u"変形性膝関節症"_s, u"アルツハイマー型認知症"_s};

} // namespace

// The phrase-list editor, and a diagnosis box's open list on page "疾病" (one row offering
// the specified diseases).
class PhraseShots : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { common::installFontSubstitutions(); }
    void editor();
    void openList_data();
    void openList();
};

void PhraseShots::editor()
{
    entry::frmHenshu editor(1, QString(), kDiagnoses);
    editor.setWindowTitle(u"「診断名」の編集"_s);
    editor.show();
    QVERIFY(QTest::qWaitForWindowExposed(&editor));
    const QString path = shots::file(u"phrase-editor.png"_s);
    QVERIFY(editor.grab().save(path));
    editor.resize(editor.width() * 3 / 2, editor.height() * 3 / 2);
    QVERIFY(editor.grab().save(shots::file(u"phrase-editor-larger.png"_s)));
}

void PhraseShots::openList_data()
{
    QTest::addColumn<int>("row");
    QTest::addColumn<bool>("specified");
    QTest::newRow("phrase-list-open") << 2 << false;
    QTest::newRow("phrase-list-specified") << 1 << true;
}

void PhraseShots::openList()
{
    QFETCH(int, row);
    QFETCH(bool, specified);
    PhraseFile file;
    QVERIFY(file.add(1, kDiagnoses));
    entry::frmDat3 form;
    form.fillPhraseLists(file.path());
    form.TabNew();
    form.applyEraDefaults();
    form.control(u"cmbSippei"_s, 1)->setText(u"脳梗塞後遺症"_s);
    form.control(u"cmbSippei"_s, 3)->setText(u"高血圧症"_s);
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    form.tabStrip()->setCurrentIndex(1);
    if (specified)
        form.picToctei_MouseDown(row);
    auto* box = form.control<controls::ComboBox>(u"cmbSippei"_s, row);
    box->showPopup();
    QWidget* popup = box->view()->window();
    QVERIFY(QTest::qWaitForWindowExposed(popup));
    QPixmap shot = form.grab();
    {
        QPainter painter(&shot);
        painter.drawPixmap(form.mapFromGlobal(popup->mapToGlobal(QPoint(0, 0))), popup->grab());
    }
    box->hidePopup();
    QVERIFY(shot.save(shots::file(QString::fromLatin1(QTest::currentDataTag()) + u".png"_s)));
}

std::unique_ptr<QObject> shots::phraseShots()
{
    return std::make_unique<PhraseShots>();
}

#include "phraseshots.moc"
