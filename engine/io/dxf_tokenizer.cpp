#include "engine/io/dxf_tokenizer.h"

#include <array>
#include <bit>
#include <charconv>
#include <cmath>
#include <cstring>

#include <sys/stat.h>

#include "base/error.h"
#include "base/short_decimal.h"

namespace brondel::engine::io::dxf {

namespace {

constexpr std::size_t kChunk = std::size_t{4} << 20;
constexpr char kBinarySentinel[] = "AutoCAD Binary DXF\r\n\x1a";  // and a NUL: 22 bytes
constexpr std::size_t kSentinelSize = 22;

std::string_view trim(std::string_view s) {
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) {
        s.remove_prefix(1);
    }
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t' || s.back() == '\r')) {
        s.remove_suffix(1);
    }
    return s;
}

// Group codes are short integers, often padded with blanks: read by hand
// because this runs for every group of the file. The code of a line starting
// at p, and where its trailing blanks end; nullptr when it has no digits.
const char* readCode(const char* p, const char* e, int& code) {
    while (p < e && (*p == ' ' || *p == '\t'))
        ++p;
    const bool negative = p < e && *p == '-';
    if (negative)
        ++p;
    const char* digits = p;
    int v = 0;
    while (p < e && *p >= '0' && *p <= '9' && p - digits < 6) {
        v = v * 10 + (*p - '0');
        ++p;
    }
    if (p == digits)
        return nullptr;
    while (p < e && (*p == ' ' || *p == '\t' || *p == '\r'))
        ++p;
    code = negative ? -v : v;
    return p;
}

bool parseCode(std::string_view s, int& code) {
    int v = 0;
    const char* end = s.data() + s.size();
    if (readCode(s.data(), end, v) != end) {
        return false;
    }
    code = v;
    return true;
}

// The line feed ending a code line that starts at p, the code read on the
// way, so the common line is passed over once; nullptr when the line is not
// a plain code or does not end inside [p, e). Most writers right-align codes
// in three columns: that line is read without a loop.
inline const char* codeLineEnd(const char* p, const char* e, int& code) {
    if (e - p >= 4 && p[3] == '\n') {
        const unsigned d0 = static_cast<unsigned char>(p[0]) - '0';
        const unsigned d1 = static_cast<unsigned char>(p[1]) - '0';
        const unsigned d2 = static_cast<unsigned char>(p[2]) - '0';
        const bool blank0 = p[0] == ' ';
        const bool blank1 = p[1] == ' ';
        if (d2 < 10 && (d0 < 10 || blank0) && (d1 < 10 || (blank1 && blank0))) {
            code = static_cast<int>((blank0 ? 0 : d0 * 100) + (blank1 ? 0 : d1 * 10) + d2);
            return p + 3;
        }
    }
    const char* end = readCode(p, e, code);
    return end != nullptr && end < e && *end == '\n' ? end : nullptr;
}

static_assert(std::endian::native == std::endian::little, "a word's first byte is its lowest");

// Bit 7 set in each byte of w that is a line feed, and in no other.
inline std::uint64_t lineFeeds(std::uint64_t w) {
    constexpr std::uint64_t kLow7 = 0x7F7F7F7F7F7F7F7F;
    const std::uint64_t x = w ^ 0x0A0A0A0A0A0A0A0A;
    return ~(((x & kLow7) + kLow7) | x) & ~kLow7;
}

// The first line feed in [p, e), nullptr when there is none. Value lines are
// short: the first sixteen bytes are looked at in place.
inline const char* findLineFeed(const char* p, const char* e) {
    if (e - p >= 16) {
        std::uint64_t w[2];
        std::memcpy(w, p, sizeof w);
        if (const std::uint64_t m = lineFeeds(w[0])) {
            return p + std::countr_zero(m) / 8;
        }
        if (const std::uint64_t m = lineFeeds(w[1])) {
            return p + 8 + std::countr_zero(m) / 8;
        }
        p += 16;
    }
    return e > p ? static_cast<const char*>(std::memchr(p, '\n', static_cast<std::size_t>(e - p)))
                 : nullptr;
}

std::uint64_t littleEndian(const char* p, int bytes) {
    std::uint64_t v = 0;
    for (int i = bytes - 1; i >= 0; --i) {
        v = (v << 8) | static_cast<unsigned char>(p[i]);
    }
    return v;
}

