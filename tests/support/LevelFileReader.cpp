#include "support/LevelFileReader.h"

#include <fstream>
#include <iterator>

namespace corvelle_test {

namespace {

class Bytes
{
public:
    explicit Bytes(std::string data) : data_(std::move(data)) {}

    bool u32(uint32_t& out)
    {
        if (data_.size() - at_ < 4)
            return false;
        out = 0;
        for (int i = 3; i >= 0; --i)
            out = out << 8 | static_cast<unsigned char>(data_[at_ + static_cast<size_t>(i)]);
        at_ += 4;
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
    bool text(size_t size, std::string& out)
    {
        if (data_.size() - at_ < size)
            return false;
        out = data_.substr(at_, size);
        at_ += size;
        return true;
    }
    bool done() const { return at_ == data_.size(); }

private:
    std::string data_;
    size_t at_ = 0;
};

} // namespace

bool readLevelFile(const std::string& path, LevelFileContents& out, std::string& error)
{
    std::ifstream file(path, std::ios::binary);
    if (!file) {
        error = "cannot open " + path;
        return false;
    }
    Bytes in{std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>())};
    std::string heading;
    if (!in.u32(out.id) || !in.text(33, heading)) {
        error = "short head";
        return false;
    }
    out.heading = heading.substr(0, heading.find('\0'));
    for (auto* layer : {&out.ladders, &out.tiles})
        for (int32_t& cell : *layer)
            if (!in.i32(cell)) {
                error = "short layers";
                return false;
            }
    for (auto& list : out.teleports) {
        uint32_t count;
        if (!in.u32(count)) {
            error = "short teleports";
            return false;
        }
        for (uint32_t i = 0; i < count; ++i) {
            LevelFileContents::Spot spot{};
            if (!in.i32(spot.x) || !in.i32(spot.y)) {
                error = "short teleport";
                return false;
            }
            list.push_back(spot);
        }
    }
    uint32_t bubbles;
    if (!in.u32(bubbles)) {
        error = "short bubble count";
        return false;
    }
    for (uint32_t i = 0; i < bubbles; ++i) {
        LevelFileContents::Bubble bubble{};
        uint32_t length;
        if (!in.i32(bubble.x) || !in.i32(bubble.y) || !in.u32(length) || !in.text(length, bubble.text)) {
            error = "short bubble";
            return false;
        }
        out.bubbles.push_back(bubble);
    }
    uint32_t keys;
    if (!in.i32(out.background) || !in.u32(keys)) {
        error = "short tail";
        return false;
    }
    for (uint32_t i = 0; i < keys; ++i) {
        LevelFileContents::Key key{};
        if (!in.i32(key.frame) || !in.i32(key.key) || !in.u32(key.released)) {
            error = "short solution";
            return false;
        }
        out.solution.push_back(key);
    }
    if (!in.done()) {
        error = "bytes after the solution";
        return false;
    }
    return true;
}

} // namespace corvelle_test
