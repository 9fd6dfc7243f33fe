#include "levels/ProfileBase.h"

#include "engine/ByteOrder.h"
#include "engine/Log.h"
#include "engine/Parameters.h"
#include "levels/FieldStream.h"
#include "platform/AtomicFile.h"
#include "platform/Folders.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <sys/stat.h>
#include <unordered_map>
#include <unordered_set>

namespace {

constexpr int LOG_PROFILES = 26;
constexpr int32_t HEADER_RESERVED = 3600;
constexpr int NAME_FIELD_SIZE = 16;
constexpr long HEADER_ENTRY_SIZE = 4 + 2 * NAME_FIELD_SIZE;
constexpr size_t MORE_GAMES_FIELD_SIZE = 256;
// Far beyond any real use; keeps "last number + 1" from overflowing.
constexpr int32_t PROFILE_NUMBER_MAX = 999999;
const char* const FIRST_PROFILE_NAME = "PLAYER 1";

ProfileServices g_services;

// Damaged header entries logged one by one; the rest are counted.
constexpr int ENTRY_PROBLEMS_SHOWN = 10;

// The names of a profile list being read, each given once. A name already
// given comes back with the lowest " 2", " 3"... that none has, shortened
// to fit; the search goes on where it last stopped for that name, so a list
// of one name repeated a million times reads as fast as any other.
class NameBook
{
public:
    std::string take(const std::string& name)
    {
        std::string kept = name;
        if (names_.count(name)) {
            int& n = nextSuffix_.try_emplace(name, 2).first->second;
            do {
                std::string suffix = " " + std::to_string(n++);
                kept = name.substr(0, CProfileBase::NAME_LENGTH_MAX - suffix.size()) + suffix;
            } while (names_.count(kept));
        }
        names_.insert(kept);
        return kept;
    }

private:
    std::unordered_set<std::string> names_;
    std::unordered_map<std::string, int> nextSuffix_;
};

std::string headerFileName()
{
    char name[64];
    snprintf(name, sizeof name, "%sv%i.DAT", "INFO", CProfileBase::HEADER_VERSION);
    return name;
}

// Profile number n keeps its file under n + 1.
std::string profileFileName(int number)
{
    char name[64];
    snprintf(name, sizeof name, "%s%iv%i.DAT", "PROFILE", number + 1, CProfileBase::HEADER_VERSION);
    return name;
}

// The profile number whose file has this name; -1 for any other name.
int profileNumberOfFile(const std::string& fileName)
{
    const char prefix[] = "PROFILE";
    if (fileName.compare(0, sizeof prefix - 1, prefix) != 0)
        return -1;
    const char* digits = fileName.c_str() + sizeof prefix - 1;
    if (!isdigit(static_cast<unsigned char>(*digits)))
        return -1;
    long fileNumber = strtol(digits, nullptr, 10);
    if (fileNumber < 1 || fileNumber > PROFILE_NUMBER_MAX + 1)
        return -1;
    int number = static_cast<int>(fileNumber) - 1;
    return fileName == profileFileName(number) ? number : -1;
}

bool fileExists(const std::string& path)
{
    struct stat info;
    return stat(path.c_str(), &info) == 0;
}

// A damaged file is set aside under a name no earlier copy has, never
// overwritten, so nothing is lost for good. Returns where it lies; empty
// when it could not be moved.
std::string keepAsBackup(const std::string& path)
{
    std::string backup = AtomicFile::moveToBackup(path);
    if (!backup.empty())
        logError(false, "Damaged profile data kept as '%s'\n", backup.c_str());
    else
        logError(false, "Damaged profile data could not be kept: '%s'\n", path.c_str());
    return backup;
}

// Every profile file and the header are saved whole or not at all; failing
// to save is fatal, and the old file is then left as it was.
void saveAtomically(const std::string& path, const char* what, const std::function<void(FILE*)>& write)
{
    AtomicFile file(path);
    FILE* out = file.open();
    if (out)
        write(out);
    if (!out || !file.commit()) {
        logError(false, "%s: %s\n", path.c_str(), file.error().c_str());
        logError(true, "Cannot save %s: %s\n", what, path.c_str());
    }
}

float volumeFraction(int step)
{
    return static_cast<float>(step) / ProfileSettings::STEP_MAX;
}

int clampStep(int step)
{
    return std::clamp(step, 0, ProfileSettings::STEP_MAX);
}

std::string currentMoreGamesAddress()
{
    const char* url = GetMoreGamesURL();
    return url ? std::string(url).substr(0, MORE_GAMES_FIELD_SIZE) : std::string();
}

} // namespace

