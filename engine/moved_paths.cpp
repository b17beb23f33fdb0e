#include "engine/moved_paths.h"

#include <filesystem>
#include <system_error>

#include "engine/drawing.h"
#include "engine/image_paths.h"

namespace brondel::engine {

namespace fs = std::filesystem;

MovedPaths::MovedPaths(Drawing& drawing, const std::string& fromFile, const std::string& toFile)
    : drawing_(drawing) {
    if (fromFile.empty()) {
        return;  // a drawing never saved keeps absolute paths
    }
    std::error_code ec;
    const fs::path was = fs::absolute(fromFile, ec).parent_path().lexically_normal();
    const fs::path now = fs::absolute(toFile, ec).parent_path().lexically_normal();
    if (ec || was == now) {
        return;
    }
    moved_ = true;
    drawing_.rebaseFilePaths([&](const std::string& stored) {
        if (stored.empty() || fs::path(stored).is_absolute()) {
            return stored;
        }
        std::string moved = storedImagePath(resolvedImagePath(stored, fromFile), toFile);
        before_.emplace(moved, stored);
        return moved;
    });
}

MovedPaths::~MovedPaths() {
    if (moved_ && !kept_) {
        drawing_.rebaseFilePaths([&](const std::string& path) {
            const auto found = before_.find(path);
            return found == before_.end() ? path : found->second;
        });
    }
}

}  // namespace brondel::engine
