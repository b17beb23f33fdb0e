#include "engine/point_command.h"

#include "engine/commands.h"
#include "engine/vecad.h"

namespace brondel::engine {

int PointCommand::code() const {
    return command::kDrawPoint;
}

InteractiveCommand::Outcome PointCommand::press(const CommandPoint& at) {
    {
        Drawing::Step step(vecad_.drawing(), "Draw Point");
        vecad_.AddPoint(at.world.x, at.world.y, 0);
    }
    vecad_.Update();
    last_ = at.world;
    return Outcome::Running;
}

}  // namespace brondel::engine
