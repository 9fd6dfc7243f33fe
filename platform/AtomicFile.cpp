#include "platform/AtomicFile.h"

#include <cerrno>
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
