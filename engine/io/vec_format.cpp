#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <memory>

#include "base/atomic_file.h"
#include "base/error.h"
#include "engine/io/drawing_files.h"
#include "engine/io/vec_format.h"

namespace brondel::engine::io {

DrawingContent readVecBuffer(std::string_view data) {
    return vec::decode(data);
}

// Small enough that a caller hears of progress several times a second.
constexpr std::size_t kReadChunk = std::size_t{4} << 20;

DrawingContent readVec(const std::string& path, const FileProgress& progress) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        throw Error(errno == ENOENT ? err::kFileNotFound : err::kPathFileAccess,
                    describeError(errno == ENOENT ? err::kFileNotFound : err::kPathFileAccess) +
                        ": " + path);
    }
    // Read whole, without first clearing a buffer the size of the file.
    struct stat st {};
    std::unique_ptr<char[]> data;
    std::size_t size = 0;
    bool ok = ::fstat(fd, &st) == 0 && S_ISREG(st.st_mode);
    if (ok) {
        const auto expected = static_cast<std::size_t>(st.st_size);
        data.reset(new char[expected > 0 ? expected : 1]);
        while (size < expected) {
            const ssize_t got =
                ::read(fd, data.get() + size, std::min(expected - size, kReadChunk));
            if (got < 0 && errno == EINTR) {
                continue;
            }
            if (got <= 0) {
                ok = got == 0;  // the file shrank while being read: take what is there
                break;
            }
            size += static_cast<std::size_t>(got);
            if (progress) {
                progress(static_cast<std::int64_t>(size), static_cast<std::int64_t>(expected));
            }
        }
    }
    ::close(fd);
    if (!ok) {
        throw Error(err::kFileRead, describeError(err::kFileRead) + ": " + path);
    }
    return vec::decode(std::string_view(data.get(), size));
}

void writeVec(const Drawing& drawing, const std::string& path, const FileProgress& progress,
              const WriteOptions& options) {
    const DrawingContent tables = drawing.tables();
    base::writeFileAtomically(
        path, [&](std::ostream& out) { vec::encode(tables, drawing.entities(), out, progress); },
        options.keepBackup ? base::backupName(path) : std::string());
}

DrawingContent snapshot(const Drawing& drawing) {
    DrawingContent content = drawing.tables();
    content.entities.reserve(drawing.liveCount());
    for (const Entity& e : drawing.entities()) {
        if (!e.erased) {
            content.entities.push_back(e);
        }
    }
    return content;
}

void writeVec(const DrawingContent& content, const std::string& path) {
    base::writeFileAtomically(
        path, [&](std::ostream& out) { vec::encode(content, content.entities, out); });
}

}  // namespace brondel::engine::io
