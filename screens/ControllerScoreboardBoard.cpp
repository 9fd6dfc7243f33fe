// The score board picture: a parchment with a result or a high-score table,
// composed afresh whenever what it shows changes.
#include "screens/ControllerScoreboard.h"

#include "engine/Draw.h"
#include "engine/FontSystem.h"
#include "engine/Log.h"
#include "engine/MousePointer.h"
#include "engine/Sprite.h"
#include "engine/Strings.h"
#include "levels/Level.h"
#include "levels/LevelSet.h"
#include "levels/Profile.h"
#include "online/ScoreServer.h"
#include "screens/GuiButton.h"
#include "screens/WidgetSprite.h"
#include "text/TextIds.h"

#include <cstdio>

namespace {

const char* const BOARD_IMAGE = "baseScoreboard.png";
// Where the picture lies on the screen; the arrows are placed in screen
// pixels, everything else in the picture's.
constexpr int BOARD_X = 57, BOARD_Y = 23;

constexpr int CAUGHT_TITLES = TEXT_RESULT_CAUGHT_LAST - TEXT_RESULT_CAUGHT_FIRST + 1;
constexpr int COMPLETED_TITLES = TEXT_RESULT_COMPLETED_LAST - TEXT_RESULT_COMPLETED_FIRST + 1;

// The table: ten rows 18 pixels apart in a column 206 wide.
constexpr int ROWS_SHOWN = 10;
constexpr int ROW_X = 242, ROW_Y = 180, ROW_STEP = 18, ROW_WIDTH = 206, ROW_HEIGHT = 23;
// A name keeps clear of the widest score ("99,999") at the row's right end.
constexpr int SCORE_ROOM = 60;
constexpr int ARROW1_X = 246, ARROW2_X = 512;

const ScoreTable& neverDownloaded()
{
    static const ScoreTable table;
    return table;
}

// The board address's table; an address outside the tables reads as a
// table never downloaded.
const ScoreTable& tableAt(int set, int level)
{
    const ScoreTable* table = ScoreServer::findTable(set, level);
    return table ? *table : neverDownloaded();
}

void drawText(int stringNumber, int image, int align, int width, int height, int x, int y,
              const char* argument = nullptr)
{
    CFontSystem::DrawString(stringNumber, image, align, width, height, x, y, argument);
}

// A line centred across the whole picture.
void drawCentred(int stringNumber, int image, int y, const char* argument = nullptr)
{
    drawText(stringNumber, image, ALIGN_CENTRE, CDraw::getImageWidth(image), CDraw::getImageHeight(image), 0, y,
             argument);
}

// One row: the name on the left and the score on the right of one box.
void drawRow(int image, int y, const ScoreRow& row)
{
    drawText(TEXT_PLAIN, image, ALIGN_LEFT, ROW_WIDTH - SCORE_ROOM, ROW_HEIGHT, ROW_X, y, row.name.c_str());
    drawText(TEXT_PLAIN, image, ALIGN_RIGHT, ROW_WIDTH, ROW_HEIGHT, ROW_X, y, formatThousands(row.score).c_str());
}

} // namespace

std::string CControllerScoreboard::RankText(int rank, int total)
{
    const char* suffix = "th";
    if (rank % 100 < 11 || rank % 100 > 13) {
        if (rank % 10 == 1)
            suffix = "st";
        else if (rank % 10 == 2)
            suffix = "nd";
        else if (rank % 10 == 3)
            suffix = "rd";
    }
    char text[48];
    snprintf(text, sizeof text, "%i%s of %i", rank, suffix, total);
    return text;
}

void CControllerScoreboard::SetSubmitShown(bool shown)
{
    if (CGuiButton* button = widgets_[0].get()) {
        if (shown)
            button->Show();
        else
            button->Hide();
    }
}

void CControllerScoreboard::PlaceArrows(int y)
{
    arrow1_->setLocation(ARROW1_X, y, false);
    arrow2_->setLocation(ARROW2_X, y, false);
    showSprite(*arrow1_);
    showSprite(*arrow2_);
}

