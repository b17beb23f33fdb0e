#include "ports/system_launcher.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>

#include <algorithm>

extern char** environ;

namespace brondel::ports {

namespace {

// The started program gets no terminal streams of ours: its chatter must not
// mix with the output of the headless front end.
class QuietStreams {
  public:
    QuietStreams() {
        posix_spawn_file_actions_init(&actions_);
        posix_spawn_file_actions_addopen(&actions_, 0, "/dev/null", O_RDONLY, 0);
        posix_spawn_file_actions_addopen(&actions_, 1, "/dev/null", O_WRONLY, 0);
        posix_spawn_file_actions_addopen(&actions_, 2, "/dev/null", O_WRONLY, 0);
    }
    ~QuietStreams() { posix_spawn_file_actions_destroy(&actions_); }
    QuietStreams(const QuietStreams&) = delete;
    QuietStreams& operator=(const QuietStreams&) = delete;
    const posix_spawn_file_actions_t* get() const { return &actions_; }

  private:
    posix_spawn_file_actions_t actions_;
};

}  // namespace

SystemLauncher::~SystemLauncher() {
    reap();
}

bool SystemLauncher::start(const std::string& program, const std::vector<std::string>& arguments) {
    reap();
    if (program.empty()) {
        return false;
    }
    std::vector<std::string> words;
    words.reserve(arguments.size() + 1);
    words.push_back(program);
    words.insert(words.end(), arguments.begin(), arguments.end());
    std::vector<char*> argv;
    argv.reserve(words.size() + 1);
    for (std::string& word : words) {
        argv.push_back(word.data());
    }
    argv.push_back(nullptr);

    const QuietStreams streams;
    pid_t pid = 0;
    if (posix_spawnp(&pid, program.c_str(), streams.get(), nullptr, argv.data(), environ) != 0) {
        return false;
    }
    children_.push_back(pid);
    return true;
}

bool SystemLauncher::openDocument(const std::string& path) {
    // A name that starts with "-" would be read as an option.
    return start("xdg-open", {path.starts_with('-') ? "./" + path : path});
}

void SystemLauncher::reap() {
    std::erase_if(children_, [](pid_t pid) { return waitpid(pid, nullptr, WNOHANG) != 0; });
}

}  // namespace brondel::ports
