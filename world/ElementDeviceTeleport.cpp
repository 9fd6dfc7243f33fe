#include "world/ElementDeviceTeleport.h"

#include "engine/ImagesCached.h"
#include "engine/Log.h"
#include "engine/SoundObject.h"

#include <algorithm>
#include <cstdio>

std::array<CElementDeviceTeleport::List, 3> CElementDeviceTeleport::lists;
std::array<long, 3> CElementDeviceTeleport::activityFrame{-1, -1, -1};

namespace {

constexpr int LOG_MAGNET_LINKS = 8;
// Ticks a side stays lit after something was fired or set up through it.
constexpr int LIT_TICKS = 4;
// Ticks between the steps of the portal's fade.
constexpr int FADE_STEP_TICKS = 3;
// Teleports stop falling below the board.
constexpr int LOWEST_ROW = 25;

// Ground holds a teleport up; solid ground (not a bridge) in its own row
// tips it over.
bool isGround(int x, int y) { return CElement::GetElementAt(x, y)->IsTerrain() || CElement::IsLadderPlatformAt(x, y); }

bool isSolid(int x, int y)
{
    CElement* e = CElement::GetElementAt(x, y);
    return e->IsTerrain() && !e->IsBridge();
}

int selectedColumn(const CElement* t, bool right) { return t->x + (right ? 1 : 0); }

bool movingAt(int x, int y, bool right)
{
    for (int row : {y, y - 1}) {
        CElement* e = CElement::GetElementAt(x, row, true);
        if (right ? e->IsMovingRight() : e->IsMovingLeft())
            return true;
    }
    return false;
}

} // namespace

CElementDeviceTeleport::CElementDeviceTeleport(int cellX, int cellY, int teleportColour, bool inflated)
    : CElementDevice(cellX, cellY), colour(teleportColour >= 0 && teleportColour < 3 ? teleportColour : 0)
{
    loadSprites(inflated);
    current.back = picture(BACK);
    current.front = picture(FRONT);
    if (!inflated) {
        current.portal = picture(INACTIVE);
        for (CSprite* s : {current.back, current.front, current.portal})
            s->show(SPRITE_NO_LOCATION, SPRITE_NO_LOCATION);
    } else {
        RegisterSpawned(this);
        current.portal = picture(ENABLE);
        sprite = shownSprite = picture(INFLATION);
        sprite->show(SPRITE_NO_LOCATION, SPRITE_NO_LOCATION);
        sprite->play(true);
        busy = true; // inflating
        enabling = true;
    }
    shown = current;
    typeDevice = DEVICE_TELEPORT;
    soundActivated = std::make_unique<SoundObject>("teleport_activated.ogg", false);
    soundPowerUp = std::make_unique<SoundObject>("teleport_powerup.ogg", false);
    soundPowerDown = std::make_unique<SoundObject>("teleport_powerdown.ogg", false);
    lists[colour].push_back(this);
}

