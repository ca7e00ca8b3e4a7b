#include "common/textcuts.h"
#include "controls/controlwidgets.h"
#include "entry/frmDat3.h"

#include <QtTest>

using namespace controls;

// Every box of the entry form with an input limit keeps, of an input-method commit or a paste
// that would go past the limit, the part that fits.
class InputLimitsTest : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void everyLimitedBoxKeepsWhatFits_data()
    {
        QTest::addColumn<bool>("commit");
        QTest::newRow("input-method commit") << true;
        QTest::newRow("paste") << false;
    }
    void everyLimitedBoxKeepsWhatFits()
    {
        QFETCH(bool, commit);
        entry::frmDat3 form;
        int checked = 0;
        for (Control* control : form.controls().all()) {
            QLineEdit* edit = nullptr;
            int limit = 0;
            if (auto* box = dynamic_cast<TextBox*>(control)) {
                edit = box;
                limit = box->maxLength();
            } else if (auto* combo = dynamic_cast<ComboBox*>(control);
                       combo && combo->isEditable()) {
                edit = combo->lineEdit();
                limit = combo->maxLength();
            }
            if (!edit || limit <= 0)
                continue;
            const QByteArray where =
                QStringLiteral("%1(%2)").arg(control->name()).arg(control->index()).toUtf8();
            control->setText(QString());
            // Ends in a surrogate pair that falls across the limit.
            const QString input = QString(limit - 1, QChar(u'０')) + QStringLiteral("𠮷𠮷");
            if (commit) {
                QInputMethodEvent event;
                event.setCommitString(input);
                QCoreApplication::sendEvent(edit, &event);
            } else {
                edit->insert(input);
            }
            QVERIFY2(control->text() == common::leftChars(input, limit), where);
            ++checked;
        }
        QVERIFY(checked > 20);
    }
};

QTEST_MAIN(InputLimitsTest)
#include "tst_inputlimits.moc"
