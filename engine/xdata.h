#pragma once

#include <cstddef>
#include <memory>
#include <string>
#include <vector>

// Extended data that applications attach to entities in a DXF file, kept
// as read so that saving gives it back to them.
namespace brondel::engine {

// One group: 1000 to 1071, its value as DXF text (strings in UTF-8).
struct XDataGroup {
    int code = 1000;
    std::string value;
    bool operator==(const XDataGroup&) const = default;
};

// The groups that follow one application's 1001 group.
struct XDataApp {
    std::string name;
    std::vector<XDataGroup> groups;
    bool operator==(const XDataApp&) const = default;
};

using XData = std::vector<XDataApp>;

// An entity's extended data, copied with it: one pointer, empty for the
// many entities that have none.
class XDataPtr {
  public:
    XDataPtr() = default;
    XDataPtr(std::nullptr_t) {}
    explicit XDataPtr(XData data) : p_(std::make_unique<XData>(std::move(data))) {}
    XDataPtr(const XDataPtr& other) : p_(copy(other)) {}
    XDataPtr(XDataPtr&&) noexcept = default;
    XDataPtr& operator=(const XDataPtr& other) {
        if (this != &other) {
            p_ = copy(other);
        }
        return *this;
    }
    XDataPtr& operator=(XDataPtr&&) noexcept = default;
    ~XDataPtr() = default;

    explicit operator bool() const { return p_ != nullptr; }
    const XData* get() const { return p_.get(); }
    const XData& operator*() const { return *p_; }
    const XData* operator->() const { return p_.get(); }

  private:
    static std::unique_ptr<XData> copy(const XDataPtr& other) {
        return other.p_ ? std::make_unique<XData>(*other.p_) : nullptr;
    }
    std::unique_ptr<XData> p_;
};

// Whether a group's value is text (written in the file's code page) rather
// than a number or a hexadecimal handle or chunk.
inline bool xdataIsText(int code) {
    return code == 1000 || code == 1003;
}

// Whether an entity's extended data has the application (names compare
// without regard to case) and, when value is not empty, a group of it
// whose value is that text (without regard to case) or that number.
bool xdataMatches(const XData& data, const std::string& app, const std::string& value);

}  // namespace brondel::engine
