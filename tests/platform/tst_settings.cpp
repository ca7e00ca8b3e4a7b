#include "platform/settings.h"
#include "testenvironment.h"

#include <QFile>
#include <QtTest>

using namespace platform;

namespace {
const QString App = QStringLiteral("Dizur");
const QString Startup = QStringLiteral("Startup");
} // namespace

class SettingsTest : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void init() { m_env = std::make_unique<TestEnvironment>(); }
    void cleanup() { m_env.reset(); }

    void fileLivesInConfigHome()
    {
        QVERIFY(SaveSetting(App, Startup, QStringLiteral("FormWidth"), QStringLiteral("9600")));
        const QString path = m_env->configHome() + QStringLiteral("/Dizur/Dizur.ini");
        QCOMPARE(SettingsFilePath(App), path);
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray content = file.readAll();
        QVERIFY2(content.contains("[Startup]") && content.contains("FormWidth=9600"),
                 content.constData());
    }

    void missingKeyGivesDefault()
    {
        QCOMPARE(GetSetting(App, Startup, QStringLiteral("FormState"), QStringLiteral("2")),
                 QStringLiteral("2"));
        QCOMPARE(GetSetting(App, Startup, QStringLiteral("FormState")), QString());
        QCOMPARE(GetSettingInt(App, Startup, QStringLiteral("FormState"), 2), 2);
    }

    void keysMatchWithoutCase()
    {
        SaveSetting(App, Startup, QStringLiteral("FormHeight"), QStringLiteral("6735"));
        QCOMPARE(GetSetting(App, Startup, QStringLiteral("formheight")), QStringLiteral("6735"));
        // Writing another spelling replaces the value and keeps one key.
        SaveSetting(App, QStringLiteral("startup"), QStringLiteral("Formheight"),
                    QStringLiteral("7000"));
        QCOMPARE(GetSetting(App, Startup, QStringLiteral("FORMHEIGHT")), QStringLiteral("7000"));
        QFile file(SettingsFilePath(App));
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray content = file.readAll();
        QCOMPARE(content.count("6735") + content.count("7000"), 1);
        QCOMPARE(content.toLower().count("formheight"), 1);
        QCOMPARE(content.toLower().count("[startup]"), 1);
    }

    void sectionsAreApart()
    {
        SaveSetting(App, QStringLiteral("Data"), QStringLiteral("TEL1"), QStringLiteral("03"));
        QCOMPARE(GetSetting(App, Startup, QStringLiteral("TEL1"), QStringLiteral("x")),
                 QStringLiteral("x"));
        QCOMPARE(GetSetting(App, QStringLiteral("Data"), QStringLiteral("TEL1")),
                 QStringLiteral("03"));
    }

    void textRoundTrips_data()
    {
        QTest::addColumn<QString>("value");
        QTest::newRow("japanese") << QStringLiteral("東京都千代田区１－２");
        QTest::newRow("comma") << QStringLiteral("a, b,c");
        QTest::newRow("quotes and semicolon") << QStringLiteral("\"x\";y=z");
        QTest::newRow("empty") << QString();
        QTest::newRow("leading blank") << QStringLiteral(" 5");
    }
    void textRoundTrips()
    {
        QFETCH(QString, value);
        SaveSetting(App, QStringLiteral("Data"), QStringLiteral("Adress"), value);
        QCOMPARE(GetSetting(App, QStringLiteral("Data"), QStringLiteral("Adress"),
                            QStringLiteral("default")),
                 value);
    }

    void typedReaders_data()
    {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<int>("asInt");
        QTest::addColumn<double>("asDouble");
        QTest::addColumn<bool>("asBool");
        // Defaults below: int -1, double -1.5, bool true.
        QTest::newRow("integer") << "9600" << 9600 << 9600.0 << true;
        QTest::newRow("negative") << "-120" << -120 << -120.0 << true;
        QTest::newRow("zero") << "0" << 0 << 0.0 << false;
        QTest::newRow("fraction rounds half to even") << "2.5" << 2 << 2.5 << true;
        QTest::newRow("blanks around") << " 15 " << 15 << 15.0 << true;
        QTest::newRow("True") << "True" << -1 << -1.5 << true;
        QTest::newRow("false any case") << "FALSE" << -1 << -1.5 << false;
        QTest::newRow("letters") << "abc" << -1 << -1.5 << true;
        QTest::newRow("empty") << "" << -1 << -1.5 << true;
        QTest::newRow("too big for int") << "99999999999" << -1 << 99999999999.0 << true;
    }
    void typedReaders()
    {
        QFETCH(QString, stored);
        QFETCH(int, asInt);
        QFETCH(double, asDouble);
        QFETCH(bool, asBool);
        const QString key = QStringLiteral("UserX");
        SaveSetting(App, Startup, key, stored);
        QCOMPARE(GetSettingInt(App, Startup, key, -1), asInt);
        QCOMPARE(GetSettingDouble(App, Startup, key, -1.5), asDouble);
        QCOMPARE(GetSettingBool(App, Startup, key, true), asBool);
    }

    void settingText()
    {
        QCOMPARE(SettingText(true), QStringLiteral("True"));
        QCOMPARE(SettingText(false), QStringLiteral("False"));
        QCOMPARE(SettingText(81), QStringLiteral("81"));
        QCOMPARE(SettingText(1.1f), QStringLiteral("1.1"));
        QCOMPARE(SettingText(-2.5f), QStringLiteral("-2.5"));
        QCOMPARE(SettingText(100000.0f), QStringLiteral("100000"));
        QCOMPARE(SettingText(9600.0), QStringLiteral("9600"));
        QCOMPARE(SettingText(0.1), QStringLiteral("0.1"));
        QCOMPARE(SettingText(0.0f), QStringLiteral("0"));
        // A stored float reads back as the same float.
        SaveSetting(App, Startup, QStringLiteral("UserY"), SettingText(0.3f));
        QCOMPARE(float(GetSettingDouble(App, Startup, QStringLiteral("UserY"), 0)), 0.3f);
    }

    void unwritableFolderFails()
    {
        // The settings folder's place is taken by a file.
        QFile blocker(m_env->configHome() + QStringLiteral("/Dizur"));
        QVERIFY(blocker.open(QIODevice::WriteOnly));
        blocker.close();
        QVERIFY(!SaveSetting(App, Startup, QStringLiteral("FormState"), QStringLiteral("0")));
        QCOMPARE(GetSetting(App, Startup, QStringLiteral("FormState"), QStringLiteral("2")),
                 QStringLiteral("2"));
    }

private:
    std::unique_ptr<TestEnvironment> m_env;
};

QTEST_GUILESS_MAIN(SettingsTest)
#include "tst_settings.moc"
