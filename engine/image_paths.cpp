#include "engine/image_paths.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

namespace brondel::engine {

namespace fs = std::filesystem;

std::string storedImagePath(const std::string& chosen, const std::string& drawingFile) {
    std::error_code ec;
    const fs::path file = fs::absolute(chosen, ec).lexically_normal();
    if (ec) {
        return chosen;
    }
    if (drawingFile.empty()) {
        return file.string();
    }
    const fs::path folder = fs::absolute(drawingFile, ec).parent_path().lexically_normal();
    const fs::path relative = file.lexically_relative(folder);
    if (ec || relative.empty() || *relative.begin() == "..") {
        return file.string();
    }
    return relative.generic_string();
}

std::string savedDrawingFile(const std::string& drawingFile) {
    std::error_code ec;
    return fs::is_regular_file(drawingFile, ec) ? drawingFile : std::string();
}

std::string resolvedImagePath(const std::string& stored, const std::string& drawingFile) {
    std::string path = stored;
    const fs::path given(path);
    if (given.is_absolute()) {
        return path;
    }
    std::replace(path.begin(), path.end(), '\\', '/');
    if (drawingFile.empty()) {
        return path;
    }
    return (fs::path(drawingFile).parent_path() / path).string();
}

bool imageFileFound(const std::string& stored, const std::string& drawingFile) {
    std::error_code ec;
    return !stored.empty() && fs::is_regular_file(resolvedImagePath(stored, drawingFile), ec);
}

}  // namespace brondel::engine
