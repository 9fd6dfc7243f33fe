#include "engine/TextTable.h"
#include "support/GameRun.h"
#include "support/TestEnvironment.h"

#include <gtest/gtest.h>


#include <string>

using namespace corvelle_test;

namespace {

using ToolRun = CommandRun;

ToolRun runTextTool(const std::string& arguments)
{
    return runCommand(std::string(CORVELLE_TEXTTABLE) + " " + arguments);
}

// The UTF-16LE bytes of an ASCII text, as the table holds it.
std::string utf16(const std::string& ascii)
{
    std::string bytes;
    for (char c : ascii) {
        bytes.push_back(c);
        bytes.push_back('\0');
    }
    return bytes;
}

const char* const STYLE = "!font.ttf|20|1|2|3|0\n";

} // namespace

TEST(TextToolTest, NamedEntriesBecomeConstantsAndLeaveTheTableAsBefore)
{
    const std::string dir = makeTempDir("texttool-named");
    writeFile(dir + "/a.txt", std::string(STYLE) + "@1800 TEXT_OK|%bOK%b\n@1801|Cancel\n@2200 TEXT_MORE_TITLE|More\n");

    ToolRun header = runTextTool("--ids " + dir + "/TextIds.h " + dir + "/a.txt");
    ASSERT_EQ(header.status, 0) << header.output;
    const std::string ids = readFile(dir + "/TextIds.h");
    EXPECT_NE(ids.find("#pragma once"), std::string::npos);
    EXPECT_NE(ids.find("constexpr int TEXT_OK = 1800;\n"), std::string::npos) << ids;
    EXPECT_NE(ids.find("constexpr int TEXT_MORE_TITLE = 2200;\n"), std::string::npos) << ids;
    EXPECT_EQ(ids.find("1801"), std::string::npos) << "an entry without a name gets no constant";

    ToolRun table = runTextTool(dir + "/table.dat " + dir + "/a.txt");
    ASSERT_EQ(table.status, 0) << table.output;
    const std::string bytes = readFile(dir + "/table.dat");
    EXPECT_NE(bytes.find(utf16("@1800|%bOK%b")), std::string::npos) << "the name stays out of the table";
    EXPECT_EQ(bytes.find(utf16("TEXT_")), std::string::npos);
    TextTable read;
    EXPECT_EQ(parseTextTable(textUnitsFromBytes(bytes), read), 0);
    EXPECT_EQ(read.size(), 3u);
}

TEST(TextToolTest, AMalformedOrRepeatedNameFailsTheBuild)
{
    struct Case {
        const char* what;
        std::string first, second;
        const char* message;
    } cases[] = {
        {"a name used twice across files", "@1 TEXT_A|a\n", "@2 TEXT_A|b\n", "already given at"},
        {"a lower-case name", "@1 text_a|a\n", "@2|b\n", "upper-case identifier"},
        {"a name with a space in it", "@1 TEXT A|a\n", "@2|b\n", "upper-case identifier"},
        {"two spaces before the name", "@1  TEXT_A|a\n", "@2|b\n", "upper-case identifier"},
        {"a name without a number", "@TEXT_A|a\n", "@2|b\n", "whole number"},
    };
    const std::string dir = makeTempDir("texttool-refused");
    for (const Case& c : cases) {
        writeFile(dir + "/first.txt", STYLE + c.first);
        writeFile(dir + "/second.txt", STYLE + c.second);
        for (const char* mode : {"--ids ", ""}) {
            ToolRun run = runTextTool(std::string(mode) + dir + "/out " + dir + "/first.txt " + dir + "/second.txt");
            EXPECT_EQ(run.status, 1) << c.what << " (" << mode << ")";
            EXPECT_NE(run.output.find(c.message), std::string::npos) << c.what << ": " << run.output;
        }
    }
}
