#include "import/cp932.h"

#include <QStringDecoder>

#include <array>
#include <memory>

namespace import {

namespace {

constexpr char16_t Invalid = 0xFFFF; // no character of the code page maps to U+FFFF
constexpr char16_t LeadByte = 0xFFFE;

bool isLead(int b)
{
    return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC);
}

// The code page as two tables, filled once from the system's converter: what each single
// byte is (a character, a lead byte or nothing), and what each lead and trail pair is.
struct Tables
{
    std::array<char16_t, 256> single{};
    std::array<char16_t, 0x10000> pair{};

    Tables()
    {
        single.fill(Invalid);
        pair.fill(Invalid);
        auto decoder =
            std::make_unique<QStringDecoder>("Shift_JIS", QStringDecoder::Flag::Stateless);
        const auto decodeOne = [&decoder](const char* bytes, qsizetype size) -> char16_t {
            const QString s = decoder->decode(QByteArrayView(bytes, size));
            if (decoder->hasError()) {
                // The converter keeps its error once it has one: a fresh one for the next.
                decoder =
                    std::make_unique<QStringDecoder>("Shift_JIS", QStringDecoder::Flag::Stateless);
                return Invalid;
            }
            if (s.size() != 1)
                return Invalid;
            return s.front().unicode();
        };
        for (int b = 0; b < 256; ++b) {
            const char c = char(b);
            single[b] = isLead(b) ? LeadByte : decodeOne(&c, 1);
            if (!isLead(b))
                continue;
            for (int t = 0x40; t <= 0xFC; ++t) {
                if (t == 0x7F)
                    continue;
                const char two[2] = {c, char(t)};
                pair[(b << 8) | t] = decodeOne(two, 2);
            }
        }
    }
};

const Tables& tables()
{
    static const std::unique_ptr<Tables> t = std::make_unique<Tables>();
    return *t;
}

} // namespace

bool decodeCp932(QByteArrayView bytes, QString& out)
{
    const Tables& t = tables();
    out.resize(bytes.size());
    char16_t* dst = reinterpret_cast<char16_t*>(out.data());
    char16_t* const begin = dst;
    const auto* p = reinterpret_cast<const unsigned char*>(bytes.data());
    const auto* const end = p + bytes.size();
    while (p < end) {
        const unsigned char b = *p;
        if (b < 0x80) {
            // Plain ASCII, as the code page has it.
            *dst++ = t.single[b];
            ++p;
            continue;
        }
        char16_t c = t.single[b];
        if (c == LeadByte) {
            if (p + 1 == end) {
                out.clear();
                return false;
            }
            c = t.pair[(b << 8) | p[1]];
            p += 2;
        } else {
            ++p;
        }
        if (c == Invalid) {
            out.clear();
            return false;
        }
        *dst++ = c;
    }
    out.truncate(dst - begin);
    return true;
}

} // namespace import
