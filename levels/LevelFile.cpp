// The level file: writer, checked reader and the quick readers used by the
// lists of user levels.
#include "levels/Level.h"

#include "engine/ByteOrder.h"
#include "engine/Log.h"
#include "platform/AtomicFile.h"
#include "platform/Folders.h"
#include "platform/Random.h"

#include <cstring>
#include <strings.h>
#include <sys/stat.h>

namespace {

const char kUndefinedText[] = "UNDEFINED";
const char kExtension[] = ".lvl";

void appendU32(std::vector<unsigned char>& out, uint32_t value)
{
    unsigned char bytes[4];
    ByteOrder::pokeU32(bytes, value);
    out.insert(out.end(), bytes, bytes + 4);
}

void appendI32(std::vector<unsigned char>& out, int32_t value)
{
    appendU32(out, static_cast<uint32_t>(value));
}

void appendText(std::vector<unsigned char>& out, const std::string& text)
{
    appendU32(out, static_cast<uint32_t>(text.size()));
    out.insert(out.end(), text.begin(), text.end());
}

bool isLevelType(uint32_t type)
{
    return type == LEVEL_TYPE_GAME || type == LEVEL_TYPE_DEMO || type == LEVEL_TYPE_CUSTOM || type == LEVEL_TYPE_ALPHA;
}

const char* typeWord(uint32_t type)
{
    switch (type) {
    case LEVEL_TYPE_GAME:
        return "GAME";
    case LEVEL_TYPE_DEMO:
        return "DEMO";
    case LEVEL_TYPE_CUSTOM:
        return "CUSTOM";
    case LEVEL_TYPE_ALPHA:
        return "ALPHA";
    default:
        return "INVALID!!!";
    }
}

// Reads fields from a level body; every read is checked against what is left,
// so no count or length taken from the file can read past its end.
class BodyReader
{
public:
    BodyReader(const unsigned char* bytes, size_t size) : bytes_(bytes), size_(size) {}

    size_t remaining() const { return size_ - position_; }

    bool u32(uint32_t& out)
    {
        if (remaining() < 4)
            return false;
        out = ByteOrder::peekU32(bytes_ + position_);
        position_ += 4;
        return true;
    }

    bool i32(int32_t& out)
    {
        uint32_t value;
        if (!u32(value))
            return false;
        out = static_cast<int32_t>(value);
        return true;
    }

    const unsigned char* take(size_t count)
    {
        if (remaining() < count)
            return nullptr;
        const unsigned char* start = bytes_ + position_;
        position_ += count;
        return start;
    }

    // A count of records of recordSize bytes each that the rest can hold.
    bool count(uint32_t& out, size_t recordSize) { return u32(out) && out <= remaining() / recordSize; }

private:
    const unsigned char* bytes_;
    size_t size_;
    size_t position_ = 0;
};

} // namespace

// --- paths and quick readers -------------------------------------------------

std::string CLevel::GetPath(const char* name)
{
    const std::string folder = getLevelsDirectory();
    const std::string stem = name ? name : "";
    std::string found = IsValidName(name) ? findFileWithExtension(folder, stem, kExtension) : std::string();
    return folder + (found.empty() ? stem + kExtension : found);
}

bool CLevel::IsValidName(const char* name)
{
    return name && *name && strchr(name, '/') == nullptr && strcmp(name, ".") != 0 && strcmp(name, "..") != 0;
}

bool CLevel::IsLevelFileName(const std::string& fileName)
{
    const size_t length = sizeof kExtension - 1;
    return fileName.size() > length && strcasecmp(fileName.c_str() + fileName.size() - length, kExtension) == 0;
}

std::string CLevel::GetHeading(const char* name)
{
    std::string path = GetPath(name);
    FILE* file = IsValidName(name) ? fopen(path.c_str(), "rb") : nullptr;
    if (!file) {
        logMessage(LOG_ERROR, "CLevel::GetHeading()   Cannot load level file:  '%s'\n", path.c_str());
        return std::string();
    }
    char heading[LEVEL_FILE_HEADING_SIZE + 1] = {};
    if (fseek(file, LEVEL_FILE_HEADING_OFFSET, SEEK_SET) == 0)
        (void)!fread(heading, 1, LEVEL_FILE_HEADING_SIZE, file);
    fclose(file);
    heading[LEVEL_HEADING_MAX] = '\0'; // a damaged file may hold no terminator
    logMessage(LOG_LEVEL, "CLevel::GetHeading()   Read heading:  %s\n", heading);
    return heading;
}