constexpr ValueKind kindOfCode(int code) {
    if (code >= 10 && code <= 59)
        return ValueKind::Double;
    if (code >= 60 && code <= 79)
        return ValueKind::Int16;
    if (code >= 90 && code <= 99)
        return ValueKind::Int32;
    if (code >= 110 && code <= 149)
        return ValueKind::Double;
    if (code >= 160 && code <= 169)
        return ValueKind::Int64;
    if (code >= 170 && code <= 179)
        return ValueKind::Int16;
    if (code >= 210 && code <= 239)
        return ValueKind::Double;
    if (code >= 270 && code <= 289)
        return ValueKind::Int16;
    if (code >= 290 && code <= 299)
        return ValueKind::Bool;
    if (code >= 310 && code <= 319)
        return ValueKind::Binary;
    if (code >= 370 && code <= 389)
        return ValueKind::Int16;
    if (code >= 400 && code <= 409)
        return ValueKind::Int16;
    if (code >= 420 && code <= 429)
        return ValueKind::Int32;
    if (code >= 440 && code <= 459)
        return ValueKind::Int32;
    if (code >= 460 && code <= 469)
        return ValueKind::Double;
    if (code == 1004)
        return ValueKind::Binary;
    if (code >= 1010 && code <= 1059)
        return ValueKind::Double;
    if (code >= 1060 && code <= 1070)
        return ValueKind::Int16;
    if (code == 1071)
        return ValueKind::Int32;
    return ValueKind::String;
}

}  // namespace

constexpr auto kKinds = [] {
    std::array<ValueKind, 1072> table{};
    for (int c = 0; c < 1072; ++c) {
        table[static_cast<std::size_t>(c)] = kindOfCode(c);
    }
    return table;
}();

ValueKind valueKind(int code) {
    return code >= 0 && code < 1072 ? kKinds[static_cast<std::size_t>(code)] : ValueKind::String;
}

ByteSource::ByteSource(std::string_view data)
    : origin_(data.data()),
      begin_(data.data()),
      end_(data.data() + data.size()),
      size_(static_cast<std::int64_t>(data.size())) {}

ByteSource::ByteSource(std::FILE* file, const FileProgress& progress)
    : file_(file), progress_(progress ? &progress : nullptr) {
    struct stat info;
    if (fstat(fileno(file), &info) == 0 && S_ISREG(info.st_mode)) {
        size_ = info.st_size;
    }
    buffer_.resize(kChunk);
    begin_ = end_ = buffer_.data();
}

bool ByteSource::refill() {
    if (file_ == nullptr) {
        return false;
    }
    const std::size_t kept = static_cast<std::size_t>(end_ - begin_);
    consumedBeforeBuffer_ += begin_ - buffer_.data();
    std::memmove(buffer_.data(), begin_, kept);
    if (kept == buffer_.size()) {
        buffer_.resize(buffer_.size() * 2);  // one value longer than a chunk
    }
    const std::size_t got = std::fread(buffer_.data() + kept, 1, buffer_.size() - kept, file_);
    begin_ = buffer_.data();
    end_ = begin_ + kept + got;
    if (got == 0) {
        if (std::ferror(file_)) {
            throw Error(err::kFileRead, "The drawing file could not be read.");
        }
        file_ = nullptr;
        return false;
    }
    if (progress_ != nullptr) {
        (*progress_)(consumedBeforeBuffer_ + (end_ - buffer_.data()), size_);
    }
    return true;
}

std::int64_t ByteSource::offset() const {
    return consumedBeforeBuffer_ + (begin_ - (buffer_.empty() ? origin_ : buffer_.data()));
}

