#include <gtest/gtest.h>

#include "engine/commands.h"
#include "tests/pathtools/pick_session.h"

namespace brondel {
namespace {

using testing::PickSession;

// Draw Line as the program's window drives it; the command itself is tested
// in the engine, and the diagonal it draws for an array is taken by the next
// press in the transcript of tests/scripts/pick_vertical_array.
TEST(DrawLine, OtherKeysStillReachTheWindow) {
    PickSession s;
    s.vecad().Execute(engine::command::kDrawLine);
    const double scale = s.vecad().view().scale();
    s.active().keyPressed(107);  // keypad plus zooms in
    EXPECT_LT(s.vecad().view().scale(), scale);
    EXPECT_TRUE(s.vecad().commandRunning());
}

}  // namespace
}  // namespace brondel
