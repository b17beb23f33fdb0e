#include "engine/table_editor.h"

#include "engine/entity_properties.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <string_view>

namespace brondel::engine {

std::vector<std::string> typedWords(const std::string& line) {
    std::vector<std::string> words;
    std::string word;
    bool quoted = false, inWord = false;
    for (char c : line) {
        if (c == '"') {
            quoted = !quoted;
            inWord = true;
        } else if (!quoted && std::isspace(static_cast<unsigned char>(c))) {
            if (inWord) {
                words.push_back(word);
            }
            word.clear();
            inWord = false;
        } else {
            word += c;
            inWord = true;
        }
    }
    if (inWord) {
        words.push_back(word);
    }
    return words;
}

std::optional<double> typedNumber(const std::string& word) {
    double value = 0;
    const char* end = word.data() + word.size();
    const auto [stop, ec] = std::from_chars(word.data(), end, value);
    if (ec != std::errc() || stop != end) {
        return std::nullopt;
    }
    return value;
}

std::string lowerCase(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

// Compared in place: every line added asks whether the current line type is
// BYLAYER, and building two lower-case copies showed in a million-line import.
bool sameTableName(const std::string& a, const std::string& b) {
    return std::ranges::equal(
        a, b, [](unsigned char x, unsigned char y) { return std::tolower(x) == std::tolower(y); });
}

std::string refusedTableName(const std::string& name) {
    if (name.empty()) {
        return "A name is needed";
    }
    static constexpr std::string_view kReserved = "<>/\\\":;?*|,=`";
    for (char c : name) {
        if (kReserved.find(c) != std::string_view::npos) {
            return std::string("A name cannot hold ") + c;
        }
    }
    return {};
}

bool isLineWeight(int weight) {
    const std::vector<std::int16_t>& known = lineWeightChoices();
    return std::find(known.begin(), known.end(), weight) != known.end();
}

}  // namespace brondel::engine
