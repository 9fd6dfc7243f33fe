// Screens put together from the pictures the way the game places them, so
// the pictures can be judged in place (written with the contact sheets).
#include "../Compose.h"
#include "../Sheets.h"
#include "screens/MapDotPositions.h"

#include <cmath>
#include <string>

namespace {

// The menu in the order of its drawing layers; the professor in the given
// head and arm frames.
void mainMenuPreview(cairo_t* cr, int head, int arms, int smoke)
{
    paintPicture(cr, "mainmenu_background.jpg", 0, 0);
    paintPicture(cr, "mainmenu_glow7.png", 453, 167);
    paintPicture(cr, "mainmenu_smoke" + std::to_string(smoke) + ".png", 401, -29);
    paintPicture(cr, "mainmenu_volcanofront.png", 421, 167);
    paintPicture(cr, "mainmenu_profleftarm" + std::to_string(arms) + ".png", 123, 184);
    paintPicture(cr, "mainmenu_profhead" + std::to_string(head) + ".png", 61, 128);
    paintPicture(cr, "mainmenu_profbody.png", 84, 226);
    paintPicture(cr, "mainmenu_profrightarm" + std::to_string(arms) + ".png", 126, 204);
    paintPicture(cr, "mainmenu_leavescoconuts.png", 79, 235);
    const char* labels[] = {"playnow", "levelmanager", "leveleditor", "highscores", "instructions",
                            "settings", "credits", "moregames", "exit"};
    for (int i = 0; i < 9; ++i) {
        int y = 9 + 53 * i;
        // The second button is shown as hovered, the third as pressed.
        if (i == 1) {
            paintPicture(cr, "mainmenu_buttonrollover.png", 580, y);
            paintPicture(cr, std::string("mainmenu_text_") + labels[i] + ".png", 580 + 14, y + 6);
        } else if (i == 2) {
            paintPicture(cr, "mainmenu_buttonactive.png", 580, y);
            paintPicture(cr, std::string("mainmenu_text_") + labels[i] + ".png", 580 + 20, y + 10);
        } else {
            paintPicture(cr, "mainmenu_buttonbase.png", 580, y);
            paintPicture(cr, std::string("mainmenu_text_") + labels[i] + ".png", 580 + 24, y + 13);
        }
    }
    paintPicture(cr, "profile_button_changeshadow.png", 51, 41);
    paintPicture(cr, "profile_button_changebase.png", 51, 41);
    paintPicture(cr, "mainmenu_cloudbigA.png", 40, 30);
    paintPicture(cr, "mainmenu_cloudmediumB.png", 300, 60);
    paintPicture(cr, "mainmenu_cloudsmallC.png", 520, 110);
    paintPicture(cr, "mainmenu_cloudbigC.png", 640, 70);
}

PreviewRegistration mainMenuAtRest("preview_mainmenu", 800, 600, [](cairo_t* cr) { mainMenuPreview(cr, 0, 0, 24); });
PreviewRegistration mainMenuGesture("preview_mainmenu_gesture", 800, 600,
                                    [](cairo_t* cr) { mainMenuPreview(cr, 19, 5, 12); });

// The regular set with the first levels completed, the next one selected
// and the rest locked; tutorial levels as stars above their place.
void mapPreview(cairo_t* cr)
{
    paintPicture(cr, "map_background.jpg", 0, 0);
    paintPicture(cr, "star_base0.png", 45, 149);
    paintPicture(cr, "mapdotregularcompletedbase.png", 45, 177);
    paintPicture(cr, "mainmenu_glow5.png", 299, 112);
    paintPicture(cr, "mainmenu_smoke20.png", 252, -30);
    paintPicture(cr, "mainmenu_volcanofront.png", 267, 110);
    paintPicture(cr, "map_buttonlevelset_textregular.png", 515, 15);
    const int tutorials[] = {1, 3, 5, 7, 9, 11, 14, 16, 18, 20, 22, 24, 28, 30, 32, 35, 38, 42, 45, 48, 51, 55, 67, 75, 81, 90};
    MapDotTable table = mapDotPositions(0);
    const int selected = 40;
    for (int level = 0; level < table.count; ++level) {
        int x = table.rows[level].x, y = table.rows[level].y;
        bool tutorial = false;
        for (int t : tutorials)
            tutorial = tutorial || t == level;
        if (tutorial) {
            paintPicture(cr, level < selected ? "star_pulse" + std::to_string(level % 60) + ".png"
                                              : "star_base" + std::to_string(level % 60) + ".png",
                         level < selected ? x - 5 : x - 1, y - 28);
            continue;
        }
        std::string dot = level < selected    ? "mapdotregularcompletedbase.png"
                          : level == selected ? "mapdotregularselectedpulse3.png"
                          : level < selected + 6 ? "mapdotregularincompletebase.png"
                                               : "mapdotregularlockedbase.png";
        paintPicture(cr, dot, x, y);
    }
}

PreviewRegistration map("preview_map", 800, 600, mapPreview);

// Every row of a set's dot table marked on the map picture: a ring on each
// place, filled where two levels share it (a tutorial and the level after
// it), numbered every tenth row, so a dot off the painted trail shows.
void dotPlacesPreview(cairo_t* cr, int set)
{
    paintPicture(cr, "map_background.jpg", 0, 0);
    MapDotTable table = mapDotPositions(set);
    for (int row = 0; row < table.count; ++row) {
        double cx = table.rows[row].x + 9, cy = table.rows[row].y + 9;
        bool shared = (row > 0 && table.rows[row - 1].x == table.rows[row].x &&
                       table.rows[row - 1].y == table.rows[row].y);
        cairo_new_path(cr);
        cairo_arc(cr, cx, cy, 6, 0, 2 * M_PI);
        cairo_set_source_rgba(cr, shared ? 0.1 : 0.9, 0.2, shared ? 0.9 : 0.1, shared ? 0.8 : 0.9);
        if (shared)
            cairo_fill_preserve(cr);
        cairo_set_line_width(cr, 2);
        cairo_stroke(cr);
        if (row % 10 == 0 || row == table.count - 1) {
            cairo_move_to(cr, cx + 7, cy - 6);
            cairo_set_font_size(cr, 10);
            cairo_set_source_rgb(cr, 0, 0, 0);
            cairo_show_text(cr, std::to_string(row).c_str());
        }
    }
}

PreviewRegistration regularDots("preview_map_dots_regular", 800, 600, [](cairo_t* cr) { dotPlacesPreview(cr, 0); });
PreviewRegistration advancedDots("preview_map_dots_advanced", 800, 600, [](cairo_t* cr) { dotPlacesPreview(cr, 1); });
PreviewRegistration kidsDots("preview_map_dots_kids", 800, 600, [](cairo_t* cr) { dotPlacesPreview(cr, 2); });

// The set choice over the map, as a new player first sees it.
void setChoicePreview(cairo_t* cr)
{
    paintPicture(cr, "map_background.jpg", 0, 0);
    paintPicture(cr, "dimmer.png", 0, 0);
    paintPicture(cr, "confirmation_parch.png", 158, 113);
    paintPicture(cr, "lvlset_heading.png", 158 + 88, 113 + 44);
    const char* keys[] = {"regular", "advanced", "kids"};
    for (int set = 0; set < 3; ++set) {
        int y = 239 + 70 * set;
        paintPicture(cr, std::string("lvlset_desc_") + keys[set] + ".png", 158 + 175, 113 + 124 + 70 * set);
        paintPicture(cr, std::string("lvlset_button") + keys[set] + "_shadow.png", 200, y);
        paintPicture(cr, std::string("lvlset_button") + keys[set] + (set == 1 ? "_roll.png" : "_base.png"), 200, y);
    }
    paintPicture(cr, "lvlset_prof.png", 518, 88);
}

PreviewRegistration setChoice("preview_setchoice", 800, 600, setChoicePreview);

} // namespace
