#include "ProfileTestSupport.h"

#include "engine/Parameters.h"
#include "support/TestEnvironment.h"

using namespace corvelle_test;
using namespace profile_test;

namespace {

// "number:name|number:name" in list order.
std::string listOf(const CProfile& profile)
{
    std::string list;
    for (int i = 0; i < profile.GetProfileCount(); ++i) {
        std::string name = profile.GetProfileName(i);
        list += (i ? "|" : "") + std::to_string(profile.FindProfileNumber(name)) + ":" + name;
    }
    EXPECT_EQ(profile.GetProfileName(profile.GetProfileCount()), nullptr);
    return list;
}

std::string nameField(const std::string& text)
{
    return text + std::string(16 - text.size(), '\0');
}

} // namespace

TEST_F(ProfileTest, FirstRunWritesTheHeaderAndTheFirstProfile)
{
    profile = std::make_unique<CProfile>();
    std::string expectedHeader = i32Bytes(3) + i32Bytes(3600) + i32Bytes(0) + i32Bytes(0) + std::string(10, '\0') +
                                 i32Bytes(0) + i32Bytes(1) + i32Bytes(0) + nameField("PLAYER 1") + nameField("");
    EXPECT_EQ(readFile(headerPath()), expectedHeader);

    std::string file = readFile(profilePath(0));
    ASSERT_EQ(file.size(), EMPTY_PROFILE_SIZE);
    std::string expectedBase = std::string(256, '\0') + '\x01' + i32Bytes(6) + i32Bytes(6) + i32Bytes(6) +
                               std::string("\x01\x01\x01\x00\x00\x80\x3f", 7);
    EXPECT_EQ(file.substr(0, KEYS), expectedBase);
    const int keys[] = {114, 117, 276, 275, 273, 274, 102, 49, 50, 51, 52, 53, 54, 55, 56, 57};
    for (int i = 0; i < 16; ++i)
        EXPECT_EQ(peekI32(file, KEYS + 4 * i), keys[i]) << i;
    EXPECT_EQ(peekI32(file, REGULAR_SCORES), -1);
    EXPECT_EQ(peekI32(file, RECORD_COUNT), 0);
    EXPECT_EQ(file.substr(RECORD_COUNT + 4), std::string("\x01\x01\x01", 3) + std::string(10, '\0'));

    EXPECT_EQ(listOf(*profile), "0:PLAYER 1");
    EXPECT_EQ(profile->GetCurrentProfileNumber(), 0);
    EXPECT_EQ(profile->GetLevel(), 0);
    EXPECT_EQ(profile->GetScore(0, 0, false), CProfile::SCORE_OPEN);
    EXPECT_TRUE(profile->IsLevelLocked(0, 1));
}

TEST_F(ProfileTest, SavedFileCarriesTheMoreGamesAddressOfTheMoment)
{
    std::string dir = makeTempDir("parameters");
    ScopedWorkingDir inDir(dir);
    writeFile(dir + "/resource8.dat", "MOREGAMES_URL http://first.example/\n");
    LoadParameters();
    profile = std::make_unique<CProfile>();
    EXPECT_EQ(readFile(profilePath(0)).substr(0, 21), std::string("http://first.example/") );

    ResetParametersForTesting();
    writeFile(dir + "/resource8.dat", "MOREGAMES_URL http://b.example/\n");
    LoadParameters();
    profile->SaveProfile();
    EXPECT_EQ(readFile(profilePath(0)).substr(0, 256), "http://b.example/" + std::string(256 - 17, '\0'));
    ResetParametersForTesting();
}

