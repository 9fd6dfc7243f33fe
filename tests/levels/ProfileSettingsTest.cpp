#include "ProfileTestSupport.h"

#include "support/TestEnvironment.h"

#include <cmath>
#include <cstring>
#include <limits>

using namespace corvelle_test;
using namespace profile_test;

TEST_F(ProfileTest, SettersPutTheirSettingIntoEffect)
{
    profile = std::make_unique<CProfile>();
    calls() = ServiceCalls();

    profile->SetMusicVolume(11);
    profile->SetMusicVolume(6);
    profile->SetSoundVolume(6);
    ASSERT_EQ(calls().music.size(), 2u);
    EXPECT_FLOAT_EQ(calls().music[0], 1.0f);
    EXPECT_NEAR(calls().music[1], 0.2975f, 1e-4);
    ASSERT_EQ(calls().effects.size(), 1u);
    EXPECT_NEAR(calls().effects[0], 0.5455f, 1e-4);

    profile->SetFullscreen(false);
    profile->ToggleFullscreen();
    EXPECT_TRUE(profile->IsFullscreen());
    EXPECT_EQ(calls().toggles, (std::vector<std::pair<bool, bool>>{{true, false}, {true, true}}));

    profile->SetFreeMouse(false);
    profile->SetMouseSpeed(1.4f);
    EXPECT_EQ(calls().grabs, (std::vector<bool>{true, true}));
    EXPECT_EQ(calls().relative, (std::vector<bool>{false, false}));
    EXPECT_EQ(calls().speeds, (std::vector<float>{1.0f, 1.4f}));

    profile->SetPlaySpeed(9);
    EXPECT_EQ(profile->GetPlaySpeed(), 9);

    reopen();
    EXPECT_EQ(profile->GetMusicVolume(), 6);
    EXPECT_FALSE(profile->IsFreeMouse());
    EXPECT_FLOAT_EQ(profile->GetMouseSpeed(), 1.4f);
    EXPECT_EQ(profile->GetPlaySpeed(), 9);
}

TEST_F(ProfileTest, LoadingAppliesVolumesDisplayModeAndPointerOnlyOnceThereIsAScreen)
{
    profile = std::make_unique<CProfile>();
    profile->SetSoundVolume(11);
    profile->SetFullscreen(false);
    profile->SetFreeMouse(false);
    profile->SaveProfile();
    for (bool screen : {false, true}) {
        calls() = ServiceCalls();
        calls().screen = screen;
        profile->SelectProfile(nullptr);
        EXPECT_EQ(calls().effects, std::vector<float>{1.0f});
        EXPECT_EQ(calls().toggles.size(), screen ? 1u : 0u);
        // At start-up the pointer settings wait for the window and the input
        // module; a profile chosen later brings its own at once.
        EXPECT_EQ(calls().grabs, screen ? std::vector<bool>{true} : std::vector<bool>{});
        EXPECT_EQ(calls().relative, screen ? std::vector<bool>{false} : std::vector<bool>{});
    }
    EXPECT_EQ(calls().toggles[0], std::make_pair(true, false));
}

TEST_F(ProfileTest, DefaultsComeBackAndTakeEffect)
{
    profile = std::make_unique<CProfile>();
    profile->SetSoundVolume(2);
    profile->SetMusicVolume(0);
    profile->SetFullscreen(false);
    profile->SetFreeMouse(false);
    profile->SetMouseSpeed(3.0f);
    profile->SetPlayTutorials(false);
    calls() = ServiceCalls();
    calls().screen = true;
    profile->ResetSettings();
    EXPECT_EQ(profile->GetSoundVolume(), 6);
    EXPECT_EQ(profile->GetMusicVolume(), 6);
    EXPECT_EQ(profile->GetPlaySpeed(), 6);
    EXPECT_TRUE(profile->IsFullscreen());
    EXPECT_TRUE(profile->IsFreeMouse());
    EXPECT_FLOAT_EQ(profile->GetMouseSpeed(), 1.0f);
    EXPECT_TRUE(profile->GetPlayTutorials());
    EXPECT_EQ(calls().effects.size(), 1u);
    EXPECT_EQ(calls().music.size(), 1u);
    EXPECT_EQ(calls().toggles, (std::vector<std::pair<bool, bool>>{{true, true}}));
    EXPECT_EQ(calls().grabs, std::vector<bool>{false});
}

