#pragma once

#include "engine/Sprite.h"
#include "world/ElementRecord.h"
#include "world/ElementTypes.h"

#include <array>
#include <cstdint>
#include <memory>
#include <vector>

class CElement;
class CProfile;
class SoundObject;

// The part of an element's record that the undo keeps: where the element is
// and what it is doing. CElement derives it, so the rules read the fields by
// name and an element's save or restore of them is one copy.
struct ElementStatus {
    // The subclass's animation or behaviour state.
    int32_t state = -1;

    // The cell occupied (during a move: the cell moved to) and the cell left
    // (equal at rest); the cell asked of MoveTo when the move passes a
    // teleport; the drawn position, the one at the start of the tick, and the
    // ghost's at the entrance teleport.
    int32_t x = 0, y = 0;
    int32_t originX = 0, originY = 0;
    int32_t requestX = 0, requestY = 0;
    int32_t pixelX = 0, pixelY = 0;
    int32_t prevPixelX = 0, prevPixelY = 0;
    int32_t ghostPixelX = 0, ghostPixelY = 0;

    // What the element is made of and allowed to do (set by the subclass's
    // constructor): `mobile` lets it report motion and its origin cell,
    // `canFall` subjects it to gravity, `movable` lets it slide and be bumped,
    // `inGrid` makes MoveTo write it into its new cell.
    bool magnetic = false, metallic = false, burstable = false, inGrid = false;
    bool canFall = false, movable = false, mobile = false;
    bool freezable = false, heatable = false, burnable = false, meltable = false;
    // What it is doing.
    bool facingLeft = false, moving = false, falling = false, sliding = false;
    bool pushing = false, pushed = false, landing = false, busy = false;
    bool empStunned = false, destroyed = false, muteHeatSound = false;
    // Heat and frost (see ElementHeat.cpp).
    bool frozen = false, thawing = false, thawed = false, heated = false, wasHeated = false;
    bool burning = false, delayedHeat = false;
    bool teleporting = false;
    int32_t teleportProgress = 0; // ticks of the current teleport passage

    bool grabbed = false, grabFlagA = false, grabFlagB = false;
    // The last horizontal direction, kept beyond the end of a move (slides,
    // pushes and squeezes go on that way), and the last vertical one.
    bool wasMovingLeft = false, wasMovingRight = false, wasMovingUp = false, wasMovingDown = false;
    bool supportedBeforeMove = false;
    bool landed = false;
    int32_t landedFrame = -1; // display frame of the landing, -1 when none

    bool skipSlideCheck = false, onTrampoline = false;
    // A trampoline may throw the element back to that side.
    bool mayBePushedLeft = true, mayBePushedRight = true;
    bool leftTrampoline = false;

    // Magnet links: what is attached on the left and on the right side (the
    // magnet holding it, the element a magnet holds, or the magnet itself when
    // anchored to a ladder platform); the null element when none.
    CElement* holderA = nullptr;
    CElement* holderB = nullptr;

    bool catchLeft = false, catchRight = false;
};

// The base class's part of an element record: its status, its main sprite
// and a snapshot of that sprite, and a copy of the teleport ghost. The copy
// stays with the record; a restore hands the element a fresh copy of it, so
// a record can be restored any number of times.
struct ElementBaseState {
    ElementStatus status;
    CSprite* sprite = nullptr;
    SpriteSnapshot spriteSnapshot{};
    std::shared_ptr<const CSprite> ghost;
};

// The six level-outcome flags but the last: these five are kept in every
// undo step.
struct LevelOutcome {
    bool exitTubeDestroyed = false;
    bool professorFallen = false;
    bool professorSinged = false;
    bool professorLeaving = false;
    bool professorCaught = false;
};

// The whole world as a value (CElement::CaptureWorld): one undo step, or a
// copy kept by a tool. Elements are held by pointer: the copy is good while
// they live.
struct WorldState {
    std::array<CElement*, BOARD_CELLS> grid{};
    std::vector<CElement*> elements;
    std::vector<ElementRecord> records; // one per element, in the same order
    std::vector<CElement*> spawned;
    LevelOutcome outcome;
    std::vector<std::any> classStates; // one per entry of the class-state table
};

