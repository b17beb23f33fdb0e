// A line typed into the command window: read as a command or a point, never
// a crash.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "engine/command_input.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    brondel::engine::commandCodeFor(text);
    brondel::engine::parseTypedPoint(text);
    return 0;
}
