#include "engine/xdata.h"

#include <algorithm>
#include <cctype>
#include <charconv>

namespace brondel::engine {

namespace {

bool sameText(const std::string& a, const std::string& b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) ==
                      std::tolower(static_cast<unsigned char>(y));
           });
}

bool number(const std::string& s, double& out) {
    const char* end = s.data() + s.size();
    const auto [ptr, ec] = std::from_chars(s.data(), end, out);
    return ec == std::errc() && ptr == end;
}

bool sameValue(const XDataGroup& g, const std::string& value) {
    if (sameText(g.value, value)) {
        return true;
    }
    double a = 0, b = 0;
    return !xdataIsText(g.code) && g.code != 1005 && g.code != 1004 && number(g.value, a) &&
           number(value, b) && a == b;
}

}  // namespace

bool xdataMatches(const XData& data, const std::string& app, const std::string& value) {
    for (const XDataApp& a : data) {
        if (!sameText(a.name, app)) {
            continue;
        }
        if (value.empty()) {
            return true;
        }
        for (const XDataGroup& g : a.groups) {
            if (sameValue(g, value)) {
                return true;
            }
        }
    }
    return false;
}

}  // namespace brondel::engine
