#include "world/ElementLadder.h"

#include "engine/Log.h"
#include "world/ElementSprites.h"

std::array<int32_t, BOARD_CELLS> CElementLadder::ladderGrid_{};

namespace {

} // namespace

CElementLadder::CElementLadder(int cellX, int cellY, int kind, bool hasPlatform) : CElement(cellX, cellY, 1)
{
    inGrid = canFall = movable = mobile = false;
    LoadSprites(kind, hasPlatform);
    type = ELEMENT_LADDER;
    if (isOnBoard(cellX, cellY))
        ladderGrid_[cellIndex(cellX, cellY)] = typeLadder;
}

CElementLadder::~CElementLadder()
{
    logMessage(LOG_DESTRUCT, "CElementLadder:  Destroying ladder element at (%d,%d)...\n", x, y);
}

void CElementLadder::LoadSprites(int kind, bool hasPlatform)
{
    struct Look {
        const char* name;
        const char* image;
        int originX, originY;
    };
    static const Look single{"Ladder Segment (Isolated)", "ladderiso.tga", 7, 13};
    static const Look top{"Ladder Segment (Top)", "laddertop.tga", 7, 15};
    static const Look bottom{"Ladder Segment (Bottom)", "ladderbottom.tga", 7, 18};
    static const Look middle{"Ladder Segment (Middle)", "laddermiddle.tga", 7, 18};
    const Look& look = kind == SINGLE ? single : kind == TOP ? top : kind == BOTTOM ? bottom : middle;

    segment_ = makeElementSprite(ImageClass::Ladders, look.originX, look.originY, KIND_LADDER, 0, look.name);
    segment_->addFrame(look.image);
    if (hasPlatform) {
        platform_ =
            makeElementSprite(ImageClass::Ladders, 18, 11, KIND_LADDER_PLATFORM, 0, "Ladder Segment (Platform)");
        platform_->addFrame("ladderplatform.tga");
    }
    for (CSprite* s : {segment_.get(), platform_.get()}) {
        if (!s)
            continue;
        s->setLocation(pixelX, pixelY, false);
        s->show(SPRITE_NO_LOCATION, SPRITE_NO_LOCATION);
    }
    sprite = shownSprite = segment_.get();
    typeLadder = hasPlatform ? PLATFORM : kind;
}

void CElementLadder::SaveState(ElementRecord&) const
{
    LogPart(true, "ElementLadder");
}

void CElementLadder::RestoreState(const ElementRecord&)
{
    LogPart(false, "ElementLadder");
}

void CElementLadder::CreateRun(int column, int topRow, int height, const std::function<bool(int, int)>& platformAt)
{
    logMessage(LOG_GAME, "Creating ladder  (%i,%i) H%i\n", column, topRow, height);
    const int last = topRow + height - 1;
    for (int row = topRow; row <= last; ++row) {
        int kind = height == 1 ? SINGLE : row == topRow ? TOP : row == last ? BOTTOM : MIDDLE;
        new CElementLadder(column, row, kind, platformAt && platformAt(column, row));
    }
}

void CElementLadder::ClearLadderGrid() { ladderGrid_.fill(NONE); }

int CElementLadder::KindAt(int cellX, int cellY)
{
    return isOnBoard(cellX, cellY) ? ladderGrid_[cellIndex(cellX, cellY)] : NONE;
}

bool CElementLadder::IsLadderAt(int cellX, int cellY) { return KindAt(cellX, cellY) != NONE; }
bool CElementLadder::IsLadderPlatformAt(int cellX, int cellY) { return KindAt(cellX, cellY) == PLATFORM; }
