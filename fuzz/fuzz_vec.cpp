// Feeds arbitrary bytes to the VEC reader: it must either read a drawing or
// fail with an Error, never crash, hang or allocate without bound.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "base/error.h"
#include "engine/io/drawing_files.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    try {
        brondel::engine::io::readVecBuffer(
            std::string_view(reinterpret_cast<const char*>(data), size));
    } catch (const brondel::Error&) {
    }
    return 0;
}
