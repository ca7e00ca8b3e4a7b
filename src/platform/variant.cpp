#include "platform/variant.h"

namespace db {

Variant Variant::fromString(const QString& v)
{
    Variant r;
    r.m_type = Type::String;
    r.m_value = v;
    return r;
}

} // namespace db