void CElementDeviceTeleport::loadSprites(bool inflated)
{
    static const char* const lower[] = {"blue", "yellow", "red"};
    static const char* const upper[] = {"Blue", "Yellow", "Red"};
    const char* c = lower[colour];
    const char* C = upper[colour];
    const bool shared = ::imagesCached(ImageClass::Teleports);
    char prefix[96];
    auto make = [&](Picture which, const char* nameFormat, int ox, int oy, int kind, int delay) {
        const char* name = keepName(nameFormat, which == INFLATION ? c : C);
        sprites[which] = makeSprite(name, ox, oy, kind, delay, shared, 2);
        return sprites[which].get();
    };
    auto frames = [&](CSprite* s, const char* prefixFormat, int first, int last, int step) {
        snprintf(prefix, sizeof prefix, prefixFormat, c);
        s->addFrames(prefix, first, last, ".png", step);
    };
    auto frame = [&](CSprite* s, const char* fileFormat) {
        snprintf(prefix, sizeof prefix, fileFormat, c);
        s->addFrame(prefix);
    };
    auto spiral = [&](Picture which, const char* nameFormat, int delay, const char* prefixFormat, int step) {
        CSprite* s = make(which, nameFormat, -1, 43, KIND_TELEPORT_PORTAL, delay);
        frames(s, prefixFormat, 0, 39, step);
        s->setLooping(true);
        s->play(true);
    };

    CSprite* s = make(ENABLE, "Teleport Portal - Enable (%s)", 3, 40, KIND_TELEPORT_PORTAL, 2);
    frames(s, "teleport_spiral%sturnon", 0, 4, 1);
    frame(s, "teleport_spiral%sturnon5_faded.png");
    frame(s, "teleport_spiral%sturnon6_faded.png");
    frames(make(DISABLE, "Teleport Portal - Disable (%s)", 2, 40, KIND_TELEPORT_PORTAL, 2), "teleport_spiral%sturnon",
           6, 0, 1);
    spiral(INACTIVE, "Teleport Portal - Inactive (%s)", 2, "teleport_spiral%s_idle", 1);
    spiral(ACTIVE, "Teleport Portal - Active (%s)", 1, "teleport_spiral%s", 2);
    frames(make(GLOW_LEFT, "Teleport Glow Left (%s)", 39, 65, KIND_TELEPORT_GLOW_LEFT, 2), "teleport_glow%s", 0, 12, 1);
    frames(make(GLOW_RIGHT, "Teleport Glow Right (%s)", 13, 65, KIND_TELEPORT_GLOW_RIGHT, 2), "teleport_glow%s", 0, 12,
           1);
    spiral(ALPHA_70, "Teleport Portal - Alpha-70 (%s)", 2, "teleport_spiral%s_70", 1);
    spiral(ALPHA_50, "Teleport Portal - Alpha-50 (%s)", colour == 0 ? 1 : 2, "teleport_spiral%s_50", 1);
    spiral(ALPHA_10, "Teleport Portal - Alpha-10 (%s)", 1, "teleport_spiral%s_10", 2);

    if (!inflated) {
        s = make(FRONT, "Teleport Front (%s)", 6, 47, KIND_TELEPORT_FRONT, 2);
        for (int n : {0, 1, 2, 3, 4, 3, 2, 1, 0, 0, 0, 1, 2, 2, 2, 2, 1, 0}) {
            snprintf(prefix, sizeof prefix, "teleport_frame%s%d.png", c, n);
            s->addFrame(prefix);
        }
        frames(make(FRONT_BREAKING, "Teleport Front Breaking (%s)", 6, 47, KIND_TELEPORT_FRONT, 1),
               "teleport_frame%sbreak", 0, 12, 1);
        make(BACK, "Teleport Back", -17, 45, KIND_TELEPORT_BACK, 0)->addFrame("teleport_frameback.png");
        make(BACK_BREAKING, "Teleport Back Breaking", -17, 45, KIND_TELEPORT_BACK, 1)
            ->addFrames("teleport_framebackbreak", 0, 12, ".png", 1);
    } else {
        frame(make(FRONT, "Teleport Front - Inflated (%s)", 6, 48, KIND_TELEPORT_FRONT, 0),
              "teleportinflatable_%s3front.png");
        frames(make(FRONT_BREAKING, "Teleport Front Breaking (%s,Inflated)", 6, 48, KIND_TELEPORT_FRONT, 1),
               "inflatableteleport_%sfrontbreak", 0, 12, 1);
        frame(make(BACK, "Teleport Back - Inflated (%s)", -14, 46, KIND_TELEPORT_BACK, 0),
              "teleportinflatable_%s3back.png");
        frames(make(BACK_BREAKING, "Teleport Back Breaking (%s,Inflated)", -14, 46, KIND_TELEPORT_BACK, 1),
               "inflatableteleport_%sbackbreak", 0, 12, 1);
        s = make(INFLATION, "Teleport Inflation (%s)", 8, 50, KIND_TELEPORT_PORTAL, 2);
        frames(s, "teleportinflatable_%s", 0, 4, 1);
        frame(s, "teleportinflatable_%s3.png");
    }
    for (auto& each : sprites)
        if (each)
            each->setLocation(pixelX, pixelY, false);
}

CElementDeviceTeleport::~CElementDeviceTeleport()
{
    logMessage(LOG_DESTRUCT, "CElementDeviceTeleport:  Destroying teleport element at (%d,%d)...\n", x, y);
    // No list may keep a pointer to a teleport that is gone.
    auto forget = [this](List& list) { list.erase(std::remove(list.begin(), list.end(), this), list.end()); };
    forget(lists[colour]);
    logMessage(LOG_DESTRUCT, "CElementDeviceTeleport:  Destroying local sprites...\n");
}

CElementDeviceTeleport::Portal CElementDeviceTeleport::GetPortal() const
{
    static const Picture order[] = {INACTIVE, ACTIVE, ALPHA_70, ALPHA_50, ALPHA_10, ENABLE, DISABLE};
    for (int i = 0; i < PORTAL_NONE; ++i)
        if (current.portal == picture(order[i]))
            return static_cast<Portal>(i);
    return PORTAL_NONE;
}

