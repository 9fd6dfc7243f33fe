#include "FakeSoundLibrary.h"

#include "engine/Log.h"
#include "engine/ResourceArchive.h"
#include "engine/Sound.h"
#include "engine/SoundNames.h"
#include "engine/SoundObject.h"
#include "platform/Folders.h"
#include "platform/SoundData.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>

using namespace corvelle_test;

class SoundArchiveTest : public SoundTest
{
protected:
    void loadFrom(const std::string& dir)
    {
        CSound::init(false);
        ScopedWorkingDir inside(dir);
        CSound::setLoadFromDirectory(false);
        CSound::loadAll();
    }
};

TEST_F(SoundArchiveTest, EntriesLoadInOrderWithALogLineEach)
{
    std::vector<std::pair<std::string, std::string>> entries;
    for (char c = 'a'; c <= 'h'; ++c)
        entries.push_back({std::string(1, c) + ".ogg", std::string("data ") + c});
    std::string dir = writeArchive(entries);
    initLogChannels(false);
    enableLogChannel(LOG_PRELOAD);
    testing::internal::CaptureStdout();
    loadFrom(dir);
    std::string out = testing::internal::GetCapturedStdout();
    initLogChannels(false);
    for (int i = 0; i < 8; ++i)
        EXPECT_EQ(CSound::findSoundIndex(entries[static_cast<size_t>(i)].first.c_str()), i);
    EXPECT_NE(out.find("PRELOAD: CSound::loadSound   #0     :   a.ogg  (DAT)\n"), std::string::npos) << out;
    EXPECT_NE(out.find("PRELOAD: CSound::loadSound   #7     :   h.ogg  (DAT)\n"), std::string::npos) << out;
}

TEST_F(SoundArchiveTest, TheLoadingBarIsToldWhatTheSoundsWillAdd)
{
    std::string dir = writeArchive({{"a.ogg", "1"}, {"b.ogg", "2"}, {"c.ogg", "3"}});
    ScopedWorkingDir inside(dir);
    CSound::setLoadFromDirectory(false);
    EXPECT_EQ(CSound::loadProgressToCome(), 0) << "sound off loads nothing";
    CSound::init(false);
    EXPECT_EQ(CSound::loadProgressToCome(), 300);
}

TEST_F(SoundArchiveTest, RepeatedNameKeepsItsFirstSoundAndBothAreLoaded)
{
    loadFrom(writeArchive({{"a.ogg", "first"}, {"a.ogg", "second"}, {"b.ogg", "third"}}));
    EXPECT_EQ(CSound::findSoundIndex("a.ogg"), 0);
    EXPECT_EQ(CSound::findSoundIndex("b.ogg"), 2);
    EXPECT_EQ(fake->soundData, (std::vector<std::string>{"first", "second", "third"}));
}

TEST_F(SoundArchiveTest, FailedSoundKeepsItsOwnSilentSlot)
{
    testing::internal::CaptureStdout();
    loadFrom(writeArchive({{"broken.ogg", "BAD bytes"}, {"good.ogg", "fine"}}));
    std::string out = testing::internal::GetCapturedStdout();
    EXPECT_NE(out.find("Sound library error: Unsupported or damaged sound data. \n"), std::string::npos) << out;
    EXPECT_EQ(CSound::findSoundIndex("broken.ogg"), 0);
    EXPECT_EQ(CSound::findSoundIndex("good.ogg"), 1);
    SoundObject broken("broken.ogg", false), good("good.ogg", false);
    broken.play();
    good.play();
    EXPECT_EQ(fake->calls.back(), "play fine");
    EXPECT_EQ(fake->channels.size(), 1u);
    EXPECT_FALSE(broken.isPlaying());
}

TEST_F(SoundArchiveTest, UnknownOrMiscasedNameIsFatal)
{
    std::string dir = writeArchive({{"Gate.ogg", "gate"}});
    for (const char* name : {"gate.ogg", "missing.ogg"}) {
        EXPECT_EXIT(
            {
                loadFrom(dir);
                SoundObject object(name, false);
            },
            testing::ExitedWithCode(1), "");
        EXPECT_NE(errorLog().find(std::string("Unable to find preloaded sound: ") + name + "\n"), std::string::npos);
    }
}

