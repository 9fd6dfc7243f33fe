#include "FakeSoundLibrary.h"

#include "engine/Sound.h"
#include "engine/SoundObject.h"
#include "platform/AtomicFile.h"
#include "platform/Folders.h"

#include <SDL/SDL.h>
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <sys/wait.h>

using namespace corvelle_test;

namespace {

std::string settingsPath()
{
    initDirectories();
    return std::string(getProfileDirectory()) + "SOUNDv3.DAT";
}

std::string bytes(std::initializer_list<int> values)
{
    std::string out;
    for (int v : values)
        out.push_back(static_cast<char>(v));
    return out;
}

// Runs the built game in the resource folder with the given input and mask.
int runGame(const std::string& mask, const std::string& input, const std::string& environment = "")
{
    std::string dir = makeTempDir("run");
    writeFile(dir + "/input.txt", input);
    std::string command = "cd '" + resourceDir() + "' && " + environment + " CORVELLE_MAX_FRAMES=3 '" +
                          programPath() + "' " + mask + " < '" + dir + "/input.txt' > '" + dir + "/out.txt' 2>&1";
    int status = system(command.c_str());
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

} // namespace

class SoundSystemTest : public SoundTest
{
protected:
    void TearDown() override
    {
        remove(settingsPath().c_str());
        SoundTest::TearDown();
    }

