// Preloading every sound from the sound archive "resource3.dat" (or, in
// developer mode, from the folder "resource/sound/"), the table of sounds by
// name, and the six music tracks.
#include "engine/Draw.h"
#include "engine/Log.h"
#include "engine/ResourceArchive.h"
#include "engine/Sound.h"
#include "engine/SoundObject.h"
#include "engine/SoundState.h"
#include "platform/Folders.h"

#include <string>
#include <vector>

namespace CSound {

namespace {

const char* const SOUND_ARCHIVE = "resource3.dat";
const char* const SOUND_FOLDER = "resource/sound/";

void enterName(const std::string& name, int index)
{
    // A name met twice keeps its first sound.
    soundState().soundIndexByName.emplace(name, index);
}

// The log names the archive and what is wrong with it before the fatal
// error ends the program.
void archiveDamaged(const ArchiveFile& archive)
{
    logError(false, "%s: %s\n", SOUND_ARCHIVE, archive.error().c_str());
    logError(true, "Cannot load sound resource file!\n");
}

void loadArchive()
{
    soundState().soundIndexByName.clear();
    logMessage(LOG_DEBUG, "Loading SOUND_URL_DAT:  %s\n", SOUND_ARCHIVE);
    // Entry by entry from the file: the archive is never in memory whole
    // beside the sounds made from it.
    ArchiveFile archive;
    if (!archive.open(SOUND_ARCHIVE))
        archiveDamaged(archive);
    std::vector<unsigned char> bytes;
    for (uint32_t i = 0; i < archive.count(); ++i) {
        if (!archive.read(i, bytes))
            archiveDamaged(archive);
        int index = loadSound(bytes.data(), static_cast<int>(bytes.size()));
        logMessage(LOG_PRELOAD, "CSound::loadSound   #%-6i:   %s  (DAT)\n", index, archive.name(i).c_str());
        enterName(archive.name(i), index);
        CDraw::addLoadProgress(100);
    }
}

void loadFolder()
{
    logMessage(LOG_DEBUG, "Loading SOUND_URL_DIR:  %s\n", SOUND_FOLDER);
    std::vector<std::string> names;
    FolderListing listing = listPlainFiles(SOUND_FOLDER, names);
    if (listing == FolderListing::NotOpened)
        logError(true, "Unable to preload sounds: Directory stream pointer was not opened.\n");
    logMessage(LOG_PRELOAD, "Scanning SOUND_URL_DIR for preloading...\n");
    for (const std::string& name : names) {
        int index = loadSound(name.c_str(), -1);
        logMessage(LOG_PRELOAD, "CSound::loadSound   #%-6i:   %s  (DIR)\n", index, name.c_str());
        enterName(name, index);
        CDraw::addLoadProgress(100);
    }
    if (listing == FolderListing::NotClosed)
        logError(true, "Unable to preload sounds: Directory stream pointer was not closed.\n");
}

} // namespace

void setLoadFromDirectory(bool fromDirectory) { soundState().loadFromDirectory = fromDirectory; }

int64_t loadProgressToCome()
{
    if (!isEnabled())
        return 0;
    if (!soundState().loadFromDirectory)
        return static_cast<int64_t>(ResourceArchive::countInFile(SOUND_ARCHIVE)) * 100;
    std::vector<std::string> names;
    listPlainFiles(SOUND_FOLDER, names);
    return static_cast<int64_t>(names.size()) * 100;
}

void loadAll()
{
    if (!isEnabled())
        return;
    if (soundState().loadFromDirectory)
        loadFolder();
    else
        loadArchive();
}

int loadSound(const void* dataOrName, int size)
{
    SoundLibrary* library = activeLibrary();
    if (!library)
        return -1;
    SoundId sound = 0;
    if (size == -1) {
        std::string path = std::string(SOUND_FOLDER) + static_cast<const char*>(dataOrName);
        reportError(library->createSoundFromFile(path.c_str(), &sound));
    } else {
        reportError(library->createSound(dataOrName, size, &sound));
    }
    if (sound != 0)
        reportError(library->setSoundMode(sound, SOUND_LOOP_OFF));
    return storeSound(sound);
}

int storeSound(SoundId sound)
{
    // Every load gets a slot of its own, also one that failed (0): a later
    // sound must never take a failed sound's name.
    std::vector<SoundId>& table = soundState().loadedSounds;
    table.push_back(sound);
    return static_cast<int>(table.size()) - 1;
}

int findSoundIndex(const char* name)
{
    if (!isEnabled())
        return -1;
    const auto& byName = soundState().soundIndexByName;
    auto found = byName.find(name);
    if (found == byName.end())
        logError(true, "Unable to find preloaded sound: %s\n", name);
    return found->second;
}

SoundId getSoundIdAt(int index) { return soundState().loadedSounds.at(static_cast<size_t>(index)); }

void createMusicTracks()
{
    if (!isEnabled())
        return;
    SoundState& s = soundState();
    s.mainTrack = new SoundObject("main.oxm", true);
    s.mapTrack = new SoundObject("map.oxm", true);
    s.storyTrack = new SoundObject("story.oxm", true);
    s.stageTracks[0] = new SoundObject("stage1.oxm", true);
    s.stageTracks[1] = new SoundObject("stage2.oxm", true);
    s.stageTracks[2] = new SoundObject("stage3.oxm", true);
}

void freeMusicTracks()
{
    SoundState& s = soundState();
    for (SoundObject** track : {&s.mainTrack, &s.mapTrack, &s.storyTrack, &s.stageTracks[0], &s.stageTracks[1],
                                &s.stageTracks[2]}) {
        delete *track;
        *track = nullptr;
    }
}

} // namespace CSound