// The base of everything that stands on the 32 x 24 board: terrain, ladders,
// devices, movable objects, the actors and tutorial markers.
//
// The board is one class-wide grid of element pointers; an empty cell holds
// the shared null element (never a null pointer), a read outside the board
// gives it and a write outside is ignored. Every element also sits in one list
// of all elements, in order of construction, which the world tick and the
// undo walk. The world runs one tick per game frame (PumpElements), keeps an
// undo ring of five steps and reports the level's outcome flags. ResetWorld
// comes before a level's elements are built; the board is there from then
// until UnloadElements.
//
// How an element class joins the world:
// - Its constructor calls CElement(x, y, variant), sets `type` and its
//   sub-kind field and the material flags, and makes its sprites with its
//   class's images-cached flag (engine/ImagesCached.h) as the sharedImages
//   argument.
// - It overrides the virtual operations it needs; they are declared below in
//   their fixed slot order.
// - Its own fields that an undo must bring back go into one part of the
//   element's record (a struct of the class's own): SaveState and
//   RestoreState call the parent's and SavePart / RestorePart, which log on
//   channel 19 "      %s:  Saving ElementXxx state...\n" (or "Restoring")
//   with GetTypeName() and keep or find the part. A class with nothing of its
//   own calls LogPart alone.
// - Class-wide state goes into statics, cleared by a reset operation; when
//   an undo must bring it back, the class enters it with keptClassState
//   (world/ElementRecord.h), which copies it whole into every undo step. The
//   class enters it in WorldLinks.cpp, with the queries the base asks of it
//   (teleport partners, trampolines, ladders, the magnets' pull).
// - Its destructor logs on channel 11 ("CElementXxx:  Destroying ...\n").
// - Elements made during play call RegisterSpawned, so an undo to a step
//   before them deletes them.
//
// Fields are public: the world's rules are shared by every element class and
// read one another's state (what stands below, who is pushing).
class CElement : public ElementStatus
{
    // The whole-world snapshot reads and writes every field.
    friend struct WorldSnapshotAccess;

public:
    CElement(int x, int y, int variant);
    CElement(const CElement&) = delete;
    CElement& operator=(const CElement&) = delete;

    // ---- The virtual operations, in slot order.
    // 0: one tick of pixel motion toward the cell.
    virtual void UpdateMovement();
    // 1: the holder does not keep this element from falling.
    virtual bool CheckHoldChain(CElement* holder, bool leftSide);
    // 2: the element may fall one row; ignoreBelow skips the test for an
    // element in the cell below (squeezing).
    virtual bool CanFall(bool ignoreBelow);
    // 3: the element keeps sliding.
    virtual bool ShouldSlide();
    // 4, 5: deletes the ghost sprite, the overlays and the sounds. The element
    // stays in the lists and the grid: UnloadElements and the undo own that.
    virtual ~CElement();
    // 6, 7: the element's state into a record, and back out of one. A
    // restore from a record without this element's parts leaves it as it is.
    virtual void SaveState(ElementRecord& record) const;
    virtual void RestoreState(const ElementRecord& record);
    // 8
    virtual void ReleaseMagnetLinks();
    // 9, 10: the origin cell while mobile, else the cell.
    virtual int GetX() const;
    virtual int GetY() const;
    // 11: the element's own logic, once per tick.
    virtual void Update();
    // 12
    virtual bool IsFacingLeft() const;
    // 13 to 19: motion, reported only by mobile elements.
    virtual bool IsMoving() const;
    virtual bool IsMovingLeft() const;
    virtual bool IsMovingRight() const;
    virtual bool IsMovingUp() const;
    virtual bool IsMovingDown() const;
    virtual bool WasMovingLeft() const;
    virtual bool WasMovingRight() const;
    // 20, 21: the surface below is slippery (ice) or sticky (sand).
    virtual bool IsOnSlipperyGround() const;
    virtual bool IsOnSand() const;
    // 22, 23: started a move one cell to that side (the null element always
    // agrees). force: an actor walks into it; fromTrampoline: a trampoline
    // throws it.
    virtual bool PushRight(bool force, bool fromTrampoline);
    virtual bool PushLeft(bool force, bool fromTrampoline);
    // 24, 25: always refused.
    virtual bool PushUp();
    virtual bool PushDown();
    // 26, 27: a sliding neighbour ran into this element.
    virtual bool BumpedRight();
    virtual bool BumpedLeft();
    // 28
    virtual void Break();
    // 29: own tendency to slide (negative slides).
    virtual int GetOwnSlide() const;
    // 30: what the element does to one standing on it (negative slippery,
    // positive sticky).
    virtual int GetSurfaceSlide() const;
    // 31, 32: debug lines.
    virtual void DumpDebug();
    virtual void DumpLine();
    // 33
    virtual bool IsCatching();

