// The letter fields are named in the schema alone: the code that saves, loads and puts a
// letter on the sheet addresses them by the schema's field, never by a spelt-out name.
#include "common/schema.h"

#include <QDirIterator>
#include <QFile>
#include <QRegularExpression>
#include <QSet>
#include <QtTest>

class FieldNamesTest : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void fieldNamesOnlyInTheSchema()
    {
        QSet<QString> names;
        for (const common::LetterField& field : common::letterFields())
            names.insert(field.name.normalized(QString::NormalizationForm_KC));
        // A string literal, as u"…", "…"_s or QStringLiteral("…") spell it.
        static const QRegularExpression literal(QStringLiteral("\"((?:[^\"\\\\\\n]|\\\\.)*)\""));
        QStringList found;
        for (const char* folder : {"record", "load", "sheetdata"}) {
            QDirIterator it(QStringLiteral(RUVIRO_SOURCE_DIR "/src/") + QLatin1String(folder),
                            {QStringLiteral("*.cpp"), QStringLiteral("*.h")}, QDir::Files);
            while (it.hasNext()) {
                const QString path = it.next();
                QFile file(path);
                QVERIFY2(file.open(QIODevice::ReadOnly), qPrintable(path));
                const QString text = QString::fromUtf8(file.readAll());
                for (const auto& m : literal.globalMatch(text)) {
                    const QString s = m.captured(1).normalized(QString::NormalizationForm_KC);
                    if (names.contains(s))
                        found << QFileInfo(path).fileName() + QStringLiteral(": ") + s;
                }
            }
        }
        QCOMPARE(found.join(u'\n'), QString());
    }
};

QTEST_GUILESS_MAIN(FieldNamesTest)
#include "tst_fieldnames.moc"
