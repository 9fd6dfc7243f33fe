// Runs a fuzz target over files instead of fuzzing: each argument is a file
// or a folder of files, fed to the target one by one. The tests use it to
// replay the seed corpus and every saved crash reproducer under the
// sanitizers; a crash, a leak or an undefined operation fails the run.

#include "fuzz/FuzzSupport.h"

#include <algorithm>
#include <cstdio>
#include <dirent.h>
#include <fstream>
#include <iterator>
#include <string>
#include <sys/stat.h>
#include <vector>

namespace {

void collect(const std::string& path, std::vector<std::string>& files)
{
    struct stat info;
    if (stat(path.c_str(), &info) != 0) {
        fprintf(stderr, "replay: cannot read '%s'\n", path.c_str());
        exit(2);
    }
    if (!S_ISDIR(info.st_mode)) {
        files.push_back(path);
        return;
    }
    DIR* folder = opendir(path.c_str());
    if (!folder)
        return;
    std::vector<std::string> names;
    while (dirent* entry = readdir(folder)) {
        if (entry->d_name[0] != '.')
            names.push_back(entry->d_name);
    }
    closedir(folder);
    std::sort(names.begin(), names.end());
    for (const std::string& name : names)
        collect(path + "/" + name, files);
}

} // namespace

int main(int argc, char** argv)
{
    std::vector<std::string> files;
    for (int i = 1; i < argc; ++i)
        collect(argv[i], files);
    // Standard error stays with us: fuzzSetUp silences standard output only.
    for (const std::string& file : files) {
        std::ifstream in(file, std::ios::binary);
        std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        LLVMFuzzerTestOneInput(bytes.data(), bytes.size());
    }
    fprintf(stderr, "replay: %zu inputs ran\n", files.size());
    return files.empty() ? 1 : 0;
}
