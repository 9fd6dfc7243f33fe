#pragma once

#include "screens/Controller.h"

#include <cstdint>
#include <memory>

class CBackground;
class CElement;
class CElementAIProfessor;
class CGuiButton;
class CGuiCounter;
class CLevel;
class CLevelSet;
class CSprite;

// The screen on which one level is played. It turns the level into the live
// world (LoadLevel) and runs it; the world itself is program-wide, so only one
// game screen may exist at a time.
//
// The level belongs to its set, the level manager or the editor: the screen
// reads it and never frees it.
class CControllerGame : public CController
{
public:
    // Plays the set's current level.
    explicit CControllerGame(CLevelSet* set);
    // Plays a level outside the sets (the level manager, the editor).
    CControllerGame(CLevel* level, bool recording, bool playingBack, bool editorRun);
    ~CControllerGame() override;

    void InputKey(bool released, int key) override;
    void Pump() override;

    // (Re)builds the world from the level.
    void LoadLevel(CLevel* level);

    // ---- World building, usable without a window: every element
    // registers itself in the world, so these keep no list.
    // The world emptied for the level: reset, the solution cleared when
    // recording or rewound when playing back, teleport colours free again.
    static void PrepareWorld(CLevel& level, bool recording, bool playingBack);
    // Ladders, tiles and teleports of the level, on a world just reset.
    static void BuildElements(CLevel& level);
    // The element a level code stands for at (x, y), frozen or heated as the
    // cell's modifier says; null for codes that build nothing. Grass and sand
    // take the width of their run.
    static CElement* createElement(CLevel& level, int code, int x, int y, int width, int height);
    // One vertical ladder run from its top cell.
    static void createLadder(const CLevel& level, int x, int y, int height);

    CElementAIProfessor* GetProfessor() const { return professor_; }
    int GetLevelIndex() const { return levelIndex_; }
    int GetSetIndex() const { return setIndex_; }

private:
    void Init(CLevelSet* set, CLevel* level, bool recording, bool playingBack, bool editorRun);

    std::unique_ptr<CSprite> replayMarker_;
    std::unique_ptr<CGuiButton> menuButton_;
    std::unique_ptr<CBackground> background_;
    CElementAIProfessor* professor_ = nullptr; // one of the world's elements
    std::unique_ptr<CGuiCounter> stepCounter_;
    CLevelSet* levelSet_ = nullptr;
    CLevel* level_ = nullptr;
    bool storyPending_ = false;
    bool recording_ = false;
    bool playingBack_ = false;
    bool editorRun_ = false;
    bool startFramePending_ = true;
    int32_t startFrame_ = 0;
    int32_t eventFrame_ = 0;
    int32_t levelIndex_ = -1;
    int32_t setIndex_ = -1;
    int32_t blinkCounter_ = 0;
};