    std::string prompt(const std::string& input, int drivers)
    {
        CSound::init(false);
        fake->driverCount = drivers;
        fake->calls.clear();
        FILE* in = fmemopen(const_cast<char*>(input.data()), input.size(), "r");
        testing::internal::CaptureStdout();
        CSound::promptSoundSystem(in);
        fclose(in);
        return testing::internal::GetCapturedStdout();
    }
};

TEST_F(SoundSystemTest, PromptSavesTheAnsweredOutputAndDriver)
{
    struct Case {
        const char* input;
        int drivers;
        std::vector<std::string> calls;
        std::string file; // empty: no file written
    } cases[] = {
        {"x4 0\n2\n4\n3\n", 3, {"setOutput 7", "setDriver 2"}, bytes({7, 0, 0, 0, 2, 0, 0, 0})},
        {"1\n1\n", 3, {"setOutput 6", "setDriver 0"}, bytes({6, 0, 0, 0, 0, 0, 0, 0})},
        {"3:", 10, {"setOutput 8", "setDriver 9"}, bytes({8, 0, 0, 0, 9, 0, 0, 0})},
        {"", 3, {}, ""},
        {"9\nabc", 3, {}, ""},
        {"2\n", 3, {"setOutput 7"}, ""},
        {"2\n1\n", 0, {"setOutput 7"}, ""},
    };
    for (const Case& c : cases) {
        prompt(c.input, c.drivers);
        EXPECT_EQ(fake->calls, c.calls) << c.input;
        EXPECT_EQ(readFile(settingsPath()), c.file) << c.input;
        remove(settingsPath().c_str());
        CSound::resetForTesting();
    }
}

TEST_F(SoundSystemTest, PromptNamesOutputsAndDrivers)
{
    std::string out = prompt("1\n2\n", 2);
    EXPECT_EQ(out, "\nPROFESSOR DUNWODDY - SOUND INITIALIZATION\n\n"
                   "****** PLEASE SELECT DESIRED SOUND SYSTEM ****** \n"
                   "1 - PulseAudio\n2 - ALSA\n3 - OSS\n"
                   "\nInput the number corresponding to the desired sound system and press ENTER: "
                   "\n\n****** PLEASE SELECT DESIRED SOUND DRIVER ****** \n"
                   "1 : Device A\n2 : Device B\n"
                   "\nInput the number corresponding to the desired sound driver and press ENTER: ");
}

TEST_F(SoundSystemTest, PromptThatCannotSaveIsFatal)
{
    EXPECT_EXIT(
        {
            AtomicFile::failAfterBytesForTesting(0);
            prompt("1\n1\n", 1);
        },
        testing::ExitedWithCode(1), "");
    EXPECT_NE(errorLog().find("Cannot save sound data: " + settingsPath() + "\n"), std::string::npos);
}

TEST_F(SoundSystemTest, SavedSettingIsAppliedAtEveryStart)
{
    writeFile(settingsPath(), bytes({8, 0, 0, 0, 1, 0, 0, 0}));
    testing::internal::CaptureStdout();
    CSound::init(false);
    std::string out = testing::internal::GetCapturedStdout();
    EXPECT_EQ(fake->calls, (std::vector<std::string>{"setOutput 8", "setDriver 1", "init 128"}));
    EXPECT_EQ(out, "\nSound settings loaded from file.  To alter settings in the future, run the game with a "
                   "command line parameter of 4\n");
}

TEST_F(SoundSystemTest, RefusedOutputStillSetsTheDriver)
{
    writeFile(settingsPath(), bytes({9, 0, 0, 0, 0, 0, 0, 0}));
    CSound::setLibraryFactoryForTesting([this](std::unique_ptr<SoundLibrary>* library) {
        auto made = std::make_unique<FakeSoundLibrary>();
        made->failures["setOutput"] = SOUND_ERR_INVALID_PARAM;
        fake = made.get();
        *library = std::move(made);
        return SOUND_OK;
    });
    testing::internal::CaptureStdout();
    CSound::init(false);
    std::string out = testing::internal::GetCapturedStdout();
    EXPECT_EQ(fake->calls, (std::vector<std::string>{"setOutput 9", "setDriver 0", "init 128"}));
    EXPECT_NE(out.find("Sound library error: An invalid parameter was passed. \n"), std::string::npos) << out;
    EXPECT_TRUE(CSound::isEnabled());
}

TEST_F(SoundSystemTest, MissingOrShortSettingFileLeavesTheDefaults)
{
    for (const std::string& content : {std::string(), bytes({7, 0, 0})}) {
        if (!content.empty())
            writeFile(settingsPath(), content);
        testing::internal::CaptureStdout();
        CSound::init(false);
        std::string out = testing::internal::GetCapturedStdout();
        EXPECT_EQ(fake->calls, std::vector<std::string>{"init 128"});
        EXPECT_EQ(out.find("Sound settings loaded"), std::string::npos);
        CSound::resetForTesting();
    }
}

TEST_F(SoundSystemTest, DeviceThatCannotOpenLeavesSoundOff)
{
    CSound::setLibraryFactoryForTesting([](std::unique_ptr<SoundLibrary>* library) {
        auto made = std::make_unique<FakeSoundLibrary>();
        made->failures["init"] = SOUND_ERR_OUTPUT_INIT;
        *library = std::move(made);
        return SOUND_OK;
    });
    testing::internal::CaptureStdout();
    CSound::init(false);
    std::string out = testing::internal::GetCapturedStdout();
    EXPECT_FALSE(CSound::isEnabled());
    EXPECT_EQ(out, "Sound library error: Error initializing output device. \n");
    EXPECT_STREQ(soundResultText(79), "Unknown error.");
    EXPECT_STREQ(soundResultText(SOUND_ERR_FILE_NOT_FOUND), "File not found. ");
}

// The real library on SDL's disk audio driver: a played effect reaches the
// device as sound, not silence.
TEST(SdlSoundTest, PlayedEffectReachesTheAudioDevice)
{
    std::string file = makeTempDir("disk") + "/audio.raw";
    setenv("SDL_AUDIODRIVER", "disk", 1);
    setenv("SDL_DISKAUDIOFILE", file.c_str(), 1);
    setenv("SDL_DISKAUDIODELAY", "10", 1);
    CSound::resetForTesting();
    CSound::init(false);
    ASSERT_TRUE(CSound::isEnabled());
    {
        ScopedWorkingDir inside(resourceDir());
        CSound::setLoadFromDirectory(false);
        CSound::loadAll();
    }
    CSound::createMusicTracks();
    SoundObject victory("victory.ogg", false);
    victory.play();
    CSound::playMainMusic();
    for (int frame = 0; frame < 40; ++frame) {
        CSound::update();
        SDL_Delay(20);
    }
    CSound::resetForTesting();
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    std::string audio = readFile(file);
    ASSERT_GT(audio.size(), 44100u);
    const int16_t* samples = reinterpret_cast<const int16_t*>(audio.data());
    size_t count = audio.size() / 2;
    double energy = 0.0;
    int peak = 0;
    for (size_t i = 0; i < count; ++i) {
        energy += double(samples[i]) * samples[i];
        peak = std::max(peak, std::abs(int(samples[i])));
    }
    EXPECT_GT(peak, 4000);
    EXPECT_GT(std::sqrt(energy / count), 300.0);
}

TEST(SoundProgramTest, AnswersPipedToTheGameAreSaved)
{
    remove(settingsPath().c_str());
    EXPECT_EQ(runGame("5", "2\n1\n"), 0);
    EXPECT_EQ(readFile(settingsPath()), bytes({7, 0, 0, 0, 0, 0, 0, 0}));
    remove(settingsPath().c_str());
    EXPECT_EQ(runGame("4", ""), 0);
    EXPECT_EQ(readFile(settingsPath()), "");
}

TEST(SoundProgramTest, MaskTwoRunsSilent)
{
    std::string file = makeTempDir("silent") + "/audio.raw";
    EXPECT_EQ(runGame("6", "1\n1\n", "SDL_AUDIODRIVER=disk SDL_DISKAUDIOFILE='" + file + "'"), 0);
    EXPECT_EQ(readFile(file), "");
    EXPECT_EQ(readFile(settingsPath()), "");
}
