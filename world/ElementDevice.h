#pragma once

#include "world/Element.h"

#include <memory>
#include <string>

class SoundObject;

// The board's fixed machinery: buttons, gates, trampolines, teleports, tubes,
// power-ups and shots. A device can fall; one that falls and lands breaks,
// with the breaking sound every device owns.
class CElementDevice : public CElement
{
public:
    CElementDevice(int x, int y);
    ~CElementDevice() override;

    void SaveState(ElementRecord& record) const override;
    void RestoreState(const ElementRecord& record) override;
    // Ordinary, non-slippery ground, and never slides itself.
    int GetOwnSlide() const override { return 0; }
    int GetSurfaceSlide() const override { return 0; }
    void DumpDebug() override;
    void DumpLine() override;

protected:
    // A sprite with its top-left corner at the element's pixel position
    // shifted by the origin, on the class's shared pictures when cached.
    static std::unique_ptr<CSprite> makeSprite(const char* name, int originX, int originY, int kind, int delay,
                                               bool sharedImages, int tileHeight = 1);
    // The pattern with its "%s" replaced by word: a colour filled into a
    // sprite's or a picture's name ("Teleport Front (%s)").
    static std::string fillIn(const char* pattern, const char* word);
    // A sprite name made at run time (fillIn), kept for the rest of the
    // run: sprites keep the pointer to their name.
    static const char* keepName(const char* pattern, const char* word);
    // Once the element has landed from a fall: plays the breaking sound
    // (unless it already broke or the sound is on) and marks it destroyed.
    // True while destroyed.
    bool breakWhenLanded();
    // When the current sprite is not the one shown: hides the shown one,
    // shows the current one at (showX, showY), rewinds it and plays it.
    static void showCurrent(CSprite*& shown, CSprite* current, int showX, int showY);
    // Undo of a sprite layer: when the sprite in use is not the saved one,
    // it is hidden and rewound and the saved one takes its place, set to its
    // last frame when asked and shown (no previous box) unless told not to.
    static void restoreSprite(CSprite*& now, CSprite* saved, bool lastFrame, bool show = true);
    // The debug line of one sprite.
    void dumpSprite(const CSprite* sprite) const;

    std::unique_ptr<SoundObject> soundBreaking;
};
