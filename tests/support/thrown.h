#pragma once

#include <string>

#include "base/error.h"

namespace brondel::testing {

// The program error an action throws: its number and text, or 0 and "" when
// it throws none.
struct Thrown {
    int number = 0;
    std::string description;
};

template <class Action>
Thrown thrown(Action&& action) {
    try {
        action();
    } catch (const Error& e) {
        return {e.number(), e.description()};
    }
    return {};
}

}  // namespace brondel::testing
