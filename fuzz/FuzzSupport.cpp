#include "fuzz/FuzzSupport.h"

#include "engine/Log.h"
#include "platform/Folders.h"

#include <cstdio>
#include <cstdlib>
#include <ftw.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

std::string g_scratch;

int removeEntry(const char* path, const struct stat*, int, struct FTW*) { return remove(path); }

void removeScratch()
{
    nftw(g_scratch.c_str(), removeEntry, 16, FTW_DEPTH | FTW_PHYS);
}

void makeScratch()
{
    // Profiles are saved with fsync; in memory that costs nothing.
    struct stat shm;
    std::string pattern = stat("/dev/shm", &shm) == 0 && S_ISDIR(shm.st_mode) ? "/dev/shm/corvelle-fuzz-XXXXXX"
                                                                              : "/tmp/corvelle-fuzz-XXXXXX";
    const char* made = mkdtemp(pattern.data());
    if (!made) {
        perror("mkdtemp");
        abort();
    }
    g_scratch = std::string(made) + "/";
    atexit(removeScratch);
    setenv("HOME", made, 1);
    setenv("XDG_DATA_HOME", (g_scratch + "data").c_str(), 1);
    setenv("XDG_DOCUMENTS_DIR", (g_scratch + "documents").c_str(), 1);
    setenv("SDL_VIDEODRIVER", "dummy", 1);
    setenv("SDL_AUDIODRIVER", "dummy", 1);
}

} // namespace

void fuzzSetUp()
{
    if (!g_scratch.empty())
        return;
    makeScratch();
    initLogChannels(false);
    initDirectories();
    // A reader that logs every damaged input would otherwise grow the error
    // log by millions of lines during a campaign. A folder in the log's place
    // makes every append fail at once: a damaged profile logs a line per bad
    // score, and opening and closing even /dev/null for each took almost
    // half of the profile target's time.
    std::string log = fuzzDataFolder() + "LOG.TXT";
    unlink(log.c_str());
    if (mkdir(log.c_str(), 0700) != 0) {
        perror("mkdir");
        abort();
    }
    if (!getenv("CORVELLE_FUZZ_VERBOSE") && !freopen("/dev/null", "w", stdout))
        abort();
}

const std::string& fuzzScratch() { return g_scratch; }

std::string fuzzDataFolder() { return getProfileDirectory(); }

void fuzzWriteFile(const std::string& path, const uint8_t* data, size_t size)
{
    FILE* file = fopen(path.c_str(), "wb");
    if (!file)
        abort();
    if (size > 0 && fwrite(data, 1, size, file) != size)
        abort();
    fclose(file);
}
