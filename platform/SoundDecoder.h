#pragma once

#include "platform/SoundData.h"

#include <condition_variable>
#include <cstddef>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

// Decodes sounds on a thread of its own, in the order they were queued, so
// that loading them costs the start-up only the copy of their bytes. A sound
// wanted before the thread has reached it is decoded at once on the asking
// thread, so the first playback of an effect is never kept waiting behind
// the others.
class SoundDecoder
{
public:
    SoundDecoder() = default;
    // Waits for the sound being decoded, if any; the rest are dropped.
    ~SoundDecoder();
    SoundDecoder(const SoundDecoder&) = delete;
    SoundDecoder& operator=(const SoundDecoder&) = delete;

    // Queues file bytes (see decodeSound); the number to ask for them by.
    size_t queue(std::vector<unsigned char> bytes, int64_t streamAboveFrames);
    // The decoded sound, once: waits for it or decodes it now. Null when the
    // bytes are damaged.
    std::shared_ptr<const SoundData> take(size_t ticket);
    // Forgets a sound never taken (decoded or not).
    void drop(size_t ticket);

private:
    enum class State { Waiting, Decoding, Done };
    struct Job {
        std::vector<unsigned char> bytes;
        int64_t streamAboveFrames = 0;
        State state = State::Waiting;
        bool dropped = false;
        std::shared_ptr<const SoundData> sound;
    };

    void work();
    // Decodes a job claimed by the caller, with the lock released meanwhile.
    void decode(Job& job, std::unique_lock<std::mutex>& lock);

    std::vector<std::unique_ptr<Job>> jobs_;
    size_t next_ = 0;
    bool stopping_ = false;
    std::mutex mutex_;
    std::condition_variable changed_;
    std::thread worker_;
};
