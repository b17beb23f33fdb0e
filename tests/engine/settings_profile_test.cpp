// The program's settings survive a profile save and load, and a value out
// of range in a hand-edited profile is brought into range.
#include <gtest/gtest.h>

#include <fstream>

#include "engine/cad.h"
#include "tests/support/files.h"

namespace brondel::engine {
namespace {

struct Setting {
    const char* key;
    void (*put)(int);
    int (*get)();
    int initial, kept, outOfRange, broughtTo;
};
const Setting kSettings[] = {
    {"pickAperture", CadPutPickAperture, CadGetPickAperture, 5, 9, 500, kMaxAperture},
    {"snapAperture", CadPutSnapAperture, CadGetSnapAperture, 5, 14, 0, kMinAperture},
    {"background", CadPutBackground, CadGetBackground, 0x202020, 0x101030, 0x1000020, 0x20},
    {"cursorSize", CadPutCursorSize, CadGetCursorSize, 100, 40, 5, kMinCursorSize},
};

TEST(SettingsProfile, EachSettingIsKeptAndAnOutOfRangeOneIsBroughtIntoRange) {
    testing::TempFolder folder;
    CadSetProfileFolder(folder.path().string());
    const std::string name = CadProfileGetName();
    for (const Setting& s : kSettings) {
        SCOPED_TRACE(s.key);
        s.put(s.kept);
        CadProfileSave("kept");
        s.put(s.initial);
        CadProfileLoad("kept");
        EXPECT_EQ(s.get(), s.kept);

        std::ofstream(folder.file("edited.profile")) << s.key << ' ' << s.outOfRange << "\n";
        CadProfileLoad("edited");
        EXPECT_EQ(s.get(), s.broughtTo);
        s.put(s.initial);
    }
    CadProfileLoad(name);  // not in the folder: only the name comes back
    CadSetProfileFolder("");
}

}  // namespace
}  // namespace brondel::engine
