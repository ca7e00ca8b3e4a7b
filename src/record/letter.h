#pragma once

#include "common/schema.h"
#include "platform/variant.h"

#include <QString>

#include <array>
#include <functional>
#include <optional>

namespace record {

// One letter in memory: its 作成NO and the 186 fields of the letter table, each addressed by
// the schema's field. A field is either unset (the save has nothing for it: a stored letter
// keeps what its row holds; a file without the column leaves it unset on reading) or set to a
// value, Null kept apart from "".
class Letter
{
public:
    using Field = common::Field;

    // 0 for a letter that is not stored yet.
    qint32 no() const { return m_no; }
    void setNo(qint32 no) { m_no = no; }

    bool isSet(Field field) const { return m_values[index(field)].has_value(); }
    // The field's value; Null when it is unset.
    db::Variant value(Field field) const { return m_values[index(field)].value_or(db::Variant()); }
    // The value as text (Null and unset as ""), and std::nullopt when unset.
    std::optional<QString> text(Field field) const;

    void set(Field field, const db::Variant& value);
    void unset(Field field) { m_values[index(field)].reset(); }

    // Called with every write, in order; the save's write order is watched through it.
    using WriteWatcher = std::function<void(Field, const db::Variant&)>;
    void watchWrites(WriteWatcher watcher) { m_watcher = std::move(watcher); }

private:
    static std::size_t index(Field field) { return static_cast<std::size_t>(field); }

    qint32 m_no = 0;
    std::array<std::optional<db::Variant>, common::LetterFieldCount> m_values;
    WriteWatcher m_watcher;
};

} // namespace record
