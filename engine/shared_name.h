#pragma once

#include <compare>
#include <cstddef>
#include <functional>
#include <ostream>
#include <string>
#include <string_view>

namespace brondel::engine {

// A name that many entities carry (their layer, their line type), kept once
// in the process: an entity pays a pointer for it rather than a string, and
// two names compare equal by their pointers. Reads like a const std::string.
class SharedName {
  public:
    SharedName() : text_(emptyText()) {}
    SharedName(std::string_view text) : text_(intern(text)) {}
    SharedName(const std::string& text) : SharedName(std::string_view(text)) {}
    SharedName(const char* text) : SharedName(std::string_view(text)) {}

    const std::string& str() const { return *text_; }
    operator const std::string&() const { return *text_; }
    operator std::string_view() const { return *text_; }
    bool empty() const { return text_->empty(); }
    std::size_t size() const { return text_->size(); }
    const char* c_str() const { return text_->c_str(); }
    std::string::const_iterator begin() const { return text_->begin(); }
    std::string::const_iterator end() const { return text_->end(); }

    friend bool operator==(const SharedName& a, const SharedName& b) { return a.text_ == b.text_; }
    friend bool operator==(const SharedName& a, const std::string& b) { return *a.text_ == b; }
    friend bool operator==(const SharedName& a, const char* b) { return *a.text_ == b; }
    friend std::strong_ordering operator<=>(const SharedName& a, const SharedName& b) {
        return a.text_ == b.text_ ? std::strong_ordering::equal : *a.text_ <=> *b.text_;
    }
    friend std::strong_ordering operator<=>(const SharedName& a, const std::string& b) {
        return *a.text_ <=> b;
    }
    friend std::string operator+(const std::string& a, const SharedName& b) { return a + *b.text_; }
    friend std::string operator+(const SharedName& a, const std::string& b) { return *a.text_ + b; }
    friend std::string operator+(const char* a, const SharedName& b) { return a + *b.text_; }
    friend std::string operator+(const SharedName& a, const char* b) { return *a.text_ + b; }
    friend std::ostream& operator<<(std::ostream& out, const SharedName& name) {
        return out << *name.text_;
    }

  private:
    static const std::string* emptyText();
    static const std::string* intern(std::string_view text);

    const std::string* text_;
};

}  // namespace brondel::engine

template <>
struct std::hash<brondel::engine::SharedName> {
    std::size_t operator()(const brondel::engine::SharedName& name) const {
        return std::hash<std::string>()(name.str());
    }
};
