#pragma once

#include <string>
#include <string_view>

// Turns the bytes of DXF string values into UTF-8.
namespace brondel::engine::io::dxf {

class TextDecoder {
  public:
    TextDecoder() = default;
    ~TextDecoder();
    TextDecoder(const TextDecoder&) = delete;
    TextDecoder& operator=(const TextDecoder&) = delete;

    // Files up to AutoCAD 2004 are in the code page $DWGCODEPAGE names
    // (unknown names read as Windows-1252); later files are UTF-8.
    void setCodePage(std::string_view dwgCodePage);
    void setUtf8(bool utf8) { utf8_ = utf8; }

    // UTF-8 with \U+XXXX and \M+nXXXX (a character of a multi-byte code
    // page) escapes resolved. Bytes that do not decode become
    // U+FFFD, so the answer is always valid UTF-8.
    std::string decode(std::string_view raw) const;

  private:
    std::string fromCodePage(std::string_view raw) const;

    bool utf8_ = false;
    std::string codePage_ = "CP1252";
    mutable void* iconv_ = nullptr;  // iconv_t, opened on first use
    mutable bool iconvFailed_ = false;
};

// The %% control codes of single-line text: %%c, %%d and %%p become the
// diameter, degree and plus-minus signs, %%% a percent sign; the underline,
// overline and strike-through toggles (%%u, %%o, %%k) are dropped; %%nnn
// is the character with the decimal code nnn (%%176 a degree sign), a code
// below 32 nothing.
std::string resolvePercentCodes(std::string_view text);

bool isValidUtf8(std::string_view s);

}  // namespace brondel::engine::io::dxf
