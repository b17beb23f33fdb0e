#include <cctype>
#include <charconv>
#include <sstream>

#include "engine/drawing.h"
#include "engine/tools/point_path.h"
#include "engine/tools/tools.h"

namespace brondel::engine::tools {

namespace {

// A handle as typed: decimal digits, or hexadecimal when it starts with
// 0x, ends with h, or has a letter A to F. Nothing when it is neither.
std::optional<long long> handleOf(std::string token) {
    int base = 10;
    if (token.size() > 2 && token[0] == '0' && (token[1] == 'x' || token[1] == 'X')) {
        token = token.substr(2);
        base = 16;
    } else if (token.size() > 1 && (token.back() == 'h' || token.back() == 'H')) {
        token.pop_back();
        base = 16;
    }
    for (const char c : token) {
        if (std::isxdigit(static_cast<unsigned char>(c)) &&
            !std::isdigit(static_cast<unsigned char>(c))) {
            base = 16;
        }
    }
    long long value = 0;
    const char* end = token.data() + token.size();
    const auto [ptr, ec] = std::from_chars(token.data(), end, value, base);
    if (token.empty() || ec != std::errc() || ptr != end) {
        return std::nullopt;
    }
    return value;
}

// Handles typed on one line, separated by blanks; each that names no
// entity of the drawing is named and skipped.
class SelectById : public Tool {
  public:
    ToolResult update(ToolContext& c, const ToolEvent& e) override {
        if (e.kind == ToolEvent::Kind::Enter) {
            return ToolResult::Cancel;
        }
        if (e.kind != ToolEvent::Kind::Text && e.kind != ToolEvent::Kind::Number) {
            return ToolResult::Running;
        }
        std::istringstream in(e.text);
        std::vector<Handle> found;
        for (std::string token; in >> token;) {
            const std::optional<long long> h = handleOf(token);
            const Entity* entity = h && *h > 0 && *h <= 0x7FFFFFFF
                                       ? c.drawing().find(static_cast<Handle>(*h))
                                       : nullptr;
            if (!entity || entity->erased) {
                c.message("Select By ID: no entity has the handle " + token);
            } else {
                found.push_back(entity->handle);
            }
        }
        return selectFound(c, "Select By ID", found);
    }
    ToolAsk ask() const override {
        ToolAsk a;
        a.prompt = "handles (decimal, or hexadecimal as 0x1F or 1Fh), separated by blanks";
        a.text = true;
        return a;
    }
};

}  // namespace

std::unique_ptr<Tool> makeSelectById() {
    return std::make_unique<SelectById>();
}

}  // namespace brondel::engine::tools
