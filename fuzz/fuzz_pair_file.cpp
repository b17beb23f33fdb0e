// DAT and COR files: any bytes either read as pairs (and turn into DAT list
// rows) or fail with an Error.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "base/error.h"
#include "coordfiles/dat_reader.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    try {
        const auto file = brondel::coordfiles::parsePairFile(
            std::string_view(reinterpret_cast<const char*>(data), size));
        brondel::coordfiles::importedDatRows(file.pairs);
    } catch (const brondel::Error&) {
    }
    return 0;
}
