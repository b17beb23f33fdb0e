#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

#include "engine/io/file_progress.h"

// Splits a DXF file into (group code, value) pairs: ASCII with any mix of LF
// and CRLF line ends, or binary DXF with one- (R12) or two-byte group codes.
// The file is read in large chunks so that memory stays bounded by the model,
// not by the file.
namespace brondel::engine::io::dxf {

// How the value of a group code is stored (binary) and parsed (ASCII).
enum class ValueKind : std::uint8_t { String, Double, Int16, Int32, Int64, Bool, Binary };
ValueKind valueKind(int code);

struct Group {
    int code = 0;
    ValueKind kind = ValueKind::String;
    std::string_view text;  // ASCII: the value line; binary: the string value
    double number = 0;      // binary numeric values, already decoded
    bool numberReady = false;
    std::int64_t where = 0;  // ASCII: line of the group code; binary: byte offset
};

// Bytes of the whole input, either a caller's buffer or a file read in chunks.
class ByteSource {
  public:
    explicit ByteSource(std::string_view data);  // the caller's buffer, kept as is
    // Not owned; read to the end. progress hears of each chunk read.
    explicit ByteSource(std::FILE* file, const FileProgress& progress = {});
    // [begin, end) of the bytes not yet consumed; refill() keeps them and
    // appends more, answering false at the end of the input.
    const char* begin() const { return begin_; }
    const char* end() const { return end_; }
    void consume(const char* upTo) { begin_ = upTo; }
    bool refill();
    std::int64_t offset() const;                 // of begin() in the input
    std::int64_t size() const { return size_; }  // of the whole input, as far as known

  private:
    std::FILE* file_ = nullptr;
    const FileProgress* progress_ = nullptr;
    const char* origin_ = nullptr;  // the caller's buffer
    std::vector<char> buffer_;
    const char* begin_ = nullptr;
    const char* end_ = nullptr;
    std::int64_t consumedBeforeBuffer_ = 0;
    std::int64_t size_ = 0;
};

class Tokenizer {
  public:
    // Throws kNotDxf when the input is empty or its start is neither a
    // binary sentinel nor a group code line.
    explicit Tokenizer(ByteSource& source);

    bool binary() const { return binary_; }
    std::int64_t inputSize() const { return src_.size(); }
    // The next group, nullptr at the end of the input; valid until the next
    // call. A pushed-back group is answered again first.
    const Group* next() {
        if (pushedBack_) {
            pushedBack_ = false;
            return &last_;
        }
        return (binary_ ? nextBinary(last_) : nextAscii(last_)) ? &last_ : nullptr;
    }
    void pushBack() { pushedBack_ = true; }
    // Where a message should point: "line N" or "byte N".
    std::string where(std::int64_t at) const;

    double toDouble(const Group& g) const;     // throws kDxfBadValue
    std::int64_t toInt(const Group& g) const;  // throws kDxfBadValue

  private:
    bool nextAscii(Group& g);
    bool nextBinary(Group& g);
    bool readLine(std::string_view& line);
    bool need(std::size_t n);  // at least n bytes available, false at end
    [[noreturn]] void truncated(std::int64_t at) const;

    ByteSource& src_;
    bool binary_ = false;
    bool twoByteCodes_ = true;
    bool pushedBack_ = false;
    std::int64_t line_ = 0;
    Group last_;
};

}  // namespace brondel::engine::io::dxf
