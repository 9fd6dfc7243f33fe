// The element record: construction, names, the simple virtual operations,
// predicates and the board.
#include "world/Element.h"

#include "engine/Log.h"
#include "engine/SoundObject.h"
#include "world/WorldLinks.h"

#include <algorithm>
#include <cstdlib>

std::array<CElement*, BOARD_CELLS> CElement::grid{};
CElement* CElement::nullElement = nullptr;
std::vector<CElement*> CElement::allElements;
CElement* CElement::professor = nullptr;
std::vector<CElement*> CElement::spawnedElements;
std::vector<int> CElement::heatedCells;
bool CElement::undoPending = false;
CProfile* CElement::profile = nullptr;
std::unique_ptr<CSprite> CElement::flashSprite;
std::unique_ptr<SoundObject> CElement::empSound;
bool CElement::imagesCached = false;
LevelOutcome CElement::outcome;
bool CElement::levelExited = false;

namespace {

// The sprite type of the flash: screen furniture over the board.

// The flash shown on an undo and the electromagnetic pulse's sound, shared by
// every element and made by the first one.
void loadSharedEffects(std::unique_ptr<CSprite>& flash, std::unique_ptr<SoundObject>& emp, bool shared)
{
    logMessage(LOG_TICKS, "Loading global element sprites...\n");
    flash = std::make_unique<CSprite>(SPRITE_ORIGIN_BIAS_X, SPRITE_ORIGIN_BIAS_Y, KIND_FLASH, 1, shared, 1, 1);
    flash->setName("Flash Bang");
    flash->addFrame("flash.jpg");
    emp = std::make_unique<SoundObject>("powerup_emp.ogg", false);
}

template <size_t N>
const char* nameOf(const char* const (&names)[N], int kind)
{
    return kind >= 1 && kind <= static_cast<int>(N) ? names[kind - 1] : nullptr;
}

} // namespace

CElement::CElement(int cellX, int cellY, int elementVariant)
{
    if (!flashSprite)
        loadSharedEffects(flashSprite, empSound, imagesCached);
    soundStop = std::make_unique<SoundObject>("object_stop.ogg", false);
    soundLand = std::make_unique<SoundObject>("object_land.ogg", false);
    soundSlideIce = std::make_unique<SoundObject>("object_slide_ice.ogg", false);
    soundSlide = std::make_unique<SoundObject>("object_slide.ogg", false);
    soundBarrelRoll = std::make_unique<SoundObject>("object_barrel_roll.ogg", false);
    logMessage(LOG_CONSTRUCT, "Adding element to allElements...%d\n", static_cast<int>(allElements.size()));
    allElements.push_back(this);

    x = originX = cellX;
    y = originY = cellY;
    pixelX = prevPixelX = cellX * CELL_SIZE;
    pixelY = prevPixelY = cellY * CELL_SIZE;
    variant = elementVariant;
    holderA = holderB = nullElement;
}

CElement::~CElement() = default;

// ---- Simple virtual operations.

void CElement::ReleaseMagnetLinks() {}
int CElement::GetX() const { return mobile ? originX : x; }
int CElement::GetY() const { return mobile ? originY : y; }
void CElement::Update() {}
bool CElement::IsFacingLeft() const { return facingLeft; }
bool CElement::IsMoving() const { return mobile && moving; }
bool CElement::IsMovingLeft() const { return IsMoving() && originX > x; }
bool CElement::IsMovingRight() const { return IsMoving() && originX < x; }
bool CElement::IsMovingUp() const { return IsMoving() && originY > y; }
bool CElement::IsMovingDown() const { return IsMoving() && originY < y; }
bool CElement::WasMovingLeft() const { return mobile && wasMovingLeft; }
bool CElement::WasMovingRight() const { return mobile && wasMovingRight; }
bool CElement::IsOnSlipperyGround() const { return GetElementAt(x, y + 1)->GetSurfaceSlide() < 0; }
bool CElement::IsOnSand() const { return GetElementAt(x, y + 1)->GetSurfaceSlide() > 0; }

bool CElement::PushUp()
{
    logMessage(LOG_DEBUG, "Pushing element (%d) to the up...\n", type);
    return false;
}

bool CElement::PushDown()
{
    logMessage(LOG_DEBUG, "Pushing element (%d) to the down...\n", type);
    return false;
}

