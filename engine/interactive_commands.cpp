#include "engine/interactive_commands.h"

#include "engine/commands.h"
#include "engine/line_command.h"
#include "engine/point_command.h"
#include "engine/select_commands.h"
#include "engine/view_commands.h"

namespace brondel::engine {

std::unique_ptr<InteractiveCommand> makeInteractiveCommand(int code, Vecad& vecad) {
    switch (code) {
        case command::kDrawLine:
            return std::make_unique<LineCommand>(vecad);
        case command::kDrawPoint:
            return std::make_unique<PointCommand>(vecad);
        case command::kZoomWindow:
            return std::make_unique<ZoomWindowCommand>(vecad);
        case command::kZoomRealtime:
            return std::make_unique<ZoomRealtimeCommand>(vecad);
        case command::kPanRealtime:
            return std::make_unique<PanRealtimeCommand>(vecad);
        case command::kPanToPoint:
            return std::make_unique<PanToPointCommand>(vecad);
        case command::kSelectByPoint:
            return std::make_unique<SelectByPointCommand>(vecad);
        case command::kSelectByRectangle:
            return std::make_unique<SelectByRectangleCommand>(vecad);
        case command::kErase:
            return std::make_unique<EraseCommand>(vecad);
        default:
            return nullptr;
    }
}

}  // namespace brondel::engine