time_t CLevel::GetFileTime(const char* name)
{
    struct stat info;
    if (stat(GetPath(name).c_str(), &info) != 0)
        return 0;
    return info.st_mtime;
}

bool CLevel::Remove(const char* name)
{
    std::string path = GetPath(name);
    if (!IsValidName(name) || remove(path.c_str()) != 0) {
        logMessage(LOG_ERROR, "CLevel::Remove()  Could not remove level file:  '%s'\n", path.c_str());
        return false;
    }
    logMessage(LOG_DEBUG, "CLevel::Remove()  Level has been succesfully removed:  '%s'\n", path.c_str());
    return true;
}

// --- writing ---------------------------------------------------------------

std::vector<unsigned char> CLevel::ToBytes(uint32_t idNoise) const
{
    std::vector<unsigned char> out;
    out.reserve(LEVEL_FILE_MIN_SIZE);

    logMessage(LOG_LEVEL_SAVE, "CLevel::Save()   Write level ID\n");
    const uint32_t id = (static_cast<uint32_t>(LEVEL_FILE_VERSION) << 24) | LEVEL_TYPE_CUSTOM |
                        (idNoise & LEVEL_ID_NOISE_MASK);
    appendU32(out, id);

    logMessage(LOG_LEVEL_SAVE, "CLevel::Save()   Write File Information\n");
    unsigned char heading[LEVEL_FILE_HEADING_SIZE] = {};
    memcpy(heading, heading_.data(), std::min(heading_.size(), LEVEL_HEADING_MAX));
    out.insert(out.end(), heading, heading + LEVEL_FILE_HEADING_SIZE);

    logMessage(LOG_LEVEL_SAVE, "CLevel::Save()   Write ladders array\n");
    for (ElementCode ladder : ladders_)
        appendI32(out, ladder);

    logMessage(LOG_LEVEL_SAVE, "CLevel::Save()   Write tiles array\n");
    int bubbles = 0;
    for (int x = 0; x < LEVEL_WIDTH; ++x) {
        for (int y = 0; y < LEVEL_HEIGHT; ++y) {
            const ElementCode tile = tiles_[cell(x, y)];
            if (tile != EC_NONE)
                logMessage(LOG_LEVEL_SAVE, "   * Saving tile '%s' at (%i,%i)\n", elementCodeName(tile), x, y);
            if (tile == EC_TUTORIAL)
                ++bubbles;
            appendI32(out, tile + modifiers_[cell(x, y)]);
        }
    }

    logMessage(LOG_LEVEL_SAVE, "CLevel::Save()   Write teleport array\n");
    for (int colour = 0; colour < TELEPORT_COLOURS; ++colour) {
        appendU32(out, static_cast<uint32_t>(teleports_[colour].size()));
        for (const TeleportSpot& spot : teleports_[colour]) {
            logMessage(LOG_LEVEL_SAVE, "   * Saving teleport (type %i) at (%i,%i)\n", colour, spot.x, spot.y);
            appendI32(out, spot.x);
            appendI32(out, spot.y);
        }
    }

    // Only tutorial cells carry their text; a marker without one says so.
    logMessage(LOG_LEVEL_SAVE, "CLevel::Save()   Write Tutorials:  %i bubbles\n", bubbles);
    appendU32(out, static_cast<uint32_t>(bubbles));
    for (int x = 0; x < LEVEL_WIDTH; ++x) {
        for (int y = 0; y < LEVEL_HEIGHT; ++y) {
            if (tiles_[cell(x, y)] != EC_TUTORIAL)
                continue;
            appendI32(out, x);
            appendI32(out, y);
            auto text = tutorials_.find(cell(x, y));
            if (text != tutorials_.end()) {
                logMessage(LOG_LEVEL_SAVE, "CLevel::Save()   Write Tutorial at (%i,%i):  %s\n", x, y,
                           text->second.c_str());
                appendText(out, text->second.substr(0, TUTORIAL_TEXT_MAX));
            } else {
                logMessage(LOG_LEVEL_SAVE, "CLevel::Save()   Write Undefined Tutorial at (%i,%i)\n", x, y);
                appendText(out, kUndefinedText);
            }
        }
    }

    logMessage(LOG_LEVEL_SAVE, "CLevel::Save()   Write background:  %i\n", background_);
    appendI32(out, background_);

    logMessage(LOG_LEVEL_SAVE, "CLevel::Save()   Write solution:  %i keystrokes\n", static_cast<int>(solution_.size()));
    appendU32(out, static_cast<uint32_t>(solution_.size()));
    for (const ReplayKey& key : solution_) {
        logMessage(LOG_LEVEL_SAVE, "CLevel::Save()      * Saving keystroke at frame %i:  key %i  (released = %i)\n",
                   key.frame, key.key, key.released ? 1 : 0);
        appendI32(out, key.frame);
        appendI32(out, key.key);
        appendU32(out, key.released ? 1 : 0);
    }
    return out;
}

