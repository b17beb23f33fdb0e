#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>

namespace brondel::engine::io {

// How far reading or writing a drawing file has got: bytes of the file read,
// or entities written, of the total (0 when not known). It is called between
// chunks of the work, so a caller may let its windows repaint there.
using FileProgress = std::function<void(std::int64_t done, std::int64_t total)>;

// Passes on every kEvery-th entity of a list being written, and its end.
class EntityProgress {
  public:
    static constexpr std::size_t kEvery = 4096;

    EntityProgress(const FileProgress& progress, std::size_t total)
        : progress_(progress), total_(total) {}
    void counted() {
        if (++done_ % kEvery == 0 && progress_) {
            progress_(static_cast<std::int64_t>(done_), static_cast<std::int64_t>(total_));
        }
    }
    void finished() const {
        if (progress_) {
            progress_(static_cast<std::int64_t>(total_), static_cast<std::int64_t>(total_));
        }
    }

  private:
    const FileProgress& progress_;
    std::size_t total_;
    std::size_t done_ = 0;
};

}  // namespace brondel::engine::io
