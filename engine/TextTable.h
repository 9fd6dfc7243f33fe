#pragma once

#include "engine/FontString.h"

#include <cstdint>
#include <map>
#include <string>
#include <vector>

// One entry of the text table: its text and the style in force where it
// stands in the table file.
struct TextEntry {
    CFontString text;
    std::string fontFile; // relative to the font folder
    int32_t size = 0;     // points
    uint8_t red = 0;
    uint8_t green = 0;
    uint8_t blue = 0;
    int32_t lineSpacing = 0; // extra pixels between two lines
};

using TextTable = std::map<int32_t, TextEntry>;

// The table file is a sequence of 16-bit little-endian units; an odd last
// byte is no unit.
std::vector<uint16_t> textUnitsFromBytes(const std::string& bytes);

// Reads table lines into `table` (entries with the same number are replaced).
// Lines end at LF or CR; empty lines are skipped; a line starts with "#"
// (comment), "!" (style: font|size|red|green|blue|spacing) or "@" (string:
// number|text). A leading byte-order mark is skipped. Returns 0 when every
// line parsed, else the number of the offending line, counting non-empty
// lines. The end of the data counts as one more character, so data ending in
// a line break fails on the empty line after it.
int parseTextTable(const std::vector<uint16_t>& units, TextTable& table);

// Leading decimal number of a field ("-12", "20px" -> 20). False when the
// field holds no digits or the value does not fit 32 bits.
bool parseTextTableNumber(const std::string& field, int32_t& value);
