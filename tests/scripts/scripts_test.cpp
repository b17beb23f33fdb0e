// Runs every session script of this folder through brondel-cli and compares
// its transcript, its dumps, its error output and its exit code with the
// files beside it. With BRONDEL_PROMOTE=1 in the environment the expected
// files are written from the run instead (for reviewed changes only).
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <nlohmann/json.hpp>
#include <sstream>
#include <string>
#include <vector>

#include "tests/support/files.h"

namespace fs = std::filesystem;
using Json = nlohmann::ordered_json;

namespace {

const fs::path kScriptFolder = fs::path(BRONDEL_SOURCE_DIR) / "tests" / "scripts";
constexpr const char* kTempMark = "$TMP";

using brondel::testing::readFile;
using brondel::testing::writeFile;

std::string replaceAll(std::string text, const std::string& from, const std::string& to) {
    for (auto at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size())) {
        text.replace(at, from.size(), to);
    }
    return text;
}

// Paths under the run's temporary folder differ from run to run.
void normalise(Json& j, const std::string& temp) {
    if (temp.empty()) {
        return;
    }
    if (j.is_string()) {
        j = replaceAll(j.get<std::string>(), temp, kTempMark);
    } else if (j.is_structured()) {
        for (auto& item : j) {
            normalise(item, temp);
        }
    }
}

Json jsonLines(const std::string& text, const std::string& temp) {
    Json lines = Json::array();
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) {
        lines.push_back(Json::parse(line));
        normalise(lines.back(), temp);
    }
    return lines;
}

// `# expect-exit: N` in the script names the exit code it should end with.
int expectedExit(const std::string& script) {
    const std::string mark = "# expect-exit: ";
    const auto at = script.find(mark);
    return at == std::string::npos ? 0 : std::atoi(script.c_str() + at + mark.size());
}

struct ScriptRun {
    int exitCode = -1;
    Json transcript;
    Json dumps;
    std::string err;
};

// The script runs from a copy in a fresh folder laid out like the source
// tree (../corpus, data/), so files it saves never land in the sources.
ScriptRun runScript(const fs::path& script) {
    const brondel::testing::TempFolder temp;
    const fs::path& t = temp.path();
    fs::create_directories(t / "scripts");
    fs::create_directories(t / "app");
    fs::create_directories(t / "config");
    fs::create_directories(t / "bin");
    fs::create_symlink(BRONDEL_CORPUS_DIR, t / "corpus");
    if (fs::exists(kScriptFolder / "data")) {
        fs::create_directory_symlink(kScriptFolder / "data", t / "scripts" / "data");
    }
    fs::copy_file(fs::path(BRONDEL_SOURCE_DIR) / "hotkeys.txt", t / "app" / "hotkeys.txt");
    writeFile(t / "app" / "brondel.chm", "");
    // A system-information program for the About box to start (the run only records it).
    writeFile(t / "bin" / "hardinfo", "#!/bin/sh\n");
    fs::permissions(t / "bin" / "hardinfo", fs::perms::owner_all);
    const fs::path copy = t / "scripts" / script.filename();
    fs::copy_file(script, copy);

    // An empty PATH for the program keeps the machine's programs out of the run.
    const std::string command = "cd '" + (t / "scripts").string() + "' && XDG_CONFIG_HOME='" +
                                (t / "config").string() + "' PATH='" + (t / "bin").string() +
                                "' '" + BRONDEL_CLI + "' run '" + copy.string() +
                                "' --transcript '" + (t / "transcript.jsonl").string() +
                                "' --app-dir '" + (t / "app").string() + "' > '" +
                                (t / "stdout").string() + "' 2> '" + (t / "stderr").string() + "'";
    const int status = std::system(command.c_str());
    ScriptRun run;
    run.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    run.transcript = jsonLines(readFile(t / "transcript.jsonl"), t.string());
    run.dumps = jsonLines(readFile(t / "stdout"), t.string());
    run.err = replaceAll(readFile(t / "stderr"), t.string(), kTempMark);
    return run;
}

