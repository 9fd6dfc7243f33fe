#pragma once

#include <cstdint>
#include <cstdio>
#include <map>
#include <string>
#include <vector>

class FieldReader;

// The profile puts its settings into effect through the display, sound and
// input modules, which register their entry points here when they start.
// A hook nobody registered (a module not running, a headless test) is
// skipped.
struct ProfileServices {
    // Switches between window and full screen; with onlyIfDifferent set it
    // does nothing while the display already is in the asked mode.
    void (*toggleFullscreen)(bool onlyIfDifferent, bool fullscreen) = nullptr;
    bool (*hasScreen)() = nullptr;                     // the window is open
    void (*setEffectsVolume)(float volume) = nullptr;  // 0.0 - 1.0
    void (*setMusicVolume)(float volume) = nullptr;    // 0.0 - 1.0
    void (*grabInput)(bool grab) = nullptr;            // keep the pointer in the window
    void (*setRelativeMouse)(bool freeMouse) = nullptr;
    void (*setMouseSpeed)(float factor) = nullptr;
};

void setProfileServices(const ProfileServices& services);
const ProfileServices& profileServices();

// The settings of one profile, kept at the head of its profile file.
struct ProfileSettings {
    static constexpr int STEP_MAX = 11; // volume and speed steps run 0..11
    static constexpr float MOUSE_SPEED_MIN = 0.15f;
    static constexpr float MOUSE_SPEED_MAX = 3.0f;

    std::string moreGamesCopy; // the more-games address as it stood at the last save
    bool fullscreen = true;
    bool freeMouse = true;     // false: the pointer is held in the window
    float mouseSpeed = 1.0f;   // factor for relative mouse motion
    bool extraFlag = true;     // kept in the file, used nowhere else
    int32_t soundVolume = 6;
    int32_t musicVolume = 6;
    int32_t gameSpeed = 6;

    // Brings values from a file into their ranges.
    void clamp();
};

// The list of profiles (header file "INFOv3.DAT": numbers, names, online user
// names, the current profile, one password and the status word) and the
// settings of the current profile. CProfile adds the progress.
//
// Profile number n keeps its own file "PROFILE<n+1>v3.DAT". Numbers are never
// given twice, and never to a number whose file exists on disk. A number or
// name argument of -1 means the current profile.
class CProfileBase
{
public:
    static constexpr int HEADER_VERSION = 3;
    static constexpr int NAME_LENGTH_MAX = 15;     // profile and online user names
    // The header keeps the password in a field of 10 bytes whose last byte
    // is always its terminator, so a password is at most 9 characters: the
    // entry screens stop there, and a field read without a terminator keeps
    // its first 9.
    static constexpr int PASSWORD_FIELD_SIZE = 10;
    static constexpr int PASSWORD_LENGTH_MAX = PASSWORD_FIELD_SIZE - 1;

    // Bits of the status word sent with every score upload.
    static constexpr int32_t STATUS_KEPT = 1;          // only carried along
    static constexpr int32_t STATUS_SCORE_REPAIRED = 4; // a score was altered behind our back

    CProfileBase();
    virtual ~CProfileBase();
    CProfileBase(const CProfileBase&) = delete;
    CProfileBase& operator=(const CProfileBase&) = delete;

    // --- The profile list ---
    int GetProfileCount() const;
    // The i-th profile in order of creation; null when i is out of range.
    const char* GetProfileName(int i) const;
    // An unknown number is fatal.
    const char* GetProfileNameByNumber(int number) const;
    // An unknown name is fatal.
    int FindProfileNumber(const std::string& name) const;
    int GetCurrentProfileNumber() const { return currentNumber_; }
    // Only a listed number is taken; false otherwise.
    bool SetCurrentProfileNumber(int number);

    // A name the header can hold and every screen can show: 1 to
    // NAME_LENGTH_MAX printable ASCII characters, not only spaces.
    static bool IsAcceptableName(const std::string& name);
    // Creates a profile with default settings and progress, makes it current
    // and saves it and the header. Refuses (false) a name that is in use or
    // not acceptable (IsAcceptableName).
    bool AddProfile(const std::string& name);
    // Makes the named profile current (an unknown name is fatal) and loads
    // its file; null reloads the current profile.
    void SelectProfile(const char* name);
    // An unknown old name is fatal; a new name in use by another profile or
    // not acceptable is refused (false).
    bool RenameProfile(std::string oldName, const std::string& newName);
    // An unknown name is fatal. The profile's file stays on disk.
    void DeleteProfile(std::string name);

    bool HasOnlineName(int number) const;
    // "" for a profile without one; null for a number that is not listed.
    const char* GetOnlineName(int number) const;
    // Sets the current profile's online user name and saves it; a name
    // longer than NAME_LENGTH_MAX is refused (false).
    bool SetOnlineName(const char* name);

    bool HasPassword() const { return password_[0] != '\0'; }
    const char* GetPassword() const { return password_; }
    // Keeps at most PASSWORD_LENGTH_MAX characters and saves the header.
    void SetPassword(const char* text);

