#include "engine/FontSystem.h"
#include "engine/TextTable.h"
#include "platform/Folders.h"
#include "support/TestEnvironment.h"

#include <gtest/gtest.h>

#include <random>

using namespace corvelle_test;

namespace {

// The file bytes of a table text: UTF-16LE, optionally with a mark.
std::string fileBytes(const std::u16string& text, bool mark)
{
    std::string bytes = mark ? std::string("\xFF\xFE", 2) : std::string();
    for (char16_t c : text) {
        bytes.push_back(static_cast<char>(c & 0xFF));
        bytes.push_back(static_cast<char>(c >> 8));
    }
    return bytes;
}

struct Expected {
    int32_t number;
    std::u16string text;
    std::string font;
    int32_t size;
    int red, green, blue;
    int32_t spacing;
};

void expectEntry(const TextTable& table, const Expected& e, const std::string& label)
{
    auto found = table.find(e.number);
    ASSERT_NE(found, table.end()) << label << " entry " << e.number;
    const TextEntry& entry = found->second;
    EXPECT_EQ(entry.text.str(), e.text) << label;
    EXPECT_EQ(entry.fontFile, e.font) << label;
    EXPECT_EQ(entry.size, e.size) << label;
    EXPECT_EQ(entry.red, e.red) << label;
    EXPECT_EQ(entry.green, e.green) << label;
    EXPECT_EQ(entry.blue, e.blue) << label;
    EXPECT_EQ(entry.lineSpacing, e.spacing) << label;
}

} // namespace

TEST(TextTableTest, ParsesLinesAndStyles)
{
    struct Case {
        const char* label;
        std::u16string file;
        int badLine;
        std::vector<Expected> entries;
    } cases[] = {
        {"comment, style and string with CR LF", u"#a\r\n!f.ttf|20|255|0|0|4\r\n@7|Hello", 0,
         {{7, u"Hello", "f.ttf", 20, 255, 0, 0, 4}}},
        {"final CR LF", u"#a\r\n!f.ttf|20|255|0|0|4\r\n@7|Hello\r\n", 4, {}},
        {"final LF", u"@7|Hello\n", 2, {}},
        {"fields beyond the second", u"@7|A|B", 0, {{7, u"A", "", 0, 0, 0, 0, 0}}},
        {"string line without a bar", u"@7", 0, {}},
        {"empty text", u"@7|\n@8|x", 0, {{7, u"", "", 0, 0, 0, 0, 0}, {8, u"x", "", 0, 0, 0, 0, 0}}},
        {"partial style keeps the rest", u"!f.ttf|20|1|2|3|4\n!g.ttf|30\n@1|x", 0,
         {{1, u"x", "g.ttf", 30, 1, 2, 3, 4}}},
        {"bad numbers keep the old value, colours keep their low 8 bits",
         u"!f.ttf|20|1|2|3|4\n!|abc|300|-1||7|99\n@1|x", 0, {{1, u"x", "", 20, 44, 255, 3, 7}}},
        {"a later line replaces", u"!a|1|0|0|0|0\n@5|old\n!b|2|0|0|0|0\n@5|new", 0,
         {{5, u"new", "b", 2, 0, 0, 0, 0}}},
        {"each entry keeps its own style", u"!a|1|0|0|0|0\n@1|one\n!b|2|9|9|9|1\n@2|two", 0,
         {{1, u"one", "a", 1, 0, 0, 0, 0}, {2, u"two", "b", 2, 9, 9, 9, 1}}},
        {"CR alone and LF alone end lines", u"!a|1|0|0|0|0\r@1|x\n@2|y", 0,
         {{1, u"x", "a", 1, 0, 0, 0, 0}, {2, u"y", "a", 1, 0, 0, 0, 0}}},
        {"empty lines are not counted", u"#a\n\n\r\n\n x", 2, {}},
        {"a line starting with a space", u"@1|x\n @2|y", 2, {}},
        {"unknown line kind", u"#c\n@1|x\nhello", 3, {}},
        {"nothing at all", u"", 1, {}},
        {"a mark inside is a character", u"@1|a\xFEFF" u"b", 0, {{1, u"a\xFEFF" u"b", "", 0, 0, 0, 0, 0}}},
        {"full 16-bit characters", u"@1|\x4E2D\x00E9\xFFFD", 0, {{1, u"\x4E2D\x00E9\xFFFD", "", 0, 0, 0, 0, 0}}},
        {"a number that does not parse stores nothing", u"@5|five\n@five|oops", 0, {{5, u"five", "", 0, 0, 0, 0, 0}}},
        {"negative and padded numbers", u"@-3|m\n@12abc|n", 0,
         {{-3, u"m", "", 0, 0, 0, 0, 0}, {12, u"n", "", 0, 0, 0, 0, 0}}},
    };
    for (const Case& c : cases) {
        for (bool mark : {false, true}) {
            std::string label = std::string(c.label) + (mark ? " (with mark)" : "");
            TextTable table;
            EXPECT_EQ(parseTextTable(textUnitsFromBytes(fileBytes(c.file, mark)), table), c.badLine) << label;
            if (c.badLine != 0)
                continue;
            EXPECT_EQ(table.size(), c.entries.size()) << label;
            for (const Expected& e : c.entries)
                expectEntry(table, e, label);
        }
    }
}

