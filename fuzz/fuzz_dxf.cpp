#include <cstddef>
#include <cstdint>
#include <string_view>

#include "base/error.h"
#include "engine/io/drawing_files.h"

// Any bytes must either read or fail with a brondel::Error.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    try {
        brondel::engine::io::ReadReport report;
        brondel::engine::io::readDxfBuffer(
            std::string_view(reinterpret_cast<const char*>(data), size), &report);
    } catch (const brondel::Error&) {
    }
    return 0;
}
