#pragma once

#include "world/ElementTypes.h"

#include <any>
#include <array>
#include <cstdint>
#include <memory>
#include <utility>
#include <vector>

class CElement;
class CSprite;

// The whole world as a value: every element's fields and sprites, the board,
// the class-wide state, the outcome flags and the profile's step counter.
// The undo's WorldState keeps what taking a step back needs (and leaves the
// rest as the present has it); this keeps everything, down to where each
// animation stands, and hashes it.
// Running on from a restored snapshot gives exactly what running on from the
// moment it was taken gave, so a level can be explored from many states
// without replaying it from the start.
//
// Frame stamps are kept relative to the world's frame counter, so a snapshot
// may be restored at any later frame. Elements made after a snapshot are not
// deleted when it is restored but set aside, still owned by the world, for
// the snapshots that hold them; ReleaseSetAside deletes them once no such
// snapshot will be restored any more. The undo ring is not part of a
// snapshot: restoring one is not an undo step.
class WorldSnapshot
{
public:
    // Bytes that a resize leaves as they come: each take writes them all.
    struct ByteAllocator : std::allocator<uint8_t> {
        ByteAllocator() = default;
        template <class U> struct rebind {
            using other = ByteAllocator;
        };
        template <class U> void construct(U* at) noexcept { ::new (static_cast<void*>(at)) U; }
        template <class U, class... Args> void construct(U* at, Args&&... args)
        {
            ::new (static_cast<void*>(at)) U(std::forward<Args>(args)...);
        }
    };
    using Bytes = std::vector<uint8_t, ByteAllocator>;

    WorldSnapshot();
    ~WorldSnapshot();
    WorldSnapshot(const WorldSnapshot&);
    WorldSnapshot& operator=(const WorldSnapshot&);
    WorldSnapshot(WorldSnapshot&&) noexcept;
    WorldSnapshot& operator=(WorldSnapshot&&) noexcept;

    // Takes the world as it stands.
    void Take();
    // Puts the world back as it was taken.
    void Restore() const;
    bool IsEmpty() const { return used_ == 0; }

    // A hash of the world as it stands that ignores when it was reached and
    // which objects hold it: equal worlds hash equal.
    static uint64_t HashWorld();
    // Deletes the elements set aside by restores. For the end of a run.
    static void ReleaseSetAside();

private:
    friend struct WorldSnapshotAccess;

    std::vector<CElement*> spawned_;
    // The world's list of elements, its board and every element's fields,
    // as blocks: those that differ from the base are kept here, a bit each
    // in changed_ says which.
    std::shared_ptr<const Bytes> base_;
    std::vector<uint64_t> changed_;
    Bytes blocks_;
    size_t used_ = 0;   // the bytes of the world written
    size_t listAt_ = 0; // where the list of elements begins in them
    // The class-wide states of the world's class-state table, shared with
    // the snapshots before that found them alike.
    std::vector<std::shared_ptr<const std::any>> classStates_;
    // Copies of the teleport ghosts, in the order of the elements.
    std::vector<std::shared_ptr<const CSprite>> ghosts_;
    uint32_t frame_ = 0;
};
