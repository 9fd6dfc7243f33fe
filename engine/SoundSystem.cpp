// Sound set-up: starting the library, the saved output and driver, the
// console prompt that chooses them, error reports and shut-down.
#include "engine/ByteOrder.h"
#include "engine/Log.h"
#include "engine/Sound.h"
#include "engine/SoundObject.h"
#include "engine/SoundState.h"
#include "platform/AtomicFile.h"
#include "platform/Folders.h"

#include <string>

namespace CSound {

namespace {

constexpr int SETTINGS_VERSION = 3;

LibraryFactory g_factory;

struct OutputChoice {
    int outputType;
    const char* name;
};

// The prompt's answers '1', '2', '3' in order.
const OutputChoice kOutputs[] = {
    {SOUND_OUTPUT_PULSE, "PulseAudio"},
    {SOUND_OUTPUT_ALSA, "ALSA"},
    {SOUND_OUTPUT_OSS, "OSS"},
};
constexpr int OUTPUT_COUNT = sizeof kOutputs / sizeof kOutputs[0];

std::string settingsName()
{
    char name[64];
    snprintf(name, sizeof name, "%sv%i.DAT", "SOUND", SETTINGS_VERSION);
    return name;
}

std::string settingsPath() { return getProfileDirectory() + settingsName(); }

// One answer character: its position from '1' among `count` choices, or -1
// when the input ends first. Every other character is skipped.
int readChoice(FILE* input, int count)
{
    for (;;) {
        int c = fgetc(input);
        if (c == EOF)
            return -1;
        int index = c - '1';
        if (index >= 0 && index < count)
            return index;
    }
}

void keepDefaults(const char* why)
{
    printf("\n%s  The default sound system is used and nothing is saved.\n", why);
    fflush(stdout);
}

void saveSettings(int outputType, int driverIndex)
{
    std::string path = settingsPath();
    AtomicFile file(path);
    FILE* stream = file.open();
    bool written = stream && ByteOrder::writeI32(outputType, stream) == 4 &&
                   ByteOrder::writeI32(driverIndex, stream) == 4;
    if (!written) {
        file.discard();
        logError(true, "Cannot save sound data: %s\n", path.c_str());
    }
    if (!file.commit())
        logError(true, "Cannot save sound data: %s\n", path.c_str());
}

} // namespace

SoundState& soundState()
{
    static SoundState state;
    return state;
}

SoundLibrary* activeLibrary()
{
    SoundState& s = soundState();
    return s.enabled ? s.library.get() : nullptr;
}

int checked(int result)
{
    reportError(result);
    return result;
}

bool isEnabled() { return soundState().enabled; }

bool isSettingsFileName(const std::string& name) { return name == settingsName(); }

void reportError(int result)
{
    if (result != SOUND_OK)
        logError(false, "Sound library error: %s\n", soundResultText(result));
}

void init(bool askOnConsole)
{
    SoundState& s = soundState();
    s.enabled = false;
    int result = g_factory ? g_factory(&s.library) : createSdlSoundLibrary(&s.library);
    if (result != SOUND_OK || !s.library) {
        reportError(result != SOUND_OK ? result : SOUND_ERR_MEMORY);
        s.library.reset();
        return;
    }
    if (askOnConsole)
        promptSoundSystem();
    else
        loadSoundSettings();
    result = s.library->init(SOUND_CHANNELS);
    if (result != SOUND_OK) {
        reportError(result);
        s.library.reset();
        return;
    }
    s.enabled = true;
}

void loadSoundSettings()
{
    SoundLibrary* library = soundState().library.get();
    FILE* file = fopen(settingsPath().c_str(), "rb");
    if (!library || !file) {
        if (file)
            fclose(file);
        return;
    }
    int32_t outputType = 0;
    int32_t driverIndex = 0;
    bool complete = ByteOrder::readI32(&outputType, file) && ByteOrder::readI32(&driverIndex, file);
    fclose(file);
    if (!complete) {
        logMessage(LOG_WARNING, "Sound settings file is too short; the default sound system is used.\n");
        return;
    }
    printf("%s\n", "\nSound settings loaded from file.  To alter settings in the future, run the game with a "
                   "command line parameter of 4");
    fflush(stdout);
    reportError(library->setOutput(outputType));
    reportError(library->setDriver(driverIndex));
}

void promptSoundSystem(FILE* input)
{
    SoundLibrary* library = soundState().library.get();
    if (!library)
        return;
    printf("%s\n", "\nPROFESSOR DUNWODDY - SOUND INITIALIZATION\n");
    printf("%s\n", "****** PLEASE SELECT DESIRED SOUND SYSTEM ****** ");
    for (int i = 0; i < OUTPUT_COUNT; ++i)
        printf("%d - %s\n", i + 1, kOutputs[i].name);
    printf("%s", "\nInput the number corresponding to the desired sound system and press ENTER: ");
    fflush(stdout);
    int choice = readChoice(input, OUTPUT_COUNT);
    if (choice < 0) {
        keepDefaults("No answer was given.");
        return;
    }
    int outputType = kOutputs[choice].outputType;
    reportError(library->setOutput(outputType));

    int count = 0;
    reportError(library->getNumDrivers(&count));
    printf("%s\n", "\n\n****** PLEASE SELECT DESIRED SOUND DRIVER ****** ");
    for (int i = 0; i < count; ++i) {
        char name[SOUND_DRIVER_NAME_SIZE] = "(name not available)";
        reportError(library->getDriverName(i, name, SOUND_DRIVER_NAME_SIZE));
        name[SOUND_DRIVER_NAME_SIZE - 1] = '\0';
        printf("%d : %s\n", i + 1, name);
    }
    if (count <= 0) {
        keepDefaults("This sound system offers no driver.");
        return;
    }
    printf("%s", "\nInput the number corresponding to the desired sound driver and press ENTER: ");
    fflush(stdout);
    int driverIndex = readChoice(input, count);
    if (driverIndex < 0) {
        keepDefaults("No answer was given.");
        return;
    }
    reportError(library->setDriver(driverIndex));
    saveSettings(outputType, driverIndex);
}

void shutdown()
{
    SoundState& s = soundState();
    if (!s.enabled)
        return;
    for (SoundId sound : s.loadedSounds)
        if (sound != 0)
            reportError(s.library->releaseSound(sound));
    s.loadedSounds.clear();
    s.failedSounds.clear();
    reportError(s.library->close());
    s.library.reset();
    s.enabled = false;
}

void setLibraryFactoryForTesting(LibraryFactory factory) { g_factory = std::move(factory); }

void resetForTesting()
{
    freeMusicTracks();
    SoundState& s = soundState();
    if (s.library)
        s.library->close();
    s = SoundState();
}

} // namespace CSound
