#pragma once

#include <cstdint>
#include <string>
#include <utility>

#include "engine/vecad.h"
#include "shell/progress_scope.h"

namespace brondel::documents {

inline constexpr const char* kOpeningDrawingTask = "Opening drawing";
inline constexpr const char* kSavingDrawingTask = "Saving drawing";

// While it lives, a control's file open or save is shown in the main
// window's progress, and the windows repaint between chunks of the file.
class FileProgress {
  public:
    FileProgress(shell::MainWindow& main, engine::Vecad& control, std::string task)
        : scope_(main, std::move(task)), control_(control) {
        control_.fileProgress = [this](std::int64_t done, std::int64_t total) {
            scope_.advance(done, total);
        };
    }
    ~FileProgress() { control_.fileProgress = nullptr; }
    FileProgress(const FileProgress&) = delete;
    FileProgress& operator=(const FileProgress&) = delete;

  private:
    shell::ProgressScope scope_;
    engine::Vecad& control_;
};

}  // namespace brondel::documents
