#pragma once

#include "engine/SpriteKinds.h"
#include "screens/WidgetPlace.h"

#include <memory>

class CGuiButton;
class CController;
class CSprite;

// Where the parchment pages of the dialogs stand on the screen.
constexpr int PARCHMENT_X = 57;
constexpr int PARCHMENT_Y = 23;

// A screen picture: one named image on a layer, shown at (x, y).
std::unique_ptr<CSprite> makeScreenSprite(int layer, const char* image, const char* name, int x, int y);

// The dimmer laid over the screen below a dialog.
std::unique_ptr<CSprite> makeDimmer(int layer, const char* name);

// A parchment-strip button (the settings' and instructions' buttons) with
// its caption picture.
std::unique_ptr<CGuiButton> makeStripButton(const WidgetPlace& place, int callbackIndex, CController* owner,
                                            const char* captionImage, bool isDefault);

// A round story-style button ("story_button<word>base.png" and its shadow
// and rollover), its shadow 2 px below right.
std::unique_ptr<CGuiButton> makeStoryButton(const WidgetPlace& place, int callbackIndex, CController* owner,
                                            const char* word, bool isDefault);

// A left press that no widget takes plays the background click.
void playEmptyClick(bool released, bool left);
