#include "world/ElementTerrain.h"

#include "engine/Log.h"
#include "world/ElementSprites.h"

int32_t CElementTerrainIce::pictureCounter_ = 0;

namespace {
constexpr int ICE_PICTURES = 10;

} // namespace

CElementTerrain::CElementTerrain(int cellX, int cellY, int width) : CElement(cellX, cellY, width)
{
    logMessage(LOG_CONSTRUCT, "Calling Terrain constructor, %d %d %d\n", cellX, cellY, width);
    type = ELEMENT_TERRAIN;
    inGrid = true;
    canFall = movable = mobile = false;
    for (int i = 0; i < width; ++i)
        SetElementAt(cellX + i, cellY, this);
}

void CElementTerrain::SaveState(ElementRecord& record) const
{
    LogPart(true, "ElementTerrain");
    CElement::SaveState(record);
}

void CElementTerrain::RestoreState(const ElementRecord& record)
{
    LogPart(false, "ElementTerrain");
    CElement::RestoreState(record);
}

// ---- Grass and sand.

std::string CElementTerrainRun::ImageName(const char* stem, int width, int row)
{
    bool own = width > 5 || row % 2 != 0;
    return std::string(stem) + std::to_string(width) + (own ? ".png" : "b.png");
}

CElementTerrainRun::CElementTerrainRun(int cellX, int cellY, int width, int kind) : CElementTerrain(cellX, cellY, width)
{
    typeTerrain = kind;
    const bool grass = kind == TERRAIN_GRASS;
    tile_ = std::make_unique<CSprite>(24, grass ? 25 : 23, KIND_TERRAIN, 0,
                                      ::imagesCached(grass ? ImageClass::Grass : ImageClass::Sand), width, 1);
    tile_->setName(grass ? "Grass Terrain Tile" : "Sand Terrain Tile");
    tile_->addFrame(ImageName(grass ? "grass" : "sand", width, cellY).c_str());
    tile_->setLocation(pixelX, pixelY, false);
    tile_->show(SPRITE_NO_LOCATION, SPRITE_NO_LOCATION);
    sprite = shownSprite = tile_.get();
}

CElementTerrainRun::~CElementTerrainRun()
{
    if (typeTerrain == TERRAIN_GRASS)
        logMessage(LOG_DESTRUCT, "CElementTerrainGrass:  Destroying grass element at (%d,%d)...\n", x, y);
    else
        logMessage(LOG_DESTRUCT, "CElementTerrainSand:  Destroying sand element at (%d,%d)...\n", x, y);
}

// Grass and sand have nothing that changes: their record is left alone.
void CElementTerrainRun::SaveState(ElementRecord&) const
{
    LogPart(true, typeTerrain == TERRAIN_GRASS ? "ElementTerrainGrass" : "ElementTerrainSand");
}

void CElementTerrainRun::RestoreState(const ElementRecord&)
{
    LogPart(false, typeTerrain == TERRAIN_GRASS ? "ElementTerrainGrass" : "ElementTerrainSand");
}

// ---- Ice.

std::string CElementTerrainIce::NextImageName(bool openBelow)
{
    const int counter = pictureCounter_;
    pictureCounter_ = (counter + 1) % ICE_PICTURES;
    if (!openBelow)
        return "ice" + std::to_string(counter % 2 + 1) + "b.png";
    return "ice" + std::to_string(counter + 1) + ".png";
}

CElementTerrainIce::CElementTerrainIce(int cellX, int cellY, bool openBelow) : CElementTerrain(cellX, cellY, 1)
{
    typeTerrain = TERRAIN_ICE;
    meltable = true;
    tile_ = makeElementSprite(ImageClass::Ice, 17, 13, KIND_TERRAIN, 0, "Ice Terrain Tile");
    tile_->addFrame(NextImageName(openBelow).c_str());
    tile_->setLocation(pixelX, pixelY, false);
    tile_->show(SPRITE_NO_LOCATION, SPRITE_NO_LOCATION);
    sprite = shownSprite = tile_.get();
    CreateOverlays(false, false, true, false);
}

CElementTerrainIce::~CElementTerrainIce()
{
    logMessage(LOG_DESTRUCT, "CElementTerrainIce:  Destroying ice element at (%d,%d)...\n", x, y);
    FreeOverlays(this);
}

void CElementTerrainIce::SaveState(ElementRecord& record) const
{
    CElementTerrain::SaveState(record);
    LogPart(true, "ElementTerrainIce");
}

void CElementTerrainIce::RestoreState(const ElementRecord& record)
{
    CElementTerrain::RestoreState(record);
    LogPart(false, "ElementTerrainIce");
}

void CElementTerrainIce::Update()
{
    UpdateOverlays(this);
    if (overlaySteam && !overlaySteam->isHidden())
        tile_->hide();
}
