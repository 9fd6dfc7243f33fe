// Sound objects, the group volumes, the per-frame update and the effects'
// pause around child screens.
#include "engine/SoundObject.h"

#include "engine/Log.h"
#include "engine/Sound.h"
#include "engine/SoundState.h"

#include <algorithm>

using CSound::activeLibrary;
using CSound::checked;
using CSound::soundState;

SoundObject::SoundObject(const char* name, bool isMusic) : isMusic_(isMusic), name_(name)
{
    if (!CSound::isEnabled())
        return;
    volume_ = groupVolume();
    soundIndex_ = CSound::findSoundIndex(name);
    soundState().soundObjects.push_back(this);
    registered_ = true;
}

SoundObject::~SoundObject()
{
    if (!registered_)
        return;
    if (SoundLibrary* library = activeLibrary(); library && isPlaying())
        library->stop(channel_);
    std::vector<SoundObject*>& objects = soundState().soundObjects;
    auto self = std::find(objects.begin(), objects.end(), this);
    if (self != objects.end())
        objects.erase(self);
    CSound::SoundState& s = soundState();
    if (s.currentMusic == this)
        s.currentMusic = nullptr;
}

// A sound that cannot be played (a damaged file) fails the same way every
// time it is asked for, a click sound at every click: its first failure is
// logged with its name, the later ones are not.
void SoundObject::reportFailedPlay(int result) const
{
    if (soundState().failedSounds.insert(soundIndex_).second)
        logError(false, "Sound library error: %s(sound '%s', which stays silent)\n", soundResultText(result), name_);
}

float SoundObject::groupVolume() const
{
    return isMusic_ ? soundState().musicVolume : soundState().effectsVolume;
}

void SoundObject::play(bool loop, int delayFrames, float frequencyFactor)
{
    SoundLibrary* library = activeLibrary();
    if (!library)
        return;
    logMessage(LOG_SOUND, "Attempting to play sound '%s'\n", name_);
    if (groupVolume() == 0.0f && !loop)
        return;
    if (delayFrames != 0) {
        startDelay_ = delayFrames;
        delayedLoop_ = loop;
        delayedFrequencyFactor_ = frequencyFactor;
        return;
    }
    SoundId sound = CSound::getSoundIdAt(soundIndex_);
    if (sound == 0)
        return; // the sound could not be loaded: it stays silent
    if (looping_)
        stopChannel();
    if (int result = library->playSound(sound, true, &channel_); result != SOUND_OK) {
        reportFailedPlay(result);
        return;
    }
    // The loop belongs to this playback only, not to the sound.
    if (loop)
        checked(library->setLoopCount(channel_, -1));
    setVolume(volume_);
    if (frequencyFactor != 0.0f) {
        float rate = 1.0f;
        checked(library->getFrequency(channel_, &rate));
        checked(library->setFrequency(channel_, frequencyFactor * rate));
    }
    library->setPaused(channel_, false);
    looping_ = loop;
}

void SoundObject::stopChannel()
{
    if (SoundLibrary* library = activeLibrary(); library && channel_ != 0 && isPlaying())
        checked(library->stop(channel_));
}

void SoundObject::stop()
{
    startDelay_ = 0;
    stopChannel();
}

void SoundObject::setVolume(float volume)
{
    SoundLibrary* library = activeLibrary();
    if (!library || channel_ == 0)
        return;
    volume_ = volume;
    if (isPlaying())
        checked(library->setVolume(channel_, volume));
}

float SoundObject::getVolume() const { return CSound::isEnabled() ? volume_ : 0.0f; }

void SoundObject::fadeIn(int steps)
{
    if (!CSound::isEnabled())
        return;
    if (!isFadingOut())
        volume_ = 0.0f;
    fadeOutSteps_ = -1;
    fadeInSteps_ = steps;
}

