#pragma once

#include "engine/ResourceArchive.h"

#include <gtest/gtest.h>

#include <cstddef>
#include <cstdint>
#include <set>
#include <string>
#include <vector>

namespace corvelle_test {

// One 32-bit field of an archive of three entries (offset table at 4, the
// first entry's header at 16) set to a value the reader must refuse.
struct ArchiveDamage {
    size_t position;
    uint32_t value;
    const char* what;
};

inline const std::vector<ArchiveDamage>& hostileArchiveFields()
{
    static const std::vector<ArchiveDamage> cases = {
        {0, 0xFFFFFFFFu, "count"},
        {0, 0x40000000u, "count times four wraps in 32 bits"},
        {4, 0xFFFFFFF0u, "offset past the end"},
        {8, 3u, "offset into the offset table"},
        {16, 0xFFFFFFFFu, "data size of entry 0"},
        {16, 0x7FFFFFFFu, "data size of entry 0, below the sign"},
        {20, 0xFFFFFFFFu, "name length of entry 0 (+1 wraps to 0)"},
        {20, 256u, "name longer than a name may be"},
    };
    return cases;
}

// The entry names of an archive file. A file that cannot be read, or a
// damaged entry, fails the test that asks.
inline std::set<std::string> archiveNames(const std::string& path)
{
    std::set<std::string> names;
    ResourceArchive archive;
    if (!archive.open(path)) {
        ADD_FAILURE() << path << ": " << archive.error();
        return names;
    }
    for (uint32_t i = 0; i < archive.count(); ++i) {
        ArchiveEntry entry;
        if (!archive.entry(i, entry)) {
            ADD_FAILURE() << path << ": " << archive.error();
            break;
        }
        names.insert(entry.name);
    }
    return names;
}

} // namespace corvelle_test
