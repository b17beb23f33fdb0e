#pragma once

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <nlohmann/json.hpp>
#include <string>

namespace brondel::testing {

// ezdxf, the reference reader the DXF tests check our files against.
inline bool ezdxfInstalled() {
    return std::system("/usr/bin/python3 -c 'import ezdxf' 2>/dev/null") == 0;
}

// What one of tests/tools' ezdxf scripts prints, as JSON, for the file at path.
inline nlohmann::json ezdxfRead(const std::string& script, const std::string& path) {
    const std::string command = std::string("/usr/bin/python3 ") + BRONDEL_SOURCE_DIR +
                                "/tests/tools/" + script + " '" + path + "'";
    std::unique_ptr<FILE, int (*)(FILE*)> pipe(popen(command.c_str(), "r"), pclose);
    std::string out;
    char buffer[65536];
    for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, pipe.get())) > 0;) {
        out.append(buffer, n);
    }
    return nlohmann::json::parse(out);
}

}  // namespace brondel::testing
