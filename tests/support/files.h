#pragma once

#include <fstream>
#include <iterator>
#include <string>

namespace brondel::testing {

// The bytes of a file ("" when it cannot be read), and a file written whole.
inline std::string readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}
inline void writeFile(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

}  // namespace brondel::testing
