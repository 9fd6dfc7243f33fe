// texttable: builds the game's text table from its UTF-8 sources, or the
// header that names its entries for the code.
//   texttable OUTPUT SOURCE...
//   texttable --ids HEADER SOURCE...
// The sources use the table's own line syntax: "# comment",
// "!font|size|red|green|blue|spacing" and "@number|text", where a string
// line may name its entry: "@number NAME|text". The table holds their style
// and string lines in the order given, without the names, as UTF-16LE with
// a byte-order mark, lines ended by LF and nothing after the last field (a
// final line break would make the game refuse the file). The header holds
// one `constexpr int NAME = number;` per named entry, so that the code says
// which text it draws instead of spelling its number.
//
// The game reads the table leniently; this tool is strict, so that a slip in
// a source fails the build instead of quietly losing a text: every style
// line has all six fields, every string line exactly a number and a text
// after a style line of its own file, no number or name is used twice, a
// name is an upper-case identifier, and every character is valid UTF-8
// within 16 bits.
#include "engine/TextTable.h"

#include <cctype>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <iostream>
#include <iterator>
#include <map>
#include <string>
#include <vector>

namespace {

struct SourceError {
    std::string where;
    std::string message;
};

struct NamedEntry {
    std::string name;
    int32_t number;
};

// What the sources define so far: every number and every name, with where.
struct Definitions {
    std::map<int32_t, std::string> numbers;
    std::map<std::string, std::string> names;
    std::vector<NamedEntry> named;
};

// Decodes one line of UTF-8 into 16-bit units.
bool decodeUtf8(const std::string& line, std::u16string& out, std::string& problem)
{
    out.clear();
    for (size_t i = 0; i < line.size();) {
        unsigned char lead = static_cast<unsigned char>(line[i]);
        uint32_t code = 0;
        size_t extra = 0;
        if (lead < 0x80) {
            code = lead;
        } else if ((lead & 0xE0) == 0xC0) {
            code = lead & 0x1F;
            extra = 1;
        } else if ((lead & 0xF0) == 0xE0) {
            code = lead & 0x0F;
            extra = 2;
        } else {
            problem = "a character beyond 16 bits or a broken UTF-8 sequence";
            return false;
        }
        if (i + extra >= line.size()) {
            problem = "a broken UTF-8 sequence";
            return false;
        }
        for (size_t k = 1; k <= extra; ++k) {
            unsigned char next = static_cast<unsigned char>(line[i + k]);
            if ((next & 0xC0) != 0x80) {
                problem = "a broken UTF-8 sequence";
                return false;
            }
            code = code << 6 | (next & 0x3F);
        }
        bool overlong = (extra == 1 && code < 0x80) || (extra == 2 && code < 0x800);
        bool surrogate = code >= 0xD800 && code <= 0xDFFF;
        if (overlong || surrogate) {
            problem = "a broken UTF-8 sequence";
            return false;
        }
        if (code < 0x20 || code == 0xFEFF || code == 0xFFFE) {
            problem = "a control character or byte-order mark";
            return false;
        }
        out.push_back(static_cast<char16_t>(code));
        i += extra + 1;
    }
    return true;
}

std::vector<std::string> splitFields(const std::string& body)
{
    std::vector<std::string> fields;
    size_t start = 0;
    for (;;) {
        size_t bar = body.find('|', start);
        fields.push_back(body.substr(start, bar == std::string::npos ? std::string::npos : bar - start));
        if (bar == std::string::npos)
            return fields;
        start = bar + 1;
    }
}

bool isWholeNumber(const std::string& field, int32_t low, int32_t high)
{
    if (field.empty())
        return false;
    for (size_t i = 0; i < field.size(); ++i)
        if (!(isdigit(static_cast<unsigned char>(field[i])) || (i == 0 && field[i] == '-' && field.size() > 1)))
            return false;
    int32_t value = 0;
    return parseTextTableNumber(field, value) && value >= low && value <= high;
}

bool isIdentifier(const std::string& name)
{
    if (name.empty() || !isupper(static_cast<unsigned char>(name[0])))
        return false;
    for (char c : name)
        if (!(isupper(static_cast<unsigned char>(c)) || isdigit(static_cast<unsigned char>(c)) || c == '_'))
            return false;
    return true;
}

// A string line's first field: the number, then its name after one space.
std::string checkName(const std::string& name, int32_t number, Definitions& defined, const std::string& where)
{
    if (!isIdentifier(name))
        return "a text's name must be an upper-case identifier (A-Z, 0-9, _) after one space";
    auto earlier = defined.names.find(name);
    if (earlier != defined.names.end())
        return "the name " + name + " is already given at " + earlier->second;
    defined.names[name] = where;
    defined.named.push_back({name, number});
    return "";
}

// Checks one line; returns the problem or an empty text. A string line's
// name is taken out of `line`.
std::string checkLine(std::string& line, bool& styleSeen, Definitions& defined, const std::string& where)
{
    std::vector<std::string> fields = splitFields(line.substr(1));
    if (line[0] == '!') {
        if (fields.size() != 6)
            return "a style line needs six fields: font|size|red|green|blue|spacing";
        if (fields[0].empty())
            return "a style line needs a font file";
        if (!isWholeNumber(fields[1], 1, 200))
            return "the size must be a number from 1 to 200";
        for (int i = 2; i <= 4; ++i)
            if (!isWholeNumber(fields[i], 0, 255))
                return "a colour value must be a number from 0 to 255";
        if (!isWholeNumber(fields[5], -100, 100))
            return "the line spacing must be a number from -100 to 100";
        styleSeen = true;
        return "";
    }
    if (fields.size() != 2)
        return "a string line needs exactly a number and a text: @number|text (no '|' in the text)";
    size_t space = fields[0].find(' ');
    std::string numberField = fields[0].substr(0, space);
    if (!isWholeNumber(numberField, 0, INT32_MAX))
        return "the string number must be a whole number";
    if (!styleSeen)
        return "a string line needs a style line before it in its own file";
    int32_t number = 0;
    parseTextTableNumber(numberField, number);
    auto earlier = defined.numbers.find(number);
    if (earlier != defined.numbers.end())
        return "string " + numberField + " is already defined at " + earlier->second;
    defined.numbers[number] = where;
    if (space == std::string::npos)
        return "";
    line = "@" + numberField + "|" + fields[1];
    return checkName(fields[0].substr(space + 1), number, defined, where);
}

bool convertSource(const std::string& path, std::u16string& table, Definitions& defined, SourceError& error)
{
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        error = {path, "cannot be read"};
        return false;
    }
    bool styleSeen = false;
    std::string line;
    for (int lineNumber = 1; std::getline(in, line); ++lineNumber) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        std::string where = path + ":" + std::to_string(lineNumber);
        if (line.empty() || line[0] == '#')
            continue;
        if (line[0] != '!' && line[0] != '@') {
            error = {where, "a line must start with '#', '!' or '@'"};
            return false;
        }
        std::string problem = checkLine(line, styleSeen, defined, where);
        std::u16string units;
        if (problem.empty() && !decodeUtf8(line, units, problem))
            problem = "holds " + problem;
        if (!problem.empty()) {
            error = {where, problem};
            return false;
        }
        if (!table.empty())
            table.push_back(u'\n');
        table += units;
    }
    return true;
}