bool CLevel::Save()
{
    // Back into the very file the level came from or last went to.
    std::string path = file_.empty() ? GetPath(name_.c_str()) : file_;
    if (!IsValidName(name_.c_str())) {
        logMessage(LOG_ERROR, "CLevel::Save()   Cannot save level file:  '%s'\n", path.c_str());
        return false;
    }
    ClearTeleportReservations();
    std::vector<unsigned char> bytes = ToBytes(static_cast<uint32_t>(gameRand()));
    AtomicFile file(path);
    FILE* stream = file.open();
    bool saved = stream && fwrite(bytes.data(), 1, bytes.size(), stream) == bytes.size() && file.commit();
    if (!saved) {
        logMessage(LOG_ERROR, "CLevel::Save()   Cannot save level file:  '%s'\n", path.c_str());
        return false;
    }
    file_ = path;
    modified_ = false;
    return true;
}

bool CLevel::SaveAs(const char* name, const char* heading)
{
    if (name && strlen(name) > NAME_LENGTH_MAX) {
        logMessage(LOG_ERROR, "CLevel::SaveAs()   Level name longer than %i characters:  '%s'\n",
                   static_cast<int>(NAME_LENGTH_MAX), name);
        return false;
    }
    // The level takes the new name only once the file is written: a failed
    // save leaves it named, headed and modified as it was.
    std::string oldName = name_, oldHeading = heading_, oldFile = file_;
    bool wasModified = modified_;
    name_ = name ? name : "";
    file_.clear();
    SetHeading(heading);
    if (Save())
        return true;
    name_ = oldName;
    heading_ = oldHeading;
    file_ = oldFile;
    modified_ = wasModified;
    return false;
}

// --- reading ---------------------------------------------------------------

bool CLevel::LoadFile(const char* name)
{
    Reset();
    std::string path = GetPath(name);
    FILE* file = IsValidName(name) ? fopen(path.c_str(), "rb") : nullptr;
    if (!file) {
        logMessage(LOG_ERROR, "CLevel::Load()   Cannot load level file:  '%s'\n", path.c_str());
        loadFailure_ = LevelLoadFailure::Damaged;
        return false;
    }
    bool loaded = Load(name, file);
    fclose(file);
    if (loaded)
        file_ = path;
    return loaded;
}

bool CLevel::Load(const char* name, FILE* stream)
{
    std::vector<unsigned char> bytes;
    unsigned char buffer[16384];
    size_t n;
    while ((n = fread(buffer, 1, sizeof buffer, stream)) > 0 && bytes.size() <= LEVEL_FILE_MAX_SIZE)
        bytes.insert(bytes.end(), buffer, buffer + n);
    if (bytes.size() > LEVEL_FILE_MAX_SIZE || ferror(stream)) {
        Reset();
        logMessage(LOG_ERROR, "CLevel::Load()   Damaged level '%s':  unreadable or too large\n", name);
        loadFailure_ = LevelLoadFailure::Damaged;
        return false;
    }
    return LoadBytes(name, bytes.data(), bytes.size());
}

