#pragma once

#include <cairo.h>

#include <functional>
#include <string>
#include <vector>

// Every picture of the game is drawn by code. A family (one source file in
// art/) registers its pictures by name; the picture tool draws each onto a
// transparent ARGB canvas of the given size and writes it in the format its
// name asks for (.png, .jpg, .tga, .bmp).
//
// Pictures are drawn on several threads at once: a draw function must not
// change state shared with other pictures (no unguarded static caches).
struct Picture {
    std::string name;
    int width;
    int height;
    std::function<void(cairo_t*)> draw;
    std::string family;
    // Shipped as a resource file of its own (the loading screen and the
    // window icon), not in the image archive.
    bool standalone = false;
};

class Registry
{
public:
    static Registry& instance();

    void add(Picture picture);
    const std::vector<Picture>& pictures() const { return pictures_; }
    const Picture* find(const std::string& name) const;

private:
    std::vector<Picture> pictures_;
};

// Registers one family's pictures when the tool starts:
//   static FamilyRegistration professor("professor", [](Registry& r) { ... });
struct FamilyRegistration {
    FamilyRegistration(const char* family, void (*registerPictures)(Registry&, const char* family));
};

// Shorthand for families: add a picture under the current family.
void addPicture(Registry& registry, const char* family, const std::string& name, int width, int height,
                std::function<void(cairo_t*)> draw);

// The same for a picture that ships as a resource file of its own.
void addStandalonePicture(Registry& registry, const char* family, const std::string& name, int width, int height,
                          std::function<void(cairo_t*)> draw);

// "%s%i%s": prefix, number without leading zeros, suffix.
std::string seriesName(const std::string& prefix, int number, const std::string& suffix);
