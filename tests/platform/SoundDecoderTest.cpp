#include "platform/SoundDecoder.h"
#include "platform/SoundLibrary.h"

#include "engine/ResourceArchive.h"
#include "support/TestEnvironment.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <map>

namespace {

// Real effects and a music track of the built sound archive, by name.
std::map<std::string, std::vector<unsigned char>> builtSounds(const std::vector<std::string>& names)
{
    std::map<std::string, std::vector<unsigned char>> found;
    ArchiveFile archive;
    EXPECT_TRUE(archive.open(corvelle_test::resourceDir() + "/resource3.dat"));
    for (uint32_t i = 0; i < archive.count(); ++i)
        for (const std::string& name : names) {
            if (archive.name(i) == name) {
                EXPECT_TRUE(archive.read(i, found[name]));
            }
        }
    EXPECT_EQ(found.size(), names.size());
    return found;
}

std::vector<unsigned char> damagedOgg()
{
    std::vector<unsigned char> bytes = {'O', 'g', 'g', 'S'};
    bytes.resize(300, 0x5A);
    return bytes;
}

const std::vector<std::string> kNames = {"victory.ogg", "main.oxm", "click_v1-2.ogg", "professor_crush.ogg"};

} // namespace

// Whatever the order they are asked for in, and whether the thread or the
// asking thread decodes them, the sounds come out as decoding them directly.
TEST(SoundDecoderTest, SoundsComeOutAsDecodedDirectlyInAnyOrder)
{
    auto sounds = builtSounds(kNames);
    SoundDecoder decoder;
    std::vector<size_t> tickets;
    for (const std::string& name : kNames)
        tickets.push_back(decoder.queue(sounds[name], STREAM_ABOVE_FRAMES));
    size_t damaged = decoder.queue(damagedOgg(), STREAM_ABOVE_FRAMES);
    EXPECT_EQ(decoder.take(damaged), nullptr);
    for (size_t i = kNames.size(); i-- > 0;) {
        std::shared_ptr<const SoundData> got = decoder.take(tickets[i]);
        ASSERT_NE(got, nullptr) << kNames[i];
        SoundData direct;
        std::string error;
        const std::vector<unsigned char>& bytes = sounds[kNames[i]];
        ASSERT_TRUE(decodeSound(bytes.data(), bytes.size(), STREAM_ABOVE_FRAMES, direct, error));
        EXPECT_EQ(got->frames, direct.frames) << kNames[i];
        EXPECT_EQ(got->rate, direct.rate) << kNames[i];
        EXPECT_EQ(got->pcm, direct.pcm) << kNames[i];
        EXPECT_EQ(got->encoded, direct.encoded) << kNames[i];
        EXPECT_EQ(decoder.take(tickets[i]), nullptr) << "handed out twice: " << kNames[i];
    }
    EXPECT_EQ(decoder.take(99), nullptr);
}

TEST(SoundDecoderTest, DroppedSoundsAreNeverHandedOutAndNothingWaitsForThem)
{
    auto sounds = builtSounds(kNames);
    auto decoder = std::make_unique<SoundDecoder>();
    std::vector<size_t> tickets;
    for (int round = 0; round < 5; ++round)
        for (const std::string& name : kNames)
            tickets.push_back(decoder->queue(sounds[name], STREAM_ABOVE_FRAMES));
    EXPECT_NE(decoder->take(tickets[0]), nullptr);
    for (size_t ticket : tickets)
        decoder->drop(ticket);
    EXPECT_EQ(decoder->take(tickets[1]), nullptr);
    EXPECT_EQ(decoder->take(tickets.back()), nullptr);
    decoder.reset(); // with most of the queue never decoded
}

// The real library on SDL's dummy device: damage past the header shows at
// the first playback, as a format error, and nothing else is disturbed.
TEST(SoundDecoderTest, TheLibraryReportsDamageAtTheFirstPlayback)
{
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    std::unique_ptr<SoundLibrary> library;
    ASSERT_EQ(createSdlSoundLibrary(&library), SOUND_OK);
    ASSERT_EQ(library->init(SOUND_CHANNELS), SOUND_OK);
    auto sounds = builtSounds({"victory.ogg"});
    SoundId good = 0, bad = 0, unknown = 0;
    ASSERT_EQ(library->createSound(sounds["victory.ogg"].data(), static_cast<int>(sounds["victory.ogg"].size()), &good),
              SOUND_OK);
    std::vector<unsigned char> damaged = damagedOgg();
    ASSERT_EQ(library->createSound(damaged.data(), static_cast<int>(damaged.size()), &bad), SOUND_OK);
    const unsigned char noise[] = "not a sound at all";
    EXPECT_EQ(library->createSound(noise, sizeof noise, &unknown), SOUND_ERR_FORMAT);
    EXPECT_EQ(unknown, 0u);

    ChannelId channel = 0;
    EXPECT_EQ(library->playSound(bad, false, &channel), SOUND_ERR_FORMAT);
    EXPECT_EQ(channel, 0u);
    EXPECT_EQ(library->playSound(bad, false, &channel), SOUND_ERR_INVALID_HANDLE);
    EXPECT_EQ(library->playSound(good, false, &channel), SOUND_OK);
    EXPECT_NE(channel, 0u);
    bool playing = false;
    EXPECT_EQ(library->isPlaying(channel, &playing), SOUND_OK);
    EXPECT_TRUE(playing);
    EXPECT_EQ(library->close(), SOUND_OK);
}
