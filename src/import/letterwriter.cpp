#include "import/letterwriter.h"

#include "common/schema.h"
#include "platform/database.h"

#include <QSet>

namespace import {

namespace {

bool isLetterField(const QString& name)
{
    static const QSet<QString> fields = [] {
        QSet<QString> set;
        for (const common::LetterField& field : common::letterFields())
            set.insert(field.name);
        return set;
    }();
    return fields.contains(name);
}

} // namespace

LetterWriter::LetterWriter(db::Database& database) : m_database(database) {}

LetterWriter::~LetterWriter() = default;

std::optional<qint32> LetterWriter::highestLetterNo(QString* error)
{
    const auto max = m_database.openDynaset(QStringLiteral("SELECT MAX(%1) AS 最大 FROM %2")
                                                .arg(common::LetterKey, common::LetterTable),
                                            {}, error);
    if (!max)
        return std::nullopt;
    if (max->eof())
        return 0;
    const db::Variant value = max->field(QStringLiteral("最大"));
    if (value.isNull())
        return 0;
    if (const auto no = value.toLong())
        return *no;
    if (error)
        *error = QStringLiteral("作成NO を読めません。");
    return std::nullopt;
}

bool LetterWriter::addLetter(qint32 letterNo, const LetterValues& values, QString* error)
{
    if (!m_letters) {
        m_letters = m_database.openTable(common::LetterTable, error);
        if (!m_letters)
            return false;
    }
    if (!m_letters->addNew(error) ||
        !m_letters->setField(common::LetterKey, db::Variant::fromLong(letterNo), error))
        return false;
    for (const auto& [field, value] : values) {
        if (!isLetterField(field)) {
            m_letters->cancelUpdate();
            if (error)
                *error = QStringLiteral("項目「%1」は意見書にありません。").arg(field);
            return false;
        }
        if (!m_letters->setField(field, value, error)) {
            m_letters->cancelUpdate();
            return false;
        }
    }
    return m_letters->update(error);
}

bool LetterWriter::addListItem(int listCode, const db::Variant& text, QString* error)
{
    if (!m_lists) {
        m_lists = m_database.openTable(common::ComboTable, error);
        if (!m_lists)
            return false;
    }
    if (!m_lists->addNew(error) ||
        !m_lists->setField(common::ComboCode, db::Variant::fromInteger(qint16(listCode)), error) ||
        !m_lists->setField(common::ComboText, text, error)) {
        m_lists->cancelUpdate();
        return false;
    }
    return m_lists->update(error);
}

} // namespace import