    // ---- Names and predicates.
    const char* GetTypeName() const;
    bool IsNull() const { return type == ELEMENT_NULL; }
    bool IsTerrain() const { return type == ELEMENT_TERRAIN; }
    bool IsAI() const { return type == ELEMENT_AI; }
    bool IsBarrel() const { return typeObject == OBJECT_BARREL; }
    bool IsGunshot() const { return typeDevice == DEVICE_GUNSHOT; }
    bool IsProfessor() const { return typeAI == AI_PROFESSOR; }
    bool IsBot() const { return typeAI == AI_BOT; }
    bool IsBridge() const { return typeTerrain == TERRAIN_BRIDGE; }
    bool IsMagnetType1() const { return typeMagnet == 1; }
    bool IsMagnetType2() const { return typeMagnet == 2; }
    bool IsMagnetHeld() const;
    int GetCellX() const { return x; }
    int GetCellY() const { return y; }
    int GetPixelX() const { return pixelX; }
    int GetPixelY() const { return pixelY; }
    int GetVariant() const { return variant; }
    bool IsFrozen() const { return frozen; }
    bool IsHeated() const { return heated; }
    bool IsBurstable() const { return burstable; }
    bool IsCanFall() const { return canFall; }
    bool IsMobile() const { return mobile; }
    // Neither landed nor falling, and free to fall.
    bool CanAct();
    void SetGrabbed(bool on);
    void SetGrabDirection(bool first, bool second);
    void SetHoldingMagnet(CElement* element, bool first);
    CElement* GetHoldingMagnetA() const { return holderA; }
    CElement* GetHoldingMagnetB() const { return holderB; }
    void ClearHoldingMagnetA();
    void ClearHoldingMagnetB();
    void ClearHoldingMagnets(bool a, bool b);

    // ---- Position.
    // Pixel position equals the cell's; within 5 pixels of it.
    bool IsAligned() const;
    bool IsNearCell() const;
    // Something (an element, a trampoline or a ladder platform) is below the
    // current or the origin cell; an element is above it.
    bool IsSupported(bool useOrigin) const;
    bool IsOccupiedAbove(bool useOrigin) const;
    // The cell beside this element's cell on that side, through teleports.
    int GetNextColumn(bool left) const;
    int GetNextRow(bool left) const;
    int GetNextColumnFacing() const;
    int GetNextRowFacing() const;
    // Own slide plus the surface slide of the element below; own slide
    // alone over a trampoline or a ladder platform; 0 over an empty cell.
    int GetSlideSum() const;

    // ---- Movement (ElementTick.cpp).
    // Starts a move into the cell: grid, origin, direction flags, steps on
    // the profile, bridges breaking, the teleport passage, trampolines.
    void MoveTo(int newX, int newY);

    // ---- The board (class-wide).
    // Shots in flight read as empty unless includeShots.
    static CElement* GetElementAt(int x, int y, bool includeShots = false);
    static void SetElementAt(int x, int y, CElement* element);
    static void ClearElementAt(int x, int y);
    static bool IsOccupied(int x, int y, bool includeShots = false);
    // The first listed element whose current or origin cell is there (a
    // moving element still counts in the cell it leaves); the null element
    // when none, or when that one is destroyed or a shot.
    static CElement* FindElementByCell(int x, int y);
    // The neighbour rule: the cell beside (x, y) on that side, through a
    // teleport pair when one stands there.
    static int GetNextColumnAt(int x, int y, bool left, bool useTeleports);
    static int GetNextRowAt(int x, int y, bool left, bool useTeleports);
    static bool IsTrampolineAt(int x, int y);
    static bool IsLadderAt(int x, int y);
    static bool IsLadderPlatformAt(int x, int y);

    static CElement* GetNullElement() { return nullElement; }
    static CElement* GetProfessor() { return professor; }
    static const std::vector<CElement*>& GetAllElements() { return allElements; }
    static const std::vector<CElement*>& GetSpawnedElements() { return spawnedElements; }

    // ---- The world tick (ElementTick.cpp), once per game frame.
    static void PumpElements();
    static bool CheckFalling(CElement* element);
    static bool CheckSquish(CElement* element);
    static bool CheckSliding(CElement* element);
    static bool CheckAllFalling();
    static void CheckAllSquishing();
    static void CheckAllSliding();
    static void CheckProfessorCaught();
    static void EndTick();
    static void UpdateSounds();
    // Drawing of a teleport passage: split sprites at both teleports.
    static void CreateTeleportGhost(CElement* element);
    static void PositionSprites(CElement* element);

    // ---- Heat and frost (ElementHeat.cpp).
    static bool Freeze(CElement* element);
    static bool Heat(CElement* element, bool silent, bool record);
    static void TransferAllHeat();
    static void SpreadHeat(CElement* element);
    static bool transferHeat(int x, int y, CElement* source, bool quiet);
    void CreateOverlays(bool glow, bool explosion, bool steam, bool emp);
    static void UpdateOverlays(CElement* element);
    static void FreeOverlays(CElement* element);
    static bool IsCellHeated(int x, int y);

