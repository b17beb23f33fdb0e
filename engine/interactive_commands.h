#pragma once

#include <memory>

#include "engine/interactive_command.h"

namespace brondel::engine {

// A new interactive command of that code, or nullptr when the code is not
// one of them.
std::unique_ptr<InteractiveCommand> makeInteractiveCommand(int code, Vecad& vecad);

}  // namespace brondel::engine
