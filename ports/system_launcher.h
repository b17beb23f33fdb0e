#pragma once

#include <sys/types.h>

#include <string>
#include <vector>

#include "ports/launcher.h"

// Starting programs on Linux: posix_spawnp with the arguments as a vector
// (never through a shell), documents through xdg-open.
namespace brondel::ports {

class SystemLauncher : public Launcher {
  public:
    SystemLauncher() = default;
    SystemLauncher(const SystemLauncher&) = delete;
    SystemLauncher& operator=(const SystemLauncher&) = delete;
    ~SystemLauncher() override;

    bool start(const std::string& program, const std::vector<std::string>& arguments) override;
    bool openDocument(const std::string& path) override;

  private:
    // Collects the programs that have ended so none lingers as a zombie.
    void reap();
    std::vector<pid_t> children_;
};

}  // namespace brondel::ports
