#pragma once

#include <map>
#include <string>

namespace brondel::engine {

class Drawing;

// A drawing saved into another folder: the relative picture and reference
// paths it keeps are made to name the same files from there (relative again
// when they lie in the new folder or below, absolute otherwise; absolute
// paths stay). Put back as they were unless the save is kept, so a failed
// save leaves the drawing as it was.
class MovedPaths {
  public:
    MovedPaths(Drawing& drawing, const std::string& fromFile, const std::string& toFile);
    ~MovedPaths();
    MovedPaths(const MovedPaths&) = delete;
    MovedPaths& operator=(const MovedPaths&) = delete;

    void keep() { kept_ = true; }

  private:
    Drawing& drawing_;
    std::map<std::string, std::string> before_;  // each new path -> the one it replaced
    bool moved_ = false;
    bool kept_ = false;
};

}  // namespace brondel::engine
