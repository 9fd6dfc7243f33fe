#include "platform/SoundData.h"

#include "engine/ResourceArchive.h"
#include "support/TestEnvironment.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

void put32(std::string& out, uint32_t v)
{
    for (int i = 0; i < 4; ++i)
        out.push_back(static_cast<char>((v >> (8 * i)) & 0xFF));
}

void put16(std::string& out, uint16_t v)
{
    out.push_back(static_cast<char>(v & 0xFF));
    out.push_back(static_cast<char>(v >> 8));
}

std::string wave(int channels, int rate, int bits, const std::string& data, uint32_t dataSize = UINT32_MAX,
                 int format = 1)
{
    std::string out = "RIFF";
    put32(out, static_cast<uint32_t>(36 + data.size()));
    out += "WAVEfmt ";
    put32(out, 16);
    put16(out, static_cast<uint16_t>(format));
    put16(out, static_cast<uint16_t>(channels));
    put32(out, static_cast<uint32_t>(rate));
    put32(out, static_cast<uint32_t>(rate * channels * bits / 8));
    put16(out, static_cast<uint16_t>(channels * bits / 8));
    put16(out, static_cast<uint16_t>(bits));
    out += "data";
    put32(out, dataSize == UINT32_MAX ? static_cast<uint32_t>(data.size()) : dataSize);
    return out + data;
}

bool decode(const std::string& bytes, SoundData& out, std::string& error, int64_t streamAbove = STREAM_ABOVE_FRAMES)
{
    return decodeSound(reinterpret_cast<const unsigned char*>(bytes.data()), bytes.size(), streamAbove, out, error);
}

// A real Ogg Vorbis effect and music track from the built sound archive.
std::string archiveEntry(const char* name)
{
    ResourceArchive archive;
    EXPECT_TRUE(archive.open(corvelle_test::resourceDir() + "/resource3.dat"));
    for (uint32_t i = 0; i < archive.count(); ++i) {
        ArchiveEntry entry;
        if (archive.entry(i, entry) && entry.name == name)
            return std::string(entry.data.begin(), entry.data.end());
    }
    ADD_FAILURE() << name << " not in the archive";
    return "";
}

} // namespace

TEST(SoundDataTest, ReadsPcmWaves)
{
    std::string stereo16;
    for (int16_t v : {1000, -1000, 32767, -32768})
        put16(stereo16, static_cast<uint16_t>(v));
    struct Case {
        std::string bytes;
        int channels, rate;
        int64_t frames;
        std::vector<int16_t> pcm;
    } cases[] = {
        {wave(1, 8000, 8, std::string("\x80\xff\x00", 3)), 1, 8000, 3, {0, 32512, -32768}},
        {wave(2, 44100, 16, stereo16), 2, 44100, 2, {1000, -1000, 32767, -32768}},
        {wave(2, 44100, 16, stereo16 + "\x01"), 2, 44100, 2, {1000, -1000, 32767, -32768}}, // odd byte dropped
        {wave(1, 22050, 16, stereo16, 1000), 1, 22050, 4, {1000, -1000, 32767, -32768}},   // size past the end
    };
    for (const Case& c : cases) {
        SoundData sound;
        std::string error;
        ASSERT_TRUE(decode(c.bytes, sound, error)) << error;
        EXPECT_EQ(sound.channels, c.channels);
        EXPECT_EQ(sound.rate, c.rate);
        EXPECT_EQ(sound.frames, c.frames);
        EXPECT_EQ(sound.pcm, c.pcm);
        EXPECT_FALSE(sound.streamed());
    }
}

TEST(SoundDataTest, RefusesWhatItCannotPlay)
{
    std::string samples(400, '\x10');
    const std::string bad[] = {
        "",
        "not a sound at all",
        wave(3, 44100, 16, samples),            // three channels
        wave(1, 44100, 24, samples),            // 24-bit
        wave(0, 44100, 16, samples),            // no channels
        wave(1, 100, 16, samples),              // absurd rate
        wave(1, 44100, 16, samples, 1000, 3),   // float samples
        wave(1, 44100, 16, ""),                 // empty
        std::string("OggS") + std::string(200, '\x7f'),
    };
    for (const std::string& bytes : bad) {
        SoundData sound;
        std::string error;
        EXPECT_FALSE(decode(bytes, sound, error)) << bytes.size();
        EXPECT_FALSE(error.empty());
    }
}

TEST(SoundDataTest, FormatComesFromTheBytesNotTheName)
{
    std::string ogg = archiveEntry("click_v1-2.ogg");
    std::string wav = wave(1, 8000, 8, "abc");
    auto detect = [](const std::string& b) {
        return detectSoundFormat(reinterpret_cast<const unsigned char*>(b.data()), b.size());
    };
    EXPECT_EQ(detect(ogg), SoundFormat::OggVorbis);
    EXPECT_EQ(detect(wav), SoundFormat::Wave);
    EXPECT_EQ(detect("RIFF....AVI "), SoundFormat::Unknown);
}

TEST(SoundDataTest, EveryTruncationOfAFileFailsOrDecodesWithoutHarm)
{
    for (const std::string& whole : {archiveEntry("button_click.ogg"), wave(2, 44100, 16, std::string(4000, 'a'))}) {
        for (size_t length = 0; length < whole.size(); length += 1 + length / 16) {
            SoundData sound;
            std::string error;
            if (decode(whole.substr(0, length), sound, error)) {
                EXPECT_GT(sound.frames, 0);
                EXPECT_EQ(sound.pcm.size(), static_cast<size_t>(sound.frames * sound.channels));
            } else {
                EXPECT_FALSE(error.empty());
            }
        }
    }
}

TEST(SoundDataTest, LongSoundStreamsAndLoopsWithoutAGap)
{
    std::string bytes = archiveEntry("map.oxm");
    SoundData decoded;
    std::string error;
    ASSERT_TRUE(decode(bytes, decoded, error)) << error;
    ASSERT_TRUE(decoded.streamed());
    auto sound = std::make_shared<const SoundData>(decoded);
    std::unique_ptr<SoundReader> reader = openSoundReader(sound);
    ASSERT_TRUE(reader);
    // Read past the end twice: a looping reader always fills the block.
    std::vector<float> block(2 * 65536);
    int64_t total = 0;
    while (total < 2 * sound->frames + 1000) {
        ASSERT_EQ(reader->read(block.data(), 65536, true), 65536);
        total += 65536;
    }
    std::unique_ptr<SoundReader> once = openSoundReader(sound);
    int64_t played = 0;
    for (int got; (got = once->read(block.data(), 65536, false)) > 0;)
        played += got;
    EXPECT_EQ(played, sound->frames);

    SoundData damaged = decoded;
    damaged.encoded.resize(50);
    EXPECT_EQ(openSoundReader(std::make_shared<const SoundData>(damaged)), nullptr);
}
