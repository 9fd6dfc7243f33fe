#include "FakeSoundLibrary.h"

#include "engine/Sound.h"
#include "engine/SoundObject.h"

#include <gtest/gtest.h>

class SoundObjectTest : public SoundTest
{
};

TEST_F(SoundObjectTest, FadeOutOfOneShotEffectFallsInAStraightLineAndStops)
{
    startWith({"hit.ogg"});
    SoundObject hit("hit.ogg", false);
    hit.play();
    hit.fadeOut(15);
    for (int update = 1; update <= 14; ++update) {
        CSound::update();
        EXPECT_NEAR(hit.getVolume(), 0.6f * (15 - update) / 15, 1e-5) << update;
        ASSERT_EQ(fake->playing("hit.ogg").size(), 1u);
        EXPECT_NEAR(fake->playing("hit.ogg")[0].volume, hit.getVolume(), 1e-6);
    }
    CSound::update(); // 15th: silence, stopped, ready for its next play
    EXPECT_TRUE(fake->playing("hit.ogg").empty());
    EXPECT_FLOAT_EQ(hit.getVolume(), 0.6f);
    EXPECT_TRUE(hit.isFadingOut());
    CSound::update();
    EXPECT_FALSE(hit.isFadingOut());
    EXPECT_FLOAT_EQ(hit.getVolume(), 0.6f);
}

TEST_F(SoundObjectTest, LoopingEffectFadesToSilenceAndComesBackOnResume)
{
    startWith({"hum.ogg"});
    SoundObject hum("hum.ogg", false);
    hum.play(true);
    CSound::suspendEffects();
    EXPECT_TRUE(hum.isFadingOut());
    updates(11);
    ASSERT_EQ(fake->playing("hum.ogg").size(), 1u);
    EXPECT_EQ(fake->playing("hum.ogg")[0].volume, 0.0f);
    CSound::resumeEffects();
    updates(5);
    EXPECT_NEAR(hum.getVolume(), 0.3f, 1e-5);
    updates(6);
    EXPECT_FLOAT_EQ(fake->playing("hum.ogg")[0].volume, 0.6f);
    EXPECT_FALSE(hum.isFadingIn());
}

TEST_F(SoundObjectTest, SuspendLeavesOneShotsAndResetsSilentOrFadingEffects)
{
    startWith({"step.ogg", "quiet.ogg", "going.ogg"});
    SoundObject step("step.ogg", false), quiet("quiet.ogg", false), going("going.ogg", false);
    step.play();
    quiet.play(true);
    quiet.setVolume(0.0f);
    going.play(true);
    going.fadeOut(20);
    CSound::suspendEffects();
    EXPECT_EQ(fake->playing("step.ogg").size(), 1u);
    EXPECT_FALSE(step.isFadingOut());
    EXPECT_TRUE(fake->playing("quiet.ogg").empty());
    EXPECT_TRUE(fake->playing("going.ogg").empty());
    EXPECT_FLOAT_EQ(quiet.getVolume(), 0.6f);
}

TEST_F(SoundObjectTest, FadeInHeadsForTheGroupVolumeEvenWhenItChanges)
{
    startWith({});
    CSound::setMusicVolume(0.3f);
    SoundObject track("map.oxm", true);
    track.fadeIn(30);
    track.play(true);
    updates(15);
    EXPECT_NEAR(track.getVolume(), 0.15f, 1e-5);
    CSound::setMusicVolume(0.5f); // a fading object is left to its fade
    EXPECT_NEAR(track.getVolume(), 0.15f, 1e-5);
    updates(15);
    EXPECT_NEAR(track.getVolume(), 0.5f, 1e-5);
    EXPECT_TRUE(track.isFadingIn());
    CSound::update();
    EXPECT_EQ(track.getVolume(), 0.5f);
    EXPECT_FALSE(track.isFadingIn());
}

TEST_F(SoundObjectTest, EachFadeStartsWhereTheOtherHadGot)
{
    startWith({"a.ogg"});
    SoundObject a("a.ogg", false);
    a.play(true);
    a.fadeOut(10);
    updates(5);
    EXPECT_NEAR(a.getVolume(), 0.3f, 1e-5);
    a.fadeIn(3);
    EXPECT_NEAR(a.getVolume(), 0.3f, 1e-5);
    CSound::update();
    EXPECT_NEAR(a.getVolume(), 0.4f, 1e-5);
    a.setVolume(0.1f); // a set volume is where the rest of the fade starts
    CSound::update();
    EXPECT_NEAR(a.getVolume(), 0.35f, 1e-5);
}

