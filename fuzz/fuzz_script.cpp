// Scripted sessions: any bytes either parse into commands or fail with the
// line that is wrong.
#include <cstddef>
#include <cstdint>
#include <string>

#include "app/cli/session/script.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    try {
        brondel::cli::session::parseScript(std::string(reinterpret_cast<const char*>(data), size));
    } catch (const brondel::cli::session::ScriptError&) {
    }
    return 0;
}
