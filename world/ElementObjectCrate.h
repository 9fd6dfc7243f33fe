#pragma once

#include "world/ElementObject.h"

#include <string>

// A crate: wooden (burns), metal (heats, and magnets hold it) or inflatable
// (made by a power-up; bursts when heated). It slides only over slippery
// ground, and frozen it is slippery itself.
class CElementObjectCrate : public CElementObject
{
    // The whole-world snapshot reads and writes every field.
    friend struct WorldSnapshotAccess;

public:
    CElementObjectCrate(int x, int y, int material, int modifier, bool inflateLeft);
    ~CElementObjectCrate() override;

    void SaveState(ElementRecord& record) const override;
    void RestoreState(const ElementRecord& record) override;
    void Update() override { UpdateAnimation(); }
    int GetOwnSlide() const override { return frozen ? -1 : 0; }

    void UpdateAnimation();

    // A wooden crate's grain runs the other way in even columns.
    static std::string WoodenImage(const char* stem, int column);

private:
    void LoadSprites(int material, int modifier, bool inflateLeft);

    ObjectSprites slots_;
};