// Pretty JSON that keeps every object or array short enough on one line, so
// a menu item, a button or an entity is one line of the expected file.
void writeReadable(const Json& j, std::string& out, int indent) {
    constexpr std::size_t kLineWidth = 150;
    const std::string flat = j.dump();
    if (!j.is_structured() || j.empty() || flat.size() + indent <= kLineWidth) {
        out += flat;
        return;
    }
    const std::string pad(indent + 2, ' ');
    out += j.is_object() ? "{\n" : "[\n";
    bool first = true;
    for (auto it = j.begin(); it != j.end(); ++it) {
        out += first ? "" : ",\n";
        first = false;
        out += pad;
        if (j.is_object()) {
            out += Json(it.key()).dump() + ": ";
        }
        writeReadable(*it, out, indent + 2);
    }
    out += "\n" + std::string(indent, ' ') + (j.is_object() ? "}" : "]");
}

std::vector<std::string> scriptNames() {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(kScriptFolder)) {
        if (entry.path().extension() == ".bscr") {
            names.push_back(entry.path().stem().string());
        }
    }
    std::sort(names.begin(), names.end());
    return names;
}

std::string asLines(const Json& lines) {
    std::string text;
    for (const auto& line : lines) {
        text += line.dump() + "\n";
    }
    return text;
}

// The first differing event, so a failure says where the run went astray.
void expectSameEvents(const Json& expected, const Json& actual) {
    const std::size_t n = std::min(expected.size(), actual.size());
    for (std::size_t i = 0; i < n; ++i) {
        if (expected[i] != actual[i]) {
            ADD_FAILURE() << "event " << i + 1 << " differs\nexpected: " << expected[i].dump()
                          << "\nactual:   " << actual[i].dump();
            return;
        }
    }
    EXPECT_EQ(expected.size(), actual.size()) << "actual events:\n" << asLines(actual);
}

void expectSameDumps(const Json& expected, const Json& actual) {
    ASSERT_EQ(expected.size(), actual.size()) << "number of dumps";
    for (std::size_t i = 0; i < expected.size(); ++i) {
        if (expected[i] == actual[i]) {
            continue;
        }
        const Json patch = Json::diff(expected[i], actual[i]);
        ADD_FAILURE() << "dump " << i + 1 << " differs:\n" << patch.dump(2);
    }
}

class Script : public testing::TestWithParam<std::string> {};

TEST_P(Script, MatchesItsExpectedRun) {
    const fs::path script = kScriptFolder / (GetParam() + ".bscr");
    const fs::path stem = kScriptFolder / GetParam();
    const ScriptRun run = runScript(script);
    const fs::path transcriptFile = stem.string() + ".expected.jsonl";
    const fs::path dumpFile = stem.string() + ".expected.json";
    const fs::path errFile = stem.string() + ".expected.stderr";

    const char* promote = std::getenv("BRONDEL_PROMOTE");
    if (promote && std::string(promote) == "1") {
        writeFile(transcriptFile, asLines(run.transcript));
        fs::remove(dumpFile);
        fs::remove(errFile);
        if (!run.dumps.empty()) {
            std::string text;
            writeReadable(run.dumps, text, 0);
            writeFile(dumpFile, text + "\n");
        }
        if (!run.err.empty()) {
            writeFile(errFile, run.err);
        }
        GTEST_SKIP() << "expectations written";
    }

    EXPECT_EQ(expectedExit(readFile(script)), run.exitCode) << run.err;
    EXPECT_EQ(fs::exists(errFile) ? readFile(errFile) : "", run.err);
    ASSERT_TRUE(fs::exists(transcriptFile)) << transcriptFile << " is missing";
    expectSameEvents(jsonLines(readFile(transcriptFile), ""), run.transcript);
    if (fs::exists(dumpFile)) {
        expectSameDumps(Json::parse(readFile(dumpFile)), run.dumps);
    } else {
        EXPECT_TRUE(run.dumps.empty()) << "the script dumps but " << dumpFile << " is missing";
    }
}

INSTANTIATE_TEST_SUITE_P(Scripts, Script, testing::ValuesIn(scriptNames()),
                         [](const testing::TestParamInfo<std::string>& test) {
                             std::string name = test.param;
                             std::replace_if(
                                 name.begin(), name.end(),
                                 [](char c) {
                                     return !std::isalnum(static_cast<unsigned char>(c));
                                 },
                                 '_');
                             return name;
                         });

}  // namespace
