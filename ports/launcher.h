#pragma once

#include <string>
#include <vector>

// Starting other programs and opening documents with the desktop's viewer.
namespace brondel::ports {

class Launcher {
  public:
    virtual ~Launcher() = default;
    // Returns false when the program could not be started.
    virtual bool start(const std::string& program, const std::vector<std::string>& arguments) = 0;
    virtual bool openDocument(const std::string& path) = 0;
};

}  // namespace brondel::ports
