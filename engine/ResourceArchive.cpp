#include "engine/ResourceArchive.h"

#include "engine/ByteOrder.h"

#include <cstdio>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

bool ResourceArchive::fail(const std::string& reason)
{
    error_ = reason;
    return false;
}

bool ResourceArchive::open(const std::string& path)
{
    FILE* file = fopen(path.c_str(), "rb");
    if (!file)
        return fail("cannot open " + path);
    std::vector<unsigned char> bytes;
    unsigned char buffer[65536];
    size_t n;
    while ((n = fread(buffer, 1, sizeof buffer, file)) > 0)
        bytes.insert(bytes.end(), buffer, buffer + n);
    bool readError = ferror(file) != 0;
    fclose(file);
    if (readError)
        return fail("cannot read " + path);
    return openBytes(std::move(bytes));
}

uint32_t ResourceArchive::countInFile(const std::string& path)
{
    FILE* file = fopen(path.c_str(), "rb");
    if (!file)
        return 0;
    uint32_t count = 0;
    if (!ByteOrder::readU32(&count, file))
        count = 0;
    fclose(file);
    return count;
}

bool ResourceArchive::openBytes(std::vector<unsigned char> bytes)
{
    bytes_ = std::move(bytes);
    offsets_.clear();
    count_ = 0;
    error_.clear();
    const uint64_t size = bytes_.size();
    if (size < 4)
        return fail("archive too short for its entry count");
    uint32_t count = ByteOrder::peekU32(bytes_.data());
    if (4 + 4 * static_cast<uint64_t>(count) > size)
        return fail("offset table runs past the end of the archive");
    offsets_.resize(count);
    for (uint32_t i = 0; i < count; ++i)
        offsets_[i] = ByteOrder::peekU32(bytes_.data() + 4 + 4 * static_cast<size_t>(i));
    count_ = count;
    return true;
}

bool ResourceArchive::entry(uint32_t index, ArchiveEntry& out)
{
    if (index >= count_)
        return fail("no such entry");
    const uint64_t size = bytes_.size();
    const uint64_t offset = offsets_[index];
    if (offset + 8 > size)
        return fail("entry header runs past the end of the archive");
    const uint32_t dataSize = ByteOrder::peekU32(bytes_.data() + offset);
    const uint32_t nameLength = ByteOrder::peekU32(bytes_.data() + offset + 4);
    if (nameLength > ARCHIVE_MAX_NAME_LENGTH)
        return fail("entry name too long");
    const uint64_t nameStart = offset + 8;
    const uint64_t dataStart = nameStart + nameLength;
    if (dataStart + dataSize > size)
        return fail("entry runs past the end of the archive");
    out.name.assign(reinterpret_cast<const char*>(bytes_.data() + nameStart), nameLength);
    out.data.assign(bytes_.begin() + static_cast<std::ptrdiff_t>(dataStart),
                    bytes_.begin() + static_cast<std::ptrdiff_t>(dataStart + dataSize));
    return true;
}

ArchiveFile::~ArchiveFile()
{
    if (fd_ >= 0)
        close(fd_);
}

bool ArchiveFile::fail(const std::string& reason)
{
    error_ = reason;
    entries_.clear();
    return false;
}

bool ArchiveFile::readAt(uint64_t offset, void* out, size_t size) const
{
    auto* target = static_cast<unsigned char*>(out);
    while (size > 0) {
        ssize_t got = pread(fd_, target, size, static_cast<off_t>(offset));
        if (got <= 0)
            return false;
        target += got;
        offset += static_cast<uint64_t>(got);
        size -= static_cast<size_t>(got);
    }
    return true;
}

bool ArchiveFile::open(const std::string& path)
{
    if (fd_ >= 0)
        close(fd_);
    entries_.clear();
    error_.clear();
    fd_ = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    struct stat info;
    if (fd_ < 0 || fstat(fd_, &info) != 0)
        return fail("cannot open " + path);
    const uint64_t size = static_cast<uint64_t>(info.st_size);
    unsigned char field[8];
    if (size < 4 || !readAt(0, field, 4))
        return fail("archive too short for its entry count");
    const uint32_t count = ByteOrder::peekU32(field);
    if (4 + 4 * static_cast<uint64_t>(count) > size)
        return fail("offset table runs past the end of the archive");
    std::vector<unsigned char> table(4 * static_cast<size_t>(count));
    if (!readAt(4, table.data(), table.size()))
        return fail("cannot read " + path);
    entries_.reserve(count);
    char name[ARCHIVE_MAX_NAME_LENGTH];
    for (uint32_t i = 0; i < count; ++i) {
        const uint64_t offset = ByteOrder::peekU32(table.data() + 4 * static_cast<size_t>(i));
        if (offset + 8 > size || !readAt(offset, field, 8))
            return fail("entry header runs past the end of the archive");
        const uint32_t dataSize = ByteOrder::peekU32(field);
        const uint32_t nameLength = ByteOrder::peekU32(field + 4);
        if (nameLength > ARCHIVE_MAX_NAME_LENGTH)
            return fail("entry name too long");
        const uint64_t dataStart = offset + 8 + nameLength;
        if (dataStart + dataSize > size || !readAt(offset + 8, name, nameLength))
            return fail("entry runs past the end of the archive");
        entries_.push_back({std::string(name, nameLength), dataStart, dataSize});
    }
    return true;
}

bool ArchiveFile::read(uint32_t index, std::vector<unsigned char>& out) const
{
    if (index >= entries_.size())
        return false;
    const Entry& entry = entries_[index];
    out.resize(entry.size);
    return readAt(entry.offset, out.data(), out.size());
}

std::vector<unsigned char> packResourceArchive(const std::vector<ArchiveEntry>& entries)
{
    std::vector<unsigned char> bytes(4 + 4 * entries.size());
    ByteOrder::pokeU32(bytes.data(), static_cast<uint32_t>(entries.size()));
    for (size_t i = 0; i < entries.size(); ++i) {
        ByteOrder::pokeU32(bytes.data() + 4 + 4 * i, static_cast<uint32_t>(bytes.size()));
        unsigned char header[8];
        ByteOrder::pokeU32(header, static_cast<uint32_t>(entries[i].data.size()));
        ByteOrder::pokeU32(header + 4, static_cast<uint32_t>(entries[i].name.size()));
        bytes.insert(bytes.end(), header, header + 8);
        bytes.insert(bytes.end(), entries[i].name.begin(), entries[i].name.end());
        bytes.insert(bytes.end(), entries[i].data.begin(), entries[i].data.end());
    }
    return bytes;
}
