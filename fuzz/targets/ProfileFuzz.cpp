// The profile list ("INFOv3.DAT") and a profile's own file: both sit in the
// player's data folder, where an old disk, a crash or a curious player may
// have damaged them. The first byte picks the file the rest replaces; the
// profile object then loads, is used a little, and saves on destruction.

#include "fuzz/FuzzSupport.h"
#include "levels/Profile.h"

#include <cstdio>
#include <cstdlib>
#include <dirent.h>
#include <string>
#include <unistd.h>

namespace {

// An undamaged header listing one profile, made once.
const std::string& freshHeader()
{
    static const std::string header = [] {
        { CProfile fresh; }
        std::string bytes;
        FILE* file = fopen((fuzzDataFolder() + "INFOv3.DAT").c_str(), "rb");
        if (!file)
            abort();
        for (int c; (c = fgetc(file)) != EOF;)
            bytes.push_back(static_cast<char>(c));
        fclose(file);
        return bytes;
    }();
    return header;
}

// Every file of the data folder goes, not only the usual names: a damaged
// header names profiles by any number, and their files, left behind, piled
// up in the folder by the ten thousand until each run took over a second.
// unlink leaves folders (the error log's place) and ".." alone, so no entry
// needs its type read, which some filesystems do not report.
void clearDataFolder()
{
    const std::string folder = fuzzDataFolder();
    DIR* dir = opendir(folder.c_str());
    if (!dir)
        abort();
    while (const dirent* entry = readdir(dir))
        unlink((folder + entry->d_name).c_str());
    closedir(dir);
}

void useProfile()
{
    CProfile profile;
    for (int i = 0; i < profile.GetProfileCount(); ++i)
        profile.GetProfileName(i);
    for (int set = 0; set < CProfile::SET_COUNT; ++set)
        profile.GetScore(set, 0, false);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    fuzzSetUp();
    if (size < 1)
        return 0;
    const std::string& header = freshHeader();
    clearDataFolder();
    if (data[0] & 1) {
        // An undamaged header first, so that the damaged bytes land in a profile file.
        fuzzWriteFile(fuzzDataFolder() + "INFOv3.DAT", reinterpret_cast<const uint8_t*>(header.data()),
                      header.size());
        fuzzWriteFile(fuzzDataFolder() + "PROFILE1v3.DAT", data + 1, size - 1);
    } else {
        fuzzWriteFile(fuzzDataFolder() + "INFOv3.DAT", data + 1, size - 1);
    }
    useProfile();
    // What was saved must load again without damage.
    useProfile();
    return 0;
}
