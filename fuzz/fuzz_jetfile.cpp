// libFuzzer target: the Jet reader on any bytes. A file must be refused or read whole
// (every table, every row) without a crash, a hang or a sanitizer report.
#include "platform/jetfile.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const auto jet = platform::JetFile::fromBytes(
        QByteArray(reinterpret_cast<const char*>(data), qsizetype(size)));
    if (!jet)
        return 0;
    qsizetype values = 0;
    for (const QString& name : jet->tables()) {
        if (const auto table = jet->readTable(name)) {
            for (const auto& row : table->rows) {
                for (const db::Variant& value : row)
                    values += value.toString().size();
            }
        }
    }
    return values < 0 ? 1 : 0;
}