TEST_F(ProfileTest, ProfileNumbersAreNeverGivenTwice)
{
    struct Step {
        char op; // a add, d delete, s select, o reopen, x a stray file for the number named
        const char* name;
    };
    struct Case {
        std::vector<Step> steps;
        const char* list;
        int current;
    } cases[] = {
        {{{'a', "B"}}, "0:PLAYER 1|1:B", 1},
        {{{'a', "B"}, {'d', "PLAYER 1"}, {'a', "C"}}, "1:B|2:C", 2},
        {{{'d', "PLAYER 1"}}, "1:PLAYER 1", 1},
        {{{'a', "Zed"}, {'a', "Adam"}, {'a', "Mia"}, {'d', "Mia"}}, "0:PLAYER 1|1:Zed|2:Adam", 2},
        {{{'a', "B"}, {'d', "B"}, {'o', ""}, {'a', "C"}}, "0:PLAYER 1|2:C", 2},
        {{{'a', "B"}, {'s', "PLAYER 1"}, {'d', "B"}}, "0:PLAYER 1", 0},
        {{{'a', "B"}, {'s', "PLAYER 1"}, {'o', ""}}, "0:PLAYER 1|1:B", 0},
        {{{'a', "B"}, {'a', "B"}}, "0:PLAYER 1|1:B", 1},
        {{{'a', "SIXTEEN LETTERS!"}}, "0:PLAYER 1", 0},
        {{{'x', "1"}, {'a', "B"}}, "0:PLAYER 1|2:B", 2},
    };
    for (size_t c = 0; c < std::size(cases); ++c) {
        profile.reset();
        removeProfileFiles();
        profile = std::make_unique<CProfile>();
        for (const Step& step : cases[c].steps) {
            std::string name = step.name;
            if (step.op == 'a')
                profile->AddProfile(name);
            if (step.op == 'd') // through the list's own text, as the profiles screen does
                profile->DeleteProfile(profile->GetProfileNameByNumber(profile->FindProfileNumber(name)));
            if (step.op == 's')
                profile->SelectProfile(name.c_str());
            if (step.op == 'o')
                reopen();
            if (step.op == 'x')
                writeFile(profilePath(std::stoi(name)), "stray");
        }
        EXPECT_EQ(listOf(*profile), cases[c].list) << c;
        EXPECT_EQ(profile->GetCurrentProfileNumber(), cases[c].current) << c;
        reopen();
        EXPECT_EQ(listOf(*profile), cases[c].list) << c << " after reopening";
        EXPECT_EQ(profile->GetCurrentProfileNumber(), cases[c].current) << c << " after reopening";
        for (const Step& step : cases[c].steps) {
            if (step.op == 'x') {
                EXPECT_EQ(readFile(profilePath(std::stoi(step.name))), "stray") << c;
            }
        }
    }
}

TEST_F(ProfileTest, RenamingAndOnlineNames)
{
    profile = std::make_unique<CProfile>();
    profile->AddProfile("B");
    EXPECT_TRUE(profile->RenameProfile("PLAYER 1", "Ann"));
    EXPECT_FALSE(profile->RenameProfile("Ann", "B"));
    EXPECT_FALSE(profile->RenameProfile("Ann", "SIXTEEN LETTERS!"));
    EXPECT_TRUE(profile->RenameProfile("Ann", "Ann"));

    EXPECT_STREQ(profile->GetOnlineName(-1), "");
    EXPECT_FALSE(profile->HasOnlineName(-1));
    EXPECT_EQ(profile->GetOnlineName(7), nullptr);
    EXPECT_FALSE(profile->SetOnlineName("SIXTEEN LETTERS!"));
    EXPECT_STREQ(profile->GetOnlineName(-1), "");
    ASSERT_TRUE(profile->SetOnlineName("FIFTEEN LETTERS"));
    // The header holds the online name, so it is written at once.
    EXPECT_NE(readFile(headerPath()).find(nameField("B") + "FIFTEEN LETTERS"), std::string::npos);

    reopen();
    EXPECT_EQ(listOf(*profile), "0:Ann|1:B");
    EXPECT_STREQ(profile->GetOnlineName(1), "FIFTEEN LETTERS");
    EXPECT_TRUE(profile->HasOnlineName(-1));
    EXPECT_STREQ(profile->GetOnlineName(0), "");
    EXPECT_STREQ(profile->GetProfileNameByNumber(-1), "B");
}

