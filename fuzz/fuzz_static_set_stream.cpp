// Loads arbitrary bytes as a static set stream into a set with a memo, reads
// every value, edits and saves: nothing may crash, hang or leak; broken memo
// chains may only throw vk::Error.
#include <cstddef>
#include <cstdint>

#include "dbenv/ConnectionSets.h"
#include "platform/Error.h"
#include "platform/Stream.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    vk::TStaticSet set;
    vk::defineUpdates(set);
    set.open();
    vk::ByteViewStream input(data, size, "fuzz");
    set.loadFromStream(input);
    for (set.first(); !set.eof(); set.next()) {
        for (int field = 0; field < set.fieldCount(); ++field) {
            try {
                set.asString(field);
            } catch (const vk::Error&) {
            }
        }
    }
    if (set.recordCount() > 0) {
        set.first();
        try {
            set.field("Info").setString("replaced");
            set.post();
        } catch (const vk::Error&) {
            set.cancel();
        }
        set.remove();
    }
    vk::MemoryStream output;
    set.saveToStream(output);
    return 0;
}
