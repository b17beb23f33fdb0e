#pragma once

#include <span>
#include <string>
#include <string_view>
#include <vector>

// Reading DAT and COR files: numbers taken two at a time as x and y, each a
// 32-bit float, separated by blanks, tabs, commas or line ends. Airfoil files
// as users have them read too: a leading line that is not data names the
// shape, a Lednicer file is turned into one loop, and text after the last
// pair ends the data.
namespace brondel::coordfiles {

enum class PairFileFormat {
    Selig,                    // pairs in file order (DAT, COR and Selig airfoil files)
    Lednicer,                 // counts line, upper then lower surface from the leading edge
    SurfacesFromLeadingEdge,  // two blank-separated blocks from one shared point, no counts
};

struct PairPoint {
    float x = 0.0f;
    float y = 0.0f;
    bool operator==(const PairPoint&) const = default;
};

struct PairFile {
    std::string name;  // UTF-8; empty when the file starts with data
    std::vector<PairPoint> pairs;
    PairFileFormat format = PairFileFormat::Selig;
};

// Layout accepted: an optional UTF-8 byte-order mark; CR LF, LF or CR line
// ends, mixed; blank lines anywhere. Lines before the first one that starts
// with two numbers are header lines and the first of them is the name (a lone
// number is data when the next line is a lone number too, as in a COR file
// of one number per line). In the data a field that is not a number ends the
// data; "(0.0013)" reads as a number and a line with a run of dots in place
// of a value is passed over. Both surface layouts are returned in Selig order:
// from the trailing edge over the upper surface to the leading edge and back
// along the lower surface, the shared leading-edge point once.
//
// Failures: an x without its y at the end of the data, or an empty file,
// Error kInputPastEnd; a file without a single pair kTypeMismatch; a number
// beyond the range of a float kOverflow.
PairFile parsePairFile(std::string_view bytes);

// parsePairFile on the file's contents; kFileNotFound or kPathFileAccess when
// it cannot be read.
PairFile readPairFile(const std::string& path);

// The DAT list rows of pairs, in coordinate text. kOverflow for a value
// beyond the range of coordinate text.
std::vector<std::string> importedDatRows(std::span<const PairPoint> pairs);

}  // namespace brondel::coordfiles
