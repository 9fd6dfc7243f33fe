#include "engine/Strings.h"

#include <gtest/gtest.h>

TEST(StringsTest, SplitDropsEmptyPieces)
{
    struct Case {
        const char* text;
        const char* delimiters;
        std::vector<std::string> pieces;
    } cases[] = {
        {"a,,b,", ",", {"a", "b"}},
        {"", ",", {}},
        {"  MOREGAMES_URL   x  ", " ", {"MOREGAMES_URL", "x"}},
        {"one", " ", {"one"}},
        {",;,", ",;", {}},
        {"1\n2\r\n3", "\r\n", {"1", "2", "3"}},
    };
    for (const Case& c : cases) {
        std::vector<std::string> out;
        splitString(c.text, out, c.delimiters);
        EXPECT_EQ(out, c.pieces) << c.text;
    }
    std::vector<std::string> appended = {"keep"};
    splitString("x y", appended, " ");
    EXPECT_EQ(appended, (std::vector<std::string>{"keep", "x", "y"}));
}

TEST(StringsTest, ThousandsSeparators)
{
    struct Case {
        int value;
        const char* text;
    } cases[] = {{-5, "0"}, {0, "0"}, {1, "1"}, {999, "999"}, {1000, "1,000"},
                 {1000000, "1,000,000"}, {1002003, "1,002,003"}, {2147483647, "2,147,483,647"}};
    for (const Case& c : cases)
        EXPECT_EQ(formatThousands(c.value), c.text) << c.value;
}

TEST(StringsTest, UpperCopyHasNoLengthLimit)
{
    EXPECT_EQ(toUpperCopy("abc.lvl"), "ABC.LVL");
    std::string longText(1000, 'q');
    EXPECT_EQ(toUpperCopy(longText), std::string(1000, 'Q'));
    EXPECT_EQ(toUpperCopy("\xE9x"), "\xE9X");
}

TEST(StringsTest, Utf8PrefixCutsBetweenCharacters)
{
    struct Case {
        const char* text;
        size_t characters;
        const char* prefix;
    } cases[] = {
        {"abcdef", 3, "abc"},
        {"ab", 3, "ab"},
        {"caf\xC3\xA9s", 4, "caf\xC3\xA9"},
        {"caf\xC3\xA9s", 3, "caf"},
        {"\xE2\x80\x9Cx\xE2\x80\x9D", 2, "\xE2\x80\x9Cx"},
        {"abc", 0, ""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(utf8Prefix(c.text, c.characters), c.prefix) << c.text << " " << c.characters;
}