void CElement::Break() {}
int CElement::GetOwnSlide() const { return 0; }
int CElement::GetSurfaceSlide() const { return 0; }
void CElement::DumpDebug() { logMessage(LOG_DEBUG, "(DEFAULT)   CURRENT=(%d,%d)\n", x, y); }

void CElement::DumpLine()
{
    if (sprite)
        logMessage(LOG_ACTIVE_SPRITE,
                   "   T(%2d,%2d)  %-20s   LOCATION=(%d,%d)  HIDDEN=%d  STATE=%d  FRAME=%d  FINISHED=%d  NAME='%s'\n", x, y,
                   GetTypeName(), pixelX, pixelY, sprite->isHidden(), sprite->getState(), sprite->getFrame(),
                   sprite->isFinished(), sprite->getName());
    if (ghostSprite)
        logMessage(LOG_ACTIVE_SPRITE,
                   "   T(%d,%d)   %-20s   LOCATION=(%d,%d)  HIDDEN=%d  STATE=%d  FRAME=%d  FINISHED=%d  NAME='%s'\n", x, y,
                   GetTypeName(), ghostSprite->getX(false), ghostSprite->getY(false), ghostSprite->isHidden(),
                   ghostSprite->getState(), ghostSprite->getFrame(), ghostSprite->isFinished(),
                   ghostSprite->getName());
}

bool CElement::IsCatching() { return false; }

// ---- Names and predicates.

const char* CElement::GetTypeName() const
{
    static const char* const terrain[] = {"Grass Terrain", "Ice Terrain", "Sand Terrain", "Bridge Terrain"};
    static const char* const devices[] = {"Gunshot Device", "Gate Device",     "Button Device",  "Trampoline Device",
                                          "Tube Device",    "Teleport Device", "Powerup Device"};
    static const char* const objects[] = {"Crate Object", "Barrel Object", "Magnet Object"};
    static const char* const actors[] = {"Professor AI", "Bot AI"};
    const char* name = nullptr;
    switch (type) {
    case ELEMENT_NULL: name = "Null Element"; break;
    case ELEMENT_TERRAIN: name = nameOf(terrain, typeTerrain); break;
    case ELEMENT_LADDER: name = "Ladder"; break;
    case ELEMENT_DEVICE: name = nameOf(devices, typeDevice); break;
    case ELEMENT_OBJECT: name = nameOf(objects, typeObject); break;
    case ELEMENT_AI: name = nameOf(actors, typeAI); break;
    case ELEMENT_TUTORIAL: name = "Tutorial"; break;
    default: break;
    }
    if (name)
        return name;
    logMessage(LOG_DEBUG,
               "Unknown Element:  type=%d   typeObject=%d   typeDevice=%d   typeMagnet=%d   typeAI=%d   typeLadder=%d\n",
               type, typeObject, typeDevice, typeMagnet, typeAI, typeLadder);
    return "Unknown Element";
}

bool CElement::IsMagnetHeld() const { return !holderA->IsNull() || !holderB->IsNull(); }

bool CElement::CanAct() { return !landed && !falling && CanFall(false); }

void CElement::SetGrabbed(bool on)
{
    grabbed = on;
    if (!on)
        grabFlagA = grabFlagB = false;
}

void CElement::SetGrabDirection(bool first, bool second)
{
    grabFlagA = first;
    grabFlagB = first ? false : second;
}

void CElement::SetHoldingMagnet(CElement* element, bool first) { (first ? holderA : holderB) = element; }
void CElement::ClearHoldingMagnetA() { holderA = nullElement; }
void CElement::ClearHoldingMagnetB() { holderB = nullElement; }

void CElement::ClearHoldingMagnets(bool a, bool b)
{
    if (a)
        ClearHoldingMagnetA();
    if (b)
        ClearHoldingMagnetB();
}

// ---- Position.

bool CElement::IsAligned() const { return pixelX == x * CELL_SIZE && pixelY == y * CELL_SIZE; }

bool CElement::IsNearCell() const
{
    return std::abs(pixelX - x * CELL_SIZE) <= 5 && std::abs(pixelY - y * CELL_SIZE) <= 5;
}

bool CElement::IsSupported(bool useOrigin) const
{
    int column = useOrigin ? originX : x;
    int below = (useOrigin ? originY : y) + 1;
    return IsOccupied(column, below) || IsTrampolineAt(column, below) || IsLadderPlatformAt(column, below);
}

