#include "common/fontsubstitution.h"

#include <QFont>
#include <QString>
#include <QStringList>

namespace common {

void installFontSubstitutions()
{
    static const struct
    {
        const char16_t* name;
        const char16_t* substitute;
    } substitutions[] = {
        {u"ＭＳ 明朝", u"IPAMincho"},
        {u"ＭＳ Ｐ明朝", u"IPAPMincho"},
        {u"ＭＳ ゴシック", u"IPAGothic"},
        {u"ＭＳ Ｐゴシック", u"IPAPGothic"},
    };
    for (const auto& s : substitutions) {
        const QString name = QString::fromUtf16(s.name);
        const QString substitute = QString::fromUtf16(s.substitute);
        if (!QFont::substitutes(name).contains(substitute))
            QFont::insertSubstitution(name, substitute);
    }
}

} // namespace common
