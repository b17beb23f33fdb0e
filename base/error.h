#pragma once

#include <stdexcept>
#include <string>

// Every failure the user can meet carries a number and a sentence.
// Runtime numbers follow the conventional ones the program's messages
// expect; the engine's own failures are numbered from 30000 up.
namespace brondel {

namespace err {
constexpr int kInvalidCall = 5;
constexpr int kOverflow = 6;
constexpr int kSubscriptOutOfRange = 9;
constexpr int kTypeMismatch = 13;
constexpr int kFileNotFound = 53;
constexpr int kInputPastEnd = 62;
constexpr int kPathFileAccess = 75;
constexpr int kCancelled = 32755;  // a file dialog the user cancelled

constexpr int kNoSuchEntity = 30001;     // handle names no entity of a live drawing
constexpr int kEntityErased = 30002;     // the entity is marked erased
constexpr int kWrongEntityKind = 30003;  // the query does not apply to this kind
constexpr int kNoSuchLayer = 30004;
constexpr int kNoSuchBlock = 30005;
constexpr int kBadArgument = 30006;
constexpr int kNotDxf = 30010;           // the file is not a DXF file
constexpr int kDxfTruncated = 30011;     // the file ends inside a section or entity
constexpr int kDxfBadGroupCode = 30012;  // a group code line that is not a number
constexpr int kDxfBadValue = 30013;      // a value that does not fit its group code
constexpr int kDwgNotSupported = 30014;
constexpr int kUnknownFormat = 30015;  // file name extension the engine cannot read
constexpr int kFileRead = 30016;
constexpr int kFileWrite = 30017;
constexpr int kNotFinite = 30018;  // a number to be written is NaN or infinite
constexpr int kNotVec = 30020;
constexpr int kVecCorrupt = 30021;
constexpr int kVecVersion = 30022;
constexpr int kNothingToUndo = 30030;
constexpr int kNothingToRedo = 30031;
}  // namespace err

// The conventional description of a number ("Overflow", "File not found", ...).
std::string describeError(int number);

class Error : public std::runtime_error {
  public:
    explicit Error(int number);
    Error(int number, const std::string& description);

    int number() const { return number_; }
    std::string description() const { return what(); }

  private:
    int number_;
};

}  // namespace brondel