bool CElement::IsOccupiedAbove(bool useOrigin) const
{
    return IsOccupied(useOrigin ? originX : x, (useOrigin ? originY : y) - 1);
}

int CElement::GetNextColumn(bool left) const { return GetNextColumnAt(x, y, left, true); }
int CElement::GetNextRow(bool left) const { return GetNextRowAt(x, y, left, true); }
int CElement::GetNextColumnFacing() const { return GetNextColumn(facingLeft); }
int CElement::GetNextRowFacing() const { return GetNextRow(facingLeft); }

int CElement::GetSlideSum() const
{
    if (IsTrampolineAt(x, y + 1) || IsLadderPlatformAt(x, y + 1))
        return GetOwnSlide();
    CElement* below = GetElementAt(x, y + 1);
    return below->IsNull() ? 0 : GetOwnSlide() + below->GetSurfaceSlide();
}

// ---- The board.

CElement* CElement::GetElementAt(int cellX, int cellY, bool includeShots)
{
    if (!isOnBoard(cellX, cellY))
        return nullElement;
    CElement* element = grid[cellIndex(cellX, cellY)];
    return !includeShots && element->IsGunshot() ? nullElement : element;
}

void CElement::SetElementAt(int cellX, int cellY, CElement* element)
{
    if (isOnBoard(cellX, cellY))
        grid[cellIndex(cellX, cellY)] = element;
}

void CElement::ClearElementAt(int cellX, int cellY) { SetElementAt(cellX, cellY, nullElement); }

bool CElement::IsOccupied(int cellX, int cellY, bool includeShots)
{
    return !GetElementAt(cellX, cellY, includeShots)->IsNull();
}

CElement* CElement::FindElementByCell(int cellX, int cellY)
{
    // The null element stands nowhere, although its record says (0, 0).
    auto found = std::find_if(allElements.begin(), allElements.end(), [=](const CElement* e) {
        return !e->IsNull() && ((e->x == cellX && e->y == cellY) || (e->originX == cellX && e->originY == cellY));
    });
    if (found == allElements.end() || (*found)->destroyed || (*found)->IsGunshot())
        return nullElement;
    return *found;
}

// An element leaving a teleport's right column to the left (or its left
// column to the right) passes the portal between the two and comes out of the
// partner on the same side. Standing in the teleport's upper row it comes out
// in the partner's upper row.
int CElement::GetNextColumnAt(int cellX, int cellY, bool left, bool useTeleports)
{
    int step = left ? -1 : 1;
    if (!useTeleports)
        return cellX + step;
    const WorldLinks& links = worldLinks();
    CElement* upper = links.findTeleportPartner ? links.findTeleportPartner(cellX, cellY + 1, left) : nullptr;
    CElement* lower = links.findTeleportPartner ? links.findTeleportPartner(cellX, cellY, left) : nullptr;
    int exitOffset = left ? 0 : 1;
    if (upper)
        return upper->x + exitOffset;
    if (lower)
        return lower->x + exitOffset;
    return cellX + step;
}

int CElement::GetNextRowAt(int cellX, int cellY, bool left, bool useTeleports)
{
    if (!useTeleports)
        return cellY;
    const WorldLinks& links = worldLinks();
    if (!links.findTeleportPartner)
        return cellY;
    if (CElement* lower = links.findTeleportPartner(cellX, cellY, left))
        return lower->y;
    if (CElement* upper = links.findTeleportPartner(cellX, cellY + 1, left))
        return upper->y - 1;
    return cellY;
}

bool CElement::IsTrampolineAt(int cellX, int cellY)
{
    const WorldLinks& links = worldLinks();
    return links.isTrampolineAt && links.isTrampolineAt(cellX, cellY);
}

bool CElement::IsLadderAt(int cellX, int cellY)
{
    const WorldLinks& links = worldLinks();
    return links.isLadderAt && links.isLadderAt(cellX, cellY);
}

bool CElement::IsLadderPlatformAt(int cellX, int cellY)
{
    const WorldLinks& links = worldLinks();
    return links.isLadderPlatformAt && links.isLadderPlatformAt(cellX, cellY);
}

uint32_t CElement::CurrentFrame()
{
    const WorldLinks& links = worldLinks();
    return links.currentFrame ? links.currentFrame() : 0;
}
