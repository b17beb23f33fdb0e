#include "engine/shared_name.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <thread>
#include <vector>

namespace brondel::engine {
namespace {

// Equal texts are one name even when threads make them at once, which is
// what lets names compare by address.
TEST(SharedName, EqualTextsAreOneNameAcrossThreadsAndOrderByText) {
    std::vector<std::vector<SharedName>> made(4);
    std::vector<std::thread> threads;
    for (auto& names : made) {
        threads.emplace_back([&names] {
            for (int i = 0; i < 2000; ++i) {
                names.push_back(SharedName("layer " + std::to_string(i % 50)));
            }
        });
    }
    for (auto& t : threads) {
        t.join();
    }
    for (const auto& names : made) {
        for (int i = 0; i < 2000; ++i) {
            ASSERT_EQ(&names[i].str(), &made[0][i].str());
        }
    }

    const SharedName cut = std::string("Cut"), mark = "Mark";
    EXPECT_EQ(cut, "Cut");
    EXPECT_NE(cut, mark);
    EXPECT_LT(cut, mark);
    EXPECT_TRUE(SharedName().empty());
    std::map<std::string, int> byName{{"Cut", 1}};
    EXPECT_EQ(byName.at(cut), 1);
    EXPECT_EQ("layer " + cut, "layer Cut");
}

}  // namespace
}  // namespace brondel::engine
