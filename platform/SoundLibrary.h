#pragma once

#include <cstdint>
#include <memory>

// The game's sound library: the operations the sound module needs, behind an
// interface so that tests can put a recording fake in its place. The real one
// (createSdlSoundLibrary) mixes in software and plays through SDL's audio
// device. Every operation returns a result code, SOUND_OK for success.

using SoundId = uint32_t;   // 0: no sound
using ChannelId = uint32_t; // 0: no channel; see AudioMixer.h for stale handles

enum SoundResult {
    SOUND_OK = 0,
    SOUND_ERR_FILE_NOT_FOUND = 22,
    SOUND_ERR_FORMAT = 25,
    SOUND_ERR_INVALID_HANDLE = 36,
    SOUND_ERR_INVALID_PARAM = 37,
    SOUND_ERR_MEMORY = 40,
    SOUND_ERR_OUTPUT_INIT = 56,
    SOUND_ERR_NOT_READY = 57,
};

// The text printed for a result code; "Unknown error." for codes above 78
// and for codes the library never returns.
const char* soundResultText(int result);

// Output types of the saved sound setting, each one of SDL's audio drivers.
enum SoundOutput {
    SOUND_OUTPUT_PULSE = 6, // SDL driver "pulse"
    SOUND_OUTPUT_ALSA = 7,  // SDL driver "alsa"
    SOUND_OUTPUT_OSS = 8,   // SDL driver "dsp"
};

// How new playbacks of a sound behave unless their channel says otherwise.
enum SoundMode {
    SOUND_LOOP_OFF = 1,
    SOUND_LOOP_NORMAL = 2,
};

constexpr int SOUND_CHANNELS = 128;
constexpr int SOUND_DRIVER_NAME_SIZE = 256;

class SoundLibrary
{
public:
    virtual ~SoundLibrary() = default;

    // Before init: the output and its driver.
    virtual int setOutput(int outputType) = 0;
    virtual int getNumDrivers(int* count) = 0;
    virtual int getDriverName(int index, char* name, int size) = 0;
    virtual int setDriver(int index) = 0;

    // Opens the device with that many channels.
    virtual int init(int channels) = 0;

    // A sound from file bytes (the library keeps its own copy) or from a
    // file; WAV or Ogg Vorbis, told by the bytes.
    virtual int createSound(const void* data, int size, SoundId* sound) = 0;
    virtual int createSoundFromFile(const char* path, SoundId* sound) = 0;
    virtual int setSoundMode(SoundId sound, int mode) = 0;
    virtual int releaseSound(SoundId sound) = 0;

    // A new playback on a free channel (or the oldest one), paused if asked.
    virtual int playSound(SoundId sound, bool paused, ChannelId* channel) = 0;

    // Per playback: -1 repeats until stopped, 0 plays once.
    virtual int setLoopCount(ChannelId channel, int count) = 0;
    virtual int setPaused(ChannelId channel, bool paused) = 0;
    virtual int setVolume(ChannelId channel, float volume) = 0;
    virtual int getFrequency(ChannelId channel, float* hertz) = 0;
    virtual int setFrequency(ChannelId channel, float hertz) = 0;
    virtual int stop(ChannelId channel) = 0;
    virtual int isPlaying(ChannelId channel, bool* playing) = 0;
    virtual int getCurrentSound(ChannelId channel, SoundId* sound) = 0;

    // Once per frame.
    virtual int update() = 0;

    // Stops everything and closes the device; sounds are released with it.
    virtual int close() = 0;
};

// The real library on SDL's audio device.
int createSdlSoundLibrary(std::unique_ptr<SoundLibrary>* library);