TEST(TextTableTest, OddByteAndNumberOverflow)
{
    TextTable table;
    std::string bytes = fileBytes(u"@1|ab", true) + "\x41";
    EXPECT_EQ(parseTextTable(textUnitsFromBytes(bytes), table), 0);
    EXPECT_EQ(table.at(1).text.str(), u"ab");

    int32_t value = 7;
    EXPECT_FALSE(parseTextTableNumber("99999999999", value));
    EXPECT_FALSE(parseTextTableNumber("", value));
    EXPECT_FALSE(parseTextTableNumber("-", value));
    EXPECT_EQ(value, 7);
    EXPECT_TRUE(parseTextTableNumber("-2147483648", value));
    EXPECT_EQ(value, INT32_MIN);
}

TEST(TextTableTest, GarbageNeverCrashes)
{
    std::mt19937 random(12345);
    const char16_t alphabet[] = {u'@', u'!', u'#', u'|', u'\n', u'\r', u'1', u'9', u'-', u'x', u' ', 0xFEFF, 0, 0xD800};
    for (int round = 0; round < 500; ++round) {
        std::vector<uint16_t> data(random() % 64);
        for (uint16_t& unit : data)
            unit = round % 2 ? static_cast<uint16_t>(random()) : alphabet[random() % std::size(alphabet)];
        TextTable table;
        int badLine = parseTextTable(data, table);
        EXPECT_GE(badLine, 0);
    }
}

class TextTableFileTest : public testing::Test
{
protected:
    void SetUp() override
    {
        initDirectories();
        dir_ = makeTempDir("table");
    }
    void TearDown() override { CFontSystem::Shutdown(); }

    std::string errorLog() const { return readFile(std::string(getProfileDirectory()) + "LOG.TXT"); }

    std::string dir_;
};

TEST_F(TextTableFileTest, LoadsTheFileAndReplacesTheTable)
{
    writeFile(dir_ + "/first.dat", fileBytes(u"!f.ttf|20|255|0|0|4\r\n@7|Hello\r\n@8|There", true));
    writeFile(dir_ + "/second.dat", fileBytes(u"!g.ttf|10|0|0|0|0\n@9|Again", false));
    CFontSystem::Init("./", (dir_ + "/first.dat").c_str());
    ASSERT_NE(CFontSystem::GetEntry(7), nullptr);
    EXPECT_EQ(CFontSystem::GetEntry(7)->text.str(), u"Hello");
    EXPECT_EQ(CFontSystem::GetEntry(8)->fontFile, "f.ttf");
    CFontSystem::LoadStringFile((dir_ + "/second.dat").c_str());
    EXPECT_EQ(CFontSystem::GetEntry(7), nullptr);
    EXPECT_EQ(CFontSystem::GetEntry(9)->text.str(), u"Again");
}

TEST_F(TextTableFileTest, UnreadableOrBadFilesAreFatal)
{
    EXPECT_EXIT(CFontSystem::Init("./", (dir_ + "/missing.dat").c_str()), testing::ExitedWithCode(1), "");
    EXPECT_NE(errorLog().find("FONTSYSTEM: Cannot load string data file.\n"), std::string::npos);

    writeFile(dir_ + "/bad.dat", fileBytes(u"#a\r\n!f.ttf|20|255|0|0|4\r\n@7|Hello\r\n", true));
    EXPECT_EXIT(CFontSystem::Init("./", (dir_ + "/bad.dat").c_str()), testing::ExitedWithCode(1), "");
    EXPECT_NE(errorLog().find("FONTSYSTEM: Unable to parse line number 4\n"), std::string::npos);

    EXPECT_EXIT(CFontSystem::Init("./", dir_.c_str()), testing::ExitedWithCode(1), "");
}
