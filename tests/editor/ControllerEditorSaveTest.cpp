// The editor's save dialog: the checks of its two fields, the question
// before a file is overwritten, and a write that fails.

#include "editor/ControllerEditorSave.h"
#include "engine/FontSystem.h"
#include "levels/Level.h"
#include "platform/AtomicFile.h"
#include "platform/Folders.h"
#include "screens/ControllerMessage.h"
#include "screens/DialogFixture.h"
#include "screens/GuiTextbox.h"
#include "text/TextIds.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>

using namespace corvelle_test;
namespace fs = std::filesystem;

namespace {

constexpr int OK = 1;
constexpr int MESSAGE_YES = 1, MESSAGE_NO = 0;

class EditorSaveTest : public WidgetTest
{
protected:
    void SetUp() override
    {
        WidgetTest::SetUp();
        initDirectories();
        folder = getLevelsDirectory();
        CFontSystem::Init((resourceDir() + "/").c_str(), (resourceDir() + "/resource5.dat").c_str());
        registerDialogPictures();
        const Rgba grey{120, 120, 120, 255};
        for (const char* name : {"saveboxshadow.tga", "savebox.jpg", "button_ok.tga", "button_cancel.tga",
                                 "savebox_filename.jpg", "savebox_heading.jpg", "profilenternamecursor.png",
                                 "button_ok_selector.tga", "button_cancel_selector.tga"})
            registerPicture(name, 60, 30, grey);
        level.SetTile(EC_DEVICE_TUBE_START, 3, 19);
        level.SetTile(EC_DEVICE_TUBE_END, 7, 19);
        dialog = std::make_unique<CControllerEditorSave>(level);
        screen.LoadController(dialog.get());
    }

    void TearDown() override
    {
        dialog.reset();
        CFontSystem::Shutdown();
        WidgetTest::TearDown();
    }

    void fill(const char* name, const char* heading)
    {
        dialog->GetNameBox().SetText(name);
        dialog->GetHeadingBox().SetText(heading);
    }

    // OK pressed: the message box it opened, or null when it opened none.
    CControllerMessage* ok()
    {
        dialog->GUICallback(OK, 0, false);
        return dynamic_cast<CControllerMessage*>(CController::GetCurrent());
    }

    // The box answered and closed; the dialog takes the answer in its next
    // frame.
    void answer(CControllerMessage& box, int button)
    {
        box.GUICallback(button, 0, false);
        CController::PumpCurrent();
        CController::PumpCurrent();
    }

    bool dialogOpen() const { return CController::GetCurrent() == dialog.get() && dialog->GetExitCode() == 0; }

    size_t filesInFolder() const
    {
        return static_cast<size_t>(std::distance(fs::directory_iterator(folder), fs::directory_iterator()));
    }

    std::string folder;
    CLevel level;
    std::unique_ptr<CControllerEditorSave> dialog;
};

} // namespace

// The file name is checked first: with both fields empty only its notice
// shows. Each notice leaves the dialog open and writes nothing.
TEST_F(EditorSaveTest, AnEmptyFieldIsNamedAndNothingIsWritten)
{
    struct Case {
        const char* name;
        const char* heading;
        int body;
    };
    for (const Case& c : {Case{"", "", TEXT_SAVE_NO_NAME_BODY}, Case{"", "A heading", TEXT_SAVE_NO_NAME_BODY},
                          Case{"cave", "", TEXT_SAVE_NO_HEADING_BODY}}) {
        fill(c.name, c.heading);
        CControllerMessage* box = ok();
        ASSERT_NE(box, nullptr) << c.name << "/" << c.heading;
        EXPECT_EQ(box->GetTitleString(), TEXT_SAVE_TITLE);
        EXPECT_EQ(box->GetBodyString(), c.body);
        EXPECT_FALSE(box->IsQuestion());
        answer(*box, MESSAGE_YES);
        EXPECT_TRUE(dialogOpen());
        EXPECT_EQ(filesInFolder(), 0u);
    }
}

// An existing file is overwritten only after a yes; a no leaves the file
// and the fields as they were, and the next OK asks again.
TEST_F(EditorSaveTest, AnExistingFileIsOverwrittenOnlyAfterAYes)
{
    CLevel other;
    other.SetTile(EC_TERRAIN_ICE, 0, 0);
    ASSERT_TRUE(other.SaveAs("taken", "Someone else's"));
    level.SetModified(true);
    fill("taken", "Mine");
    for (int attempt = 0; attempt < 2; ++attempt) {
        CControllerMessage* box = ok();
        ASSERT_NE(box, nullptr);
        EXPECT_EQ(box->GetTitleString(), TEXT_SAVE_TITLE);
        EXPECT_EQ(box->GetBodyString(), TEXT_SAVE_OVERWRITE_BODY);
        EXPECT_TRUE(box->IsQuestion());
        answer(*box, MESSAGE_NO);
        EXPECT_TRUE(dialogOpen());
        EXPECT_EQ(CLevel::GetHeading("taken"), "Someone else's");
        EXPECT_STREQ(dialog->GetNameBox().GetText(), "taken");
        EXPECT_TRUE(level.IsModified());
    }
    answer(*ok(), MESSAGE_YES);
    EXPECT_EQ(CController::GetCurrent(), &screen) << "the dialog closed";
    EXPECT_EQ(dialog->GetReturnValue(), 1);
    EXPECT_EQ(CLevel::GetHeading("taken"), "Mine");
    EXPECT_STREQ(level.GetFilename(), "taken");
    EXPECT_FALSE(level.IsModified());
}

// A name free in the folder is saved at once, without a question.
TEST_F(EditorSaveTest, ANewNameIsSavedAtOnce)
{
    level.SetModified(true);
    fill("fresh", "Fresh Air");
    EXPECT_EQ(ok(), nullptr);
    EXPECT_EQ(dialog->GetExitCode(), 1);
    CLevel saved;
    ASSERT_TRUE(saved.LoadFile("fresh"));
    EXPECT_STREQ(saved.GetLevelHeading(), "Fresh Air");
    EXPECT_EQ(saved.GetTile(3, 19), EC_DEVICE_TUBE_START);
    EXPECT_FALSE(level.IsModified());
}

// A folder the player may not write to: the failure is said, the level
// keeps its old name and stays modified, and the dialog stays for another
// try. (Root writes into read-only folders: there the write is made to fail.)
TEST_F(EditorSaveTest, ASaveIntoAReadOnlyFolderSaysSoAndKeepsTheLevelModified)
{
    ASSERT_TRUE(level.SaveAs("before", "Before"));
    level.SetTile(EC_TERRAIN_GRASS, 4, 20);
    ASSERT_TRUE(level.IsModified());
    const bool root = geteuid() == 0;
    if (root)
        AtomicFile::failAfterBytesForTesting(0);
    else
        chmod(folder.c_str(), 0555);
    fill("after", "After");
    CControllerMessage* box = ok();
    AtomicFile::failAfterBytesForTesting(-1);
    chmod(folder.c_str(), 0755);
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(box->GetTitleString(), TEXT_NOT_SAVED_TITLE);
    EXPECT_EQ(box->GetBodyString(), TEXT_NOT_SAVED_BODY);
    EXPECT_FALSE(box->IsQuestion());
    answer(*box, MESSAGE_YES);
    EXPECT_TRUE(dialogOpen());
    EXPECT_TRUE(level.IsModified());
    EXPECT_STREQ(level.GetFilename(), "before");
    EXPECT_STREQ(level.GetLevelHeading(), "Before");
    EXPECT_FALSE(fs::exists(folder + "after.lvl"));
}