std::string littleEndianBytes(const std::u16string& units)
{
    std::string bytes;
    for (char16_t unit : units) {
        bytes.push_back(static_cast<char>(unit & 0xFF));
        bytes.push_back(static_cast<char>(unit >> 8));
    }
    return bytes;
}

std::string idsHeader(const std::vector<NamedEntry>& named)
{
    std::string text = "#pragma once\n\n"
                       "// The named entries of the text table, made by the text tool from assets/text/:\n"
                       "// edit the sources, not this file.\n\n";
    for (const NamedEntry& entry : named)
        text += "constexpr int " + entry.name + " = " + std::to_string(entry.number) + ";\n";
    return text;
}

bool writeFile(const char* path, const std::string& bytes)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!out) {
        std::cerr << "texttable: cannot write " << path << "\n";
        return false;
    }
    return true;
}

} // namespace

int main(int argc, char** argv)
{
    bool idsOnly = argc > 1 && std::string(argv[1]) == "--ids";
    int first = idsOnly ? 2 : 1;
    if (argc < first + 2) {
        std::cerr << "usage: texttable OUTPUT SOURCE...\n       texttable --ids HEADER SOURCE...\n";
        return 2;
    }
    std::u16string table(1, u'\xFEFF');
    Definitions defined;
    for (int i = first + 1; i < argc; ++i) {
        std::u16string source;
        SourceError error;
        if (!convertSource(argv[i], source, defined, error)) {
            std::cerr << error.where << ": " << error.message << "\n";
            return 1;
        }
        if (source.empty())
            continue;
        if (table.size() > 1)
            table.push_back(u'\n');
        table += source;
    }

    if (idsOnly)
        return writeFile(argv[first], idsHeader(defined.named)) ? 0 : 1;

    // The game must read back exactly what was written.
    std::string bytes = littleEndianBytes(table);
    TextTable check;
    int badLine = parseTextTable(textUnitsFromBytes(bytes), check);
    if (badLine != 0 || check.size() != defined.numbers.size()) {
        std::cerr << "texttable: the table does not read back (line " << badLine << ")\n";
        return 1;
    }
    return writeFile(argv[first], bytes) ? 0 : 1;
}
