#include "levels/ProfileBase.h"

#include "engine/ByteOrder.h"
#include "engine/Log.h"
#include "engine/Parameters.h"
#include "levels/FieldStream.h"
#include "platform/AtomicFile.h"
#include "platform/Folders.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <functional>
#include <sys/stat.h>

namespace {

constexpr int LOG_PROFILES = 26;
constexpr int32_t HEADER_RESERVED = 3600;
constexpr int NAME_FIELD_SIZE = 16;
constexpr size_t MORE_GAMES_FIELD_SIZE = 256;
// Far beyond any real use; keeps "last number + 1" from overflowing.
constexpr int32_t PROFILE_NUMBER_MAX = 999999;
const char* const FIRST_PROFILE_NAME = "PLAYER 1";

ProfileServices g_services;

bool fileExists(const std::string& path)
{
    struct stat info;
    return stat(path.c_str(), &info) == 0;
}

// A damaged file is set aside, not overwritten, so nothing is lost for good.
void keepAsBackup(const std::string& path)
{
    std::string backup = path + ".bak";
    if (rename(path.c_str(), backup.c_str()) == 0)
        logError(false, "Damaged profile data kept as '%s'\n", backup.c_str());
    else
        logError(false, "Damaged profile data could not be kept: '%s'\n", path.c_str());
}

// Every profile file and the header are saved whole or not at all; failing
// to save is fatal, and the old file is then left as it was.
void saveAtomically(const std::string& path, const char* fatalFormat, const std::function<void(FILE*)>& write)
{
    AtomicFile file(path);
    FILE* out = file.open();
    if (out)
        write(out);
    if (!out || !file.commit())
        logError(true, fatalFormat, path.c_str());
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
    char name[64];
    snprintf(name, sizeof name, "%sv%i.DAT", "INFO", HEADER_VERSION);
    return std::string(getProfileDirectory()) + name;
}

std::string CProfileBase::ProfileFilePath(int number) const
{
    char name[64];
    snprintf(name, sizeof name, "%s%iv%i.DAT", "PROFILE", resolve(number) + 1, HEADER_VERSION);
    return std::string(getProfileDirectory()) + name;
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
    saveAtomically(HeaderFilePath(), "Cannot save profile header: %s\n", [this](FILE* out) { writeHeader(out); });
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
    bool damaged = false;
    bool usable = readHeader(in, damaged);
    fclose(in);
    if (damaged)
        keepAsBackup(path);
    if (!usable)
        ResetHeader();
    else if (profiles_.empty())
        AddProfile(FIRST_PROFILE_NAME);
    SelectProfile(nullptr);
    if (damaged && usable)
        SaveHeader();
}

bool CProfileBase::readHeader(FILE* in, bool& damaged)
{
    FieldReader reader(in);
    int32_t version = reader.readI32();
    if (reader.ok() && version != HEADER_VERSION) {
        logMessage(LOG_DEBUG, "Incompatible profile versions.  Rewriting...\n");
        damaged = true;
        return false;
    }
    int32_t reserved = reader.readI32();
    int32_t last = reader.readI32();
    int32_t status = reader.readI32();
    std::string password = reader.readBytes(PASSWORD_FIELD_SIZE);
    int32_t current = reader.readI32();
    int32_t count = reader.readI32();
    if (!reader.ok()) {
        damaged = true;
        return false;
    }
    reserved_ = reserved;
    cheaterStatus_ = status;
    logMessage(LOG_DEBUG, "Cheater Read:  %x\n", static_cast<unsigned>(cheaterStatus_));
    memset(password_, 0, sizeof password_);
    memcpy(password_, password.data(), PASSWORD_LENGTH_MAX); // the last byte stays the terminator
    logMessage(LOG_DEBUG, "Password Read:  '%s'\n", password_);

    if (count < 0)
        damaged = true;
    std::map<int, Entry> entries;
    for (int32_t i = 0; i < count; ++i) {
        int32_t number = reader.readI32();
        std::string name = reader.readFixedText(NAME_FIELD_SIZE).substr(0, NAME_LENGTH_MAX);
        std::string onlineName = reader.readFixedText(NAME_FIELD_SIZE).substr(0, NAME_LENGTH_MAX);
        if (!reader.ok()) {
            damaged = true;
            break;
        }
        logMessage(LOG_PROFILES, "Header Load:  %i   %-20s   %-20s\n", number, name.c_str(), onlineName.c_str());
        if (number < 0 || number > PROFILE_NUMBER_MAX || entries.count(number) > 0) {
            // No file can be reached by that number, or its file is the
            // earlier entry's: the entry goes, and the kept header shows it.
            logError(false, "Profile header entry %i '%s' dropped: its number is %s\n", number, name.c_str(),
                     entries.count(number) > 0 ? "given twice" : "out of range");
            damaged = true;
            continue;
        }
        std::string kept = uniqueName(entries, name);
        if (kept != name) {
            // Its own file is sound: the player keeps it under another name.
            logError(false, "Profile header entry %i: the name '%s' is given twice; kept as '%s'\n", number,
                     name.c_str(), kept.c_str());
            damaged = true;
        }
        entries[number] = Entry{kept, onlineName};
    }
    lastNumber_ = last >= -1 && last <= PROFILE_NUMBER_MAX ? last : -1;
    currentNumber_ = current;
    takeEntries(std::move(entries));
    return true;
}

// The name, or when an entry already has it the name with the lowest number
// after it (" 2", " 3"...) that none has, shortened to fit.
std::string CProfileBase::uniqueName(const std::map<int, Entry>& entries, const std::string& name)
{
    auto taken = [&](const std::string& candidate) {
        return std::any_of(entries.begin(), entries.end(), [&](const auto& e) { return e.second.name == candidate; });
    };
    if (!taken(name))
        return name;
    for (int n = 2;; ++n) {
        std::string suffix = " " + std::to_string(n);
        std::string candidate = name.substr(0, NAME_LENGTH_MAX - suffix.size()) + suffix;
        if (!taken(candidate))
            return candidate;
    }
}

// The list must hold together whatever the file said: no number is given
// twice, and the current profile is one of the list.
void CProfileBase::takeEntries(std::map<int, Entry> entries)
{
    profiles_ = std::move(entries);
    if (!profiles_.empty())
        lastNumber_ = std::max(lastNumber_, profiles_.rbegin()->first);
    if (!profiles_.count(currentNumber_))
        currentNumber_ = profiles_.empty() ? -1 : profiles_.begin()->first;
}

// ---------------------------------------------------------------------------
// The profile file

void CProfileBase::SaveProfile()
{
    saveAtomically(ProfileFilePath(-1), "Cannot save profile: %s\n", [this](FILE* out) {
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
        keepAsBackup(path);
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
