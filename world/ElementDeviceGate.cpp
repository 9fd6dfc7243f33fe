#include "world/ElementDeviceGate.h"

#include "engine/ImagesCached.h"
#include "engine/Log.h"
#include "engine/SoundObject.h"
#include "world/ElementDeviceButton.h"

std::array<long, CElementDeviceGate::SOUND_COUNT> CElementDeviceGate::lastStarted{-1, -1, -1, -1};

namespace {
constexpr int BLUE = 0, RED = 1;

void setLastFrame(CSprite* s) { s->setFrame(s->getFrameCount() - 1); }

} // namespace

CElementDeviceGate::CElementDeviceGate(int cellX, int cellY, int gateColour)
    : CElementDevice(cellX, cellY), colour(gateColour >= 0 && gateColour < 3 ? gateColour : BLUE)
{
    typeDevice = DEVICE_GATE;
    metallic = true; // magnets hold gates
    canFall = mobile = false;
    SetElementAt(x, y, this);
    loadSprites();
    static const char* const soundNames[SOUND_COUNT] = {"gate_fail.ogg", "gate_break.ogg", "gate_close.ogg",
                                                         "gate_open.ogg"};
    for (int i = 0; i < SOUND_COUNT; ++i)
        sounds[i] = std::make_unique<SoundObject>(soundNames[i], false);

    current = shown = look(LOOK_CLOSING);
    current.lights = shown.lights = look(LOOK_OPENING).lights;
    for (CSprite* s : {current.back, current.front, current.lights}) {
        if (!s)
            continue;
        setLastFrame(s);
        s->show(SPRITE_NO_LOCATION, SPRITE_NO_LOCATION);
    }
}

void CElementDeviceGate::loadSprites()
{
    const bool shared = ::imagesCached(ImageClass::Gates);
    backs[LOOK_OPENING] = makeSprite("Gate (Back) Opening", 15, 16, KIND_GATE_BACK, 2, shared);
    backs[LOOK_OPENING]->addFrames("gatebackclose", 7, 0, ".tga", 1);
    backs[LOOK_CLOSING] = makeSprite("Gate (Back) Closing", 15, 16, KIND_GATE_BACK_CLOSING, 2, shared);
    backs[LOOK_CLOSING]->addFrames("gatebackclose", 0, 7, ".tga", 1);
    backs[LOOK_BREAKING] = makeSprite("Gate (Back) Breaking", 15, 16, KIND_GATE_BACK, 2, shared);
    backs[LOOK_BREAKING]->addFrames("gatebackbreak", 0, 7, ".tga", 1);
    backs[LOOK_MAGNET] = makeSprite("Gate (Back) Magnet Held", 15, 16, KIND_GATE_BACK, 2, shared);
    backs[LOOK_MAGNET]->addFrames("gatebackmagnet", 0, 3, ".tga", 1);
    backs[LOOK_MAGNET]->addFrame("gatebackclose7.tga");

    fronts[LOOK_OPENING] = makeSprite("Gate (Front) Opening", 22, 12, KIND_GATE_FRONT, 2, shared);
    for (const char* frame : {"gatefrontclose7.tga", "gatefrontclose6.tga", "gatefrontclose0.tga"})
        fronts[LOOK_OPENING]->addFrame(frame);
    fronts[LOOK_CLOSING] = makeSprite("Gate (Front) Closing", 22, 12, KIND_GATE_FRONT, 2, shared);
    fronts[LOOK_CLOSING]->addFrameRepeated("gatefrontclose0.tga", 6);
    fronts[LOOK_CLOSING]->addFrame("gatefrontclose6.tga");
    fronts[LOOK_CLOSING]->addFrame("gatefrontclose7.tga");
    fronts[LOOK_BREAKING] = makeSprite("Gate (Front) Breaking", 22, 12, KIND_GATE_FRONT, 2, shared);
    fronts[LOOK_BREAKING]->addFrames("gatefrontbreak", 0, 11, ".tga", 1);
    fronts[LOOK_MAGNET] = makeSprite("Gate (Front) Magnet Held", 22, 12, KIND_GATE_FRONT, 2, shared);
    fronts[LOOK_MAGNET]->addFrames("gatefrontmagnet", 0, 3, ".tga", 1);
    fronts[LOOK_MAGNET]->addFrame("gatefrontclose7.tga");

    if (colour != BLUE) {
        const bool red = colour == RED;
        const char* word = red ? "red" : "yellow";
        const char* title = red ? "Red" : "Yellow";
        char prefix[64];
        lights[LOOK_OPENING] =
            makeSprite(keepName("Gate Lights (%s) Opening/Closing", title), 22, 12, KIND_GATE_LIGHTS, 0, shared);
        snprintf(prefix, sizeof prefix, "gatefrontclose%s0.tga", word);
        lights[LOOK_OPENING]->addFrame(prefix);
        lights[LOOK_BREAKING] =
            makeSprite(keepName("Gate Lights (%s) Breaking", title), 22, 12, KIND_GATE_LIGHTS, 2, shared);
        snprintf(prefix, sizeof prefix, "gatefrontbreak%s", word);
        lights[LOOK_BREAKING]->addFrames(prefix, 0, 11, ".tga", 1);
        lights[LOOK_MAGNET] =
            makeSprite(keepName("Gate Lights (%s) Magnet Held", title), 22, 12, KIND_GATE_LIGHTS, 2, shared);
        snprintf(prefix, sizeof prefix, "gatefrontmagnet%s", word);
        lights[LOOK_MAGNET]->addFrames(prefix, 0, 3, ".tga", 1);
    }
    for (auto* layer : {&backs, &fronts, &lights})
        for (auto& s : *layer)
            if (s)
                s->setLocation(pixelX, pixelY, false);
}