Tokenizer::Tokenizer(ByteSource& source) : src_(source) {
    need(kSentinelSize);
    const std::size_t avail = static_cast<std::size_t>(src_.end() - src_.begin());
    if (avail == 0) {
        throw Error(err::kNotDxf, "The file is empty, not a DXF drawing.");
    }
    if (avail >= kSentinelSize && std::memcmp(src_.begin(), kBinarySentinel, kSentinelSize) == 0) {
        binary_ = true;
        src_.consume(src_.begin() + kSentinelSize);
        need(2);
        twoByteCodes_ = !(src_.end() - src_.begin() >= 2 && src_.begin()[1] == 'S');
        return;
    }
    // A UTF-8 byte order mark some editors put in front.
    if (avail >= 3 && std::memcmp(src_.begin(), "\xEF\xBB\xBF", 3) == 0) {
        src_.consume(src_.begin() + 3);
    }
    // The first line must be a group code, or this is not a DXF file at all.
    const char* nl = static_cast<const char*>(
        std::memchr(src_.begin(), '\n', static_cast<std::size_t>(src_.end() - src_.begin())));
    std::string_view first(src_.begin(),
                           static_cast<std::size_t>((nl ? nl : src_.end()) - src_.begin()));
    int code = 0;
    if (!parseCode(first, code)) {
        throw Error(err::kNotDxf,
                    "The file is not a DXF drawing: it does not start with a group code.");
    }
}

bool Tokenizer::need(std::size_t n) {
    while (static_cast<std::size_t>(src_.end() - src_.begin()) < n) {
        if (!src_.refill()) {
            return false;
        }
    }
    return true;
}

std::string Tokenizer::where(std::int64_t at) const {
    return (binary_ ? "at byte " : "at line ") + std::to_string(at);
}

void Tokenizer::truncated(std::int64_t at) const {
    throw Error(err::kDxfTruncated,
                "The DXF file ends in the middle of a group " + where(at) + ".");
}

bool Tokenizer::readLine(std::string_view& line) {
    std::size_t scanned = 0;
    for (;;) {
        const char* b = src_.begin();
        const std::size_t avail = static_cast<std::size_t>(src_.end() - b);
        const char* nl =
            avail > scanned
                ? static_cast<const char*>(std::memchr(b + scanned, '\n', avail - scanned))
                : nullptr;
        if (nl != nullptr) {
            line = std::string_view(b, static_cast<std::size_t>(nl - b));
            src_.consume(nl + 1);
            break;
        }
        scanned = avail;
        if (!src_.refill()) {
            if (avail == 0) {
                return false;
            }
            line = std::string_view(src_.begin(), avail);
            src_.consume(src_.end());
            break;
        }
    }
    if (!line.empty() && line.back() == '\r') {
        line.remove_suffix(1);
    }
    ++line_;
    return true;
}

bool Tokenizer::nextAscii(Group& g) {
    // Both lines of the group inside the buffer: the common case.
    const char* b = src_.begin();
    const char* e = src_.end();
    const char* nl1 = codeLineEnd(b, e, g.code);
    const char* nl2 = nl1 != nullptr ? findLineFeed(nl1 + 1, e) : nullptr;
    if (nl2 != nullptr && g.code >= 0 && g.code <= 1071) {
        g.where = line_ + 1;
        line_ += 2;
        const char* valueEnd = nl2 > nl1 + 1 && nl2[-1] == '\r' ? nl2 - 1 : nl2;
        g.text = std::string_view(nl1 + 1, static_cast<std::size_t>(valueEnd - nl1 - 1));
        src_.consume(nl2 + 1);
        g.kind = valueKind(g.code);
        g.numberReady = false;
        if (g.code == 0) {
            g.text = trim(g.text);  // structure names, which some writers pad
        }
        return true;
    }
    std::string_view codeLine;
    if (!readLine(codeLine)) {
        return false;
    }
    g.where = line_;
    if (!parseCode(codeLine, g.code)) {
        if (trim(codeLine).empty() && !need(1)) {
            return false;  // blank lines at the very end
        }
        throw Error(err::kDxfBadGroupCode,
                    "The DXF file has a bad group code " + where(line_) + ".");
    }
    if (g.code < 0 || g.code > 1071) {
        throw Error(err::kDxfBadGroupCode,
                    "The DXF file has an unknown group code " + where(line_) + ".");
    }
    if (!readLine(g.text)) {
        truncated(line_);
    }
    g.kind = valueKind(g.code);
    g.numberReady = false;
    if (g.code == 0) {
        g.text = trim(g.text);
    }
    return true;
}

