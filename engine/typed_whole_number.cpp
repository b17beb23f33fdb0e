#include "engine/typed_whole_number.h"

#include <charconv>

namespace brondel::engine {

TypedWholeNumber typedWholeNumber(const std::string& word, int low, int high,
                                  const std::string& what) {
    TypedWholeNumber typed;
    const char* end = word.data() + word.size();
    const auto [stop, ec] = std::from_chars(word.data(), end, typed.value);
    if (word.empty() || ec != std::errc() || stop != end || typed.value < low ||
        typed.value > high) {
        typed.refusal =
            what + " is a whole number from " + std::to_string(low) + " to " + std::to_string(high);
    }
    return typed;
}

}  // namespace brondel::engine
