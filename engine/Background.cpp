#include "engine/Background.h"

#include "engine/Log.h"
#include "engine/Sprite.h"

#include <cstdio>

CBackground::CBackground(int number)
{
    char name[32];
    snprintf(name, sizeof name, "background%i.jpg", number);
    logMessage(LOG_CONSTRUCT, "CBackground:  Using background %i  (%s)\n", number, name);
    picture_ = new CSprite(SPRITE_ORIGIN_BIAS_X, SPRITE_ORIGIN_BIAS_Y, KIND_BACKGROUND, 0, false, 1, 1);
    picture_->setName("Background");
    picture_->addFrame(name);
    picture_->show(SPRITE_NO_LOCATION, SPRITE_NO_LOCATION);
    // At location (0, 0) the grid's corner sits at (14, 13), on the board.
    grid_ = new CSprite(15, 7, KIND_BACKGROUND_GRID, 0, false, 1, 1);
    grid_->setName("Background Debug Grid");
    grid_->addFrame("grid.png");
}

CBackground::~CBackground()
{
    logMessage(LOG_DESTRUCT, "Destroying background...\n");
    delete picture_;
    delete grid_;
}

void CBackground::ToggleGrid()
{
    if (grid_->isHidden())
        grid_->show(SPRITE_NO_LOCATION, SPRITE_NO_LOCATION);
    else
        grid_->hide();
}
