#include "engine/inapplicable_commands.h"

namespace brondel::engine {

std::string inapplicableNotice(int code) {
    // The View 3D menu: the eight view directions and their presets.
    if ((code >= 130 && code <= 139) || code == 141) {
        return "3D views are not available: Brondel draws in two dimensions";
    }
    return {};
}

}  // namespace brondel::engine
