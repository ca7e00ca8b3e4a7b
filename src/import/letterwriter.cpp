#include "import/letterwriter.h"

#include "common/schema.h"
#include "platform/database.h"

#include <QHash>

namespace import {

std::optional<record::Letter> letterOf(const LetterValues& values, QString* error)
{
    static const QHash<QString, common::Field> fields = [] {
        QHash<QString, common::Field> byName;
        const auto& all = common::letterFields();
        for (int i = 0; i < int(all.size()); ++i)
            byName.insert(all[i].name, static_cast<common::Field>(i));
        return byName;
    }();
    record::Letter letter;
    for (const auto& [name, value] : values) {
        const auto field = fields.constFind(name);
        if (field == fields.cend()) {
            if (error)
                *error = QStringLiteral("項目「%1」は意見書にありません。").arg(name);
            return std::nullopt;
        }
        letter.set(*field, value);
    }
    return letter;
}

ListItemWriter::ListItemWriter(db::Database& database) : m_database(database) {}

ListItemWriter::~ListItemWriter() = default;

bool ListItemWriter::addListItem(int listCode, const db::Variant& text, QString* error)
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
