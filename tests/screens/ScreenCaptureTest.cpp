#include "engine/DisplayFixture.h"
#include "screens/Controller.h"

#include <filesystem>
#include <set>

using namespace corvelle_test;
namespace fs = std::filesystem;

namespace {

std::set<std::string> captureFiles(const std::string& dir)
{
    std::set<std::string> names;
    for (const auto& entry : fs::directory_iterator(dir)) {
        std::string name = entry.path().filename().string();
        if (name.rfind("capture_", 0) == 0)
            names.insert(name);
    }
    return names;
}

} // namespace

using ScreenCaptureTest = DisplayTest;

TEST_F(ScreenCaptureTest, KeypadZeroWritesAFreshFileForEveryPress)
{
    EXPECT_FALSE(CController::InputScreenCapture(false, SDLK_0));
    EXPECT_TRUE(CController::InputScreenCapture(true, SDLK_KP0));
    EXPECT_TRUE(captureFiles(dir_).empty());

    testing::internal::CaptureStdout();
    for (int i = 0; i < 3; ++i)
        EXPECT_TRUE(CController::InputScreenCapture(false, SDLK_KP0));
    std::string out = testing::internal::GetCapturedStdout();

    std::set<std::string> files = captureFiles(dir_);
    ASSERT_EQ(files.size(), 3u) << "presses within one second keep their own files";
    for (const std::string& name : files) {
        EXPECT_NE(out.find("Screen captured:  " + name + "\n"), std::string::npos) << out;
        SDL_Surface* shot = SDL_LoadBMP((dir_ + "/" + name).c_str());
        ASSERT_NE(shot, nullptr) << name;
        EXPECT_EQ(shot->w, SCREEN_WIDTH);
        EXPECT_EQ(shot->h, SCREEN_HEIGHT);
        SDL_FreeSurface(shot);
    }
}