    // ---- Undo and reset (ElementUndo.cpp).
    static void SaveUndoStep();
    static void LoadUndoStep(bool force);
    static void RegisterSpawned(CElement* element);
    // Empties the lists and the board before a level's elements are built;
    // deletes nothing.
    static void ResetWorld();
    // Deletes every element, the null element too, and the shared flash
    // sprite and sound.
    static void UnloadElements();
    static int GetUndoCount() { return undoCount; }
    // The whole world by value: the board, the element lists, every
    // element's record, the outcome flags and the kept class-wide state.
    // `step` only names the undo step in the log lines; below zero the copy
    // logs nothing. A restore brings back the elements of the copy; elements
    // made since are left to the caller (the undo deletes them first).
    static void CaptureWorld(WorldState& into, int step);
    static void RestoreWorld(const WorldState& from, int step);

    // ---- Outcome flags.
    static bool IsExitTubeDestroyed() { return outcome.exitTubeDestroyed; }
    static bool IsProfessorFallen() { return outcome.professorFallen; }
    static bool IsProfessorSinged() { return outcome.professorSinged; }
    static bool IsProfessorLeaving() { return outcome.professorLeaving; }
    static bool IsProfessorCaught() { return outcome.professorCaught; }
    static bool IsLevelExited() { return levelExited; }
    static void ResetLevelExited() { levelExited = false; }

    static void SetProfile(CProfile* p) { profile = p; }
    // The display's frame counter, as the world reads it.
    static uint32_t CurrentFrame();

    // When set, the base's own sprites (the flash and the overlays) look
    // their frames up without taking references, as the element classes do
    // once the start-up lists hold their pictures. The game leaves it clear;
    // a world run without pictures (the tests) sets it.
    static void SetImagesCached(bool cached) { imagesCached = cached; }
    static bool AreImagesCached() { return imagesCached; }

    // Owned sounds: the five movement sounds, and those of the heat
    // overlays (null until the overlays are made).
    std::unique_ptr<SoundObject> soundStop, soundLand, soundSlideIce, soundSlide, soundBarrelRoll;
    std::unique_ptr<SoundObject> soundHeat, soundMelt;

    int32_t type = ELEMENT_NULL;
    int32_t typeObject = 0, typeDevice = 0, typeAI = 0, typeTerrain = 0, typeLadder = 0, typeMagnet = 0;
    bool spawned = false; // made during play
    int32_t variant = 0;  // the constructor's third argument, for the subclass

    CSprite* shownSprite = nullptr;
    std::unique_ptr<CSprite> overlayGlow, overlayExplosion, overlaySteam, overlayEmp;
    CSprite* sprite = nullptr; // owned by the subclass
    std::unique_ptr<CSprite> ghostSprite;

protected:
    // One class's part of the element's record, as the undo's log names the
    // class ("ElementDeviceGate"). RestorePart gives null when the record
    // holds no part of that type.
    void LogPart(bool saving, const char* className) const;
    template <class Part>
    void SavePart(ElementRecord& record, const char* className, Part part) const
    {
        LogPart(true, className);
        record.put(std::move(part));
    }
    template <class Part>
    const Part* RestorePart(const ElementRecord& record, const char* className) const
    {
        LogPart(false, className);
        return record.find<Part>();
    }

    // The element gives its heat away (frost, or heat passed on).
    static bool Cool(CElement* element);
    void GiveUpHeat();

    // ---- Class-wide state.
    static std::array<CElement*, BOARD_CELLS> grid;
    static CElement* nullElement;
    static std::vector<CElement*> allElements;
    static CElement* professor;
    static std::vector<CElement*> spawnedElements;
    static std::vector<int> heatedCells; // cell indexes heated this tick
    static bool undoPending;
    static CProfile* profile;
    static std::unique_ptr<CSprite> flashSprite;
    static std::unique_ptr<SoundObject> empSound;
    static bool imagesCached;

    static LevelOutcome outcome;
    static bool levelExited;

    // The undo ring: the oldest kept step, the number kept, whether the
    // present equals the newest kept step, and the professor's deferral while
    // a power-up is in use.
    static int undoStart;
    static int undoCount;
    static bool undoAtBase;
    static bool undoDeferred;

private:
    // The elements not moving that the board holds and `wanted` accepts,
    // each with the reading order of its cell, past `after` and in that
    // order (ElementTick.cpp); and whether the cell of that order still
    // holds the element, not moving.
    static void CollectAtRest(bool (*wanted)(const CElement*), int after,
                              std::vector<std::pair<int, CElement*>>& into);
    static bool IsStillAt(int order, const CElement* element);

    bool Push(bool left, bool force, bool fromTrampoline);
    bool Bumped(bool left);
    void HeatProfessorBeside(bool left);
};
