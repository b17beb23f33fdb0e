#pragma once

#include <memory>

#include "engine/tool.h"

namespace brondel::engine::tools {

// A tool that works on the selection, started with nothing selected: first
// each press picks the entity under it, a press on empty space starts a
// window or crossing rectangle, typed All picks every entity on layers that
// are on and thawed and Last the newest one; Enter hands the picks to the
// tool. Cancelled, it lets its picks go.
std::unique_ptr<Tool> selectFirst(std::unique_ptr<Tool> tool);

}  // namespace brondel::engine::tools
