#pragma once

#include "engine/ImagesCached.h"
#include "world/Element.h"

#include <memory>

class SoundObject;

// The board's fixed machinery: gates, buttons, trampolines, teleports, tubes,
// power-ups and the shots in flight. A device is ordinary ground to stand on,
// does not take its cell in the board grid when it moves, and breaks with
// one shared sound when it falls and lands.
class CElementDevice : public CElement
{
public:
    CElementDevice(int x, int y);
    ~CElementDevice() override;

    void SaveState(int step) override;
    void RestoreState(int step) override;
    int GetOwnSlide() const override;
    int GetSurfaceSlide() const override;
    void DumpDebug() override;
    void DumpLine() override;

    std::unique_ptr<SoundObject> soundBreaking;

protected:
    // A sprite of a device class: origin in the sprite convention, drawing
    // layer, frame delay; pictures shared once the class's are cached.
    static std::unique_ptr<CSprite> MakeSprite(ImageClass imageClass, const char* name, int originX, int originY,
                                               int kind, int delay);
    // The one-line dump of a sprite of this device (nothing for none).
    void DumpSpriteLine(const CSprite* shown) const;
};
