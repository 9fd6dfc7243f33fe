#pragma once

// The sound module's state, shared by its source files only.
#include "platform/SoundLibrary.h"

#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

class SoundObject;

namespace CSound {

constexpr float INITIAL_MUSIC_VOLUME = 0.05f;
constexpr float INITIAL_EFFECTS_VOLUME = 0.6f;

struct SoundState {
    std::unique_ptr<SoundLibrary> library;
    bool enabled = false;

    // The preloaded sounds; a slot is 0 where a sound could not be made.
    std::vector<SoundId> loadedSounds;
    std::map<std::string, int> soundIndexByName;
    // The sounds whose play has failed and been logged once.
    std::set<int> failedSounds;
    bool loadFromDirectory = true;

    // Every live sound object, in construction order (not owned).
    std::vector<SoundObject*> soundObjects;
    float musicVolume = INITIAL_MUSIC_VOLUME;
    float effectsVolume = INITIAL_EFFECTS_VOLUME;

    SoundObject* currentMusic = nullptr;
    int stageMusicIndex = 0;
    SoundObject* mainTrack = nullptr;
    SoundObject* mapTrack = nullptr;
    SoundObject* storyTrack = nullptr;
    SoundObject* stageTracks[3] = {nullptr, nullptr, nullptr};
};

SoundState& soundState();

// The library while sound is on, else null.
SoundLibrary* activeLibrary();

// Reports a failed result and passes it on.
int checked(int result);

} // namespace CSound