bool Tokenizer::nextBinary(Group& g) {
    if (!need(1)) {
        return false;
    }
    g.where = src_.offset();
    const char* p = src_.begin();
    if (twoByteCodes_) {
        if (!need(2)) {
            truncated(g.where);
        }
        p = src_.begin();
        g.code = static_cast<std::int16_t>(littleEndian(p, 2));
        src_.consume(p + 2);
    } else {
        const auto first = static_cast<unsigned char>(*p);
        if (first == 255) {
            if (!need(3)) {
                truncated(g.where);
            }
            p = src_.begin();
            g.code = static_cast<std::int16_t>(littleEndian(p + 1, 2));
            src_.consume(p + 3);
        } else {
            g.code = first;
            src_.consume(p + 1);
        }
    }
    if (g.code < 0 || g.code > 1071) {
        throw Error(err::kDxfBadGroupCode,
                    "The DXF file has an unknown group code " + where(g.where) + ".");
    }
    g.kind = valueKind(g.code);
    g.numberReady = true;
    g.text = {};
    auto fixed = [&](int bytes) {
        if (!need(static_cast<std::size_t>(bytes))) {
            truncated(g.where);
        }
        const char* v = src_.begin();
        src_.consume(v + bytes);
        return v;
    };
    switch (g.kind) {
        case ValueKind::Double: {
            const std::uint64_t bits = littleEndian(fixed(8), 8);
            double d;
            std::memcpy(&d, &bits, sizeof d);
            g.number = d;
            break;
        }
        case ValueKind::Int16:
            g.number = static_cast<std::int16_t>(littleEndian(fixed(2), 2));
            break;
        case ValueKind::Int32:
            g.number = static_cast<std::int32_t>(littleEndian(fixed(4), 4));
            break;
        case ValueKind::Int64:
            g.number = static_cast<double>(static_cast<std::int64_t>(littleEndian(fixed(8), 8)));
            break;
        case ValueKind::Bool:
            g.number = static_cast<unsigned char>(*fixed(1));
            break;
        case ValueKind::Binary: {
            const auto length = static_cast<unsigned char>(*fixed(1));
            g.text = std::string_view(fixed(length), length);
            g.numberReady = false;
            break;
        }
        case ValueKind::String: {
            std::size_t scanned = 0;
            for (;;) {
                const char* b = src_.begin();
                const std::size_t avail = static_cast<std::size_t>(src_.end() - b);
                const char* nul =
                    avail > scanned
                        ? static_cast<const char*>(std::memchr(b + scanned, '\0', avail - scanned))
                        : nullptr;
                if (nul != nullptr) {
                    g.text = std::string_view(b, static_cast<std::size_t>(nul - b));
                    src_.consume(nul + 1);
                    break;
                }
                scanned = avail;
                if (!src_.refill()) {
                    truncated(g.where);
                }
            }
            g.numberReady = false;
            break;
        }
    }
    return true;
}

double Tokenizer::toDouble(const Group& g) const {
    if (g.numberReady) {
        if (!std::isfinite(g.number)) {
            throw Error(err::kDxfBadValue, "The DXF file has a value that is not a finite number " +
                                               where(g.where) + ".");
        }
        return g.number;
    }
    std::string_view s = trim(g.text);
    if (!s.empty() && s.front() == '+') {
        s.remove_prefix(1);
    }
    double d = 0;
    if (base::readShortDecimal(s, d)) {
        return d;
    }
    auto [ptr, ec] = std::from_chars(s.data(), s.data() + s.size(), d);
    if (ec != std::errc() || ptr != s.data() + s.size() || s.empty() || !std::isfinite(d)) {
        throw Error(err::kDxfBadValue,
                    "The DXF file has a value that is not a number " + where(g.where + 1) + ".");
    }
    return d;
}

std::int64_t Tokenizer::toInt(const Group& g) const {
    if (!g.numberReady) {
        std::string_view s = trim(g.text);
        if (!s.empty() && s.front() == '+') {
            s.remove_prefix(1);
        }
        std::int64_t v = 0;
        auto [ptr, ec] = std::from_chars(s.data(), s.data() + s.size(), v);
        if (ec == std::errc() && ptr == s.data() + s.size() && !s.empty()) {
            return v;
        }
    }
    const double d = toDouble(g);  // some writers put "1.0" where an integer belongs
    if (d != std::trunc(d) || std::fabs(d) > 9.0e15) {
        throw Error(err::kDxfBadValue, "The DXF file has a value that is not an integer " +
                                           where(g.numberReady ? g.where : g.where + 1) + ".");
    }
    return static_cast<std::int64_t>(d);
}

}  // namespace brondel::engine::io::dxf