// ---- The pairs.

bool CElementDeviceTeleport::isUnusable(const CElementDeviceTeleport* t)
{
    return t->falling || t->landed || t->destroyed;
}

bool CElementDeviceTeleport::IsPairUsable(int c)
{
    if (c < 0 || c >= 3 || lists[c].size() != 2)
        return false;
    return std::none_of(lists[c].begin(), lists[c].end(), isUnusable);
}

CElement* CElementDeviceTeleport::FindPartner(int cellX, int cellY, bool right)
{
    for (int c = 0; c < 3; ++c) {
        if (!IsPairUsable(c))
            continue;
        CElementDeviceTeleport* first = lists[c][0];
        CElementDeviceTeleport* second = lists[c][1];
        if (first->y == cellY && selectedColumn(first, right) == cellX)
            return second;
        if (second->y == cellY && selectedColumn(second, right) == cellX)
            return first;
    }
    return nullptr;
}

bool CElementDeviceTeleport::IsTeleportAt(int cellX, int cellY, bool right, bool playSound, bool light)
{
    for (int c = 0; c < 3; ++c) {
        if (!IsPairUsable(c))
            continue;
        for (int i = 0; i < 2; ++i) {
            CElementDeviceTeleport* t = lists[c][i];
            if (selectedColumn(t, right) != cellX || (t->y != cellY && t->y - 1 != cellY))
                continue;
            if (playSound)
                t->soundActivated->play();
            if (light)
                t->lightPair(i);
            return true;
        }
    }
    return false;
}

void CElementDeviceTeleport::lightPair(int index)
{
    List& list = lists[colour];
    if (list.size() != 2)
        return;
    list[index]->rightCountdown = LIT_TICKS;
    list[1 - index]->leftCountdown = LIT_TICKS;
}

bool CElementDeviceTeleport::IsTopAt(int cellX, int cellY, bool right)
{
    for (const List& list : lists)
        for (const CElementDeviceTeleport* t : list)
            if (selectedColumn(t, right) == cellX && t->y - 1 == cellY)
                return true;
    return false;
}

bool CElementDeviceTeleport::HasRoomAt(int cellX, int cellY, bool right)
{
    for (const List& list : lists)
        for (const CElementDeviceTeleport* t : list)
            if (selectedColumn(t, right) == cellX && (t->y == cellY || t->y - 1 == cellY || t->y == cellY - 1))
                return false;
    const int first = right ? cellX - 1 : cellX;
    const int second = first + 1;
    const bool g1 = isGround(first, cellY + 1), g2 = isGround(second, cellY + 1);
    if (g1 && g2)
        return true;
    if (g1)
        return !isSolid(first, cellY);
    if (g2)
        return !isSolid(second, cellY);
    return false;
}

// ---- Falling and magnets.

// It stands on two columns: ground under one of them holds it unless solid
// ground in that column's own row tips it over.
bool CElementDeviceTeleport::CanFall(bool)
{
    if (!canFall || y > LOWEST_ROW)
        return false;
    const bool g1 = isGround(x, y + 1), g2 = isGround(x + 1, y + 1);
    return (!g1 && !g2) || (g1 && !g2 && isSolid(x, y)) || (g2 && !g1 && isSolid(x + 1, y));
}

void CElementDeviceTeleport::ReleaseMagnetLinks()
{
    const List& list = lists[colour];
    if (list.size() != 2)
        return;
    for (int i = 0; i < 2; ++i) {
        const CElementDeviceTeleport* t = list[i];
        CElement* rightMagnet = GetElementAt(t->x, t->y);
        if (rightMagnet->IsMagnetType2()) {
            CElement* holder = rightMagnet->holderB;
            holder->ClearHoldingMagnetA();
            rightMagnet->ClearHoldingMagnetB();
            logMessage(LOG_MAGNET_LINKS, "***  RELEASE T%d R-MAGNET(%i,%i)->rmagnet(%i,%i)->lmagnet and R-MAGNET->rmagnet\n",
                       i, rightMagnet->x, rightMagnet->y, holder->x, holder->y);
        }
        CElement* leftMagnet = GetElementAt(t->x + 1, t->y);
        if (leftMagnet->IsMagnetType1()) {
            CElement* holder = leftMagnet->holderA;
            holder->ClearHoldingMagnetB();
            leftMagnet->ClearHoldingMagnetA();
            logMessage(LOG_MAGNET_LINKS, "***  RELEASE T%d L-MAGNET(%i,%i)->lmagnet(%i,%i)->rmagnet and L-MAGNET->lmagnet\n",
                       i, leftMagnet->x, leftMagnet->y, holder->x, holder->y);
        }
    }
}