void setProfileServices(const ProfileServices& services)
{
    g_services = services;
}

const ProfileServices& profileServices()
{
    return g_services;
}

void ProfileSettings::clamp()
{
    soundVolume = clampStep(soundVolume);
    musicVolume = clampStep(musicVolume);
    gameSpeed = clampStep(gameSpeed);
    if (std::isnan(mouseSpeed))
        mouseSpeed = 1.0f;
    mouseSpeed = std::clamp(mouseSpeed, MOUSE_SPEED_MIN, MOUSE_SPEED_MAX);
}

CProfileBase::CProfileBase()
{
    logMessage(LOG_CONSTRUCT, "CProfile:  Creating CProfileBase...\n");
}

CProfileBase::~CProfileBase()
{
    logMessage(LOG_DESTRUCT, "CProfileBase:  Destroying CProfileBase...\n");
}

// ---------------------------------------------------------------------------
// The profile list

int CProfileBase::GetProfileCount() const
{
    return static_cast<int>(profiles_.size());
}

const char* CProfileBase::GetProfileName(int i) const
{
    if (i < 0 || i >= GetProfileCount())
        return nullptr;
    return std::next(profiles_.begin(), i)->second.name.c_str();
}

const CProfileBase::Entry* CProfileBase::entry(int number) const
{
    auto found = profiles_.find(resolve(number));
    return found == profiles_.end() ? nullptr : &found->second;
}

const char* CProfileBase::GetProfileNameByNumber(int number) const
{
    const Entry* profile = entry(number);
    if (!profile) {
        logError(true, "Unable to find profile name.\n");
        return nullptr;
    }
    return profile->name.c_str();
}

int CProfileBase::FindProfileNumber(const std::string& name) const
{
    for (const auto& [number, profile] : profiles_) {
        if (profile.name == name)
            return number;
    }
    logError(true, "Unable to find profile number.\n");
    return -1;
}

bool CProfileBase::SetCurrentProfileNumber(int number)
{
    if (!entry(number))
        return false;
    currentNumber_ = number;
    return true;
}

bool CProfileBase::nameInUse(const std::string& name, int exceptNumber) const
{
    for (const auto& [number, profile] : profiles_) {
        if (number != exceptNumber && profile.name == name)
            return true;
    }
    return false;
}

int CProfileBase::nextFreeNumber() const
{
    int number = lastNumber_ + 1;
    while (fileExists(ProfileFilePath(number)))
        ++number;
    return number;
}

bool CProfileBase::IsAcceptableName(const std::string& name)
{
    if (name.empty() || name.size() > NAME_LENGTH_MAX)
        return false;
    bool printable = std::all_of(name.begin(), name.end(), [](char c) { return c >= 0x20 && c <= 0x7E; });
    return printable && name.find_first_not_of(' ') != std::string::npos;
}

bool CProfileBase::AddProfile(const std::string& name)
{
    if (!IsAcceptableName(name) || nameInUse(name, -1)) {
        logMessage(LOG_WARNING, "CProfileBase::AddProfile()  Name refused:  '%s'\n", name.c_str());
        return false;
    }
    lastNumber_ = nextFreeNumber();
    currentNumber_ = lastNumber_;
    profiles_[currentNumber_] = Entry{name, ""};
    ResetBase();
    Reset();
    SaveHeader();
    return true;
}