TEST_F(SoundObjectTest, DelayedStartPlaysAtTheCountedUpdateAsAsked)
{
    startWith({"later.ogg"});
    SoundObject later("later.ogg", false);
    later.play(true, 11, 2.0f);
    for (int update = 1; update <= 10; ++update) {
        CSound::update();
        EXPECT_TRUE(later.isStartDelayed());
        EXPECT_TRUE(fake->playing("later.ogg").empty());
    }
    CSound::update();
    EXPECT_FALSE(later.isStartDelayed());
    ASSERT_EQ(fake->playing("later.ogg").size(), 1u);
    EXPECT_EQ(fake->playing("later.ogg")[0].loopCount, -1) << "the loop is kept";
    EXPECT_EQ(fake->playing("later.ogg")[0].frequency, 88200.0f) << "and so is the rate";
    EXPECT_TRUE(later.isLooping());
}

TEST_F(SoundObjectTest, StoppingCancelsAWaitingStart)
{
    startWith({"later.ogg"});
    SoundObject later("later.ogg", false), alsoLater("later.ogg", false);
    later.play(false, 3);
    alsoLater.play(false, 3);
    later.stop();
    CSound::stopAllEffects(); // an undo's silence cancels the other
    EXPECT_FALSE(later.isStartDelayed());
    EXPECT_FALSE(alsoLater.isStartDelayed());
    for (int update = 0; update < 5; ++update)
        CSound::update();
    EXPECT_TRUE(fake->playing("later.ogg").empty());
}

TEST_F(SoundObjectTest, PlayStartsUnpausedAtStoredVolumeAndRate)
{
    startWith({"boing.ogg"});
    SoundObject boing("boing.ogg", false);
    boing.play(false, 0, 1.5f);
    ASSERT_EQ(fake->playing("boing.ogg").size(), 1u);
    FakeSoundLibrary::Channel c = fake->playing("boing.ogg")[0];
    EXPECT_FALSE(c.paused);
    EXPECT_FLOAT_EQ(c.volume, 0.6f);
    EXPECT_FLOAT_EQ(c.frequency, 66150.0f);
    EXPECT_TRUE(boing.isPlaying());
    fake->finish(fake->channels.begin()->first);
    EXPECT_FALSE(boing.isPlaying());
}

TEST_F(SoundObjectTest, MutedGroupSkipsOneShotsButStartsLoops)
{
    startWith({"a.ogg"});
    SoundObject a("a.ogg", false);
    CSound::setEffectsVolume(0.0f);
    a.play();
    EXPECT_TRUE(fake->playing("a.ogg").empty());
    a.play(true);
    ASSERT_EQ(fake->playing("a.ogg").size(), 1u);
    EXPECT_FLOAT_EQ(fake->playing("a.ogg")[0].volume, 0.6f);
}

TEST_F(SoundObjectTest, GroupVolumesFromThePlayersSteps)
{
    struct Case {
        int step;
        float effects;
        float music;
    } cases[] = {{0, 0.0f, 0.0f}, {6, 0.545454f, 0.297521f}, {11, 1.0f, 1.0f}};
    for (const Case& c : cases) {
        EXPECT_NEAR(CSound::effectsVolumeForStep(c.step), c.effects, 1e-5) << c.step;
        EXPECT_NEAR(CSound::musicVolumeForStep(c.step), c.music, 1e-5) << c.step;
    }
}

TEST_F(SoundObjectTest, GroupVolumeReachesPlayedObjectsOfItsGroupThatAreNotFading)
{
    startWith({"a.ogg", "b.ogg", "never.ogg"});
    SoundObject a("a.ogg", false), b("b.ogg", false), never("never.ogg", false), music("main.oxm", true);
    a.play(true);
    b.play(true);
    b.fadeOut(30);
    music.play(true);
    CSound::setEffectsVolume(0.2f);
    EXPECT_FLOAT_EQ(a.getVolume(), 0.2f);
    EXPECT_FLOAT_EQ(fake->playing("a.ogg")[0].volume, 0.2f);
    EXPECT_FLOAT_EQ(b.getVolume(), 0.6f);
    EXPECT_FLOAT_EQ(never.getVolume(), 0.6f);
    EXPECT_FLOAT_EQ(music.getVolume(), 0.05f);
    EXPECT_FLOAT_EQ(CSound::getEffectsVolume(), 0.2f);
}

TEST_F(SoundObjectTest, LoopBelongsToOnePlaybackAndEndsWhenTheObjectPlaysAgain)
{
    startWith({"a.ogg"});
    SoundObject a("a.ogg", false), other("a.ogg", false);
    a.play(true);
    a.play(false);
    other.play(false);
    std::vector<FakeSoundLibrary::Channel> live = fake->playing("a.ogg");
    ASSERT_EQ(live.size(), 2u);
    EXPECT_EQ(live[0].loopCount, 0);
    EXPECT_EQ(live[1].loopCount, 0);
}

TEST_F(SoundObjectTest, OneShotPlaysOverlapAndDestructionStopsTheNewest)
{
    startWith({"a.ogg"});
    auto* a = new SoundObject("a.ogg", false);
    a->play();
    a->play();
    EXPECT_EQ(fake->playing("a.ogg").size(), 2u);
    delete a;
    EXPECT_EQ(fake->playing("a.ogg").size(), 1u);
    CSound::update(); // the list no longer holds it
}

