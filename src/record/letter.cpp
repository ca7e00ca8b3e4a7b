#include "record/letter.h"

namespace record {

std::optional<QString> Letter::text(Field field) const
{
    const auto& v = m_values[index(field)];
    if (!v)
        return std::nullopt;
    return v->toString();
}

void Letter::set(Field field, const db::Variant& value)
{
    m_values[index(field)] = value;
    if (m_watcher)
        m_watcher(field, value);
}

} // namespace record