void CProfileBase::SelectProfile(const char* name)
{
    if (name)
        currentNumber_ = FindProfileNumber(std::string(name));
    loadCurrentProfile();
}

bool CProfileBase::RenameProfile(std::string oldName, const std::string& newName)
{
    auto found = std::find_if(profiles_.begin(), profiles_.end(),
                              [&](const auto& item) { return item.second.name == oldName; });
    if (found == profiles_.end()) {
        logError(true, "Unable to find profile to rename.\n");
        return false;
    }
    if (!IsAcceptableName(newName) || nameInUse(newName, found->first)) {
        logMessage(LOG_WARNING, "CProfileBase::RenameProfile()  Name refused:  '%s'\n", newName.c_str());
        return false;
    }
    found->second.name = newName;
    SaveHeader();
    return true;
}

void CProfileBase::DeleteProfile(std::string name)
{
    auto found = std::find_if(profiles_.begin(), profiles_.end(),
                              [&](const auto& item) { return item.second.name == name; });
    if (found == profiles_.end()) {
        logError(true, "Unable to find profile to delete.\n");
        return;
    }
    bool wasCurrent = found->first == currentNumber_;
    profiles_.erase(found);
    if (wasCurrent) {
        if (profiles_.empty()) {
            AddProfile(FIRST_PROFILE_NAME);
        } else {
            auto first = std::min_element(profiles_.begin(), profiles_.end(), [](const auto& a, const auto& b) {
                return a.second.name < b.second.name;
            });
            SelectProfile(first->second.name.c_str());
        }
    }
    SaveHeader();
}

bool CProfileBase::HasOnlineName(int number) const
{
    const Entry* profile = entry(number);
    return profile && !profile->onlineName.empty();
}

const char* CProfileBase::GetOnlineName(int number) const
{
    const Entry* profile = entry(number);
    return profile ? profile->onlineName.c_str() : nullptr;
}

bool CProfileBase::SetOnlineName(const char* name)
{
    std::string text = name ? name : "";
    auto found = profiles_.find(currentNumber_);
    if (text.size() > NAME_LENGTH_MAX || found == profiles_.end())
        return false;
    found->second.onlineName = text;
    SaveHeader();
    return true;
}

void CProfileBase::SetPassword(const char* text)
{
    memset(password_, 0, sizeof password_);
    if (text)
        strncpy(password_, text, PASSWORD_LENGTH_MAX);
    SaveHeader();
}

// ---------------------------------------------------------------------------
// The header file

std::string CProfileBase::HeaderFilePath()
{
    return getProfileDirectory() + headerFileName();
}

bool CProfileBase::IsSavedFileName(const std::string& fileName)
{
    return fileName == headerFileName() || profileNumberOfFile(fileName) >= 0;
}

std::string CProfileBase::ProfileFilePath(int number) const
{
    return getProfileDirectory() + profileFileName(resolve(number));
}

void CProfileBase::ResetHeader()
{
    reserved_ = HEADER_RESERVED;
    lastNumber_ = -1;
    currentNumber_ = -1;
    memset(password_, 0, sizeof password_);
    profiles_.clear();
    AddProfile(FIRST_PROFILE_NAME);
}

void CProfileBase::SaveHeader()
{
    SaveProfile();
    saveAtomically(HeaderFilePath(), "profile header", [this](FILE* out) { writeHeader(out); });
}

void CProfileBase::writeHeader(FILE* out) const
{
    ByteOrder::writeI32(HEADER_VERSION, out);
    ByteOrder::writeI32(reserved_, out);
    ByteOrder::writeI32(lastNumber_, out);
    ByteOrder::writeI32(cheaterStatus_, out);
    logMessage(LOG_DEBUG, "Cheater Status:  %04x\n", static_cast<unsigned>(cheaterStatus_));
    writeFixedText(password_, PASSWORD_FIELD_SIZE, out);
    logMessage(LOG_DEBUG, "Password Write:  '%s'\n", password_);
    ByteOrder::writeI32(currentNumber_, out);
    ByteOrder::writeI32(GetProfileCount(), out);
    for (const auto& [number, profile] : profiles_) {
        logMessage(LOG_PROFILES, "Header Save:  %i   %-20s   %-20s\n", number, profile.name.c_str(),
                   profile.onlineName.c_str());
        ByteOrder::writeI32(number, out);
        writeFixedText(profile.name, NAME_FIELD_SIZE, out);
        writeFixedText(profile.onlineName, NAME_FIELD_SIZE, out);
    }
}

