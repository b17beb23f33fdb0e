// Every code a menu item or a toolbar button forwards to the engine either
// does what its caption says or says plainly why it cannot: none answers
// the engine's generic notice for codes it does not know.
#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "engine/commands.h"
#include "engine/vecad.h"
#include "shell/routing_table.h"
#include "tests/engine/vecad_session.h"

namespace brondel::shell {
namespace {

std::set<int> forwardedCodes() {
    std::set<int> codes;
    const auto collect = [&](const Action& a) {
        if (a.kind == ActionKind::Engine) {
            codes.insert(a.code);
        }
    };
    for (std::string_view item : routedItems()) {
        collect(actionOf(item));
    }
    for (const char* toolbar : {"asxToolbar1", "asxToolbar2", "asxToolbar3", "asxToolbar4"}) {
        for (int position = 1; position <= routedPositions(toolbar); ++position) {
            collect(resolvedActionOfButton(toolbar, position));
        }
    }
    return codes;
}

TEST(EveryCode, NoForwardedCodeAnswersNotAvailable) {
    const std::string generic = "not available in this engine";
    const std::set<int> codes = forwardedCodes();
    ASSERT_GT(codes.size(), 90u);  // the walk found the menus and toolbars
    std::vector<int> failing;
    for (int code : codes) {
        engine::testing::RecordingListener heard;
        engine::Vecad v;
        v.setListener(&heard);
        v.AddLine(0, 0, 0, 10, 0, 0);
        v.Execute(code);
        v.commandKey(27);
        for (const std::string& text : heard.notices) {
            if (text.rfind(generic, 0) == 0) {
                failing.push_back(code);
            }
        }
    }
    EXPECT_TRUE(failing.empty()) << ::testing::PrintToString(failing);
}

}  // namespace
}  // namespace brondel::shell