TEST_F(ProfileTest, LoadedValuesAreBroughtIntoRange)
{
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const float inf = std::numeric_limits<float>::infinity();
    struct Case {
        const char* what;
        std::vector<std::pair<size_t, std::string>> patches;
        int sound, music, speed;
        float mouse;
        bool fullscreen;
        int key0, set, level;
    };
    auto floatBytes = [](float value) {
        std::string bytes(4, '\0');
        memcpy(&bytes[0], &value, 4);
        return bytes;
    };
    const Case cases[] = {
        {"volumes", {{SOUND_VOLUME, i32Bytes(50) + i32Bytes(-3) + i32Bytes(12)}}, 11, 0, 11, 1.0f, true, 114, 0, 0},
        {"nan mouse", {{MOUSE_SPEED, floatBytes(nan)}}, 6, 6, 6, 1.0f, true, 114, 0, 0},
        {"infinite mouse", {{MOUSE_SPEED, floatBytes(inf)}}, 6, 6, 6, 3.0f, true, 114, 0, 0},
        {"stopped mouse", {{MOUSE_SPEED, floatBytes(0.0f)}}, 6, 6, 6, 0.15f, true, 114, 0, 0},
        {"flag byte 7", {{FULLSCREEN, std::string(1, '\x07')}}, 6, 6, 6, 1.0f, true, 114, 0, 0},
        {"flag byte 0", {{FULLSCREEN, std::string(1, '\0')}}, 6, 6, 6, 1.0f, false, 114, 0, 0},
        {"key", {{KEYS, i32Bytes(-5)}}, 6, 6, 6, 1.0f, true, 114, 0, 0},
        {"huge key", {{KEYS, i32Bytes(100000)}}, 6, 6, 6, 1.0f, true, 114, 0, 0},
        {"set", {{CURRENT_SET, i32Bytes(9)}}, 6, 6, 6, 1.0f, true, 114, 0, 0},
        {"level", {{CURRENT_LEVEL, i32Bytes(500)}}, 6, 6, 6, 1.0f, true, 114, 0, 0},
        {"level of a finished set", {{1308, std::string(1, '\x01')}, {CURRENT_LEVEL, i32Bytes(500)}}, 6, 6, 6, 1.0f, true, 114, 0, 1},
        {"kids level", {{CURRENT_SET, i32Bytes(2) + i32Bytes(80)}}, 6, 6, 6, 1.0f, true, 114, 2, 0},
    };
    profile = std::make_unique<CProfile>();
    const std::string good = readFile(profilePath(0));
    for (const Case& c : cases) {
        std::string bytes = good;
        for (const auto& [offset, patch] : c.patches)
            bytes.replace(offset, patch.size(), patch);
        writeFile(profilePath(0), bytes);
        profile->SelectProfile(nullptr);
        EXPECT_EQ(profile->GetSoundVolume(), c.sound) << c.what;
        EXPECT_EQ(profile->GetMusicVolume(), c.music) << c.what;
        EXPECT_EQ(profile->GetPlaySpeed(), c.speed) << c.what;
        EXPECT_FLOAT_EQ(profile->GetMouseSpeed(), c.mouse) << c.what;
        EXPECT_EQ(profile->IsFullscreen(), c.fullscreen) << c.what;
        EXPECT_EQ(profile->GetKey(CProfile::KEY_RESTART), c.key0) << c.what;
        EXPECT_EQ(profile->GetLevelSet(), c.set) << c.what;
        EXPECT_EQ(profile->GetLevel(), c.level) << c.what;
        EXPECT_FALSE(profile->IsCheaterFlag4()) << c.what;
    }
}
