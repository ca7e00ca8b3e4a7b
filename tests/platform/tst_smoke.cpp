#include "platform/variant.h"

#include <QtTest>

class SmokeTest : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void nullByDefault() { QVERIFY(db::Variant().isNull()); }
};

QTEST_GUILESS_MAIN(SmokeTest)
#include "tst_smoke.moc"
