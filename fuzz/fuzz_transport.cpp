// Transport streams from arbitrary bytes: opening, walking both ways and
// reading every value must end in a result or an Error, never a crash or hang.
#include <cstddef>
#include <cstdint>

#include "engine/IMDTools.h"
#include "platform/Error.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    try {
        vk::TTransporter t;
        t.OpenStream(std::make_unique<vk::ByteViewStream>(data, size, "fuzz"));
        int records = 0;
        for (; !t.eof() && records < 10000; t.next(), ++records) {
            for (int i = 0; i < t.fieldCount(); ++i) {
                t.isNull(i);
                t.asString(i);
                if (vk::isBlobType(t.fieldDefs()[static_cast<std::size_t>(i)].type)) t.openBlob(i);
            }
        }
        t.last();
        t.prior();
        t.prior();
    } catch (const vk::Error&) {
    }
    return 0;
}
