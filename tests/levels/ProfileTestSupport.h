#pragma once

#include "levels/Profile.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace profile_test {

// Offsets of the profile file that the tests look at or damage.
constexpr size_t SOUND_VOLUME = 257;
constexpr size_t FULLSCREEN = 269;
constexpr size_t MOUSE_SPEED = 272;
constexpr size_t KEYS = 276;
constexpr size_t REGULAR_SCORES = 340;
constexpr size_t SCORE_KEY = 1311;
constexpr size_t REGULAR_SHADOWS = 1839;
constexpr size_t CURRENT_SET = 2283;
constexpr size_t CURRENT_LEVEL = 2287;
constexpr size_t RECORD_COUNT = 2291;
constexpr size_t EMPTY_PROFILE_SIZE = 2308;

// What the profile asked of the display, sound and input modules.
struct ServiceCalls {
    std::vector<std::pair<bool, bool>> toggles; // (onlyIfDifferent, fullscreen)
    std::vector<float> effects;
    std::vector<float> music;
    std::vector<bool> grabs;
    std::vector<bool> relative;
    std::vector<float> speeds;
    bool screen = false; // what hasScreen answers
};
ServiceCalls& calls();

std::string dataPath(const std::string& name);
std::string profilePath(int number); // by profile number
std::string headerPath();

int32_t peekI32(const std::string& bytes, size_t offset);
void pokeI32(std::string& bytes, size_t offset, int32_t value);
std::string i32Bytes(int32_t value);

// Removes the header, the profile files and their backups.
void removeProfileFiles();

// Every test starts without profile files, with a fixed random seed (so a
// death test's child writes the same bytes as its parent), no parameters
// file and recording services.
class ProfileTest : public testing::Test
{
protected:
    void SetUp() override;
    void TearDown() override;

    // Destroys the profile (which saves it) and loads it again from disk.
    void reopen();

    std::unique_ptr<CProfile> profile;
};

} // namespace profile_test
