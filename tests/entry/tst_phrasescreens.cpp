// Writes pictures of the phrase lists for a person to look at: the phrase-list editor, and a
// diagnosis box's open list on page "疾病" (one row offering the specified diseases). The
// folder is $RUVIRO_SCREENSHOT_DIR, or "screenshots" beside the test program.
#include "common/fontsubstitution.h"
#include "controls/controlwidgets.h"
#include "entry/frmDat3.h"
#include "entry/frmHenshu.h"
#include "phrasefixture.h"

#include <QAbstractItemView>
#include <QDir>
#include <QPainter>
#include <QTabBar>
#include <QtTest>

using namespace phrasetest;
using namespace Qt::Literals::StringLiterals;

namespace {

QString screenshotFolder()
{
    QString folder = qEnvironmentVariable("RUVIRO_SCREENSHOT_DIR");
    if (folder.isEmpty())
        folder = QCoreApplication::applicationDirPath() + u"/screenshots"_s;
    QDir().mkpath(folder);
    return folder;
}

const QStringList kDiagnoses = {u"脳梗塞後遺症"_s, u"高血圧症"_s, u"２型糖尿病"_s,
                                u"変形性膝関節症"_s, u"アルツハイマー型認知症"_s};

} // namespace

class PhraseScreensTest : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { common::installFontSubstitutions(); }
    void editor();
    void openList_data();
    void openList();
};

void PhraseScreensTest::editor()
{
    entry::frmHenshu editor(1, QString(), kDiagnoses);
    editor.setWindowTitle(u"「診断名」の編集"_s);
    editor.show();
    QVERIFY(QTest::qWaitForWindowExposed(&editor));
    const QString path = screenshotFolder() + u"/phrase-editor.png"_s;
    QVERIFY(editor.grab().save(path));
    editor.resize(editor.width() * 3 / 2, editor.height() * 3 / 2);
    QVERIFY(editor.grab().save(screenshotFolder() + u"/phrase-editor-larger.png"_s));
}

void PhraseScreensTest::openList_data()
{
    QTest::addColumn<int>("row");
    QTest::addColumn<bool>("specified");
    QTest::newRow("phrase-list-open") << 2 << false;
    QTest::newRow("phrase-list-specified") << 1 << true;
}

void PhraseScreensTest::openList()
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
    QVERIFY(shot.save(screenshotFolder() + u"/"_s + QString::fromLatin1(QTest::currentDataTag()) +
                      u".png"_s));
}

QTEST_MAIN(PhraseScreensTest)
#include "tst_phrasescreens.moc"
