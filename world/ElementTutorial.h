#pragma once

#include "engine/Motion.h"
#include "world/Element.h"

#include <array>
#include <memory>

// A tutorial marker: a rotating question mark bobbing over a cell. While the
// professor stands in its cell the icon fades away and a box of text fades
// in on the side of the screen away from the marker; when he leaves, the box
// fades out and the icon comes back.
//
// The text comes from the level: literal text, or a directive
// "#tqdefine N-K-M#" naming text-table entry N (K: 'k' a children's
// parchment with title entry M, 'l' a big box, anything else a small one).
// The box is rendered once, at construction, into a picture of its own with a
// series of six fades; nothing is drawn per frame but sprites.
//
// Markers are not on the element grid; the class keeps a grid of its own.
class CElementTutorial : public CElement
{
    // The whole-world snapshot reads and writes every field.
    friend struct WorldSnapshotAccess;

public:
    // Draws text-table entry `stringNumber` (filled with `text` when it is
    // not null) wrapped to wrapWidth, at most heightLimit high, into the image
    // with id `image` at (x, y); layout 0 is body text, 2 a title line. The
    // start-up registers the font system's; without one the boxes stay blank.
    using TextDrawer = void (*)(int stringNumber, int image, int layout, int wrapWidth, int heightLimit, int x, int y,
                                const char* text);
    static void SetTextDrawer(TextDrawer drawer);

    // The text-table entry that prints its one text argument.
    static constexpr int BOX_FADE_STEPS = 6;

    // text: the level's tutorial text for the cell, or null.
    CElementTutorial(int x, int y, const char* text);
    ~CElementTutorial() override;

    void SaveState(ElementRecord& record) const override;
    void RestoreState(const ElementRecord& record) override;
    void Update() override;
    void DumpLine() override;

    // Once per tick with the professor's cell: the marker there becomes the
    // active one.
    static void HandleTutorial(int x, int y);
    // Level reset.
    static void ClearTutorialGrid();
    static ClassState classState();
    static CElementTutorial* GetAt(int x, int y);
    static CElementTutorial* GetActive();

    bool IsActive() const { return active_; }
    // 0 the normal icon, 1 to 3 fainter ones.
    int GetIconLevel() const;
    const CSprite& GetBox() const { return *box_; }
    // Whether the box is the children's parchment and whether it is big.
    bool IsKids() const { return kids_; }
    bool IsBig() const { return big_; }

private:
    struct Saved {
        bool active = false;
        int32_t fadeDelay = 0;
    };

    void LoadSprites();
    void BuildTutorialBox(int x, int y, const char* text);
    void DrawBoxText(int image, const char* text, int stringNumber, int titleNumber, bool literal);
    void PlaceBox(int x, int y);
    void UpdateBox();
    void UpdateIcon();

    std::array<std::unique_ptr<CSprite>, 4> icons_;
    std::unique_ptr<CSprite> box_;
    std::unique_ptr<Oscillator> bob_;
    bool active_ = false;
    int32_t fadeDelay_ = 0;
    bool kids_ = false;
    bool big_ = false;
};
