// How long the game takes to read a profile list of many entries, all of
// the same name (each after the first is renamed, the costliest case), and
// of as many distinct names. The time counts reading the list and, for a
// damaged one, keeping its copy and saving it mended. Reading must grow with
// the list, not with its square: the time per entry should stay flat from
// 40,000 entries to 1,000,000.
//
//   ProfileListBench [ENTRIES...]   (default 40000 200000 1000000)
//
// Runs in a scratch data folder of its own; nothing of the player's is read.
#include "engine/ByteOrder.h"
#include "engine/Log.h"
#include "levels/Profile.h"
#include "platform/Folders.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

void writeHeader(int entries, bool sameName)
{
    FILE* out = fopen(CProfileBase::HeaderFilePath().c_str(), "wb");
    if (!out) {
        perror("header");
        exit(1);
    }
    const int32_t fixed[] = {3, 3600, entries - 1, 0};
    for (int32_t value : fixed)
        ByteOrder::writeI32(value, out);
    char password[10] = {};
    fwrite(password, 1, sizeof password, out);
    ByteOrder::writeI32(0, out);
    ByteOrder::writeI32(entries, out);
    for (int i = 0; i < entries; ++i) {
        char name[16] = {}, online[16] = {};
        snprintf(name, sizeof name, sameName ? "PLAYER" : "P%d", i);
        ByteOrder::writeI32(i, out);
        fwrite(name, 1, sizeof name, out);
        fwrite(online, 1, sizeof online, out);
    }
    fclose(out);
}

double secondsToRead(int entries, bool sameName)
{
    writeHeader(entries, sameName);
    auto start = std::chrono::steady_clock::now();
    auto profile = std::make_unique<CProfile>();
    double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    profile.reset();
    std::string copies = CProfileBase::HeaderFilePath() + ".bak";
    unlink(copies.c_str());
    return seconds;
}

} // namespace

int main(int argc, char** argv)
{
    char scratch[] = "/tmp/corvelle-profile-bench-XXXXXX";
    if (!mkdtemp(scratch)) {
        perror("mkdtemp");
        return 1;
    }
    setenv("HOME", scratch, 1);
    setenv("XDG_DATA_HOME", scratch, 1);
    initLogChannels(false);
    initDirectories();
    std::vector<int> sizes;
    for (int i = 1; i < argc; ++i)
        sizes.push_back(atoi(argv[i]));
    if (sizes.empty())
        sizes = {40000, 200000, 1000000};
    printf("%10s %14s %14s %16s\n", "entries", "distinct (s)", "one name (s)", "one name (us/entry)");
    for (int entries : sizes) {
        double distinct = secondsToRead(entries, false);
        double same = secondsToRead(entries, true);
        printf("%10d %14.3f %14.3f %16.3f\n", entries, distinct, same, same / entries * 1e6);
    }
    std::string cleanup = std::string("rm -rf '") + scratch + "'";
    return system(cleanup.c_str()) == 0 ? 0 : 1;
}
