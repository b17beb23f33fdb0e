#include "engine/io/dxf_writer_text.h"

#include <array>
#include <cctype>
#include <cstdint>

namespace brondel::engine::io {

namespace {

// Windows-1252 bytes 0x80..0x9F; 0 where the byte is unassigned.
constexpr std::array<char32_t, 32> kCp1252High = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

int cp1252Byte(char32_t c) {
    if (c >= 0xA0 && c <= 0xFF) {
        return static_cast<int>(c);
    }
    for (std::size_t i = 0; i < kCp1252High.size(); ++i) {
        if (kCp1252High[i] == c) {
            return static_cast<int>(0x80 + i);
        }
    }
    return -1;
}

// Decodes one UTF-8 sequence at s[i], advancing i; U+FFFD for a bad one.
char32_t nextCodePoint(std::string_view s, std::size_t& i) {
    const auto lead = static_cast<unsigned char>(s[i++]);
    int extra = 0;
    char32_t c = 0;
    if (lead < 0x80) {
        return lead;
    } else if ((lead & 0xE0) == 0xC0) {
        extra = 1;
        c = lead & 0x1F;
    } else if ((lead & 0xF0) == 0xE0) {
        extra = 2;
        c = lead & 0x0F;
    } else if ((lead & 0xF8) == 0xF0) {
        extra = 3;
        c = lead & 0x07;
    } else {
        return 0xFFFD;
    }
    for (int k = 0; k < extra; ++k) {
        if (i >= s.size() || (static_cast<unsigned char>(s[i]) & 0xC0) != 0x80) {
            return 0xFFFD;
        }
        c = (c << 6) | (static_cast<unsigned char>(s[i++]) & 0x3F);
    }
    constexpr char32_t kSmallest[] = {0, 0x80, 0x800, 0x10000};
    if (c < kSmallest[extra] || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) {
        return 0xFFFD;
    }
    return c;
}

void appendEscape(std::string& out, char32_t c) {
    static constexpr char kHex[] = "0123456789ABCDEF";
    out += "\\U+";
    const int digits = c > 0xFFFF ? 5 + (c > 0xFFFFF) : 4;
    for (int shift = 4 * (digits - 1); shift >= 0; shift -= 4) {
        out += kHex[(c >> shift) & 0xF];
    }
}

}  // namespace

std::string encodeForCodePage(std::string_view utf8, std::string_view codePage) {
    bool cp1252 = codePage.size() == kDefaultCodePage.size();
    for (std::size_t i = 0; cp1252 && i < codePage.size(); ++i) {
        cp1252 = std::toupper(static_cast<unsigned char>(codePage[i])) == kDefaultCodePage[i];
    }
    std::string out;
    out.reserve(utf8.size());
    for (std::size_t i = 0; i < utf8.size();) {
        const char32_t c = nextCodePoint(utf8, i);
        // A line break inside a value would end it and start a group of
        // its own; control characters are escaped like foreign ones.
        if (c < 0x80 && c >= 0x20 && c != 0x7F) {
            out += static_cast<char>(c);
            continue;
        }
        const int byte = cp1252 ? cp1252Byte(c) : -1;
        if (byte >= 0) {
            out += static_cast<char>(byte);
        } else {
            appendEscape(out, c);
        }
    }
    return out;
}

}  // namespace brondel::engine::io
