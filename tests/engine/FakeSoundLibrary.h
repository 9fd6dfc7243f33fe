#pragma once

// A sound library that plays nothing: it records every call and keeps the
// state of its channels, so tests can follow what the sound module asks for.
#include "engine/ResourceArchive.h"
#include "engine/Sound.h"
#include "support/TestEnvironment.h"

#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <string>
#include <vector>

class FakeSoundLibrary : public SoundLibrary
{
public:
    struct Channel {
        SoundId sound = 0;
        bool paused = true;
        float volume = 1.0f;
        float frequency = 44100.0f;
        int loopCount = 0;
    };

    std::vector<std::string> calls;
    std::map<ChannelId, Channel> channels; // live playbacks only
    std::map<std::string, int> failures;   // operation name -> result to return
    std::vector<std::string> soundData;    // bytes of sound id n at n - 1
    int driverCount = 3;

    int fail(const std::string& op) const
    {
        auto found = failures.find(op);
        return found == failures.end() ? SOUND_OK : found->second;
    }

    int setOutput(int outputType) override
    {
        calls.push_back("setOutput " + std::to_string(outputType));
        return fail("setOutput");
    }
    int getNumDrivers(int* count) override
    {
        *count = driverCount;
        return fail("getNumDrivers");
    }
    int getDriverName(int index, char* name, int size) override
    {
        snprintf(name, static_cast<size_t>(size), "Device %c", 'A' + index);
        return fail("getDriverName");
    }
    int setDriver(int index) override
    {
        calls.push_back("setDriver " + std::to_string(index));
        return fail("setDriver");
    }
    int init(int channelCount) override
    {
        calls.push_back("init " + std::to_string(channelCount));
        return fail("init");
    }
    int createSound(const void* data, int size, SoundId* sound) override
    {
        std::string bytes(static_cast<const char*>(data), static_cast<size_t>(size));
        *sound = 0;
        if (bytes.rfind("BAD", 0) == 0)
            return SOUND_ERR_FORMAT;
        soundData.push_back(bytes);
        *sound = static_cast<SoundId>(soundData.size());
        return SOUND_OK;
    }
    int createSoundFromFile(const char* path, SoundId* sound) override
    {
        std::string bytes = corvelle_test::readFile(path);
        if (bytes.empty()) {
            *sound = 0;
            return SOUND_ERR_FILE_NOT_FOUND;
        }
        return createSound(bytes.data(), static_cast<int>(bytes.size()), sound);
    }
    int setSoundMode(SoundId, int) override { return SOUND_OK; }
    int releaseSound(SoundId) override { return SOUND_OK; }
    int playSound(SoundId sound, bool paused, ChannelId* channel) override
    {
        if (int result = fail("playSound"); result != SOUND_OK) {
            *channel = 0;
            return result;
        }
        *channel = nextChannel_++;
        Channel c;
        c.sound = sound;
        c.paused = paused;
        channels[*channel] = c;
        calls.push_back("play " + soundData.at(sound - 1));
        return SOUND_OK;
    }
    int setLoopCount(ChannelId channel, int count) override
    {
        return with(channel, [&](Channel& c) { c.loopCount = count; });
    }
    int setPaused(ChannelId channel, bool paused) override
    {
        return with(channel, [&](Channel& c) { c.paused = paused; });
    }
    int setVolume(ChannelId channel, float volume) override
    {
        return with(channel, [&](Channel& c) { c.volume = volume; });
    }
    int getFrequency(ChannelId channel, float* hertz) override
    {
        return with(channel, [&](Channel& c) { *hertz = c.frequency; });
    }
    int setFrequency(ChannelId channel, float hertz) override
    {
        return with(channel, [&](Channel& c) { c.frequency = hertz; });
    }
    int stop(ChannelId channel) override
    {
        int result = with(channel, [](Channel&) {});
        if (result == SOUND_OK) {
            calls.push_back("stop " + soundData.at(channels[channel].sound - 1));
            channels.erase(channel);
        }
        return result;
    }
    int isPlaying(ChannelId channel, bool* playing) override
    {
        *playing = channels.count(channel) > 0;
        return *playing ? SOUND_OK : SOUND_ERR_INVALID_HANDLE;
    }
    int getCurrentSound(ChannelId channel, SoundId* sound) override
    {
        return with(channel, [&](Channel& c) { *sound = c.sound; });
    }
    int update() override { return SOUND_OK; }
    int close() override { return SOUND_OK; }

    // A one-shot playback reaching its end.
    void finish(ChannelId channel) { channels.erase(channel); }

    // The live playbacks of a sound, by its file bytes.
    std::vector<Channel> playing(const std::string& data) const
    {
        std::vector<Channel> out;
        for (const auto& [id, c] : channels)
            if (soundData.at(c.sound - 1) == data)
                out.push_back(c);
        return out;
    }

private:
    template <typename F>
    int with(ChannelId channel, F f)
    {
        auto found = channels.find(channel);
        if (found == channels.end())
            return SOUND_ERR_INVALID_HANDLE;
        f(found->second);
        return SOUND_OK;
    }

    ChannelId nextChannel_ = 1;
};

// Starts the sound module on a fake library, with an archive whose entries
// carry their own name as their bytes ("BAD..." fails to load).
class SoundTest : public testing::Test
{
protected:
    FakeSoundLibrary* fake = nullptr;

    void SetUp() override
    {
        CSound::resetForTesting();
        CSound::setLibraryFactoryForTesting([this](std::unique_ptr<SoundLibrary>* library) {
            auto made = std::make_unique<FakeSoundLibrary>();
            fake = made.get();
            *library = std::move(made);
            return SOUND_OK;
        });
    }

    void TearDown() override
    {
        CSound::resetForTesting();
        CSound::setLibraryFactoryForTesting({});
    }

    static std::string writeArchive(const std::vector<std::pair<std::string, std::string>>& entries)
    {
        std::vector<ArchiveEntry> list;
        for (const auto& [name, data] : entries)
            list.push_back({name, std::vector<unsigned char>(data.begin(), data.end())});
        std::string dir = corvelle_test::makeTempDir("sounds");
        std::vector<unsigned char> bytes = packResourceArchive(list);
        corvelle_test::writeFile(dir + "/resource3.dat", std::string(bytes.begin(), bytes.end()));
        return dir;
    }

    // Sound on, every name loaded from the archive, music tracks made.
    void startWith(const std::vector<std::string>& names)
    {
        std::vector<std::pair<std::string, std::string>> entries;
        for (const std::string& name : names)
            entries.push_back({name, name});
        for (const char* track : {"main.oxm", "map.oxm", "story.oxm", "stage1.oxm", "stage2.oxm", "stage3.oxm"})
            entries.push_back({track, track});
        std::string dir = writeArchive(entries);
        CSound::init(false);
        ASSERT_TRUE(CSound::isEnabled());
        corvelle_test::ScopedWorkingDir inside(dir);
        CSound::setLoadFromDirectory(false);
        CSound::loadAll();
        CSound::createMusicTracks();
    }

    // The error log's text: fatal messages go to standard output, which a
    // death test cannot match, and to the log, which it can read afterwards.
    static std::string errorLog()
    {
        return corvelle_test::readFile(corvelle_test::TemporaryHome::path() + "/data/Vostrel Games/KRVL Data/LOG.TXT");
    }

    static void updates(int count)
    {
        for (int i = 0; i < count; ++i)
            CSound::update();
    }
};
