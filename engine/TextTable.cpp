#include "engine/TextTable.h"

#include <cerrno>
#include <cstdlib>

namespace {

constexpr uint16_t BYTE_ORDER_MARK = 0xFEFF;

enum class LineKind { Comment, Style, String };

// The fields of the line being read and the style values in force.
class TableReader
{
public:
    explicit TableReader(TextTable& table) : table_(table) {}

    void startLine(LineKind kind)
    {
        kind_ = kind;
        field_ = 1;
        buffer_.clear();
        numberRead_ = false;
    }

    void take(uint16_t c, bool endsField)
    {
        if (kind_ == LineKind::Comment)
            return;
        if (!endsField) {
            buffer_.push_back(static_cast<char16_t>(c));
            return;
        }
        if (kind_ == LineKind::Style)
            endStyleField();
        else
            endStringField();
        ++field_;
        buffer_.clear();
    }

private:
    std::string narrowBuffer() const { return CFontString(buffer_).narrow(); }

    void endStyleField()
    {
        if (field_ == 1) {
            style_.fontFile = narrowBuffer();
            return;
        }
        int32_t value = 0;
        if (field_ > 6 || !parseTextTableNumber(narrowBuffer(), value))
            return;
        switch (field_) {
        case 2: style_.size = value; break;
        case 3: style_.red = static_cast<uint8_t>(value & 0xFF); break;
        case 4: style_.green = static_cast<uint8_t>(value & 0xFF); break;
        case 5: style_.blue = static_cast<uint8_t>(value & 0xFF); break;
        case 6: style_.lineSpacing = value; break;
        }
    }

    // A string line whose number does not parse stores nothing, rather than
    // overwriting whatever entry an earlier line left in the number.
    void endStringField()
    {
        if (field_ == 1) {
            numberRead_ = parseTextTableNumber(narrowBuffer(), number_);
        } else if (field_ == 2 && numberRead_) {
            TextEntry entry = style_;
            entry.text = CFontString(buffer_);
            table_[number_] = std::move(entry);
        }
    }

    TextTable& table_;
    TextEntry style_;
    LineKind kind_ = LineKind::Comment;
    int field_ = 1;
    std::u16string buffer_;
    int32_t number_ = 0;
    bool numberRead_ = false;
};

bool lineKindOf(uint16_t c, LineKind& kind)
{
    switch (c) {
    case '#': kind = LineKind::Comment; return true;
    case '!': kind = LineKind::Style; return true;
    case '@': kind = LineKind::String; return true;
    default: return false;
    }
}

} // namespace

std::vector<uint16_t> textUnitsFromBytes(const std::string& bytes)
{
    std::vector<uint16_t> units(bytes.size() / 2);
    for (size_t i = 0; i < units.size(); ++i)
        units[i] = static_cast<uint16_t>(static_cast<unsigned char>(bytes[2 * i]) |
                                         static_cast<unsigned char>(bytes[2 * i + 1]) << 8);
    return units;
}

bool parseTextTableNumber(const std::string& field, int32_t& value)
{
    const char* start = field.c_str();
    char* end = nullptr;
    errno = 0;
    long parsed = strtol(start, &end, 10);
    if (end == start || errno == ERANGE || parsed < INT32_MIN || parsed > INT32_MAX)
        return false;
    value = static_cast<int32_t>(parsed);
    return true;
}

int parseTextTable(const std::vector<uint16_t>& units, TextTable& table)
{
    TableReader reader(table);
    int lines = 0;
    bool lineStart = true;
    size_t first = !units.empty() && units[0] == BYTE_ORDER_MARK ? 1 : 0;
    // One step past the last unit: the end of the data ends the last field.
    for (size_t i = first; i <= units.size(); ++i) {
        bool atEnd = i == units.size();
        uint16_t c = atEnd ? 0 : units[i];
        bool lineBreak = !atEnd && (c == '\n' || c == '\r');
        if (lineStart) {
            if (lineBreak)
                continue;
            ++lines;
            LineKind kind;
            if (atEnd || !lineKindOf(c, kind))
                return lines;
            reader.startLine(kind);
            lineStart = false;
            continue;
        }
        reader.take(c, atEnd || lineBreak || c == '|');
        lineStart = lineBreak;
    }
    return 0;
}
