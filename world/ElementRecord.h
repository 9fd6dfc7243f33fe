#pragma once

#include <any>
#include <functional>
#include <typeindex>
#include <utility>
#include <vector>

// One element's state kept by value: a part per class of the element's line
// (the base's, the device's, the gate's...), each found again by its type.
// Records are plain values: an undo step keeps one per element, and a copy of
// the whole world can keep as many as it likes.
class ElementRecord
{
public:
    template <class Part>
    void put(Part part)
    {
        const std::type_index key(typeid(Part));
        for (auto& [type, value] : parts_)
            if (type == key) {
                value = std::move(part);
                return;
            }
        parts_.emplace_back(key, std::move(part));
    }

    // The part of that type, or null when the record has none (the element
    // was made after the record, or its class keeps nothing).
    template <class Part>
    const Part* find() const
    {
        const std::type_index key(typeid(Part));
        for (const auto& [type, value] : parts_)
            if (type == key)
                return std::any_cast<Part>(&value);
        return nullptr;
    }

    bool empty() const { return parts_.empty(); }

private:
    std::vector<std::pair<std::type_index, std::any>> parts_;
};

// Class-wide state of one element class (pressed counts, teleport lists,
// magnet lists, ladder grid...): the level reset clears it, and when the
// class keeps it, every undo step and world copy holds a copy of it.
struct ClassState {
    const char* name;                              // as the undo's log lines name it: "buttons"
    void (*reset)();                               // level reset; may be null
    std::function<std::any()> save;                // empty: not kept
    std::function<void(const std::any&)> restore;  // takes what save gave
    // Whether the live state equals what save gave: copies of the world
    // share a state that has not changed. May be empty.
    std::function<bool(const std::any&)> same;
};

// The class-wide state `live` (a static of the class) kept whole: saved as a
// copy and restored by assignment.
template <class State>
ClassState keptClassState(const char* name, void (*reset)(), State& live)
{
    return {name, reset, [&live] { return std::any(live); },
            [&live](const std::any& kept) { live = std::any_cast<const State&>(kept); },
            [&live](const std::any& kept) { return live == std::any_cast<const State&>(kept); }};
}
