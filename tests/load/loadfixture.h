#pragma once

// Letters written into a temporary data file, an entry form in its start state, and checks
// of the form's controls written as "name(index).property=value".

#include "controls/controlregistry.h"
#include "controls/controlwidgets.h"
#include "common/schema.h"
#include "entry/frmDat3.h"
#include "platform/database.h"
#include "platform/variant.h"

#include <QList>
#include <QRegularExpression>
#include <QStringList>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>

namespace loadtest {

struct FieldValue
{
    QString name;
    db::Variant value;
};
using Fields = QList<FieldValue>;

inline db::Variant S(const QString& text)
{
    return db::Variant::fromString(text);
}
inline db::Variant N(int number)
{
    return db::Variant::fromLong(number);
}
inline const db::Variant T = db::Variant::fromBool(true);
inline const db::Variant F = db::Variant::fromBool(false);
inline const db::Variant Null = db::Variant::null();

// A data file in a temporary folder with the program's tables, or with a letter table of
// the caller's columns.
class LetterFile
{
public:
    LetterFile() : m_path(m_dir.filePath(QStringLiteral("Ruviro.mdb")))
    {
        auto database = db::Database::create(m_path);
        QVERIFY(database);
        QVERIFY(common::createLetterTables(*database));
    }
    // A letter table of 作成NO and the given TEXT columns only.
    explicit LetterFile(const QStringList& textColumns)
        : m_path(m_dir.filePath(QStringLiteral("Ruviro.mdb")))
    {
        auto database = db::Database::create(m_path);
        QVERIFY(database);
        QStringList columns{common::LetterKey + QStringLiteral(" INTEGER")};
        for (const QString& column : textColumns)
            columns << column + QStringLiteral(" TEXT");
        QVERIFY(database->execute(
            QStringLiteral("CREATE TABLE %1 (%2)").arg(common::LetterTable, columns.join(u','))));
    }

    QString path() const { return m_path; }

    bool add(int letterNo, const Fields& fields)
    {
        auto database = db::Database::open(m_path, db::OpenMode::ReadWrite);
        if (!database)
            return false;
        auto rs = database->openTable(common::LetterTable);
        QString error;
        bool ok = rs && rs->addNew(&error) &&
                  rs->setField(common::LetterKey, db::Variant::fromLong(letterNo), &error);
        for (const FieldValue& f : fields)
            ok = ok && rs->setField(f.name, f.value, &error);
        ok = ok && rs->update(&error);
        if (!ok)
            qWarning() << "letter not written:" << error;
        return ok;
    }

    bool execute(const QString& sql)
    {
        auto database = db::Database::open(m_path, db::OpenMode::ReadWrite);
        return database && database->execute(sql);
    }

private:
    QTemporaryDir m_dir;
    QString m_path;
};

// The entry form as its loading leaves it before a letter comes in.
inline std::unique_ptr<entry::frmDat3> startForm()
{
    auto form = std::make_unique<entry::frmDat3>();
    form->TabNew();
    form->applyEraDefaults();
    return form;
}

// Every control's state, one line each, for comparing two forms.
inline QStringList snapshot(const entry::frmDat3& form)
{
    QStringList lines;
    for (const controls::Control* c : form.controls().all()) {
        lines << QStringLiteral("%1(%2) text=%3 value=%4 enabled=%5 visible=%6 back=%7 fore=%8")
                     .arg(c->name())
                     .arg(c->index())
                     .arg(c->text())
                     .arg(c->value())
                     .arg(c->enabled())
                     .arg(c->visible())
                     .arg(c->backColor(), 0, 16)
                     .arg(c->foreColor(), 0, 16);
    }
    return lines;
}

// "name(index).property=value" with property text, value, enabled, visible (0 or 1), back
// or fore (hexadecimal colour). Fails the test on the first mismatch.
inline void expectControls(const entry::frmDat3& form, const QStringList& expectations)
{
    static const QRegularExpression pattern(
        QStringLiteral(R"(^(\w+)(?:\((\d+)\))?\.(text|value|enabled|visible|back|fore)=(.*)$)"),
        QRegularExpression::DotMatchesEverythingOption);
    for (const QString& e : expectations) {
        const auto m = pattern.match(e);
        QVERIFY2(m.hasMatch(), qPrintable(QStringLiteral("bad expectation: ") + e));
        const QString name = m.captured(1);
        const int index = m.captured(2).isEmpty() ? controls::kNoIndex : m.captured(2).toInt();
        const QString property = m.captured(3);
        const QString want = m.captured(4);
        const controls::Control* c = form.controls().find(name, index);
        QVERIFY2(c, qPrintable(QStringLiteral("no control: ") + e));
        QString got;
        if (property == u"text")
            got = c->text();
        else if (property == u"value")
            got = QString::number(c->value());
        else if (property == u"enabled")
            got = QString::number(int(c->enabled()));
        else if (property == u"visible")
            got = QString::number(int(c->visible()));
        else if (property == u"back")
            got = QString::number(c->backColor(), 16).toUpper();
        else
            got = QString::number(c->foreColor(), 16).toUpper();
        QVERIFY2(got == want, qPrintable(QStringLiteral("%1: got \"%2\"").arg(e, got)));
    }
}

} // namespace loadtest

Q_DECLARE_METATYPE(loadtest::Fields)