CElementDeviceGate::~CElementDeviceGate()
{
    logMessage(LOG_DESTRUCT, "CElementDeviceGate:  Destroying gate element at (%d,%d)...\n", x, y);
    for (auto* layer : {&backs, &fronts, &lights})
        for (auto& s : *layer)
            s.reset();
    logMessage(LOG_DESTRUCT, "CElementDeviceGate:  Destroying local sounds...\n");
}

// The opening and closing lights are one sprite.
CElementDeviceGate::Layers CElementDeviceGate::look(Look which) const
{
    Look lightsLook = which == LOOK_CLOSING ? LOOK_OPENING : which;
    return {backs[which].get(), fronts[which].get(), lights[lightsLook].get()};
}

void CElementDeviceGate::startSound(Sound which)
{
    const long frame = static_cast<long>(CurrentFrame());
    if (lastStarted[which] == frame)
        return;
    lastStarted[which] = frame;
    sounds[which]->play();
}

void CElementDeviceGate::Update()
{
    if (broken) {
        updateSprites();
        return;
    }
    const bool pressed = CElementDeviceButton::IsColourPressed(colour);
    if (!pressed)
        magnetHeldShown = false;
    if (pressed && !open) {
        if (!IsMagnetHeld()) {
            open = true;
            current = look(LOOK_OPENING);
            magnetHeldShown = false;
            ClearElementAt(x, y);
            startSound(SOUND_OPEN);
        } else if (!magnetHeldShown) {
            current = look(LOOK_MAGNET);
            for (CSprite* s : {current.back, current.front, current.lights}) {
                if (s) {
                    s->resetAnimation();
                    s->play(true);
                }
            }
            magnetHeldShown = true;
            startSound(SOUND_FAIL);
        }
    } else if (!pressed && open) {
        if (IsOccupied(x, y)) {
            broken = true; // it stays out of the grid: the cell stays passable
            current = look(LOOK_BREAKING);
            startSound(SOUND_BREAK);
        } else {
            open = false;
            current = look(LOOK_CLOSING);
            magnetHeldShown = false;
            SetElementAt(x, y, this);
            startSound(SOUND_CLOSE);
        }
    }
    updateSprites();
}

void CElementDeviceGate::updateSprites()
{
    showCurrent(shown.back, current.back, SPRITE_NO_LOCATION, SPRITE_NO_LOCATION);
    showCurrent(shown.front, current.front, SPRITE_NO_LOCATION, SPRITE_NO_LOCATION);
    showCurrent(shown.lights, current.lights, SPRITE_NO_LOCATION, SPRITE_NO_LOCATION);
}

void CElementDeviceGate::SaveState(ElementRecord& record) const
{
    CElementDevice::SaveState(record);
    SavePart(record, "ElementDeviceGate", Saved{current, shown, open, broken, magnetHeldShown});
}

void CElementDeviceGate::RestoreState(const ElementRecord& record)
{
    CElementDevice::RestoreState(record);
    const Saved* part = RestorePart<Saved>(record, "ElementDeviceGate");
    if (!part)
        return;
    restoreSprite(current.front, part->current.front, true);
    restoreSprite(current.back, part->current.back, true);
    restoreSprite(current.lights, part->current.lights, true);
    shown = current;
    open = part->open;
    broken = part->broken;
    magnetHeldShown = part->magnetHeldShown;
}

void CElementDeviceGate::DumpLine()
{
    dumpSprite(current.back);
    dumpSprite(current.front);
    dumpSprite(current.lights);
}

void CElementDeviceGate::ResetAll() { lastStarted.fill(-1); }