void SoundObject::fadeOut(int steps)
{
    if (!CSound::isEnabled())
        return;
    if (!isFadingIn())
        volume_ = groupVolume();
    fadeInSteps_ = -1;
    fadeOutSteps_ = steps;
}

bool SoundObject::isPlaying() const
{
    SoundLibrary* library = activeLibrary();
    if (!library || channel_ == 0)
        return false;
    SoundId current = 0;
    if (library->getCurrentSound(channel_, &current) != SOUND_OK || current != CSound::getSoundIdAt(soundIndex_))
        return false;
    bool playing = false;
    return library->isPlaying(channel_, &playing) == SOUND_OK && playing;
}

void SoundObject::stepFade()
{
    const float group = groupVolume();
    if (fadeOutSteps_ >= 0) {
        const int k = fadeOutSteps_;
        volume_ = k > 0 ? volume_ - volume_ / static_cast<float>(k) : 0.0f;
        setVolume(volume_);
        if (volume_ == 0.0f && (isMusic_ || !looping_)) {
            stopChannel();
            setVolume(group);
        }
        --fadeOutSteps_;
    } else if (fadeInSteps_ >= 0) {
        const int k = fadeInSteps_;
        volume_ = k > 0 ? volume_ + (group - volume_) / static_cast<float>(k) : group;
        setVolume(volume_);
        --fadeInSteps_;
    }
}

void SoundObject::countDownStart()
{
    if (startDelay_ > 0 && --startDelay_ == 0)
        play(delayedLoop_, 0, delayedFrequencyFactor_);
}

void SoundObject::tick()
{
    if (!CSound::isEnabled())
        return;
    stepFade();
    countDownStart();
}

namespace CSound {

namespace {

// Runs an operation on every registered effect (music tracks are left out).
template <typename Operation>
void forEachEffect(Operation operation)
{
    for (SoundObject* object : soundState().soundObjects)
        if (!object->isMusic())
            operation(*object);
}

void applyGroupVolume(bool music, float volume)
{
    for (SoundObject* object : soundState().soundObjects)
        if (object->isMusic() == music && !object->isFadingIn() && !object->isFadingOut())
            object->setVolume(volume);
}

} // namespace

void update()
{
    SoundLibrary* library = activeLibrary();
    if (!library)
        return;
    std::vector<SoundObject*>& objects = soundState().soundObjects;
    for (size_t i = 0; i < objects.size(); ++i) {
        objects[i]->stepFade();
        objects[i]->countDownStart();
    }
    library->update();
}

void setMusicVolume(float volume)
{
    if (!isEnabled())
        return;
    soundState().musicVolume = volume;
    applyGroupVolume(true, volume);
}

void setEffectsVolume(float volume)
{
    if (!isEnabled())
        return;
    soundState().effectsVolume = volume;
    applyGroupVolume(false, volume);
}

float getEffectsVolume() { return soundState().effectsVolume; }
float getMusicVolume() { return soundState().musicVolume; }

float effectsVolumeForStep(int step) { return static_cast<float>(step / 11.0); }

float musicVolumeForStep(int step)
{
    double fraction = step / 11.0;
    return static_cast<float>(fraction * fraction);
}

void stopAllEffects()
{
    if (!isEnabled())
        return;
    forEachEffect([](SoundObject& effect) {
        if (effect.isPlaying() || effect.isStartDelayed())
            effect.stop();
    });
}

void suspendEffects()
{
    if (!isEnabled())
        return;
    const float effects = soundState().effectsVolume;
    forEachEffect([effects](SoundObject& effect) {
        if (effect.getVolume() == 0.0f || effect.isFadingOut()) {
            effect.stop();
            effect.setVolume(effects);
        } else if (effect.isLooping() && effect.isPlaying()) {
            effect.fadeOut(10);
        }
    });
}

void resumeEffects()
{
    if (!isEnabled())
        return;
    forEachEffect([](SoundObject& effect) {
        if (effect.isLooping() && effect.isPlaying())
            effect.fadeIn(10);
    });
}

} // namespace CSound
