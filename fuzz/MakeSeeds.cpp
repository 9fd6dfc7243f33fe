// Writes the seed corpus of every fuzz target from the game's own files:
// levels and sounds from the built archives, small archives packed from
// their entries, the built text table, the parameters file, a fresh profile
// and header, and level sources. Hand-made damaged seeds sit beside this
// file in seeds/ and are replayed as they are.
//
//   makeseeds RESOURCE_DIR SOURCE_DIR OUT_DIR

#include "engine/ResourceArchive.h"
#include "fuzz/FuzzSupport.h"
#include "levels/Profile.h"
#include "platform/Folders.h"

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>
#include <sys/stat.h>
#include <vector>

namespace {

using Bytes = std::vector<unsigned char>;

std::string g_out;

Bytes readBytes(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        fprintf(stderr, "makeseeds: cannot read '%s'\n", path.c_str());
        exit(1);
    }
    return Bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

void writeSeed(const std::string& target, const std::string& name, const Bytes& bytes)
{
    const std::string folder = g_out + "/" + target;
    mkdir(g_out.c_str(), 0755);
    mkdir(folder.c_str(), 0755);
    fuzzWriteFile(folder + "/" + name, bytes.data(), bytes.size());
}

Bytes withSelector(unsigned char selector, const Bytes& bytes)
{
    Bytes out{selector};
    out.insert(out.end(), bytes.begin(), bytes.end());
    return out;
}

std::vector<ArchiveEntry> readArchive(const std::string& path)
{
    ResourceArchive archive;
    if (!archive.open(path)) {
        fprintf(stderr, "makeseeds: %s: %s\n", path.c_str(), archive.error().c_str());
        exit(1);
    }
    std::vector<ArchiveEntry> entries(archive.count());
    for (uint32_t i = 0; i < archive.count(); ++i) {
        if (!archive.entry(i, entries[i])) {
            fprintf(stderr, "makeseeds: %s: %s\n", path.c_str(), archive.error().c_str());
            exit(1);
        }
    }
    return entries;
}

// The smallest entries make the quickest seeds.
std::vector<ArchiveEntry> smallest(std::vector<ArchiveEntry> entries, size_t count)
{
    std::stable_sort(entries.begin(), entries.end(),
                     [](const ArchiveEntry& a, const ArchiveEntry& b) { return a.data.size() < b.data.size(); });
    entries.resize(std::min(count, entries.size()));
    return entries;
}

void levelSeeds(const std::string& resources)
{
    std::vector<ArchiveEntry> levels = readArchive(resources + "/resource4.dat");
    // One level of each set, and the first few of the regular set.
    const size_t picks[] = {0, 1, 2, 3, 111, 161, levels.size() - 1};
    std::vector<ArchiveEntry> packed;
    for (size_t pick : picks) {
        if (pick >= levels.size())
            continue;
        writeSeed("level_file", levels[pick].name, levels[pick].data);
        if (packed.empty())
            packed.push_back(levels[pick]);
    }
    writeSeed("archive", "levels.dat", withSelector(2, packResourceArchive(packed)));
}

void archiveSeeds(const std::string& resources)
{
    std::vector<ArchiveEntry> images = smallest(readArchive(resources + "/resource2.dat"), 3);
    writeSeed("archive", "images.dat", withSelector(0, packResourceArchive(images)));
    std::vector<ArchiveEntry> sounds = smallest(readArchive(resources + "/resource3.dat"), 1);
    writeSeed("archive", "sounds.dat", withSelector(1, packResourceArchive(sounds)));
    for (const ArchiveEntry& sound : smallest(readArchive(resources + "/resource3.dat"), 3))
        writeSeed("sound_data", sound.name, sound.data);
}

// The smallest pictures of the image archive of each type the decoders
// take.
void pictureSeeds(const std::string& resources)
{
    std::vector<ArchiveEntry> pictures = readArchive(resources + "/resource2.dat");
    for (const char* type : {".png", ".jpg", ".tga"}) {
        std::vector<ArchiveEntry> ofType;
        for (const ArchiveEntry& entry : pictures)
            if (entry.name.size() > 4 && entry.name.compare(entry.name.size() - 4, 4, type) == 0)
                ofType.push_back(entry);
        for (const ArchiveEntry& picture : smallest(ofType, 2))
            writeSeed("picture", picture.name, picture.data);
    }
}

// A short WAV of the given sample size and channel count.
Bytes waveSeed(int bits, int channels)
{
    const int frames = 64;
    const int bytesPerSample = bits / 8;
    const uint32_t dataSize = frames * channels * bytesPerSample;
    auto put32 = [](Bytes& b, uint32_t v) {
        for (int i = 0; i < 4; ++i)
            b.push_back(static_cast<unsigned char>(v >> (8 * i)));
    };
    auto put16 = [](Bytes& b, uint16_t v) {
        b.push_back(static_cast<unsigned char>(v));
        b.push_back(static_cast<unsigned char>(v >> 8));
    };
    Bytes b{'R', 'I', 'F', 'F'};
    put32(b, 36 + dataSize);
    b.insert(b.end(), {'W', 'A', 'V', 'E', 'f', 'm', 't', ' '});
    put32(b, 16);
    put16(b, 1);
    put16(b, static_cast<uint16_t>(channels));
    put32(b, 22050);
    put32(b, 22050 * channels * bytesPerSample);
    put16(b, static_cast<uint16_t>(channels * bytesPerSample));
    put16(b, static_cast<uint16_t>(bits));
    b.insert(b.end(), {'d', 'a', 't', 'a'});
    put32(b, dataSize);
    for (uint32_t i = 0; i < dataSize; ++i)
        b.push_back(static_cast<unsigned char>(i * 37));
    return b;
}

void profileSeeds()
{
    { CProfile fresh; }
    const std::string folder = fuzzDataFolder();
    writeSeed("profile", "header", withSelector(0, readBytes(folder + "INFOv3.DAT")));
    writeSeed("profile", "profile", withSelector(1, readBytes(folder + "PROFILE1v3.DAT")));
}

// The built text table cut into pieces of about 2 KiB at line ends, each led
// by the style line in force there. The whole table is 44 KiB and every
// input is parsed and laid out in full: fed whole, the fuzzer would run a
// hundred inputs a second instead of thousands.
void textTableSeeds(const Bytes& table)
{
    const size_t pieceSize = 2048;
    Bytes style, piece, line;
    int count = 0;
    auto flush = [&] {
        if (piece.empty())
            return;
        Bytes seed = style;
        seed.insert(seed.end(), piece.begin(), piece.end());
        writeSeed("text_table", "piece-" + std::to_string(++count), seed);
        piece.clear();
    };
    for (size_t i = 0; i + 1 < table.size(); i += 2) {
        line.push_back(table[i]);
        line.push_back(table[i + 1]);
        if (table[i] != '\n' || table[i + 1] != 0)
            continue;
        const bool isStyle = line.size() >= 2 && line[0] == '!' && line[1] == 0;
        if (isStyle) {
            flush();
            style = line;
        } else {
            piece.insert(piece.end(), line.begin(), line.end());
            if (piece.size() >= pieceSize)
                flush();
        }
        line.clear();
    }
    piece.insert(piece.end(), line.begin(), line.end());
    flush();
}

void textSeeds(const std::string& resources, const std::string& source)
{
    textTableSeeds(readBytes(resources + "/resource5.dat"));
    writeSeed("parameters", "resource8.dat", readBytes(source + "/assets/resource8.dat"));
    // The first sources of each set.
    for (const char* set : {"regular", "advanced", "kids"}) {
        const std::string folder = source + "/assets/levels/" + set + "/";
        std::vector<std::string> names;
        listPlainFiles(folder, names);
        for (size_t i = 0; i < names.size() && i < 3; ++i)
            writeSeed("level_source", names[i], readBytes(folder + names[i]));
    }
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 4) {
        fprintf(stderr, "usage: makeseeds RESOURCE_DIR SOURCE_DIR OUT_DIR\n");
        return 2;
    }
    fuzzSetUp();
    g_out = argv[3];
    // Every target gets its folder; the replies and scripts have only the
    // hand-made seeds of fuzz/seeds/.
    for (const char* target : {"score_reply", "input_script"})
        writeSeed(target, "empty", {});
    levelSeeds(argv[1]);
    archiveSeeds(argv[1]);
    pictureSeeds(argv[1]);
    writeSeed("sound_data", "pcm8-mono.wav", waveSeed(8, 1));
    writeSeed("sound_data", "pcm16-stereo.wav", waveSeed(16, 2));
    profileSeeds();
    textSeeds(argv[1], argv[2]);
    return 0;
}