bool CLevel::LoadBytes(const char* name, const unsigned char* bytes, size_t size)
{
    Reset();
    loadFailure_ = readBody(name, bytes, size);
    if (loadFailure_ == LevelLoadFailure::None)
        return true;
    Reset();
    return false;
}

// Reads one level body into a reset level. A body that ends early, or holds
// a count, length, cell or background that no level can have, is damaged;
// of a later version that keeps a level type of ours, it is newer than the
// reader. Only a level type of ours tells an old version from any file.
LevelLoadFailure CLevel::readBody(const char* name, const unsigned char* bytes, size_t size)
{
    BodyReader in(bytes, size);
    bool ofOurs = false;
    auto damaged = [&](const char* what) {
        logMessage(LOG_ERROR, "CLevel::Load()   Damaged level '%s':  %s\n", name, what);
        return ofOurs && version_ > LEVEL_FILE_VERSION ? LevelLoadFailure::NewerVersion : LevelLoadFailure::Damaged;
    };

    uint32_t id;
    if (!in.u32(id))
        return damaged("no level ID");
    type_ = static_cast<int32_t>(id & LEVEL_TYPE_MASK);
    version_ = static_cast<int32_t>(id) >> 24;
    ofOurs = isLevelType(id & LEVEL_TYPE_MASK);
    logMessage(LOG_DEBUG, "CLevel::Load()   Read level ID:  %x  (%s)  (%s)\n", id, typeWord(id & LEVEL_TYPE_MASK), name);
    logMessage(LOG_LEVEL_LOAD, "CLevel::Load()   Read level version:  %i\n", version_);
    if (version_ < LEVEL_OLDEST_VERSION) {
        logMessage(LOG_ERROR, "CLevel::Load()   Legacy level must be converted before it can be used\n");
        return ofOurs && version_ >= 0 ? LevelLoadFailure::OlderVersion : LevelLoadFailure::Damaged;
    }

    name_ = name;
    logMessage(LOG_LEVEL_LOAD, "CLevel::Load()   Read filename:  %s\n", name_.c_str());
    const unsigned char* heading = in.take(LEVEL_FILE_HEADING_SIZE);
    if (!heading)
        return damaged("heading cut short");
    const void* terminator = memchr(heading, '\0', LEVEL_FILE_HEADING_SIZE);
    if (!terminator)
        return damaged("heading without an end");
    heading_.assign(reinterpret_cast<const char*>(heading));
    logMessage(LOG_LEVEL_LOAD, "CLevel::Load()   Read heading:  %s\n", heading_.c_str());

    logMessage(LOG_LEVEL_LOAD, "CLevel::Load()   Read ladder and tile arrays\n");
    const unsigned char* ladders = in.take(4 * LEVEL_CELLS);
    const unsigned char* tiles = in.take(4 * LEVEL_CELLS);
    if (!ladders || !tiles)
        return damaged("layers cut short");
    for (int x = 0; x < LEVEL_WIDTH; ++x) {
        for (int y = 0; y < LEVEL_HEIGHT; ++y) {
            const int i = cell(x, y);
            ladders_[i] = static_cast<int32_t>(ByteOrder::peekU32(ladders + 4 * i));
            const int32_t value = static_cast<int32_t>(ByteOrder::peekU32(tiles + 4 * i));
            if (value == EC_NONE) {
                tiles_[i] = EC_NONE;
            } else if (value & MODIFIER_FROZEN) {
                modifiers_[i] = MODIFIER_FROZEN;
                tiles_[i] = value - MODIFIER_FROZEN;
                logMessage(LOG_LEVEL_LOAD, "CLevel::Load()     * Loading *FROZEN* tile (type = %i) at (%i,%i)\n", tiles_[i], x, y);
            } else if (value & MODIFIER_HEATED) {
                modifiers_[i] = MODIFIER_HEATED;
                tiles_[i] = value - MODIFIER_HEATED;
                logMessage(LOG_LEVEL_LOAD, "CLevel::Load()     * Loading *HEATED* tile (type = %i) at (%i,%i)\n", tiles_[i], x, y);
            } else {
                modifiers_[i] = MODIFIER_NONE;
                tiles_[i] = value;
                logMessage(LOG_LEVEL_LOAD, "CLevel::Load()     * Loading tile (type = %i) at (%i,%i)\n", value, x, y);
            }
            if (tiles_[i] == EC_POWERUP_TELEPORT)
                ++teleportPowerups_;
        }
    }

    for (int colour = 0; colour < TELEPORT_COLOURS; ++colour) {
        uint32_t count;
        if (!in.count(count, 8))
            return damaged("teleport count runs past the end");
        logMessage(LOG_LEVEL_LOAD, "CLevel::Load()   Read teleport (type = %i) vector (size = %i)\n", colour, static_cast<int>(count));
        for (uint32_t i = 0; i < count; ++i) {
            TeleportSpot spot = {0, 0};
            in.i32(spot.x);
            in.i32(spot.y);
            if (!onTeleportBorder(spot.x, spot.y))
                return damaged("teleport off the board");
            logMessage(LOG_LEVEL_LOAD, "CLevel::Load()     * (%i) Loading teleport (type = %i) at (%i,%i)\n",
                       static_cast<int>(i), colour, spot.x, spot.y);
            teleports_[colour].push_back(spot);
        }
    }

    uint32_t bubbles;
    if (!in.count(bubbles, 12))
        return damaged("tutorial count runs past the end");
    logMessage(LOG_LEVEL_LOAD, "CLevel::Load()   Read Tutorials:  %i bubbles\n", static_cast<int>(bubbles));
    for (uint32_t i = 0; i < bubbles; ++i) {
        int32_t x, y;
        uint32_t length;
        if (!in.i32(x) || !in.i32(y) || !in.u32(length))
            return damaged("tutorial cut short");
        logMessage(LOG_LEVEL_LOAD, "CLevel::Load()   Read Tutorial at (%i,%i)\n", x, y);
        logMessage(LOG_LEVEL_LOAD, "CLevel::Load()   Read Tutorial Length at (%i,%i):  %u\n", x, y, length);
        if (!inside(x, y))
            return damaged("tutorial off the board");
        const unsigned char* text = in.take(length);
        if (!text)
            return damaged("tutorial text runs past the end");
        // Longer texts than the editor writes are cut, not refused.
        std::string blurb(reinterpret_cast<const char*>(text), std::min<size_t>(length, TUTORIAL_TEXT_MAX));
        tutorials_[cell(x, y)] = blurb.c_str();
        logMessage(LOG_LEVEL_LOAD, "CLevel::Load()   Read Tutorial Blurb at (%i,%i):  %s\n", x, y, blurb.c_str());
    }

    int32_t background;
    if (!in.i32(background))
        return damaged("background missing");
    logMessage(LOG_LEVEL_LOAD, "CLevel::Load()   Read background:  %i\n", background);
    if (background < 0 || background >= BACKGROUND_COUNT)
        return damaged("no such background");
    background_ = background;

    uint32_t keys;
    if (!in.count(keys, 12))
        return damaged("solution count runs past the end");
    logMessage(LOG_LEVEL_LOAD, "CLevel::Load()   Read solution:  %i keystrokes\n", static_cast<int>(keys));
    solution_.reserve(keys);
    for (uint32_t i = 0; i < keys; ++i) {
        ReplayKey key;
        uint32_t released = 0;
        in.i32(key.frame);
        in.i32(key.key);
        in.u32(released);
        key.released = released != 0;
        logMessage(LOG_LEVEL_LOAD, "CLevel::Load()     * Loading keystroke at frame %i:  key %i  (released = %i)\n",
                   key.frame, key.key, key.released ? 1 : 0);
        solution_.push_back(key);
    }

    recorded_ = !solution_.empty();
    modified_ = false;
    return LevelLoadFailure::None;
}
