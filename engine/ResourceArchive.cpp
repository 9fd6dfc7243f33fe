#include "engine/ResourceArchive.h"

#include "engine/ByteOrder.h"

#include <cstdio>

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

bool ResourceArchive::span(uint32_t index, ArchiveSpan& out)
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
    out.data = bytes_.data() + dataStart;
    out.size = dataSize;
    return true;
}

bool ResourceArchive::entry(uint32_t index, ArchiveEntry& out)
{
    ArchiveSpan found;
    if (!span(index, found))
        return false;
    out.name = std::move(found.name);
    out.data.assign(found.data, found.data + found.size);
    return true;
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