void CControllerScoreboard::DrawBoard()
{
    arrow1_->hide();
    arrow2_->hide();
    background_.reset();
    CDraw::releaseImage(BOARD_IMAGE);
    bool table = IsTable() || type_ == BOARD_SUBMITTED;
    int image = CDraw::CopyImage(table ? "parchment_professor.png" : "parchment.png", BOARD_IMAGE, 0);
    switch (type_) {
    case BOARD_OVERALL:
        DrawTable(image, overallShown_[static_cast<size_t>(set_)]);
        drawCentred(TEXT_SCORES_OVERALL, image, 107);
        drawCentred(TEXT_SCORES_OVERALL_SETS + set_, image, 130);
        CDraw::drawImageOnto("hiscores_textshow.png", image, 164, 438);
        break;
    case BOARD_MAP:
    case BOARD_IN_GAME:
    case BOARD_SUBMITTED: {
        DrawTable(image, tableAt(set_, level_));
        drawCentred(TEXT_SCORES_LEVEL + set_, image, 107, CLevelSet::getLabel(set_, level_));
        CLevelSet* levels = CLevelSet::getSet(set_);
        CLevel* current = levels ? levels->getCurrentLevel() : nullptr;
        drawCentred(TEXT_PLAIN, image, 130, current ? current->GetLevelHeading() : "");
        break;
    }
    default: DrawResult(image); break;
    }
    background_ = makeWidgetSprite(KIND_SCREEN_BACKGROUND, BOARD_IMAGE,
                                   "Instructions Controller (SCOREBOARD_LSPRITE_BACKGROUND)", BOARD_X, BOARD_Y, true);
    CMousePointer::HideFor(-1);
}

void CControllerScoreboard::DrawResult(int image)
{
    auto title = [image](int stringNumber) { drawText(stringNumber, image, ALIGN_CENTRE, 700, 40, 0, 35); };
    if (type_ == BOARD_SINGED) {
        title(TEXT_RESULT_SINGED);
        CDraw::drawImageOnto("parchment_singed.png", image, 277, 150);
        return;
    }
    if (type_ == BOARD_CAUGHT) {
        title(TEXT_RESULT_CAUGHT_FIRST + pick_ % CAUGHT_TITLES);
        CDraw::drawImageOnto("parchment_caught.png", image, 240, 150);
        return;
    }
    title(TEXT_RESULT_COMPLETED_FIRST + pick_ % COMPLETED_TITLES);
    if (type_ == BOARD_COMPLETED && CLevelSet::isTutorialLevel(set_, level_)) {
        CDraw::drawImageOnto("parchment_tutorial.png", image, 255, 130);
        SetSubmitShown(false);
        return;
    }
    CProfile& profile = *GetProfile();
    CDraw::drawImageOnto("parchment_victory.png", image, 275, 80);
    drawCentred(TEXT_STEPS_THIS_RUN, image, 285, formatThousands(profile.GetSteps(true)).c_str());
    int best = profile.GetSteps(false);
    if (best < 1)
        drawCentred(TEXT_STEPS_FIRST_TIME, image, 310);
    else
        drawCentred(TEXT_STEPS_BEST_BEFORE, image, 310, formatThousands(best).c_str());
    if (type_ == BOARD_USER_COMPLETED) {
        SetSubmitShown(false);
        return;
    }
    if (profile.IsSetCompleted(-1))
        drawCentred(TEXT_STEPS_SET_TOTAL, image, 345, formatThousands(profile.GetTotalSteps(-1)).c_str());
}

void CControllerScoreboard::DrawTable(int image, const ScoreTable& table)
{
    CDraw::drawImageOnto("hiscores_title.png", image, 224, 73);
    CDraw::drawImageOnto("hiscores_headings.png", image, 242, 160);
    CDraw::drawImageOnto("hiscores_tablebar.png", image, 234, 177);
    if (table.total < 0) {
        // Never downloaded: the download button invites the player.
        SetSubmitShown(true);
        return;
    }
    SetSubmitShown(false);
    int rank = table.userRank;
    if (rank >= 1 && rank <= ROWS_SHOWN) {
        CDraw::drawImageOnto("hiscores_highlighter1.png", image, 229, 162 + ROW_STEP * rank);
        PlaceArrows(177 + ROW_STEP * rank);
    }
    for (size_t i = 0; i < table.rows.size() && i < ROWS_SHOWN; ++i) {
        const ScoreRow& row = table.rows[i];
        logMessage(LOG_DEBUG, "Username:  '%s'   %i\n", row.name.c_str(), row.score);
        drawRow(image, ROW_Y + ROW_STEP * static_cast<int>(i), row);
    }
    if (rank > ROWS_SHOWN)
        DrawRankText(image, table);
}

void CControllerScoreboard::DrawRankText(int image, const ScoreTable& table)
{
    CDraw::drawImageOnto("hiscores_highlighter2.png", image, 229, 365);
    std::string rank = RankText(table.userRank, table.total);
    drawText(TEXT_PLAIN, image, ALIGN_CENTRE, ROW_WIDTH, ROW_HEIGHT, ROW_X, 368, rank.c_str());
    // The player's own row comes after the top ten; a shorter reply has
    // none, and then the rank line stands alone.
    for (size_t i = table.rows.size(); i > ROWS_SHOWN; --i) {
        if (table.rows[i - 1].rank == table.userRank) {
            drawRow(image, 390, table.rows[i - 1]);
            break;
        }
    }
    PlaceArrows(405);
}
