// The resource archives (pictures, sounds, levels): a count, an offset table
// and the entries. The first byte picks the kind whose reader takes the
// entries on; the rest is the archive.

#include "fuzz/FuzzSupport.h"
#include "engine/ResourceArchive.h"
#include "levels/Level.h"
#include "levels/LevelSet.h"
#include "platform/SoundData.h"

#include <string>
#include <vector>

namespace {

constexpr uint32_t ENTRIES_READ = 64;

void readEntries(ResourceArchive& archive, bool sounds)
{
    for (uint32_t i = 0; i < archive.count() && i < ENTRIES_READ; ++i) {
        ArchiveEntry entry;
        if (!archive.entry(i, entry))
            return;
        if (!sounds)
            continue;
        SoundData sound;
        std::string error;
        decodeSound(entry.data.data(), entry.data.size(), STREAM_ABOVE_FRAMES, sound, error);
    }
}

// The level archive goes through the sets' own reader, from a file as at
// start-up.
void readLevelArchive(const uint8_t* data, size_t size)
{
    const std::string path = fuzzScratch() + "resource4.dat";
    fuzzWriteFile(path, data, size);
    std::string error;
    CLevelSet::readArchive(path, error);
    CLevelSet::freeAll();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    fuzzSetUp();
    if (size < 1)
        return 0;
    const int kind = data[0] % 3;
    if (kind == 2) {
        readLevelArchive(data + 1, size - 1);
        return 0;
    }
    ResourceArchive archive;
    if (archive.openBytes(std::vector<unsigned char>(data + 1, data + size)))
        readEntries(archive, kind == 1);
    return 0;
}
