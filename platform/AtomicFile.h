#pragma once

#include <cstdio>
#include <functional>
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

    // Moves a damaged file out of the way as "<path>.bak", or, when an
    // earlier copy has that name, as "<path>.bak2", "<path>.bak3"...: no
    // copy is ever replaced. Returns the copy's path; empty when the file
    // could not be moved.
    static std::string moveToBackup(const std::string& path);

    // Removes what saves cut short (by a kill, a crash, a power cut) left in
    // the folder: each file "<name>.tmpXXXXXX" (six letters or digits, as
    // open makes them) whose <name> `savedHere` says a save of ours writes
    // there. Every other file is left alone. Returns how many were removed.
    static int removeLeftovers(const std::string& folder, const std::function<bool(const std::string&)>& savedHere);

    // Fault injection for tests: every atomic write fails once this many
    // bytes have been written (negative: never).
    static void failAfterBytesForTesting(long bytes);

private:
    std::string path_;
    std::string tempPath_;
    FILE* stream_ = nullptr;
};
