#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// The layout shared by the image, sound and level archives: a count, a table
// of absolute offsets, and per entry its data size, name length, name and the
// unchanged bytes of one file. All integers are 32-bit little-endian.
//
// The reader checks every count, offset, size and name length against the
// file, so a damaged archive is reported instead of read past its end.
struct ArchiveEntry {
    std::string name;
    std::vector<unsigned char> data;
};

constexpr uint32_t ARCHIVE_MAX_NAME_LENGTH = 255;

class ResourceArchive
{
public:
    // Reads the whole file and checks its offset table. False when the file
    // cannot be read or the table does not fit in it; see error().
    bool open(const std::string& path);

    // Parses archive bytes already in memory (same checks as open).
    bool openBytes(std::vector<unsigned char> bytes);

    uint32_t count() const { return count_; }

    // The entry count a file's header claims, read without the rest of the
    // file (for sizing the loading bar); 0 when it cannot be read.
    static uint32_t countInFile(const std::string& path);

    // Entry i of the offset table. False when the entry runs past the end of
    // the file or its name is too long; see error().
    bool entry(uint32_t index, ArchiveEntry& out);

    const std::string& error() const { return error_; }

private:
    bool fail(const std::string& reason);

    std::vector<unsigned char> bytes_;
    std::vector<uint32_t> offsets_;
    uint32_t count_ = 0;
    std::string error_;
};

// An archive file read by its table only: the names and places of its
// entries, checked against the file's size as ResourceArchive checks them,
// while each entry's data stays in the file until it is read. The file
// stays open; reads may come from any thread.
class ArchiveFile
{
public:
    ArchiveFile() = default;
    ~ArchiveFile();
    ArchiveFile(const ArchiveFile&) = delete;
    ArchiveFile& operator=(const ArchiveFile&) = delete;

    // False when the file cannot be read or its table does not fit in it;
    // see error().
    bool open(const std::string& path);
    uint32_t count() const { return static_cast<uint32_t>(entries_.size()); }
    const std::string& name(uint32_t index) const { return entries_.at(index).name; }
    // The data of entry `index`; false when the file can no longer give it.
    bool read(uint32_t index, std::vector<unsigned char>& out) const;
    const std::string& error() const { return error_; }

private:
    struct Entry {
        std::string name;
        uint64_t offset;
        uint32_t size;
    };

    bool fail(const std::string& reason);
    bool readAt(uint64_t offset, void* out, size_t size) const;

    int fd_ = -1;
    std::vector<Entry> entries_;
    std::string error_;
};

// Builds archive bytes from entries, in the given order (used by the tools
// and by tests).
std::vector<unsigned char> packResourceArchive(const std::vector<ArchiveEntry>& entries);
