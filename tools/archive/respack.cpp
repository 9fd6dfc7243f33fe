// respack: writes a resource archive from a list of files, or lists one.
//   respack OUTPUT FILE...        entries named by each file's base name
//   respack OUTPUT @LISTFILE      the files named one per line in LISTFILE
//   respack --list ARCHIVE        prints "size name" per entry
#include "engine/ResourceArchive.h"

#include <cstdio>
#include <fstream>
#include <iostream>
#include <iterator>
#include <string>
#include <vector>

namespace {

bool readFile(const std::string& path, std::vector<unsigned char>& out)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return false;
    out.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    return true;
}

std::string baseName(const std::string& path)
{
    size_t slash = path.find_last_of('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

void expandArgument(const std::string& arg, std::vector<std::string>& files)
{
    if (arg.empty() || arg[0] != '@') {
        files.push_back(arg);
        return;
    }
    std::ifstream list(arg.substr(1));
    std::string line;
    while (std::getline(list, line))
        if (!line.empty())
            files.push_back(line);
}

int listArchive(const std::string& path)
{
    ResourceArchive archive;
    if (!archive.open(path)) {
        std::cerr << "respack: " << archive.error() << "\n";
        return 1;
    }
    for (uint32_t i = 0; i < archive.count(); ++i) {
        ArchiveEntry entry;
        if (!archive.entry(i, entry)) {
            std::cerr << "respack: entry " << i << ": " << archive.error() << "\n";
            return 1;
        }
        std::cout << entry.data.size() << " " << entry.name << "\n";
    }
    return 0;
}

int packArchive(const std::string& output, const std::vector<std::string>& files)
{
    std::vector<ArchiveEntry> entries;
    for (const std::string& file : files) {
        ArchiveEntry entry;
        entry.name = baseName(file);
        if (!readFile(file, entry.data)) {
            std::cerr << "respack: cannot read " << file << "\n";
            return 1;
        }
        entries.push_back(std::move(entry));
    }
    std::vector<unsigned char> bytes = packResourceArchive(entries);
    std::ofstream out(output, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    if (!out) {
        std::cerr << "respack: cannot write " << output << "\n";
        return 1;
    }
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc == 3 && std::string(argv[1]) == "--list")
        return listArchive(argv[2]);
    if (argc < 2) {
        std::cerr << "usage: respack OUTPUT FILE... | respack --list ARCHIVE\n";
        return 2;
    }
    std::vector<std::string> files;
    for (int i = 2; i < argc; ++i)
        expandArgument(argv[i], files);
    return packArchive(argv[1], files);
}