void CProfileBase::LoadHeader()
{
    std::string path = HeaderFilePath();
    FILE* in = fopen(path.c_str(), "rb");
    if (!in) {
        logMessage(LOG_PROFILES, "Creating initial profile for PLAYER 1\n");
        ResetHeader();
        SelectProfile(nullptr);
        return;
    }
    bool damaged = readHeader(in);
    fclose(in);
    if (damaged) {
        DamageNote note;
        note.kind = DamageNote::LIST;
        note.playersKept = GetProfileCount();
        note.playersFound = offerBackProfileFiles();
        note.copyPath = keepAsBackup(path);
        damageNotes_.push_back(note);
    }
    if (profiles_.empty())
        AddProfile(FIRST_PROFILE_NAME);
    SelectProfile(nullptr);
    if (damaged)
        SaveHeader();
}

// Whatever the damage, every field and list entry that can be read whole is
// kept: a header of another version is read on as this one, a count that
// is negative or reaches past the file gives way to the whole entries the
// file holds. True when the header was damaged.
bool CProfileBase::readHeader(FILE* in)
{
    profiles_.clear();
    lastNumber_ = currentNumber_ = -1;
    memset(password_, 0, sizeof password_);
    FieldReader reader(in);
    int32_t version = reader.readI32();
    bool damaged = version != HEADER_VERSION;
    if (reader.ok() && damaged)
        logMessage(LOG_DEBUG, "Incompatible profile versions.  Rewriting...\n");
    int32_t reserved = reader.readI32();
    int32_t last = reader.readI32();
    int32_t status = reader.readI32();
    std::string password = reader.readBytes(PASSWORD_FIELD_SIZE);
    int32_t current = reader.readI32();
    int32_t count = reader.readI32();
    if (!reader.ok())
        return true; // cut before the list: the files on disk are all there is
    reserved_ = reserved;
    cheaterStatus_ = status;
    logMessage(LOG_DEBUG, "Cheater Read:  %x\n", static_cast<unsigned>(cheaterStatus_));
    memset(password_, 0, sizeof password_);
    memcpy(password_, password.data(), PASSWORD_LENGTH_MAX); // the last byte stays the terminator
    logMessage(LOG_DEBUG, "Password Read:  '%s'\n", password_);

    const long wholeEntries = reader.remaining() / HEADER_ENTRY_SIZE;
    long entryCount = count;
    if (count < 0 || count > wholeEntries) {
        entryCount = wholeEntries;
        damaged = true;
    } else if (reader.remaining() != count * HEADER_ENTRY_SIZE) {
        damaged = true; // bytes after the list: they stay in the kept copy
    }
    std::map<int, Entry> entries;
    NameBook names;
    CappedErrorLog problems(ENTRY_PROBLEMS_SHOWN);
    for (long i = 0; i < entryCount; ++i) {
        int32_t number = reader.readI32();
        std::string name = reader.readFixedText(NAME_FIELD_SIZE).substr(0, NAME_LENGTH_MAX);
        std::string onlineName = reader.readFixedText(NAME_FIELD_SIZE).substr(0, NAME_LENGTH_MAX);
        logMessage(LOG_PROFILES, "Header Load:  %i   %-20s   %-20s\n", number, name.c_str(), onlineName.c_str());
        if (number < 0 || number > PROFILE_NUMBER_MAX || entries.count(number) > 0) {
            // No file can be reached by that number, or its file is the
            // earlier entry's: the entry goes, and the kept header shows it.
            problems.report("Profile header entry %i '%s' dropped: its number is %s\n", number, name.c_str(),
                            entries.count(number) > 0 ? "given twice" : "out of range");
            damaged = true;
            continue;
        }
        std::string kept = names.take(name);
        if (kept != name) {
            // Its own file is sound: the player keeps it under another name.
            problems.report("Profile header entry %i: the name '%s' is given twice; kept as '%s'\n", number,
                            name.c_str(), kept.c_str());
            damaged = true;
        }
        entries[number] = Entry{kept, onlineName};
    }
    problems.summarize("damaged profile header entries");
    lastNumber_ = last >= -1 && last <= PROFILE_NUMBER_MAX ? last : -1;
    currentNumber_ = current;
    profiles_ = std::move(entries);
    settleList();
    return damaged;
}

