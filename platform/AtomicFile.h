#pragma once

#include <cstdio>
#include <string>

// Writes a file so that the old one survives any failure: the bytes go to a
// temporary file in the same folder, which replaces the old file by rename
// only when every write, the flush and the close succeeded.
class AtomicFile
{
public:
    explicit AtomicFile(std::string path);
    ~AtomicFile();
    AtomicFile(const AtomicFile&) = delete;
    AtomicFile& operator=(const AtomicFile&) = delete;

    // The stream to write to, or null when the temporary file cannot be made.
    FILE* open();

    // True when the new file has replaced the old one; on false the old file
    // is untouched and the temporary file is gone.
    bool commit();

    // Drops what was written; the old file is untouched.
    void discard();

    const std::string& path() const { return path_; }

    // Fault injection for tests: every atomic write fails once this many
    // bytes have been written (negative: never).
    static void failAfterBytesForTesting(long bytes);

private:
    std::string path_;
    std::string tempPath_;
    FILE* stream_ = nullptr;
};
