// The postal-code list reader on any bytes: no crash, no sanitizer report, and every row it
// hands over has a code of exactly 8 characters.

#include "import/postcodelist.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArrayView bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    import::readPostCodeList(bytes, [](const import::PostCodeRow& row) {
        if (row.code.size() != import::PostCodeCodeWidth)
            std::abort();
        return true;
    });
    return 0;
}