    // --- Status word ---
    void SetCheaterFlag(int32_t bits) { cheaterStatus_ |= bits; }
    void ClearCheaterFlag(int32_t bit) { cheaterStatus_ &= ~bit; }
    int32_t GetCheaterStatus() const { return cheaterStatus_; }
    bool IsCheaterFlag1() const { return (cheaterStatus_ & STATUS_KEPT) != 0; }
    bool IsCheaterFlag4() const { return (cheaterStatus_ & STATUS_SCORE_REPAIRED) != 0; }

    // --- Damaged files ---
    // What damage to the list or to a profile file cost, and where the
    // damaged file was kept, for the player to be told once.
    struct DamageNote {
        enum Kind { LIST, PROGRESS };
        Kind kind = LIST;
        std::string player;   // whose progress starts again (PROGRESS)
        int playersKept = 0;  // players read from the damaged list (LIST)
        int playersFound = 0; // profile files brought back into it (LIST)
        std::string copyPath; // the damaged file's copy; empty when none could be made
    };
    // The notes gathered since the last call, oldest first; the list is
    // emptied, so each is told once.
    std::vector<DamageNote> TakeDamageNotes();

    // --- Files ---
    // Writes the current profile's file, then the header. Failing to write
    // either is fatal; the old file then stays as it was.
    void SaveHeader();
    // Reads the header (or makes the first profile) and loads the current
    // profile. Of a damaged header every whole entry is kept, every profile
    // file on disk that it no longer names comes back into the list, and
    // the damaged file is kept beside as "INFOv3.DAT.bak" (".bak2", ".bak3"
    // when earlier copies are there); a damage note tells of it.
    void LoadHeader();
    // The first-run state: one new profile "PLAYER 1".
    void ResetHeader();
    // Writes the current profile's file; failing is fatal.
    void SaveProfile();

    static std::string HeaderFilePath();
    // A file of the data folder that the profiles save: the header or a
    // profile file of any number.
    static bool IsSavedFileName(const std::string& fileName);
    std::string ProfileFilePath(int number) const;

    // --- Settings of the current profile ---
    bool IsFullscreen() const { return settings_.fullscreen; }
    void SetFullscreen(bool on);
    void ToggleFullscreen();
    float GetMouseSpeed() const { return settings_.mouseSpeed; }
    void SetMouseSpeed(float speed);
    bool IsFreeMouse() const { return settings_.freeMouse; }
    void SetFreeMouse(bool on);
    void ApplyMouseSettings() const;
    int GetSoundVolume() const { return settings_.soundVolume; }
    void SetSoundVolume(int step);
    int GetMusicVolume() const { return settings_.musicVolume; }
    void SetMusicVolume(int step);
    int GetPlaySpeed() const { return settings_.gameSpeed; }
    void SetPlaySpeed(int step);
    bool GetExtraFlag() const { return settings_.extraFlag; }
    void SetExtraFlag(bool on) { settings_.extraFlag = on; }

    // Defaults, more-games copy kept, nothing applied.
    void DefaultSettings();
    // Defaults with a fresh copy of the more-games address, nothing applied.
    void ResetBase();
    // Defaults and default options, put into effect (the options screen).
    void ResetSettings();

    // The progress part's three options to their defaults.
    virtual void ResetOptions() = 0;

protected:
    // The progress part: defaults, read, written after the settings.
    virtual void Reset() = 0;
    // Reads the rest of the profile file. Returns false, changing nothing,
    // when the file is short or has bytes left over.
    virtual bool LoadData(FieldReader& in) = 0;
    virtual void SaveData(FILE* out) = 0;

    void SaveBase(FILE* out);
    // Reads the settings into the given value, clamped; false when short.
    static bool LoadBase(FieldReader& in, ProfileSettings& settings);

private:
    struct Entry {
        std::string name;
        std::string onlineName;
    };

    bool nameInUse(const std::string& name, int exceptNumber) const;
    const Entry* entry(int number) const;
    int resolve(int number) const { return number == -1 ? currentNumber_ : number; }
    int nextFreeNumber() const;
    // Reads what it can of the header into the list; true when the header
    // was damaged.
    bool readHeader(FILE* in);
    int offerBackProfileFiles();
    // Keeps the last number and the current profile in step with the list.
    void settleList();
    void writeHeader(FILE* out) const;
    void loadCurrentProfile();
    void applyEffectsVolume() const;
    void applyMusicVolume() const;
    void applyDisplayMode() const;

    int32_t lastNumber_ = -1;
    int32_t reserved_ = 3600; // kept in the header, used nowhere else
    int32_t currentNumber_ = -1;
    char password_[PASSWORD_FIELD_SIZE] = {};
    int32_t cheaterStatus_ = 0;
    std::map<int, Entry> profiles_; // by number, which is creation order
    std::vector<DamageNote> damageNotes_;
    ProfileSettings settings_;
};
