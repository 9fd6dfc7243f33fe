// Background music: one track at a time, switched with a cross-fade (the old
// track fades out over 15 updates while the new one fades in).
#include "engine/Sound.h"
#include "engine/SoundObject.h"
#include "engine/SoundState.h"

namespace CSound {

namespace {

constexpr int MUSIC_FADE_OUT_STEPS = 15;
constexpr int SLOW_FADE_IN_STEPS = 30;
constexpr int QUICK_FADE_IN_STEPS = 5;

void switchTo(SoundObject* track, int fadeInSteps, bool loop)
{
    SoundState& s = soundState();
    if (!s.enabled || !track || track == s.currentMusic)
        return;
    if (s.currentMusic)
        s.currentMusic->fadeOut(MUSIC_FADE_OUT_STEPS);
    s.currentMusic = track;
    track->fadeIn(fadeInSteps);
    track->play(loop, 0, 0.0f);
}

} // namespace

void playMainMusic() { switchTo(soundState().mainTrack, SLOW_FADE_IN_STEPS, true); }
void playMapMusic() { switchTo(soundState().mapTrack, QUICK_FADE_IN_STEPS, true); }
void playStoryMusic() { switchTo(soundState().storyTrack, SLOW_FADE_IN_STEPS, true); }

void playStageMusic(bool keep)
{
    SoundState& s = soundState();
    if (!s.enabled)
        return;
    if (!keep)
        s.stageMusicIndex = (s.stageMusicIndex + 1) % 3;
    switchTo(s.stageTracks[s.stageMusicIndex], SLOW_FADE_IN_STEPS, true);
}

void switchMusic(SoundObject* track, bool loop, bool slow)
{
    switchTo(track, slow ? SLOW_FADE_IN_STEPS : QUICK_FADE_IN_STEPS, loop);
}

void fadeOutMusic()
{
    SoundState& s = soundState();
    if (!s.enabled)
        return;
    if (s.currentMusic)
        s.currentMusic->fadeOut(MUSIC_FADE_OUT_STEPS);
    s.currentMusic = nullptr;
}

} // namespace CSound