// After damage to the list, every profile file on disk that the list does
// not name comes back into it under the name of its file's number
// ("PLAYER 3" for "PROFILE3v3.DAT"), so no player's progress is out of
// reach; the player can rename it. Returns how many came back.
int CProfileBase::offerBackProfileFiles()
{
    std::vector<std::string> files;
    listPlainFiles(getProfileDirectory(), files);
    NameBook names;
    for (const auto& [number, profile] : profiles_)
        names.take(profile.name);
    int found = 0;
    for (const std::string& file : files) {
        int number = profileNumberOfFile(file);
        if (number < 0 || profiles_.count(number))
            continue;
        std::string name = names.take("PLAYER " + std::to_string(number + 1));
        logError(false, "Profile file '%s' is back in the list as '%s'\n", file.c_str(), name.c_str());
        profiles_[number] = Entry{name, ""};
        ++found;
    }
    settleList();
    return found;
}

std::vector<CProfileBase::DamageNote> CProfileBase::TakeDamageNotes()
{
    std::vector<DamageNote> notes;
    notes.swap(damageNotes_);
    return notes;
}

// The list must hold together whatever the file said: no number is given
// twice, and the current profile is one of the list.
void CProfileBase::settleList()
{
    if (!profiles_.empty())
        lastNumber_ = std::max(lastNumber_, profiles_.rbegin()->first);
    if (!profiles_.count(currentNumber_))
        currentNumber_ = profiles_.empty() ? -1 : profiles_.begin()->first;
}

// ---------------------------------------------------------------------------
// The profile file

void CProfileBase::SaveProfile()
{
    saveAtomically(ProfileFilePath(-1), "profile", [this](FILE* out) {
        SaveBase(out);
        SaveData(out);
    });
}

void CProfileBase::SaveBase(FILE* out)
{
    settings_.moreGamesCopy = currentMoreGamesAddress();
    writeFixedText(settings_.moreGamesCopy, MORE_GAMES_FIELD_SIZE, out);
    writeFlag(true, out); // the copy is valid
    ByteOrder::writeI32(settings_.soundVolume, out);
    ByteOrder::writeI32(settings_.musicVolume, out);
    ByteOrder::writeI32(settings_.gameSpeed, out);
    writeFlag(settings_.fullscreen, out);
    writeFlag(settings_.extraFlag, out);
    writeFlag(settings_.freeMouse, out);
    writeFloat(settings_.mouseSpeed, out);
}

bool CProfileBase::LoadBase(FieldReader& in, ProfileSettings& settings)
{
    settings.moreGamesCopy = in.readFixedText(MORE_GAMES_FIELD_SIZE);
    in.readFlag(); // whether the copy is valid: nothing compares it
    settings.soundVolume = in.readI32();
    settings.musicVolume = in.readI32();
    settings.gameSpeed = in.readI32();
    settings.fullscreen = in.readFlag();
    settings.extraFlag = in.readFlag();
    settings.freeMouse = in.readFlag();
    settings.mouseSpeed = in.readFloat();
    settings.clamp();
    return in.ok();
}

