#pragma once

#include <array>
#include <cmath>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "base/error.h"
#include "engine/geometry.h"
#include "engine/io/dxf_tokenizer.h"

// The groups of one DXF entity (or table entry, or object), copied out of the
// tokenizer's buffer so the converters can look at them in any order.
namespace brondel::engine::io::dxf {

// A number group's value as text, blanks and a leading plus allowed; false
// when it is no finite number.
bool parseGroupNumber(std::string_view s, double& out);

// Whether a number read where an integer belongs is within an int; one that
// is not fails the file.
inline bool fitsInt(double d) {
    return d >= -2147483648.0 && d <= 2147483647.0;
}

class EntityRecord {
  public:
    struct Item {
        int code;
        bool hasNumber;
        double number;
        std::uint32_t textBegin, textSize;
        std::int64_t where;
    };

    // A group of the applications' extended data, in file order: 1001
    // names an application, 1000 to 1071 are its values as text.
    struct ExtendedItem {
        int code;
        std::string text;
    };

    EntityRecord() { first_.fill(-1); }

    void reset(std::string_view name);
    // Copies g; numbers that do not parse are kept as such and only fail
    // when a converter asks for them.
    void add(const Group& g, const Tokenizer& tok);

    const std::string& name() const { return name_; }
    const std::vector<ExtendedItem>& extended() const { return extended_; }
    std::size_t size() const { return items_.size(); }
    const Item& item(std::size_t i) const { return items_[i]; }
    std::string_view text(std::size_t i) const {
        return std::string_view(arena_).substr(items_[i].textBegin, items_[i].textSize);
    }
    double number(std::size_t i) const {
        if (!items_[i].hasNumber) {
            throw Error(err::kDxfBadValue, "The DXF file has a value that is not a number " +
                                               whereText(items_[i].where) + ".");
        }
        return items_[i].number;
    }
    int integer(std::size_t i) const {
        const double d = number(i);
        if (!fitsInt(d)) {
            throw Error(err::kDxfBadValue, "The DXF file has an integer out of range " +
                                               whereText(items_[i].where) + ".");
        }
        return static_cast<int>(d);
    }
    // Index of the first group with the code, -1 when there is none.
    int find(int code) const { return first_[static_cast<std::size_t>(code)]; }
    bool has(int code) const { return find(code) >= 0; }
    double get(int code, double fallback) const {
        const int i = find(code);
        return i < 0 ? fallback : number(static_cast<std::size_t>(i));
    }
    int getInt(int code, int fallback) const {
        const int i = find(code);
        return i < 0 ? fallback : integer(static_cast<std::size_t>(i));
    }
    std::string_view getText(int code) const {
        const int i = find(code);
        return i < 0 ? std::string_view() : text(static_cast<std::size_t>(i));
    }
    // x from xCode, y from xCode + 10, z from xCode + 20.
    Point3 point(int xCode, Point3 fallback = {}) const {
        return {get(xCode, fallback.x), get(xCode + 10, fallback.y), get(xCode + 20, fallback.z)};
    }
    std::string whereText(std::int64_t at) const {
        return (binary_ ? "at byte " : "at line ") + std::to_string(at);
    }
    std::int64_t start() const { return start_; }
    void setStart(std::int64_t at) { start_ = at; }

  private:
    void addExtended(const Group& g);

    std::string name_;
    std::vector<Item> items_;
    std::vector<ExtendedItem> extended_;
    std::string arena_;
    std::array<std::int32_t, 1072> first_;
    bool binary_ = false;
    std::int64_t start_ = 0;
};

// The arbitrary axis algorithm: an object coordinate system from its
// extrusion direction.
struct Ocs {
    Point3 ax{1, 0, 0}, ay{0, 1, 0}, az{0, 0, 1};
    bool identity = true;

    static Ocs fromExtrusion(Point3 n);
    Point3 toWcs(Point3 p) const {
        if (identity)
            return p;
        return ax * p.x + ay * p.y + az * p.z;
    }
    // The world direction angle, in the drawing plane, of an OCS angle.
    double angleToWcs(double a) const;
    // True when the OCS looks at the drawing from below: turning is reversed.
    bool mirrored() const { return az.z < 0; }
};

double normalizeAngle(double a);  // into [0, 2*pi)

}  // namespace brondel::engine::io::dxf