// ---- Once per tick.

// What passes a pair lights the glow on the side it goes in and the side it
// comes out. Taken once per tick for the pair, so a countdown counts ticks.
void CElementDeviceTeleport::updatePairActivity(int c)
{
    List& list = lists[c];
    if (list.size() != 2)
        return;
    CElementDeviceTeleport* t0 = list[0];
    CElementDeviceTeleport* t1 = list[1];
    for (CElementDeviceTeleport* t : {t0, t1})
        t->leftLit = t->rightLit = false;
    if (movingAt(t0->x, t0->y, true) || movingAt(t1->x + 1, t1->y, false))
        t0->leftLit = t1->rightLit = true;
    if (movingAt(t0->x + 1, t0->y, false) || movingAt(t1->x, t1->y, true))
        t0->rightLit = t1->leftLit = true;
    for (CElementDeviceTeleport* t : {t0, t1}) {
        if (t->rightCountdown > 0) {
            t->rightLit = true;
            --t->rightCountdown;
        }
        if (t->leftCountdown > 0) {
            t->leftLit = true;
            --t->leftCountdown;
        }
    }
}

void CElementDeviceTeleport::Update()
{
    breakWhenLanded();
    const long frame = static_cast<long>(CurrentFrame());
    if (activityFrame[colour] != frame) {
        activityFrame[colour] = frame;
        updatePairActivity(colour);
    }
    animate();
}

void CElementDeviceTeleport::animate()
{
    const int px = prevPixelX, py = prevPixelY;
    CSprite* inflation = picture(INFLATION);
    if (inflation && inflation->isFinished()) {
        busy = false;
        inflation->hide();
        sprite = shownSprite = nullptr;
        current.back->show(px, py);
        current.front->show(px, py);
        if (isUsable()) {
            if (current.portal == picture(DISABLE))
                current.portal = picture(ENABLE);
            current.portal->show(px, py);
            current.portal->play(true);
        }
    }
    if (picture(ENABLE)->isFinished()) {
        picture(ENABLE)->resetAnimation();
        current.portal = picture(INACTIVE);
        current.portal->show(px, py);
        enabling = false;
    }
    for (CSprite* glow : {picture(GLOW_LEFT), picture(GLOW_RIGHT)}) {
        if (glow->isFinished()) {
            glow->resetAnimation();
            glow->hide();
        }
    }
    // The frame's shimmer starts again; the break runs once.
    if (current.front == picture(FRONT) && current.front->isFinished())
        current.front->resetAnimation();

    if (destroyed) {
        current.portal->hide();
        current.back = picture(BACK_BREAKING);
        current.front = picture(FRONT_BREAKING);
        current.back->play(true);
        current.front->play(true);
        if (current.front->isFinished()) {
            current.back->hide();
            current.front->hide();
        }
    } else if (!isUsable()) {
        if (current.portal != picture(ENABLE)) {
            current.portal->hide();
            current.portal = picture(DISABLE);
            if (current.portal->isFinished())
                current.portal->hide();
            else
                current.portal->show(px, py);
        }
    } else if (leftLit || rightLit || lists[colour][0]->leftLit || lists[colour][0]->rightLit ||
               lists[colour][1]->leftLit || lists[colour][1]->rightLit) {
        animateActive();
    } else {
        fadePortal();
    }
    swapShown();
    for (CSprite* s : {current.back, current.portal, current.front, sprite, picture(GLOW_LEFT), picture(GLOW_RIGHT)})
        if (s)
            s->setLocation(pixelX, pixelY, false);
    playPortalSounds();
}

