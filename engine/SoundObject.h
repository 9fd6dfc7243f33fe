#pragma once

#include "platform/SoundLibrary.h"

// One playable use of a preloaded sound: an effect owned by an element or a
// screen, or a music track. The owner makes it by the sound's file name (the
// name is kept, not copied: pass a literal), plays, stops and fades it; the
// per-frame CSound::update advances its fades and delayed start. An effect
// follows the effects volume, a music track the music volume.
//
// Each object holds its newest playback. A new play leaves an earlier
// one-shot playback to finish, but ends an earlier looping one; destroying
// the object stops its playback. While sound is off every operation does
// nothing and queries answer false or 0.
class SoundObject
{
public:
    SoundObject(const char* name, bool isMusic);
    ~SoundObject();
    SoundObject(const SoundObject&) = delete;
    SoundObject& operator=(const SoundObject&) = delete;

    // Plays once or looping. delayFrames > 0 starts it that many updates
    // later, looping and at the rate asked; frequencyFactor 0 keeps the
    // sound's rate, 1.2 plays 20 per cent higher and faster. A one-shot play
    // in a muted group does nothing.
    void play(bool loop = false, int delayFrames = 0, float frequencyFactor = 0.0f);
    // Stops the playback and cancels a start still waiting.
    void stop();

    // Ignored until the first play.
    void setVolume(float volume);
    float getVolume() const;

    // Linear fades over that many updates, toward the group volume or
    // silence; either starts from wherever the other had got to. A fade-out
    // that reaches silence stops the playback, except a looping effect's,
    // which goes on silently (see CSound::resumeEffects).
    void fadeIn(int steps);
    void fadeOut(int steps);

    bool isPlaying() const;
    bool isFadingIn() const { return fadeInSteps_ != -1; }
    bool isFadingOut() const { return fadeOutSteps_ != -1; }
    bool isStartDelayed() const { return startDelay_ > 0; }
    bool isMusic() const { return isMusic_; }
    bool isLooping() const { return looping_; }
    const char* getName() const { return name_; }

    // One fade step; tick() is one whole update of this object alone.
    void stepFade();
    void tick();

    // One frame of a delayed start (part of tick and CSound::update).
    void countDownStart();

private:
    float groupVolume() const;
    void stopChannel();
    void reportFailedPlay(int result) const;

    int soundIndex_ = -1;
    ChannelId channel_ = 0;
    float volume_ = 0.0f;
    int fadeInSteps_ = -1;
    int fadeOutSteps_ = -1;
    int startDelay_ = 0;
    bool delayedLoop_ = false;
    float delayedFrequencyFactor_ = 0.0f;
    bool isMusic_;
    const char* name_;
    bool looping_ = false;
    bool registered_ = false;
};
