#pragma once

#include <string>

namespace brondel::engine {

// A setting typed as a whole number within its range: the number, or why
// it was refused ("" when it was not).
struct TypedWholeNumber {
    int value = 0;
    std::string refusal;
};
// `what` names the setting in the refusal ("The aperture in pixels").
TypedWholeNumber typedWholeNumber(const std::string& word, int low, int high,
                                  const std::string& what);

}  // namespace brondel::engine
