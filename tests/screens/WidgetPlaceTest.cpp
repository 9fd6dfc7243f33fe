// The sizes the screens declare for their widgets' pictures are those of the
// pictures in the built archive: the tests click the middle of a declared
// place, and a picture drawn at another size would leave those clicks beside
// the button they mean.
#include "engine/ResourceArchive.h"
#include "screens/ControllerGame.h"
#include "screens/ControllerMain.h"
#include "screens/ControllerManager.h"
#include "screens/ControllerOptions.h"
#include "screens/ControllerOptionsControls.h"
#include "screens/ControllerMap.h"
#include "screens/ControllerProfiles.h"
#include "screens/ControllerScoreboard.h"
#include "screens/ControllerSetSelect.h"
#include "screens/ControllerTextEntryBase.h"
#include "screens/GuiButtonMapDot.h"
#include "screens/WidgetPlace.h"
#include "support/TestEnvironment.h"

#include <SDL_image.h>
#include <gtest/gtest.h>

#include <map>
#include <string>

using namespace corvelle_test;

namespace {

struct PictureSize {
    const char* picture;
    WidgetSize size;
};

const PictureSize DECLARED[] = {
    {"krvl_button_base.png", STRIP_BUTTON},
    {"confirmation_buttonokaybase.png", CONFIRMATION_BUTTON},
    {"confirmation_buttoncancelbase.png", CONFIRMATION_BUTTON},
    {"story_buttonprevbase.png", STORY_BUTTON},
    {"story_buttonnextbase.png", STORY_BUTTON},
    {"story_buttondonebase.png", STORY_BUTTON},
    {"mainmenu_buttonbase.png", CControllerMain::MENU_BUTTON},
    {"profile_button_changebase.png", CControllerMain::CHANGE_PROFILE.size},
    {"slider_button_minusbase.png", CControllerOptions::SLIDER_BUTTON},
    {"slider_button_plusbase.png", CControllerOptions::SLIDER_BUTTON},
    {"optionscontrolsinputbase.png", CControllerOptionsControls::KEY_FIELD},
    {"profile_button_okaybase.png", CControllerTextEntryBase::PROFILE_DIALOG_BUTTON},
    {"profile_button_cancelbase.png", CControllerTextEntryBase::PROFILE_DIALOG_BUTTON},
    {"profile_button_upbase.png", CControllerProfiles::BUTTON_PLACES[CControllerProfiles::BUTTON_UP].size},
    {"profile_button_downbase.png", CControllerProfiles::BUTTON_PLACES[CControllerProfiles::BUTTON_DOWN].size},
    {"profile_button_selectbase.png", CControllerProfiles::BUTTON_PLACES[CControllerProfiles::BUTTON_SELECT].size},
    {"profile_button_deletebase.png", CControllerProfiles::BUTTON_PLACES[CControllerProfiles::BUTTON_DELETE].size},
    {"profile_button_renamebase.png", CControllerProfiles::BUTTON_PLACES[CControllerProfiles::BUTTON_RENAME].size},
    {"profile_button_addbase.png", CControllerProfiles::BUTTON_PLACES[CControllerProfiles::BUTTON_ADD].size},
    {"levelmanager_button_arrow1base.png", CControllerManager::ARROW},
    {"levelmanager_button_arrow2base.png", CControllerManager::ARROW},
    {"levelmanager_button_namebase.png", CControllerManager::SORT},
    {"levelmanager_button_datebase.png", CControllerManager::SORT},
    {"levelmanager_button_playbase.png", CControllerManager::LEVEL},
    {"levelmanager_button_removebase.png", CControllerManager::LEVEL},
    {"levelmanager_button_morelevelsbase.png", CControllerManager::WIDE},
    {"levelmanager_button_resetbase.png", CControllerManager::WIDE},
    {"levelmanager_button_mapbase.png", CControllerManager::WIDE},
    {"levelmanager_button_mainmenubase.png", CControllerManager::WIDE},
    {"lvlset_buttonregular_base.png", CControllerSetSelect::SET_BUTTON},
    {"lvlset_buttonadvanced_base.png", CControllerSetSelect::SET_BUTTON},
    {"lvlset_buttonkids_base.png", CControllerSetSelect::SET_BUTTON},
    {"map_buttonlevelset_base.png", CControllerMap::SET_BUTTON},
    {"map_buttonchangereset_base.png", CControllerMap::RESET_BUTTON},
    {"map_buttonhighscores_base.png", CControllerMap::SCORES_BUTTON},
    {"map_buttonlowerright_base.png", CControllerMap::LOWER_RIGHT_BUTTON},
    {"ingame_menubutton.tga", CControllerGame::MENU_BUTTON.size},
    {"hiscores_button_downloadbase.png", CControllerScoreboard::EXCHANGE.size},
    {"hiscores_button_submitbase.png", CControllerScoreboard::EXCHANGE.size},
    {"hiscores_button_regularbase.png", CControllerScoreboard::SET_REGULAR.size},
    {"hiscores_button_advancedbase.png", CControllerScoreboard::SET_ADVANCED.size},
    {"hiscores_button_kidsbase.png", CControllerScoreboard::SET_KIDS.size},
    {"mapdotregularincompletebase.png", CGuiButtonMapDot::DOT},
    {"mapdotregularlockedbase.png", CGuiButtonMapDot::DOT},
    {"star_base0.png", CGuiButtonMapDot::STAR},
};

// The pictures of the interface archive by name, as stored.
std::map<std::string, std::vector<unsigned char>> interfacePictures()
{
    std::map<std::string, std::vector<unsigned char>> pictures;
    ResourceArchive archive;
    if (!archive.open(resourceDir() + "/resource2.dat")) {
        ADD_FAILURE() << archive.error();
        return pictures;
    }
    for (uint32_t i = 0; i < archive.count(); ++i) {
        ArchiveEntry entry;
        if (archive.entry(i, entry))
            pictures[entry.name] = std::move(entry.data);
    }
    return pictures;
}

std::string typeOf(const std::string& name) { return name.substr(name.rfind('.') + 1); }

} // namespace

TEST(WidgetPlaceTest, DeclaredSizesAreThoseOfTheBuiltPictures)
{
    const auto pictures = interfacePictures();
    for (const PictureSize& declared : DECLARED) {
        SCOPED_TRACE(declared.picture);
        auto found = pictures.find(declared.picture);
        ASSERT_NE(found, pictures.end()) << "not in the archive";
        std::string type = typeOf(declared.picture);
        const std::vector<unsigned char>& bytes = found->second;
        SDL_Surface* picture =
            IMG_LoadTyped_RW(SDL_RWFromConstMem(bytes.data(), static_cast<int>(bytes.size())), 1, type.data());
        ASSERT_NE(picture, nullptr) << IMG_GetError();
        EXPECT_EQ(picture->w, declared.size.width);
        EXPECT_EQ(picture->h, declared.size.height);
        SDL_FreeSurface(picture);
    }
}
