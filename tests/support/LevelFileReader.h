#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace corvelle_test {

// A level file read by the tests on their own, byte by byte from the file's
// layout, so that what a screen saved is checked without the game's reader.
struct LevelFileContents {
    struct Spot {
        int32_t x, y;
        bool operator==(const Spot& o) const { return x == o.x && y == o.y; }
    };
    struct Bubble {
        int32_t x, y;
        std::string text;
    };
    struct Key {
        int32_t frame, key;
        uint32_t released;
    };
    uint32_t id = 0;
    std::string heading;
    std::array<int32_t, 32 * 24> ladders{}; // by cell x * 24 + y
    std::array<int32_t, 32 * 24> tiles{};   // code plus modifier
    std::vector<Spot> teleports[3];
    std::vector<Bubble> bubbles;
    int32_t background = -1;
    std::vector<Key> solution;

    int32_t tile(int x, int y) const { return tiles[static_cast<size_t>(x * 24 + y)]; }
};

// False, with the reason, when the file is missing, short or has bytes left.
bool readLevelFile(const std::string& path, LevelFileContents& out, std::string& error);

} // namespace corvelle_test
