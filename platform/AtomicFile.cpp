#include "platform/AtomicFile.h"

#include "platform/Folders.h"

#include <cctype>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/types.h>
#include <unistd.h>

namespace {

long g_failAfter = -1;

// A stream over a file descriptor that can be told to fail part-way, so the
// failure paths of every saver can be tested.
struct Cookie {
    int fd;
    long budget;
};

ssize_t cookieWrite(void* raw, const char* data, size_t size)
{
    Cookie* cookie = static_cast<Cookie*>(raw);
    size_t allowed = size;
    if (cookie->budget >= 0) {
        if (cookie->budget == 0) {
            errno = ENOSPC;
            return -1;
        }
        if (static_cast<long>(size) > cookie->budget)
            allowed = static_cast<size_t>(cookie->budget);
    }
    size_t done = 0;
    while (done < allowed) {
        ssize_t n = write(cookie->fd, data + done, allowed - done);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return done ? static_cast<ssize_t>(done) : -1;
        }
        done += static_cast<size_t>(n);
    }
    if (cookie->budget >= 0)
        cookie->budget -= static_cast<long>(done);
    return static_cast<ssize_t>(done);
}

int cookieClose(void* raw)
{
    Cookie* cookie = static_cast<Cookie*>(raw);
    int result = fsync(cookie->fd);
    if (close(cookie->fd) != 0)
        result = -1;
    delete cookie;
    return result;
}

const char TEMPORARY_MARK[] = ".tmp";
constexpr size_t TEMPORARY_SUFFIX = 6; // mkstemp's XXXXXX

// The name a temporary file of ours stands in for; empty when the file is
// not one.
std::string savedNameOf(const std::string& file)
{
    const size_t mark = sizeof TEMPORARY_MARK - 1;
    if (file.size() <= mark + TEMPORARY_SUFFIX)
        return "";
    const size_t at = file.size() - TEMPORARY_SUFFIX - mark;
    if (file.compare(at, mark, TEMPORARY_MARK) != 0)
        return "";
    for (size_t i = at + mark; i < file.size(); ++i)
        if (!isalnum(static_cast<unsigned char>(file[i])))
            return "";
    return file.substr(0, at);
}

} // namespace

AtomicFile::AtomicFile(std::string path) : path_(std::move(path)) {}

AtomicFile::~AtomicFile()
{
    discard();
}

FILE* AtomicFile::open()
{
    discard();
    tempPath_ = path_ + ".tmpXXXXXX";
    int fd = mkstemp(tempPath_.data());
    if (fd < 0) {
        tempPath_.clear();
        return nullptr;
    }
    fchmod(fd, 0644);
    cookie_io_functions_t functions = {nullptr, cookieWrite, nullptr, cookieClose};
    stream_ = fopencookie(new Cookie{fd, g_failAfter}, "wb", functions);
    if (!stream_) {
        close(fd);
        unlink(tempPath_.c_str());
        tempPath_.clear();
    }
    return stream_;
}

bool AtomicFile::commit()
{
    if (!stream_)
        return false;
    bool ok = fflush(stream_) == 0 && !ferror(stream_);
    ok = (fclose(stream_) == 0) && ok;
    stream_ = nullptr;
    if (ok)
        ok = rename(tempPath_.c_str(), path_.c_str()) == 0;
    if (!ok)
        unlink(tempPath_.c_str());
    tempPath_.clear();
    return ok;
}

void AtomicFile::discard()
{
    if (stream_) {
        fclose(stream_);
        stream_ = nullptr;
    }
    if (!tempPath_.empty()) {
        unlink(tempPath_.c_str());
        tempPath_.clear();
    }
}

void AtomicFile::failAfterBytesForTesting(long bytes)
{
    g_failAfter = bytes;
}

int AtomicFile::removeLeftovers(const std::string& folder, const std::function<bool(const std::string&)>& savedHere)
{
    std::vector<std::string> files;
    listPlainFiles(folder, files);
    const std::string prefix = folder.empty() || folder.back() == '/' ? folder : folder + "/";
    int removed = 0;
    for (const std::string& file : files) {
        std::string saved = savedNameOf(file);
        if (!saved.empty() && savedHere(saved) && unlink((prefix + file).c_str()) == 0)
            ++removed;
    }
    return removed;
}

std::string AtomicFile::moveToBackup(const std::string& path)
{
    constexpr int COPIES_MAX = 100000;
    for (int n = 1; n <= COPIES_MAX; ++n) {
        std::string backup = path + ".bak" + (n > 1 ? std::to_string(n) : "");
        if (renameat2(AT_FDCWD, path.c_str(), AT_FDCWD, backup.c_str(), RENAME_NOREPLACE) == 0)
            return backup;
        const int error = errno;
        if (error == EEXIST)
            continue;
        if (error != EINVAL && error != ENOSYS)
            return "";
        // A file system that cannot refuse to replace: look first.
        struct stat taken;
        if (stat(backup.c_str(), &taken) == 0)
            continue;
        return rename(path.c_str(), backup.c_str()) == 0 ? backup : "";
    }
    return "";
}
