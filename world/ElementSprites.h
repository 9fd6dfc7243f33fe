#pragma once

#include "engine/ImagesCached.h"
#include "engine/Sprite.h"

#include <memory>
#include <string>

class CElement;

// A one-tile element sprite on the images of its class. Origins are given in
// the sprite convention (29, 20 = top-left corner).
std::unique_ptr<CSprite> makeElementSprite(ImageClass images, int originX, int originY, int type, int frameDelay,
                                           const char* name);

// Sprite names live as long as the program: the sprite keeps only a pointer.
const char* internName(const std::string& name);

// Shows `choice` in place of the element's shown sprite when they differ: the
// old one is hidden and rewound, the new one appears from the element's
// previous position, playing forward. The choice becomes the main sprite.
void swapShownSprite(CElement& element, CSprite* choice);

// Places the main sprite at the element's position, or both halves while it
// passes a teleport.
void placeElementSprites(CElement& element);
