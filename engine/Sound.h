#pragma once

#include <string>

#include "platform/SoundLibrary.h"

#include <cstdint>
#include <cstdio>
#include <functional>
#include <memory>

class SoundObject;

// The sound module: the sound library's set-up, the preloaded sounds, the
// group volumes, the per-frame update and the background music. It keeps its
// state in this module and exists once. While sound is off (start mask 2, or
// a device that cannot be opened) every operation does nothing.
namespace CSound {

// ---- set-up and the sound-output setting ("SOUNDv3.DAT") ----------------

// Starts the library; asks for output and driver on the console when
// askOnConsole is set, else applies the saved setting. Never fatal.
void init(bool askOnConsole);
bool isEnabled();

// Applies the saved output and driver, if the setting file exists.
void loadSoundSettings();
// The name of the setting file in the data folder.
bool isSettingsFileName(const std::string& name);

// Asks for output and driver on the console and saves them. When the input
// ends before an answer, or there is no driver, the library's defaults stay
// and nothing is saved.
void promptSoundSystem(FILE* input = stdin);

// Logs a failed library call ("Sound library error: ...", not fatal).
void reportError(int result);

// Releases every loaded sound and the library; sound is off afterwards.
void shutdown();

// ---- the sound archive "resource3.dat" -----------------------------------

void setLoadFromDirectory(bool fromDirectory);
void loadAll();
// What loadAll adds to the loading bar: nothing while sound is off.
int64_t loadProgressToCome();
int loadSound(const void* dataOrName, int size);
int storeSound(SoundId sound);
int findSoundIndex(const char* name); // fatal for a name never loaded
SoundId getSoundIdAt(int index);
void createMusicTracks();
void freeMusicTracks();

// ---- group volumes, the per-frame update and effects around child screens --

void update();
void setMusicVolume(float volume);
void setEffectsVolume(float volume);
float getEffectsVolume();
float getMusicVolume();

// The player's volume steps 0 to 11 as group volumes.
float effectsVolumeForStep(int step); // step / 11
float musicVolumeForStep(int step);   // (step / 11)²

void stopAllEffects();
void suspendEffects(); // before a child screen opens over the game
void resumeEffects();  // after it closed

// ---- music -------------------------------------------------------------

void playMainMusic();
void playMapMusic();
void playStoryMusic();
void playStageMusic(bool keep); // keep false moves on to the next stage tune
void switchMusic(SoundObject* track, bool loop, bool slow);
void fadeOutMusic();

// ---- tests ---------------------------------------------------------------

using LibraryFactory = std::function<int(std::unique_ptr<SoundLibrary>*)>;

// Replaces the real library for the next init (an empty function restores it).
void setLibraryFactoryForTesting(LibraryFactory factory);

// Forgets every loaded sound, object and setting, as at program start.
void resetForTesting();

} // namespace CSound
