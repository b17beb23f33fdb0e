#include "engine/io/dxf_text.h"

#include <iconv.h>

#include <cctype>
#include <cerrno>
#include <cstdint>

namespace brondel::engine::io::dxf {

namespace {

constexpr std::string_view kReplacement = "\xEF\xBF\xBD";

void appendUtf8(std::string& out, std::uint32_t cp) {
    if (cp >= 0xD800 && cp <= 0xDFFF) {
        out += kReplacement;
    } else if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (cp >> 18));
        out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

// Length of the valid UTF-8 sequence at s[i], 0 when it is not one.
std::size_t utf8Sequence(std::string_view s, std::size_t i) {
    const auto c = static_cast<unsigned char>(s[i]);
    if (c < 0x80)
        return 1;
    std::size_t n;
    std::uint32_t cp;
    if (c >= 0xC2 && c <= 0xDF) {
        n = 2;
        cp = c & 0x1F;
    } else if (c >= 0xE0 && c <= 0xEF) {
        n = 3;
        cp = c & 0x0F;
    } else if (c >= 0xF0 && c <= 0xF4) {
        n = 4;
        cp = c & 0x07;
    } else {
        return 0;
    }
    if (i + n > s.size())
        return 0;
    for (std::size_t k = 1; k < n; ++k) {
        const auto cc = static_cast<unsigned char>(s[i + k]);
        if ((cc & 0xC0) != 0x80)
            return 0;
        cp = (cp << 6) | (cc & 0x3F);
    }
    if ((n == 3 && (cp < 0x800 || (cp >= 0xD800 && cp <= 0xDFFF))) ||
        (n == 4 && (cp < 0x10000 || cp > 0x10FFFF))) {
        return 0;
    }
    return n;
}

std::string sanitizeUtf8(std::string_view s) {
    std::string out;
    out.reserve(s.size());
    for (std::size_t i = 0; i < s.size();) {
        const std::size_t n = utf8Sequence(s, i);
        if (n == 0) {
            out += kReplacement;
            ++i;
        } else {
            out.append(s.substr(i, n));
            i += n;
        }
    }
    return out;
}

bool isAscii(std::string_view s) {
    for (char c : s) {
        if (static_cast<unsigned char>(c) >= 0x80)
            return false;
    }
    return true;
}

int hexDigit(char c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

// The code point of "\U+XXXX" at s[i], or -1.
long unicodeEscape(std::string_view s, std::size_t i) {
    if (i + 7 > s.size() || s[i] != '\\' || (s[i + 1] != 'U' && s[i + 1] != 'u') ||
        s[i + 2] != '+') {
        return -1;
    }
    long cp = 0;
    for (std::size_t k = 3; k < 7; ++k) {
        const int d = hexDigit(s[i + k]);
        if (d < 0)
            return -1;
        cp = cp * 16 + d;
    }
    return cp;
}

// The character "\M+nXXXX" at s[i] stands for: the two bytes XX XX in the
// multi-byte code page n (1 Japanese, 2 traditional Chinese, 3 Korean,
// 4 Johab, 5 simplified Chinese) that AutoCAD names this way. Empty when
// s[i] starts no such escape or the bytes name no character.
std::string multiByteEscape(std::string_view s, std::size_t i) {
    static constexpr const char* kPages[] = {"CP932", "CP950", "CP949", "JOHAB", "CP936"};
    if (i + 8 > s.size() || s[i] != '\\' || (s[i + 1] != 'M' && s[i + 1] != 'm') ||
        s[i + 2] != '+' || s[i + 3] < '1' || s[i + 3] > '5') {
        return {};
    }
    char bytes[2];
    for (std::size_t k = 0; k < 2; ++k) {
        const int high = hexDigit(s[i + 4 + 2 * k]);
        const int low = hexDigit(s[i + 5 + 2 * k]);
        if (high < 0 || low < 0) {
            return {};
        }
        bytes[k] = static_cast<char>(high * 16 + low);
    }
    const iconv_t cd = iconv_open("UTF-8", kPages[s[i + 3] - '1']);
    if (cd == reinterpret_cast<iconv_t>(-1)) {
        return {};
    }
    char* in = bytes;
    std::size_t inLeft = sizeof bytes;
    char buffer[16];
    char* out = buffer;
    std::size_t outLeft = sizeof buffer;
    const std::size_t r = iconv(cd, &in, &inLeft, &out, &outLeft);
    iconv_close(cd);
    if (r == static_cast<std::size_t>(-1) || inLeft != 0 || out == buffer) {
        return {};
    }
    return std::string(buffer, out);
}

// \U+XXXX (a UTF-16 pair joined) and \M+nXXXX.
std::string resolveUnicodeEscapes(std::string s) {
    if (s.find('\\') == std::string::npos) {
        return s;
    }
    std::string out;
    out.reserve(s.size());
    for (std::size_t i = 0; i < s.size();) {
        if (std::string mbcs = multiByteEscape(s, i); !mbcs.empty()) {
            out += mbcs;
            i += 8;
            continue;
        }
        long cp = unicodeEscape(s, i);
        if (cp < 0) {
            out += s[i++];
            continue;
        }
        i += 7;
        if (cp >= 0xD800 && cp <= 0xDBFF) {
            const long low = unicodeEscape(s, i);
            if (low >= 0xDC00 && low <= 0xDFFF) {
                cp = 0x10000 + ((cp - 0xD800) << 10) + (low - 0xDC00);
                i += 7;
            }
        }
        appendUtf8(out, static_cast<std::uint32_t>(cp));
    }
    return out;
}

std::string upper(std::string_view s) {
    std::string u(s);
    for (char& c : u) {
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    }
    return u;
}

bool multiByte(const std::string& codePage) {
    return codePage == "CP932" || codePage == "CP936" || codePage == "CP949" ||
           codePage == "CP950" || codePage == "JOHAB";
}

}  // namespace

bool isValidUtf8(std::string_view s) {
    for (std::size_t i = 0; i < s.size();) {
        const std::size_t n = utf8Sequence(s, i);
        if (n == 0)
            return false;
        i += n;
    }
    return true;
}

TextDecoder::~TextDecoder() {
    if (iconv_ != nullptr) {
        iconv_close(static_cast<iconv_t>(iconv_));
    }
}

void TextDecoder::setCodePage(std::string_view dwgCodePage) {
    std::string name = upper(dwgCodePage);
    std::string iconvName = "CP1252";
    auto digitsAfter = [&](std::string_view prefix) -> std::string {
        if (name.rfind(prefix, 0) != 0)
            return {};
        std::string rest = name.substr(prefix.size());
        for (char c : rest) {
            if (!std::isdigit(static_cast<unsigned char>(c)))
                return {};
        }
        return rest;
    };
    if (std::string d = digitsAfter("ANSI_"); !d.empty()) {
        iconvName = d == "1361" ? "JOHAB" : "CP" + d;
    } else if (std::string d2 = digitsAfter("DOS"); !d2.empty()) {
        iconvName = "CP" + d2;
    } else if (name == "MAC-ROMAN") {
        iconvName = "MACINTOSH";
    } else if (name.rfind("ISO8859-", 0) == 0 || name.rfind("ISO-8859-", 0) == 0) {
        iconvName = "ISO-8859-" + name.substr(name.find('-', 4) + 1);
    } else if (name == "UTF8" || name == "UTF-8") {
        utf8_ = true;
    }
    if (iconvName != codePage_ && iconv_ != nullptr) {
        iconv_close(static_cast<iconv_t>(iconv_));
        iconv_ = nullptr;
    }
    iconvFailed_ = false;
    codePage_ = iconvName;
}

std::string TextDecoder::fromCodePage(std::string_view raw) const {
    if (iconv_ == nullptr && !iconvFailed_) {
        static const char* const kAlternatives[][2] = {
            {"CP936", "GBK"}, {"CP949", "UHC"}, {"CP950", "BIG5"}, {"", "CP1252"}};
        iconv_t cd = iconv_open("UTF-8", codePage_.c_str());
        for (const auto& alt : kAlternatives) {
            if (cd != reinterpret_cast<iconv_t>(-1))
                break;
            if (codePage_ == alt[0] || alt[0][0] == '\0') {
                cd = iconv_open("UTF-8", alt[1]);
            }
        }
        if (cd == reinterpret_cast<iconv_t>(-1)) {
            iconvFailed_ = true;
        } else {
            iconv_ = cd;
        }
    }
    std::string out;
    if (iconv_ == nullptr) {
        // No converter at all: read the bytes as Latin-1.
        for (char c : raw) {
            appendUtf8(out, static_cast<unsigned char>(c));
        }
        return out;
    }
    auto cd = static_cast<iconv_t>(iconv_);
    iconv(cd, nullptr, nullptr, nullptr, nullptr);
    std::string in(raw);
    char* inPtr = in.data();
    std::size_t inLeft = in.size();
    char buffer[256];
    while (inLeft > 0) {
        char* outPtr = buffer;
        std::size_t outLeft = sizeof buffer;
        const std::size_t r = iconv(cd, &inPtr, &inLeft, &outPtr, &outLeft);
        out.append(buffer, static_cast<std::size_t>(outPtr - buffer));
        if (r == static_cast<std::size_t>(-1) && errno != E2BIG) {
            out += kReplacement;  // a byte the code page does not define
            ++inPtr;
            --inLeft;
            iconv(cd, nullptr, nullptr, nullptr, nullptr);
        }
    }
    return out;
}

std::string TextDecoder::decode(std::string_view raw) const {
    std::string text;
    if (isAscii(raw)) {
        text.assign(raw);
    } else if (utf8_) {
        text = sanitizeUtf8(raw);
    } else if (!multiByte(codePage_) && isValidUtf8(raw)) {
        // Some writers put UTF-8 into older files whatever the code page says;
        // text in a single-byte code page almost never forms valid UTF-8.
        text.assign(raw);
    } else {
        text = fromCodePage(raw);
    }
    return resolveUnicodeEscapes(std::move(text));
}

std::string resolvePercentCodes(std::string_view text) {
    if (text.find("%%") == std::string_view::npos) {
        return std::string(text);
    }
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size();) {
        if (text[i] == '%' && i + 4 < text.size() && text[i + 1] == '%' &&
            std::isdigit(static_cast<unsigned char>(text[i + 2])) &&
            std::isdigit(static_cast<unsigned char>(text[i + 3])) &&
            std::isdigit(static_cast<unsigned char>(text[i + 4]))) {
            const int code =
                (text[i + 2] - '0') * 100 + (text[i + 3] - '0') * 10 + (text[i + 4] - '0');
            if (code >= 32) {
                appendUtf8(out, static_cast<std::uint32_t>(code));
            }
            i += 5;
            continue;
        }
        if (text[i] == '%' && i + 2 < text.size() && text[i + 1] == '%') {
            const char c = static_cast<char>(std::tolower(static_cast<unsigned char>(text[i + 2])));
            const char* replacement = nullptr;
            switch (c) {
                case 'c':
                    replacement = "\xC3\x98";
                    break;  // Ø
                case 'd':
                    replacement = "\xC2\xB0";
                    break;  // °
                case 'p':
                    replacement = "\xC2\xB1";
                    break;  // ±
                case '%':
                    replacement = "%";
                    break;
                case 'u':
                case 'o':
                case 'k':
                    replacement = "";
                    break;
                default:
                    break;
            }
            if (replacement != nullptr) {
                out += replacement;
                i += 3;
                continue;
            }
        }
        out += text[i++];
    }
    return out;
}

}  // namespace brondel::engine::io::dxf
