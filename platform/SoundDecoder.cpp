#include "platform/SoundDecoder.h"

#include <string>

SoundDecoder::~SoundDecoder()
{
    {
        std::lock_guard<std::mutex> lock(mutex_);
        stopping_ = true;
    }
    changed_.notify_all();
    if (worker_.joinable())
        worker_.join();
}

size_t SoundDecoder::queue(std::vector<unsigned char> bytes, int64_t streamAboveFrames)
{
    auto job = std::make_unique<Job>();
    job->bytes = std::move(bytes);
    job->streamAboveFrames = streamAboveFrames;
    std::lock_guard<std::mutex> lock(mutex_);
    jobs_.push_back(std::move(job));
    if (!worker_.joinable())
        worker_ = std::thread(&SoundDecoder::work, this);
    changed_.notify_all();
    return jobs_.size() - 1;
}

void SoundDecoder::decode(Job& job, std::unique_lock<std::mutex>& lock)
{
    job.state = State::Decoding;
    lock.unlock();
    auto sound = std::make_shared<SoundData>();
    std::string error;
    bool decoded = decodeSound(job.bytes.data(), job.bytes.size(), job.streamAboveFrames, *sound, error);
    lock.lock();
    job.state = State::Done;
    job.bytes = std::vector<unsigned char>();
    if (decoded && !job.dropped)
        job.sound = std::move(sound);
    changed_.notify_all();
}

void SoundDecoder::work()
{
    std::unique_lock<std::mutex> lock(mutex_);
    for (;;) {
        changed_.wait(lock, [&] { return stopping_ || next_ < jobs_.size(); });
        if (stopping_)
            return;
        Job& job = *jobs_[next_++];
        if (job.state == State::Waiting)
            decode(job, lock);
    }
}

std::shared_ptr<const SoundData> SoundDecoder::take(size_t ticket)
{
    std::unique_lock<std::mutex> lock(mutex_);
    if (ticket >= jobs_.size())
        return nullptr;
    Job& job = *jobs_[ticket];
    if (job.state == State::Waiting)
        decode(job, lock);
    changed_.wait(lock, [&] { return job.state == State::Done; });
    return std::move(job.sound);
}

void SoundDecoder::drop(size_t ticket)
{
    std::lock_guard<std::mutex> lock(mutex_);
    if (ticket >= jobs_.size())
        return;
    Job& job = *jobs_[ticket];
    job.dropped = true;
    job.sound.reset();
    if (job.state == State::Waiting) {
        job.state = State::Done;
        job.bytes = std::vector<unsigned char>();
    }
}
