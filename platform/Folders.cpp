#include "platform/Folders.h"

#include "platform/Diagnostics.h"

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <dirent.h>
#include <strings.h>
#include <sys/stat.h>

namespace {

std::string g_dataFolder;
std::string g_levelFolder;
bool g_dataResolved = false;

std::string environmentOr(const char* name, const std::string& fallback)
{
    const char* value = getenv(name);
    return value && *value ? std::string(value) : fallback;
}

std::string withSlash(std::string path)
{
    if (!path.empty() && path.back() != '/')
        path += '/';
    return path;
}

// Errors are logged before start-up reaches initDirectories, so the data
// folder is found (and made) on first use.
void resolveDataFolder()
{
    if (g_dataResolved)
        return;
    g_dataResolved = true;
    std::string home = environmentOr("HOME", "");
    std::string base = environmentOr("XDG_DATA_HOME", home.empty() ? "" : home + "/.local/share");
    if (base.empty()) {
        g_dataFolder = "resource/";
    } else {
        g_dataFolder = withSlash(base) + "Vostrel Games/KRVL Data/";
    }
    makeFolders(g_dataFolder);
}

std::string resolveLevelFolder()
{
    std::string home = environmentOr("HOME", "");
    std::string documents = environmentOr("XDG_DOCUMENTS_DIR", home.empty() ? "" : home + "/Documents");
    return withSlash(documents) + "KRVL Levels/";
}

} // namespace

bool makeFolders(const std::string& path)
{
    for (size_t slash = path.find('/', 1); ; slash = path.find('/', slash + 1)) {
        std::string prefix = path.substr(0, slash);
        if (!prefix.empty() && mkdir(prefix.c_str(), 0755) != 0 && errno != EEXIST)
            return false;
        if (slash == std::string::npos)
            return true;
    }
}

void initDirectories()
{
    g_dataResolved = false;
    resolveDataFolder();
    g_levelFolder = resolveLevelFolder();
    makeFolders(g_levelFolder);
    debugLine("PROFILE DIRECTORY:  '%s'\n", g_dataFolder.c_str());
    debugLine("LEVELS DIRECTORY:   '%s'\n", g_levelFolder.c_str());
}

const char* getProfileDirectory()
{
    resolveDataFolder();
    return g_dataFolder.c_str();
}

const char* getLevelsDirectory()
{
    return g_levelFolder.c_str();
}

bool hasExtension(const std::string& name, const char* extension)
{
    const size_t length = strlen(extension);
    return name.size() > length && strcasecmp(name.c_str() + name.size() - length, extension) == 0;
}

void GetFiles(std::vector<std::string>& out, const std::string& folder, const char* extension)
{
    std::vector<std::string> names;
    DIR* dir = opendir(folder.empty() ? "." : folder.c_str());
    if (!dir) {
        debugLine("GetFiles()   Unable to open directory '%s'\n", folder.c_str());
        out.swap(names);
        return;
    }
    const size_t extLength = strlen(extension);
    std::string base = withSlash(folder);
    while (struct dirent* entry = readdir(dir)) {
        std::string name = entry->d_name;
        if (!hasExtension(name, extension))
            continue;
        struct stat info;
        if (stat((base + name).c_str(), &info) != 0 || S_ISDIR(info.st_mode))
            continue;
        // "a.lvl" and "a.LVL" are one name to the player; the first found
        // stands for both.
        std::string stem = name.substr(0, name.size() - extLength);
        if (std::find(names.begin(), names.end(), stem) == names.end())
            names.push_back(stem);
    }
    closedir(dir);
    out.swap(names);
}

std::string findFileWithExtension(const std::string& folder, const std::string& stem, const char* extension)
{
    const std::string base = withSlash(folder);
    const std::string exact = stem + extension;
    struct stat info;
    if (stat((base + exact).c_str(), &info) == 0 && S_ISREG(info.st_mode))
        return exact;
    std::string found;
    if (DIR* dir = opendir(folder.empty() ? "." : folder.c_str())) {
        while (struct dirent* entry = readdir(dir)) {
            std::string name = entry->d_name;
            if (name.size() == exact.size() && name.compare(0, stem.size(), stem) == 0 &&
                hasExtension(name, extension) && stat((base + name).c_str(), &info) == 0 && S_ISREG(info.st_mode)) {
                found = name;
                break;
            }
        }
        closedir(dir);
    }
    return found;
}

FolderListing listPlainFiles(const std::string& folder, std::vector<std::string>& names)
{
    names.clear();
    DIR* dir = opendir(folder.c_str());
    if (!dir)
        return FolderListing::NotOpened;
    std::string base = withSlash(folder);
    while (struct dirent* entry = readdir(dir)) {
        std::string name = entry->d_name;
        struct stat info;
        if (name != "." && name != ".." && stat((base + name).c_str(), &info) == 0 && S_ISREG(info.st_mode))
            names.push_back(name);
    }
    std::sort(names.begin(), names.end());
    return closedir(dir) == 0 ? FolderListing::Listed : FolderListing::NotClosed;
}
