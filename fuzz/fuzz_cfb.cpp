// Fuzzes the compound file reader: opening, listing the root and reading every root stream.
#include <cstddef>
#include <cstdint>

#include "formats/cfb/compound_file.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace tarnwick;
    auto cf = cfb::CompoundFile::open(Bytes(data, size));
    if (!cf) {
        if (cf.error().message.empty()) __builtin_trap();
        return 0;
    }
    for (const std::string& name : cf->rootNames()) {
        auto s = cf->stream(name);
        if (s && s->size() > size) __builtin_trap();  // a stream never outgrows its file
    }
    return 0;
}
