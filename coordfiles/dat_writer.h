#pragma once

#include <span>
#include <string>

// The DAT file: plain 8-bit text, one line per DAT list row, x, one blank, y,
// each line ended by carriage return and line feed; no header, no byte-order
// mark, nothing after the last line. An empty list gives an empty file.
namespace brondel::coordfiles {

// The file's bytes. Each row's two numbers are read by the numeric prefix
// rule and written in their shortest form of at most 15 significant digits.
// A row without a blank fails with error 9 and a number too large for a
// double with kOverflow, before anything is written.
std::string renderDatFile(std::span<const std::string> datRows);

// Renders the list and puts it in place of path through a temporary file, so
// a failure leaves an existing file as it was. Lists of any length are
// written completely.
void writeDatFile(const std::string& path, std::span<const std::string> datRows);

}  // namespace brondel::coordfiles
