// Where the program shows a list, Insert Block takes the block's name from
// it; a cancelled list ends the command with nothing added.
#include <gtest/gtest.h>

#include "engine/commands.h"
#include "vecad_session.h"

namespace brondel::engine {
namespace {

struct ListingListener : testing::RecordingListener {
    std::optional<std::string> answer;
    std::vector<std::string> offered;
    std::optional<std::string> nameRequested(const NameChoice& choice) override {
        offered = choice.names;
        return answer;
    }
};

TEST(InsertBlock, TakesTheNameChosenFromTheList) {
    for (const std::string answer : {"Tee", ""}) {
        SCOPED_TRACE(answer.empty() ? "cancelled" : "chosen");
        testing::VecadSession s;
        ListingListener heard;
        s.v.setListener(&heard);
        Block tee;
        tee.name = "Tee";
        tee.entities.emplace_back(LineGeom{{0, 0, 0}, {10, 0, 0}});
        s.v.drawing().setBlock("Tee", tee);
        heard.answer = answer;
        s.v.Execute(command::kInsertBlock);
        EXPECT_EQ(heard.offered, std::vector<std::string>{"Tee"});
        if (answer.empty()) {
            EXPECT_FALSE(s.v.commandRunning());
            continue;
        }
        EXPECT_NE(s.v.commandPrompt().find("insertion point"), std::string::npos);
        s.v.commandInput("30,40");
        s.v.commandKey(13);
        s.v.commandKey(13);
        const Entity& placed = s.v.drawing().entity(s.v.drawing().firstLive());
        ASSERT_TRUE(geomIf<InsertGeom>(placed));
        EXPECT_EQ(geomIf<InsertGeom>(placed)->block, "Tee");
    }
}

}  // namespace
}  // namespace brondel::engine