// The frame shimmers from a calm frame, the lit sides glow and the portal
// spins fast.
void CElementDeviceTeleport::animateActive()
{
    CSprite* front = current.front;
    if (front->isStopped()) {
        fadeDelay = 18;
    } else {
        const int f = front->getFrame();
        if (f == 11 || f == 16) {
            front->setFrame(1);
            fadeDelay = 17;
        } else if ((f >= 7 && f <= 10) || f == 17) {
            front->setFrame(0);
            fadeDelay = 18;
        } else if (f >= 12 && f <= 15) {
            front->setFrame(2);
            fadeDelay = 16;
        }
    }
    front->play(true);
    const std::pair<bool, Picture> glows[] = {{leftLit, GLOW_LEFT}, {rightLit, GLOW_RIGHT}};
    for (const auto& [lit, which] : glows) {
        if (!lit)
            continue;
        CSprite* glow = picture(which);
        if (glow->getFrame() > 7)
            glow->resetAnimation();
        glow->show(prevPixelX, prevPixelY);
        glow->play(true);
    }
    if (current.portal != picture(ACTIVE)) {
        const int oldFrame = current.portal->getFrame();
        current.portal = picture(ACTIVE);
        current.portal->setFrame(oldFrame / 2 + 1);
        current.portal->show(prevPixelX, prevPixelY);
    }
}

// A while after the last passage the portal fades back to its idle spiral
// in steps, keeping its place in the spin.
void CElementDeviceTeleport::fadePortal()
{
    if (fadeDelay > 0) {
        --fadeDelay;
        return;
    }
    CSprite* portal = current.portal;
    int frame = portal->getFrame();
    Picture next;
    if (portal == picture(ACTIVE)) {
        next = ALPHA_10;
    } else if (portal == picture(ALPHA_10)) {
        next = ALPHA_50;
        frame *= 2;
    } else if (portal == picture(ALPHA_50)) {
        next = ALPHA_70;
    } else if (portal == picture(ALPHA_70)) {
        next = INACTIVE;
    } else if (portal == picture(DISABLE)) {
        switchOnAgain();
        return;
    } else {
        return; // idle, or switching on or off
    }
    fadeDelay = FADE_STEP_TICKS;
    current.portal = picture(next);
    current.portal->setFrame(frame);
    current.portal->show(prevPixelX, prevPixelY);
}

// A teleport that switched off for want of a partner switches on again
// when its pair becomes usable (a partner set up by the power-up).
void CElementDeviceTeleport::switchOnAgain()
{
    picture(DISABLE)->resetAnimation();
    current.portal = picture(ENABLE);
    current.portal->show(prevPixelX, prevPixelY);
    enabling = true;
}

void CElementDeviceTeleport::swapShown()
{
    if (current.back != shown.back) {
        shown.back->hide();
        current.back->show(prevPixelX, prevPixelY);
        shown.back = current.back;
    }
    if (current.portal != shown.portal) {
        shown.portal->hide();
        current.portal->play(true);
        shown.portal = current.portal;
    }
    if (current.front != shown.front) {
        shown.front->hide();
        current.front->show(prevPixelX, prevPixelY);
        shown.front = current.front;
    }
}

void CElementDeviceTeleport::playPortalSounds()
{
    CSprite* portal = current.portal;
    if (!portal->isPlayingForward() || portal->getFrame() != 0)
        return;
    if (portal == picture(ENABLE) && !soundPowerUp->isPlaying())
        soundPowerUp->play();
    else if (portal == picture(DISABLE) && !soundPowerDown->isPlaying())
        soundPowerDown->play();
}

// ---- Undo.

void CElementDeviceTeleport::SaveState(ElementRecord& record) const
{
    CElementDevice::SaveState(record);
    SavePart(record, "ElementDeviceTeleport", Saved{current, shown, enabling, leftLit, rightLit, colour, fadeDelay});
}

void CElementDeviceTeleport::RestoreState(const ElementRecord& record)
{
    CElementDevice::RestoreState(record);
    const Saved* part = RestorePart<Saved>(record, "ElementDeviceTeleport");
    leftCountdown = rightCountdown = 0;
    if (!part)
        return;
    restoreSprite(current.front, part->current.front, false);
    restoreSprite(current.back, part->current.back, false);
    restoreSprite(current.portal, part->current.portal, false, !part->enabling);
    shown = current;
    enabling = part->enabling;
    leftLit = part->leftLit;
    rightLit = part->rightLit;
    fadeDelay = part->fadeDelay;
}

void CElementDeviceTeleport::DumpLine()
{
    dumpSprite(current.back);
    dumpSprite(current.front);
    dumpSprite(current.portal);
}

// ---- Class-wide.

void CElementDeviceTeleport::ResetAll()
{
    for (List& list : lists)
        list.clear();
    activityFrame.fill(-1);
}

ClassState CElementDeviceTeleport::classState()
{
    return keptClassState("teleports", &CElementDeviceTeleport::ResetAll, lists);
}
