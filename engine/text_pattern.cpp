#include "engine/text_pattern.h"

namespace brondel::engine {

namespace {

// Code points of UTF-8 text; a byte that starts no valid sequence stands
// for itself.
std::u32string codePoints(const std::string& s) {
    std::u32string out;
    for (std::size_t i = 0; i < s.size();) {
        const auto b = static_cast<unsigned char>(s[i]);
        const int more = b >= 0xF0 && b < 0xF8 ? 3 : b >= 0xE0 ? 2 : b >= 0xC0 ? 1 : 0;
        char32_t c = more == 0 ? b : b & (0x3F >> more);
        bool ok = more == 0 || i + static_cast<std::size_t>(more) < s.size();
        for (int k = 1; ok && k <= more; ++k) {
            const auto next = static_cast<unsigned char>(s[i + static_cast<std::size_t>(k)]);
            ok = (next & 0xC0) == 0x80;
            c = (c << 6) | (next & 0x3F);
        }
        if (!ok || more == 0) {
            out += static_cast<char32_t>(b);
            ++i;
        } else {
            out += c;
            i += static_cast<std::size_t>(more) + 1;
        }
    }
    for (char32_t& c : out) {
        if (c >= U'A' && c <= U'Z') {
            c += U'a' - U'A';
        }
    }
    return out;
}

}  // namespace

// Greedy matching that goes back only to the last star: linear in practice.
bool matchesPattern(const std::string& text, const std::string& pattern) {
    const std::u32string t = codePoints(text), p = codePoints(pattern);
    std::size_t ti = 0, pi = 0, starP = std::u32string::npos, starT = 0;
    while (ti < t.size()) {
        if (pi < p.size() && (p[pi] == U'?' || p[pi] == t[ti])) {
            ++ti;
            ++pi;
        } else if (pi < p.size() && p[pi] == U'*') {
            starP = pi++;
            starT = ti;
        } else if (starP != std::u32string::npos) {
            pi = starP + 1;
            ti = ++starT;
        } else {
            return false;
        }
    }
    while (pi < p.size() && p[pi] == U'*') {
        ++pi;
    }
    return pi == p.size();
}

}  // namespace brondel::engine