TEST_F(ProfileTest, PasswordKeepsNineCharactersAndItsTerminator)
{
    struct Case {
        const char* typed;
        const char* kept;
    } cases[] = {
        {"", ""}, {"abc", "abc"}, {"12345678", "12345678"}, {"123456789", "123456789"}, {"0123456789", "012345678"},
    };
    profile = std::make_unique<CProfile>();
    for (const Case& c : cases) {
        profile->SetPassword(c.typed);
        std::string field = readFile(headerPath()).substr(16, 10);
        EXPECT_EQ(field, std::string(c.kept) + std::string(10 - strlen(c.kept), '\0')) << c.typed;
        EXPECT_EQ(field.back(), '\0') << "the field always ends in its terminator";
        reopen();
        EXPECT_STREQ(profile->GetPassword(), c.kept);
        EXPECT_EQ(profile->HasPassword(), *c.kept != '\0');
    }
    // A header written with all ten bytes used keeps the first nine.
    profile.reset();
    std::string header = readFile(headerPath());
    header.replace(16, 10, "ABCDEFGHIJ");
    writeFile(headerPath(), header);
    profile = std::make_unique<CProfile>();
    EXPECT_STREQ(profile->GetPassword(), "ABCDEFGHI");
}

TEST_F(ProfileTest, StatusWordTravelsWithTheHeader)
{
    profile = std::make_unique<CProfile>();
    profile->SetCheaterFlag(CProfileBase::STATUS_KEPT | CProfileBase::STATUS_SCORE_REPAIRED);
    EXPECT_TRUE(profile->IsCheaterFlag1());
    EXPECT_TRUE(profile->IsCheaterFlag4());
    profile->ClearCheaterFlag(CProfileBase::STATUS_SCORE_REPAIRED);
    EXPECT_FALSE(profile->IsCheaterFlag4());
    reopen();
    EXPECT_EQ(profile->GetCheaterStatus(), CProfileBase::STATUS_KEPT);
    EXPECT_EQ(peekI32(readFile(headerPath()), 12), 1);
}

TEST_F(ProfileTest, UnknownNamesAndNumbersAreFatal)
{
    profile = std::make_unique<CProfile>();
    EXPECT_EXIT(profile->GetProfileNameByNumber(5), testing::ExitedWithCode(1), "");
    EXPECT_EXIT(profile->FindProfileNumber("nobody"), testing::ExitedWithCode(1), "");
    EXPECT_EXIT(profile->SelectProfile("nobody"), testing::ExitedWithCode(1), "");
    EXPECT_EXIT(profile->RenameProfile("nobody", "x"), testing::ExitedWithCode(1), "");
    EXPECT_EXIT(profile->DeleteProfile("nobody"), testing::ExitedWithCode(1), "");
    std::string log = readFile(dataPath("LOG.TXT"));
    for (const char* message : {"Unable to find profile name.\n", "Unable to find profile number.\n",
                                "Unable to find profile to rename.\n", "Unable to find profile to delete.\n"})
        EXPECT_NE(log.find(message), std::string::npos) << message;
}

TEST_F(ProfileTest, NamesTheHeaderCannotHoldAreRefusedAndTheFileKept)
{
    profile = std::make_unique<CProfile>();
    profile->AddProfile("Ann");
    const std::string before = readFile(headerPath());
    struct Case {
        const char* why;
        std::string name;
    } refused[] = {
        {"empty", ""},
        {"only spaces", "   "},
        {"sixteen characters", "SIXTEEN LETTERS!"},
        {"a line break", "Ann\nB"},
        {"a tab", "A\tB"},
        {"a byte above ASCII", "Jos\xC3\xA9"},
        {"a control byte", std::string("A\x01")},
        {"a NUL inside", std::string("A\0B", 3)},
        {"DEL", "A\x7F"},
    };
    for (const Case& c : refused) {
        EXPECT_FALSE(CProfileBase::IsAcceptableName(c.name)) << c.why;
        EXPECT_FALSE(profile->AddProfile(c.name)) << c.why;
        EXPECT_FALSE(profile->RenameProfile("Ann", c.name)) << c.why;
    }
    EXPECT_EQ(readFile(headerPath()), before);
    EXPECT_EQ(listOf(*profile), "0:PLAYER 1|1:Ann");
    for (const char* name : {"FIFTEEN LETTERS", "a", " Bo", "O'Neil-2 ~!"})
        EXPECT_TRUE(CProfileBase::IsAcceptableName(name)) << name;
}