TEST_F(SoundObjectTest, StopAllEffectsLeavesMusic)
{
    startWith({"a.ogg"});
    SoundObject a("a.ogg", false);
    a.play(true);
    CSound::playMainMusic();
    CSound::stopAllEffects();
    EXPECT_TRUE(fake->playing("a.ogg").empty());
    EXPECT_EQ(fake->playing("main.oxm").size(), 1u);
}

TEST_F(SoundObjectTest, StageMusicTakesTurns)
{
    startWith({});
    std::vector<std::string> expected = {"stage2.oxm", "stage3.oxm", "stage1.oxm"};
    for (const std::string& track : expected) {
        CSound::playStageMusic(false);
        EXPECT_EQ(fake->calls.back(), "play " + track);
    }
    size_t calls = fake->calls.size();
    CSound::playStageMusic(true);
    EXPECT_EQ(fake->calls.size(), calls);
}

TEST_F(SoundObjectTest, MusicCrossFadesAndTheSameTrackIsNotRestarted)
{
    startWith({});
    CSound::setMusicVolume(0.3f);
    CSound::playMainMusic();
    updates(31);
    CSound::playMapMusic();
    size_t calls = fake->calls.size();
    CSound::playMapMusic();
    EXPECT_EQ(fake->calls.size(), calls);
    updates(5);
    EXPECT_FLOAT_EQ(fake->playing("map.oxm")[0].volume, 0.3f);
    EXPECT_EQ(fake->playing("main.oxm").size(), 1u);
    updates(10);
    EXPECT_TRUE(fake->playing("main.oxm").empty());
}

TEST_F(SoundObjectTest, TrackChosenAgainWhileFadingOutRestartsFromItsVolume)
{
    startWith({});
    CSound::setMusicVolume(0.3f);
    CSound::playMainMusic();
    updates(31);
    CSound::playMapMusic();
    updates(5);
    CSound::playMainMusic();
    std::vector<FakeSoundLibrary::Channel> main = fake->playing("main.oxm");
    ASSERT_EQ(main.size(), 1u);
    EXPECT_NEAR(main[0].volume, 0.2f, 1e-5);
    updates(31);
    ASSERT_EQ(fake->playing("main.oxm").size(), 1u);
    EXPECT_FLOAT_EQ(fake->playing("main.oxm")[0].volume, 0.3f);
    EXPECT_TRUE(fake->playing("map.oxm").empty());
}

TEST_F(SoundObjectTest, FadeOutMusicLetsTheSameTrackStartAgain)
{
    startWith({});
    CSound::playStoryMusic();
    CSound::fadeOutMusic();
    updates(16);
    EXPECT_TRUE(fake->playing("story.oxm").empty());
    CSound::playStoryMusic();
    EXPECT_EQ(fake->playing("story.oxm").size(), 1u);
}

TEST_F(SoundObjectTest, WithSoundOffEverythingIsQuietAndInert)
{
    SoundObject a("anything.ogg", false);
    a.play(true, 0, 1.0f);
    a.play(false, 5, 0.0f);
    a.fadeIn(3);
    a.setVolume(0.5f);
    CSound::update();
    CSound::playStageMusic(false);
    CSound::suspendEffects();
    CSound::resumeEffects();
    CSound::setMusicVolume(0.9f);
    EXPECT_FALSE(a.isPlaying());
    EXPECT_FALSE(a.isStartDelayed());
    EXPECT_FALSE(a.isFadingIn());
    EXPECT_EQ(a.getVolume(), 0.0f);
    EXPECT_EQ(CSound::findSoundIndex("anything.ogg"), -1);
    EXPECT_EQ(fake, nullptr);
}

// A sound the library refuses (a damaged click sound) fails at every play:
// the error log names it once, not at every click, and the other sounds
// go on playing.
TEST_F(SoundObjectTest, ASoundThatCannotBePlayedIsLoggedOnceWithItsName)
{
    startWith({"click.ogg", "hit.ogg"});
    SoundObject click("click.ogg", false);
    SoundObject clickAgain("click.ogg", false);
    SoundObject hit("hit.ogg", false);
    fake->failures["playSound"] = SOUND_ERR_INVALID_HANDLE;
    testing::internal::CaptureStdout();
    for (int i = 0; i < 5; ++i) {
        click.play();
        clickAgain.play();
    }
    std::string output = testing::internal::GetCapturedStdout();
    EXPECT_EQ(output, "Sound library error: The channel or sound is no longer valid. (sound 'click.ogg', which stays "
                      "silent)\n");
    EXPECT_TRUE(fake->playing("click.ogg").empty());
    fake->failures.clear();
    hit.play();
    EXPECT_EQ(fake->playing("hit.ogg").size(), 1u);
}
