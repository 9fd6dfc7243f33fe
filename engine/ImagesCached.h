#pragma once

// The element classes whose sprites share the images that the start-up lists
// hold. Each class has one flag, false at program start; the game list sets
// them all at its end, and from then on a class builds its sprites on those
// images, looked up by name without taking references.
enum class ImageClass {
    Bots,
    Professor,
    Buttons,
    Gates,
    Gunshots, // frost and heat shots
    Powerups,
    Teleports,
    Trampolines,
    Tubes,
    Ladders,
    Barrels,
    Crates,
    Magnets,
    Bridges,
    Grass,
    Ice,
    Sand,
    TutorialMarkers,
    Count
};

bool imagesCached(ImageClass imageClass);

// Sets every class's flag, in the order of the enumeration.
void markImagesCached();
