#include "base/error_messages.h"

namespace brondel::base {

std::string errorNumberMessage(const Error& error) {
    return "Error Number: " + std::to_string(error.number()) +
           ", Error Description: " + error.description();
}

std::string openErrorMessage(const Error& error) {
    return "Error: " + std::to_string(error.number()) +
           " , Error Description: " + error.description();
}

}  // namespace brondel::base
