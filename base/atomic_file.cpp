#include "base/atomic_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstring>
#include <fstream>
#include <iterator>
#include <streambuf>
#include <vector>

#include "base/error.h"

namespace brondel::base {

namespace {

[[noreturn]] void fail(int number, const std::string& path, int errorCode) {
    std::string text = describeError(number) + ": " + path;
    if (errorCode != 0) {
        text += " (" + std::string(std::strerror(errorCode)) + ")";
    }
    throw Error(number, text);
}

std::string folderOf(const std::string& path) {
    const auto slash = path.find_last_of('/');
    if (slash == std::string::npos) {
        return ".";
    }
    return slash == 0 ? "/" : path.substr(0, slash);
}

// Buffered output straight to a file descriptor; remembers the first error.
class FdBuffer : public std::streambuf {
  public:
    explicit FdBuffer(int fd) : fd_(fd), buffer_(1 << 16) {
        setp(buffer_.data(), buffer_.data() + buffer_.size());
    }
    int error() const { return error_; }

  protected:
    int_type overflow(int_type c) override {
        if (!drain()) {
            return traits_type::eof();
        }
        if (!traits_type::eq_int_type(c, traits_type::eof())) {
            *pptr() = traits_type::to_char_type(c);
            pbump(1);
        }
        return traits_type::not_eof(c);
    }
    int sync() override { return drain() ? 0 : -1; }
    std::streamsize xsputn(const char* s, std::streamsize n) override {
        if (n > epptr() - pptr()) {
            if (!drain()) {
                return 0;
            }
            if (n > epptr() - pptr()) {
                return writeAll(s, static_cast<std::size_t>(n)) ? n : 0;
            }
        }
        std::memcpy(pptr(), s, static_cast<std::size_t>(n));
        pbump(static_cast<int>(n));
        return n;
    }

  private:
    bool drain() {
        const bool ok = writeAll(pbase(), static_cast<std::size_t>(pptr() - pbase()));
        setp(buffer_.data(), buffer_.data() + buffer_.size());
        return ok;
    }
    bool writeAll(const char* data, std::size_t size) {
        while (size > 0 && error_ == 0) {
            const ssize_t written = ::write(fd_, data, size);
            if (written < 0) {
                if (errno != EINTR) {
                    error_ = errno;
                }
                continue;
            }
            data += written;
            size -= static_cast<std::size_t>(written);
        }
        return error_ == 0;
    }

    int fd_;
    std::vector<char> buffer_;
    int error_ = 0;
};

// Opens a new file with a fresh name beside path; the umask applies to it
// as to any new file, and an existing target's permissions are kept.
std::string temporaryName(const std::string& path) {
    static std::atomic<unsigned> counter{0};
    return path + ".tmp" + std::to_string(::getpid()) + "-" + std::to_string(counter.fetch_add(1));
}

int createTemporary(const std::string& path, std::string& temporary) {
    for (int attempt = 0; attempt < 100; ++attempt) {
        temporary = temporaryName(path);
        const int fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0) {
            struct stat target {};
            if (::stat(path.c_str(), &target) == 0) {
                ::fchmod(fd, target.st_mode & 07777);
            }
            return fd;
        }
        if (errno != EEXIST) {
            fail(err::kPathFileAccess, path, errno);
        }
    }
    fail(err::kPathFileAccess, path, EEXIST);
}

void syncFolder(const std::string& path) {
    const int fd = ::open(folderOf(path).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

// Keeps the file at path as backup: a hard link where the file system has
// them (nothing copied, nothing half made), else a copy written atomically.
void keepBackup(const std::string& path, const std::string& backup) {
    struct stat old {};
    if (::stat(path.c_str(), &old) != 0 || !S_ISREG(old.st_mode)) {
        return;  // nothing is replaced
    }
    const std::string link = temporaryName(backup);
    if (::link(path.c_str(), link.c_str()) == 0) {
        if (::rename(link.c_str(), backup.c_str()) != 0) {
            const int errorCode = errno;
            ::unlink(link.c_str());
            fail(err::kFileWrite, backup, errorCode);
        }
        return;
    }
    std::ifstream in(path, std::ios::binary);
    const std::string bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    if (!in && !in.eof()) {
        fail(err::kFileWrite, backup, EIO);
    }
    writeFileAtomically(backup, bytes);
}

}  // namespace

std::string backupName(const std::string& path) {
    const auto slash = path.find_last_of('/');
    const auto dot = path.find_last_of('.');
    const bool hasExtension =
        dot != std::string::npos && dot > (slash == std::string::npos ? 0 : slash + 1);
    return (hasExtension ? path.substr(0, dot) : path) + ".bak";
}

void writeFileAtomically(const std::string& path, const std::function<void(std::ostream&)>& write,
                         const std::string& backup) {
    struct stat existing {};
    if (::stat(path.c_str(), &existing) == 0 && S_ISDIR(existing.st_mode)) {
        fail(err::kPathFileAccess, path, EISDIR);
    }
    std::string temporary;
    const int fd = createTemporary(path, temporary);
    int errorCode = 0;
    try {
        FdBuffer buffer(fd);
        std::ostream out(&buffer);
        write(out);
        out.flush();
        errorCode = buffer.error();
        if (errorCode == 0 && !out) {
            errorCode = EIO;
        }
    } catch (...) {
        ::close(fd);
        ::unlink(temporary.c_str());
        throw;
    }
    if (errorCode == 0 && ::fsync(fd) != 0) {
        errorCode = errno;
    }
    if (::close(fd) != 0 && errorCode == 0) {
        errorCode = errno;
    }
    if (errorCode == 0 && !backup.empty() && backup != path) {
        try {
            keepBackup(path, backup);
        } catch (...) {
            ::unlink(temporary.c_str());
            throw;
        }
    }
    if (errorCode == 0 && ::rename(temporary.c_str(), path.c_str()) != 0) {
        errorCode = errno;
    }
    if (errorCode != 0) {
        ::unlink(temporary.c_str());
        fail(err::kFileWrite, path, errorCode);
    }
    syncFolder(path);
}

void writeFileAtomically(const std::string& path, std::string_view contents) {
    writeFileAtomically(path, [contents](std::ostream& out) {
        out.write(contents.data(), static_cast<std::streamsize>(contents.size()));
    });
}

}  // namespace brondel::base