TEST_F(SoundArchiveTest, MissingOrDamagedArchiveIsFatal)
{
    std::vector<ArchiveEntry> entries = {{"a.ogg", {'x', 'y', 'z'}}, {"b.ogg", {'1', '2'}}};
    std::vector<unsigned char> whole = packResourceArchive(entries);
    std::string dir = makeTempDir("damaged");
    EXPECT_EXIT(loadFrom(dir), testing::ExitedWithCode(1), "");
    // Cut inside the count, the offset table, an entry's header and its data.
    for (size_t length : {size_t(2), size_t(9), whole.size() - 8, whole.size() - 1}) {
        writeFile(dir + "/resource3.dat", std::string(whole.begin(), whole.begin() + static_cast<long>(length)));
        EXPECT_EXIT(loadFrom(dir), testing::ExitedWithCode(1), "") << length;
    }
    size_t deaths = 0;
    for (size_t at = errorLog().find("Cannot load sound resource file!\n"); at != std::string::npos;
         at = errorLog().find("Cannot load sound resource file!\n", at + 1))
        ++deaths;
    EXPECT_EQ(deaths, 5u);
    // Each says beforehand which file failed and how.
    EXPECT_NE(errorLog().find("resource3.dat: cannot open resource3.dat\n"), std::string::npos);
    EXPECT_NE(errorLog().find("resource3.dat: archive too short for its entry count\n"), std::string::npos);
}

TEST_F(SoundArchiveTest, DeveloperFolderLoadsEveryPlainFile)
{
    std::string dir = makeTempDir("dev");
    makeFolders(dir + "/resource/sound/nested");
    writeFile(dir + "/resource/sound/one.ogg", "one");
    writeFile(dir + "/resource/sound/two.ogg", "two");
    CSound::init(false);
    ScopedWorkingDir inside(dir);
    CSound::setLoadFromDirectory(true);
    CSound::loadAll();
    std::vector<std::string> data = fake->soundData;
    std::sort(data.begin(), data.end());
    EXPECT_EQ(data, (std::vector<std::string>{"one", "two"}));
    EXPECT_GE(CSound::findSoundIndex("one.ogg"), 0);
    EXPECT_GE(CSound::findSoundIndex("two.ogg"), 0);
}

TEST_F(SoundArchiveTest, WithSoundOffNothingIsRead)
{
    ScopedWorkingDir inside(makeTempDir("nothing"));
    CSound::setLoadFromDirectory(false);
    CSound::loadAll();
    CSound::createMusicTracks();
    CSound::playMainMusic();
    CSound::freeMusicTracks();
    EXPECT_EQ(CSound::loadSound("x", 1), -1);
}

// The built archive holds exactly the sounds the game asks for, each one a
// sound the library reads: short effects, and music that loops for 45 to
// 120 seconds.
TEST(BuiltSoundArchiveTest, HoldsEveryGameSoundAndNothingElse)
{
    ResourceArchive archive;
    ASSERT_TRUE(archive.open(resourceDir() + "/resource3.dat")) << archive.error();
    std::set<std::string> names;
    for (uint32_t i = 0; i < archive.count(); ++i) {
        ArchiveEntry entry;
        ASSERT_TRUE(archive.entry(i, entry)) << archive.error();
        EXPECT_TRUE(names.insert(entry.name).second) << entry.name;
        SoundData sound;
        std::string error;
        ASSERT_TRUE(decodeSound(entry.data.data(), entry.data.size(), STREAM_ABOVE_FRAMES, sound, error))
            << entry.name << ": " << error;
        double seconds = static_cast<double>(sound.frames) / sound.rate;
        bool music = entry.name.size() > 4 && entry.name.substr(entry.name.size() - 4) == ".oxm";
        if (music) {
            EXPECT_TRUE(sound.streamed()) << entry.name;
            EXPECT_EQ(sound.channels, 2) << entry.name;
            EXPECT_GE(seconds, 45.0) << entry.name;
            EXPECT_LE(seconds, 120.0) << entry.name;
        } else {
            EXPECT_LT(seconds, 3.0) << entry.name;
            int16_t peak = 0;
            for (int16_t s : sound.pcm)
                peak = std::max<int16_t>(peak, static_cast<int16_t>(std::abs(s)));
            EXPECT_GT(peak, 3000) << entry.name;
        }
    }
    const std::vector<std::string>& wanted = gameSoundNames();
    EXPECT_EQ(names, std::set<std::string>(wanted.begin(), wanted.end()));
}