void CProfileBase::loadCurrentProfile()
{
    std::string path = ProfileFilePath(-1);
    FILE* in = fopen(path.c_str(), "rb");
    if (!in) {
        ResetBase();
        Reset();
        return;
    }
    ProfileSettings settings;
    FieldReader reader(in);
    bool whole = LoadBase(reader, settings) && LoadData(reader);
    fclose(in);
    if (!whole) {
        DamageNote note;
        note.kind = DamageNote::PROGRESS;
        const Entry* current = entry(-1);
        note.player = current ? current->name : "";
        note.copyPath = keepAsBackup(path);
        damageNotes_.push_back(note);
        ResetBase();
        Reset();
        return;
    }
    settings_ = settings;
    applyEffectsVolume();
    applyMusicVolume();
    applyDisplayMode();
    // A profile chosen while the game runs brings its own pointer settings;
    // at start-up they wait for the window and the input module.
    if (g_services.hasScreen && g_services.hasScreen())
        ApplyMouseSettings();
}

// ---------------------------------------------------------------------------
// Settings

void CProfileBase::applyEffectsVolume() const
{
    if (g_services.setEffectsVolume)
        g_services.setEffectsVolume(volumeFraction(settings_.soundVolume));
}

// Music follows the square of the step, so the low steps stay quiet.
void CProfileBase::applyMusicVolume() const
{
    float fraction = volumeFraction(settings_.musicVolume);
    if (g_services.setMusicVolume)
        g_services.setMusicVolume(fraction * fraction);
}

void CProfileBase::applyDisplayMode() const
{
    if (g_services.hasScreen && g_services.hasScreen() && g_services.toggleFullscreen)
        g_services.toggleFullscreen(true, settings_.fullscreen);
}

void CProfileBase::SetFullscreen(bool on)
{
    settings_.fullscreen = on;
    if (g_services.toggleFullscreen)
        g_services.toggleFullscreen(true, on);
}

void CProfileBase::ToggleFullscreen()
{
    SetFullscreen(!settings_.fullscreen);
}

void CProfileBase::SetMouseSpeed(float speed)
{
    settings_.mouseSpeed = speed;
    settings_.clamp();
    ApplyMouseSettings();
}

void CProfileBase::SetFreeMouse(bool on)
{
    settings_.freeMouse = on;
    ApplyMouseSettings();
}

void CProfileBase::ApplyMouseSettings() const
{
    logMessage(LOG_DEBUG, "CProfileBase::ApplyMouseSettings()  free pointer %i, speed %.2f\n", settings_.freeMouse ? 1 : 0,
               static_cast<double>(settings_.mouseSpeed));
    if (g_services.grabInput)
        g_services.grabInput(!settings_.freeMouse);
    if (g_services.setRelativeMouse)
        g_services.setRelativeMouse(settings_.freeMouse);
    if (g_services.setMouseSpeed)
        g_services.setMouseSpeed(settings_.mouseSpeed);
}

void CProfileBase::SetSoundVolume(int step)
{
    settings_.soundVolume = clampStep(step);
    applyEffectsVolume();
}

void CProfileBase::SetMusicVolume(int step)
{
    settings_.musicVolume = clampStep(step);
    applyMusicVolume();
}

void CProfileBase::SetPlaySpeed(int step)
{
    settings_.gameSpeed = clampStep(step);
}

void CProfileBase::DefaultSettings()
{
    ProfileSettings defaults;
    defaults.moreGamesCopy = settings_.moreGamesCopy;
    settings_ = defaults;
}

void CProfileBase::ResetBase()
{
    settings_ = ProfileSettings();
    settings_.moreGamesCopy = currentMoreGamesAddress();
}

void CProfileBase::ResetSettings()
{
    DefaultSettings();
    ResetOptions();
    applyEffectsVolume();
    applyMusicVolume();
    applyDisplayMode();
    // The defaults free the pointer: release a grab the old setting made.
    ApplyMouseSettings();
}
