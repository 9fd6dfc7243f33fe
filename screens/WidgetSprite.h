#pragma once

#include <memory>

class CSprite;

// The sprites of the widgets: one named image on a drawing layer, its
// top-left corner at (x, y); `name` is what the report of sprites still
// alive prints.
std::unique_ptr<CSprite> makeWidgetSprite(int layer, const char* image, const char* name, int x, int y, bool shown);

// Shows a widget sprite where it stands.
void showSprite(CSprite& sprite);
// Shows or hides it.
void setSpriteShown(CSprite& sprite, bool shown);

// Keyboard focus: the pointer moves to the sprite's centre and stays hidden
// for at least a frame, until the next update has made the widget hot.
void warpPointerOnto(const CSprite& sprite);

// The pointer lies on the sprite's box.
bool pointerOver(const CSprite& sprite);
