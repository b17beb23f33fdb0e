#pragma once

#include <string>
#include <string_view>

// Text for DXF files of AutoCAD 2000, which hold strings in the drawing's
// code page rather than in UTF-8.
namespace brondel::engine::io {

constexpr std::string_view kDefaultCodePage = "ANSI_1252";

// UTF-8 text in the given $DWGCODEPAGE: characters the code page holds as
// single bytes, the rest (and control characters) as \U+XXXX. Code pages other than ANSI_1252 keep
// only ASCII as bytes, which every ANSI code page shares. Bytes that are not
// UTF-8 become U+FFFD.
std::string encodeForCodePage(std::string_view utf8, std::string_view codePage);

}  // namespace brondel::engine::io
