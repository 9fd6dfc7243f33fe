#include "engine/ByteOrder.h"
#include "engine/DisplayFixture.h"
#include "engine/Log.h"
#include "support/ArchiveCases.h"

using namespace corvelle_test;

namespace {

const Rgba kGreen{30, 200, 60, 255};
const Rgba kYellow{240, 220, 20, 128};

using ImagePreloadTest = DisplayTest;

std::vector<ArchiveEntry> sampleEntries()
{
    return {{"green.tga", tgaBytes(2, 2, kGreen)},
            {"yellow.tga", tgaBytes(1, 3, kYellow)},
            {"green.tga", tgaBytes(5, 5, kYellow)}};
}

} // namespace

TEST_F(ImagePreloadTest, ArchiveEntriesBecomeImagesByName)
{
    std::vector<unsigned char> archive = packResourceArchive(withStartUpImages(sampleEntries()));
    // Offsets in another order than the entries: each is found by its own.
    std::swap_ranges(archive.begin() + 4, archive.begin() + 8, archive.begin() + 8);
    writeArchive(archive);
    CDraw::preloadImages();

    int yellow = CDraw::getImage("yellow.tga");
    EXPECT_EQ(CDraw::getImageHeight(yellow), 3);
    EXPECT_EQ(pixelAt(CDraw::getImageSurface(yellow), 0, 2), kYellow);
    int green = CDraw::getImage("green.tga");
    EXPECT_EQ(CDraw::getImageWidth(green), 2); // the first of two entries wins
    EXPECT_EQ(pixelAt(CDraw::getImageSurface(green), 1, 1), kGreen);
    EXPECT_EXIT(CDraw::getImage("Green.tga"), testing::ExitedWithCode(1), "");
}

TEST_F(ImagePreloadTest, MilestonesFollowThePreloadAndItsLists)
{
    initLogChannels(false);
    enableLogChannel(LOG_MILESTONE);
    testing::internal::CaptureStdout();
    preload({});
    std::string out = testing::internal::GetCapturedStdout();
    size_t at = 0;
    for (const char* line : {"ID_000a: INIT:     Images Preloaded\n", "ID_000b: INIT:     Main Menu Cached\n",
                             "ID_000c: INIT:     Map Cached\n", "ID_000d: INIT:     Game Cached\n",
                             "ID_000e: INIT:     Buttons Cached\n", "ID_000f: INIT:     Faded Cached\n"}) {
        at = out.find(line, at);
        EXPECT_NE(at, std::string::npos) << line;
    }
    initLogChannels(false);
}

TEST_F(ImagePreloadTest, EmptyArchiveStopsAtTheFirstStartUpImage)
{
    writeArchive(packResourceArchive({}));
    EXPECT_EXIT(CDraw::preloadImages(), testing::ExitedWithCode(1), "");
    EXPECT_EQ(lastErrorLogLine().rfind("Unable to find preloaded image: ", 0), 0u) << lastErrorLogLine();
}

TEST_F(ImagePreloadTest, BarOfNoImagesIsTheAllowance)
{
    CDraw::setLoadAllowance(23700);
    CDraw::loadProgressBar(0);
    watchDisplayUpdates();
    CDraw::addLoadProgress(2370);
    ASSERT_EQ(updates_.size(), 1u);
    EXPECT_EQ(updates_[0].w, 40);
}

TEST_F(ImagePreloadTest, DeveloperModeReadsTheLooseFilesAgainWhenDecoding)
{
    std::string folder = dir_ + "/resource";
    std::filesystem::create_directories(folder + "/nested");
    std::vector<unsigned char> green = tgaBytes(2, 2, kGreen);
    writeFile(folder + "/green.tga", std::string(green.begin(), green.end()));
    writeFile(folder + "/nested/inner.tga", std::string(green.begin(), green.end()));
    for (const ArchiveEntry& entry : withStartUpImages({}))
        writeFile(folder + "/" + entry.name, std::string(entry.data.begin(), entry.data.end()));
    CDraw::setDeveloperMode(true);
    CDraw::preloadImages();

    // The file changed after the preload: decoding reads it as it is now.
    std::vector<unsigned char> yellow = tgaBytes(1, 1, kYellow);
    writeFile(folder + "/green.tga", std::string(yellow.begin(), yellow.end()));
    int id = CDraw::getImage("green.tga");
    EXPECT_EQ(pixelAt(CDraw::getImageSurface(id), 0, 0), kYellow);
    EXPECT_EXIT(CDraw::getImage("nested"), testing::ExitedWithCode(1), "");
    EXPECT_EXIT(CDraw::getImage("inner.tga"), testing::ExitedWithCode(1), "");
    CDraw::setDeveloperMode(false);
}

TEST_F(ImagePreloadTest, MissingSourcesAreFatal)
{
    EXPECT_EXIT(CDraw::preloadImages(), testing::ExitedWithCode(1), "");
    EXPECT_EQ(lastErrorLogLine(), "Cannot load resource file!\n");
    EXPECT_NE(readFile(std::string(getProfileDirectory()) + "LOG.TXT").find("resource2.dat: cannot open resource2.dat\n"),
              std::string::npos);
    CDraw::setDeveloperMode(true);
    EXPECT_EXIT(CDraw::preloadImages(), testing::ExitedWithCode(1), "");
    EXPECT_EQ(lastErrorLogLine(), "Unable to preload graphics: Directory stream pointer was not opened.\n");
    CDraw::setDeveloperMode(false);
}

TEST_F(ImagePreloadTest, EveryTruncatedArchiveIsFatal)
{
    // Small entries keep the number of prefixes (each a process) low; the
    // reader sees only the layout, not what the bytes hold. A plain fork per
    // prefix: the display fixture runs no threads, and running the whole
    // test program again for each prefix took minutes under the sanitizers.
    const std::string style = GTEST_FLAG_GET(death_test_style);
    GTEST_FLAG_SET(death_test_style, "fast");
    std::vector<unsigned char> whole = packResourceArchive({{"a.png", {'A', 'B'}}, {"bb.jpg", {}}, {"c", {'x'}}});
    for (size_t length = 0; length < whole.size(); ++length) {
        writeArchive(std::vector<unsigned char>(whole.begin(), whole.begin() + static_cast<std::ptrdiff_t>(length)));
        EXPECT_EXIT(CDraw::preloadImages(), testing::ExitedWithCode(1), "") << length << " bytes";
        EXPECT_EQ(lastErrorLogLine(), "Cannot load resource file!\n") << length << " bytes";
    }
    GTEST_FLAG_SET(death_test_style, style);
}

TEST_F(ImagePreloadTest, HostileLengthsAreFatal)
{
    for (const ArchiveDamage& c : hostileArchiveFields()) {
        std::vector<unsigned char> archive = packResourceArchive(withStartUpImages(sampleEntries()));
        ByteOrder::pokeU32(archive.data() + c.position, c.value);
        writeArchive(archive);
        EXPECT_EXIT(CDraw::preloadImages(), testing::ExitedWithCode(1), "") << c.what;
        EXPECT_EQ(lastErrorLogLine(), "Cannot load resource file!\n") << c.what;
    }
}
