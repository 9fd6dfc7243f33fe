#pragma once

#include "world/Element.h"

#include <string>

// The ground of a level. Terrain never moves or falls; what it does for the
// rest of the world is its surface slide: 0 on grass, -1 (slippery) on ice,
// +1 (stopping) on sand. Grass and sand are one element per horizontal run
// of equal tiles, standing in every cell of the run; ice and bridges one per
// cell.
class CElementTerrain : public CElement
{
    // The whole-world snapshot reads and writes every field.
    friend struct WorldSnapshotAccess;

public:
    CElementTerrain(int x, int y, int width);

    void SaveState(ElementRecord& record) const override;
    void RestoreState(const ElementRecord& record) override;

protected:
    std::unique_ptr<CSprite> tile_;
};

// A run of grass or sand: one picture as wide as the run.
class CElementTerrainRun : public CElementTerrain
{
public:
    void SaveState(ElementRecord& record) const override;
    void RestoreState(const ElementRecord& record) override;

    // The run's picture: the narrow runs of even rows have their own.
    static std::string ImageName(const char* stem, int width, int row);

protected:
    CElementTerrainRun(int x, int y, int width, int kind);
    ~CElementTerrainRun() override;
};

class CElementTerrainGrass : public CElementTerrainRun
{
public:
    CElementTerrainGrass(int cellX, int cellY, int width) : CElementTerrainRun(cellX, cellY, width, TERRAIN_GRASS) {}
    int GetSurfaceSlide() const override { return 0; }
};

class CElementTerrainSand : public CElementTerrainRun
{
public:
    CElementTerrainSand(int cellX, int cellY, int width) : CElementTerrainRun(cellX, cellY, width, TERRAIN_SAND) {}
    int GetSurfaceSlide() const override { return 1; }
};

// One tile of ice: slippery, and heat melts it away in a cloud of steam.
class CElementTerrainIce : public CElementTerrain
{
public:
    // openBelow: nothing solid under the tile, which then shows its icicles.
    CElementTerrainIce(int x, int y, bool openBelow);
    ~CElementTerrainIce() override;

    void SaveState(ElementRecord& record) const override;
    void RestoreState(const ElementRecord& record) override;
    void Update() override;
    int GetSurfaceSlide() const override { return -1; }

    // The picture of the next ice tile; advances the program-wide counter.
    static std::string NextImageName(bool openBelow);

private:
    static int32_t pictureCounter_;
};
