#include "engine/io/dxf_reader_record.h"

#include <algorithm>
#include <cctype>
#include <charconv>

#include "base/short_decimal.h"

namespace brondel::engine::io::dxf {

namespace {

Point3 cross(Point3 a, Point3 b) {
    return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}

Point3 unit(Point3 v) {
    const double len = std::sqrt(v.x * v.x + v.y * v.y + v.z * v.z);
    return len > 0 ? v * (1 / len) : Point3{0, 0, 1};
}

bool allHex(std::string_view s) {
    return std::all_of(s.begin(), s.end(),
                       [](char c) { return std::isxdigit(static_cast<unsigned char>(c)) != 0; });
}

std::string hexOf(std::string_view bytes) {
    static constexpr char kDigits[] = "0123456789ABCDEF";
    std::string out;
    for (const char c : bytes) {
        const auto b = static_cast<unsigned char>(c);
        out += kDigits[b >> 4];
        out += kDigits[b & 15];
    }
    return out;
}

}  // namespace

bool parseGroupNumber(std::string_view s, double& out) {
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t'))
        s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t'))
        s.remove_suffix(1);
    if (!s.empty() && s.front() == '+')
        s.remove_prefix(1);
    if (s.empty())
        return false;
    if (base::readShortDecimal(s, out))
        return true;
    auto [ptr, ec] = std::from_chars(s.data(), s.data() + s.size(), out);
    return ec == std::errc() && ptr == s.data() + s.size() && std::isfinite(out);
}

void EntityRecord::reset(std::string_view name) {
    for (const Item& item : items_) {
        first_[static_cast<std::size_t>(item.code)] = -1;
    }
    items_.clear();
    extended_.clear();
    arena_.clear();
    name_.assign(name);
}

void EntityRecord::add(const Group& g, const Tokenizer& tok) {
    if (g.code >= 1000) {
        addExtended(g);
        return;
    }
    // Subclass markers, reactors and owners say nothing the model holds.
    if (g.code == 100 || g.code == 102 || g.code == 330 || g.code == 360) {
        return;
    }
    binary_ = tok.binary();
    Item item{g.code, false, 0, 0, 0, binary_ ? g.where : g.where + 1};
    if (g.kind == ValueKind::String || g.kind == ValueKind::Binary) {
        item.textBegin = static_cast<std::uint32_t>(arena_.size());
        item.textSize = static_cast<std::uint32_t>(g.text.size());
        arena_.append(g.text);
    } else if (g.numberReady) {
        item.hasNumber = std::isfinite(g.number);
        item.number = g.number;
    } else {
        item.hasNumber = parseGroupNumber(g.text, item.number);
    }
    auto& first = first_[static_cast<std::size_t>(g.code)];
    if (first < 0) {
        first = static_cast<std::int32_t>(items_.size());
    }
    items_.push_back(item);
}

// Values before the first application name belong to none and are dropped.
void EntityRecord::addExtended(const Group& g) {
    if (g.code > 1071 || (g.code != 1001 && extended_.empty())) {
        return;
    }
    ExtendedItem item{g.code, {}};
    if (g.numberReady) {
        char text[32];
        item.text.assign(text, std::to_chars(text, text + sizeof text, g.number).ptr);
    } else {
        std::string_view t = g.text;
        if (g.kind != ValueKind::String) {
            while (!t.empty() && (t.front() == ' ' || t.front() == '\t'))
                t.remove_prefix(1);
            while (!t.empty() && (t.back() == ' ' || t.back() == '\t'))
                t.remove_suffix(1);
        }
        item.text.assign(t);
    }
    if (g.kind == ValueKind::Binary && !allHex(item.text)) {
        item.text = hexOf(g.text);  // a binary file's chunk: kept as an ASCII file writes it
    }
    extended_.push_back(std::move(item));
}

Ocs Ocs::fromExtrusion(Point3 n) {
    Ocs o;
    if (n.x == 0 && n.y == 0 && n.z > 0) {
        return o;
    }
    n = unit(n);
    o.identity = false;
    o.az = n;
    constexpr double kLimit = 1.0 / 64;
    o.ax = unit(std::fabs(n.x) < kLimit && std::fabs(n.y) < kLimit ? cross({0, 1, 0}, n)
                                                                   : cross({0, 0, 1}, n));
    o.ay = unit(cross(n, o.ax));
    return o;
}

double Ocs::angleToWcs(double a) const {
    if (identity)
        return a;
    const Point3 d = ax * std::cos(a) + ay * std::sin(a);
    return normalizeAngle(std::atan2(d.y, d.x));
}

double normalizeAngle(double a) {
    double r = std::fmod(a, kTwoPi);
    if (r < 0)
        r += kTwoPi;
    if (r >= kTwoPi)
        r = 0;
    return r;
}

}  // namespace brondel::engine::io::dxf
