#include "engine/line_command.h"

#include "engine/vecad.h"

namespace brondel::engine {

void LineCommand::press(Point3 at) {
    if (last_) {
        Drawing::Step step(vecad_.drawing(), "Draw Line");
        vecad_.AddLine(last_->x, last_->y, last_->z, at.x, at.y, at.z);
        vecad_.Update();
    }
    last_ = at;
}

bool LineCommand::key(int keyCode) {
    if (keyCode != kEnter && keyCode != kEscape) {
        return false;
    }
    end();
    return true;
}

}  // namespace brondel::engine
