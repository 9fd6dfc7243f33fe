#include "engine/AreaOrders.h"

#include <algorithm>

namespace {

constexpr uint32_t kUnseen = UINT32_MAX;

size_t hashOf(const CSprite* sprite)
{
    uint64_t v = reinterpret_cast<uintptr_t>(sprite);
    v ^= v >> 29;
    v *= 0xBF58476D1CE4E5B9ull;
    return static_cast<size_t>(v ^ (v >> 32));
}

} // namespace

void AreaOrders::clear()
{
    areas_.clear();
    sprites_.clear();
}

void AreaOrders::add(const DirtyRect& area, const std::vector<CSprite*>& order)
{
    uint32_t begin = static_cast<uint32_t>(sprites_.size());
    sprites_.insert(sprites_.end(), order.begin(), order.end());
    areas_.push_back({area, begin, static_cast<uint32_t>(sprites_.size()), true});
}

void AreaOrders::growTable()
{
    slots_.assign(std::max<size_t>(64, slots_.size() * 2), 0);
    const size_t mask = slots_.size() - 1;
    for (uint32_t node = 0; node < nodes_.size(); ++node) {
        size_t slot = hashOf(nodes_[node]) & mask;
        while (slots_[slot] != 0)
            slot = (slot + 1) & mask;
        slots_[slot] = node + 1;
    }
}

uint32_t AreaOrders::nodeOf(const CSprite* sprite)
{
    if (2 * (nodes_.size() + 1) > slots_.size())
        growTable();
    const size_t mask = slots_.size() - 1;
    for (size_t slot = hashOf(sprite) & mask;; slot = (slot + 1) & mask) {
        if (slots_[slot] == 0) {
            nodes_.push_back(sprite);
            slots_[slot] = static_cast<uint32_t>(nodes_.size());
            return static_cast<uint32_t>(nodes_.size() - 1);
        }
        if (nodes_[slots_[slot] - 1] == sprite)
            return slots_[slot] - 1;
    }
}

void AreaOrders::linkMergedAreas()
{
    // Counted per node, then placed.
    const size_t nodes = nodes_.size();
    edgeStart_.assign(nodes + 1, 0);
    waiting_.assign(nodes, 0);
    for (const Area& a : areas_)
        if (a.merged)
            for (uint32_t i = a.begin; i + 1 < a.end; ++i) {
                ++edgeStart_[ids_[i] + 1];
                ++waiting_[ids_[i + 1]];
            }
    for (size_t n = 0; n < nodes; ++n)
        edgeStart_[n + 1] += edgeStart_[n];
    edges_.resize(edgeStart_[nodes]);
    ready_.assign(edgeStart_.begin(), edgeStart_.end() - 1);
    for (const Area& a : areas_)
        if (a.merged)
            for (uint32_t i = a.begin; i + 1 < a.end; ++i)
                edges_[ready_[ids_[i]]++] = ids_[i + 1];
}

// Tarjan's search for strongly connected components, without recursion:
// a node lies on a circle exactly when its component holds another node.
void AreaOrders::findCircles()
{
    const size_t nodes = nodes_.size();
    component_.assign(nodes, kUnseen); // visiting order, until the component is closed
    low_.assign(nodes, 0);
    onStack_.assign(nodes, 0);
    onCircle_.assign(nodes, 0);
    stack_.clear();
    uint32_t visited = 0;
    for (uint32_t root = 0; root < nodes; ++root) {
        if (component_[root] != kUnseen)
            continue;
        visits_.push_back({root, edgeStart_[root]});
        component_[root] = low_[root] = visited++;
        stack_.push_back(root);
        onStack_[root] = 1;
        while (!visits_.empty()) {
            Visit& v = visits_.back();
            if (v.edge < edgeStart_[v.node + 1]) {
                uint32_t next = edges_[v.edge++];
                if (component_[next] == kUnseen) {
                    component_[next] = low_[next] = visited++;
                    stack_.push_back(next);
                    onStack_[next] = 1;
                    visits_.push_back({next, edgeStart_[next]});
                } else if (onStack_[next]) {
                    low_[v.node] = std::min(low_[v.node], component_[next]);
                }
                continue;
            }
            const uint32_t node = v.node;
            visits_.pop_back();
            if (!visits_.empty())
                low_[visits_.back().node] = std::min(low_[visits_.back().node], low_[node]);
            if (low_[node] != component_[node])
                continue;
            // The node heads a component: everything above it on the stack.
            const bool circle = stack_.back() != node;
            for (;;) {
                uint32_t member = stack_.back();
                stack_.pop_back();
                onStack_[member] = 0;
                onCircle_[member] = circle;
                if (member == node)
                    break;
            }
        }
    }
}

void AreaOrders::merge(std::vector<const CSprite*>& out)
{
    out.clear();
    nodes_.clear();
    std::fill(slots_.begin(), slots_.end(), 0);
    ids_.resize(sprites_.size());
    for (size_t i = 0; i < sprites_.size(); ++i)
        ids_[i] = nodeOf(sprites_[i]);
    for (Area& a : areas_)
        a.merged = true;
    linkMergedAreas();

    // Every edge of a circle comes from an area holding both its ends: once
    // the areas holding two sprites of a circle are left out, no circle is
    // left.
    findCircles();
    bool leftOut = false;
    for (Area& a : areas_) {
        int onCircle = 0;
        for (uint32_t i = a.begin; i < a.end && onCircle < 2; ++i)
            onCircle += onCircle_[ids_[i]];
        if (onCircle >= 2) {
            a.merged = false;
            leftOut = true;
        }
    }
    if (leftOut)
        linkMergedAreas();

    // Each sprite of a merged area, once every sprite drawn before it in
    // one is out.
    const size_t nodes = nodes_.size();
    inMerged_.assign(nodes, 0);
    for (const Area& a : areas_)
        if (a.merged)
            for (uint32_t i = a.begin; i < a.end; ++i)
                inMerged_[ids_[i]] = 1;
    ready_.clear();
    for (uint32_t n = static_cast<uint32_t>(nodes); n-- > 0;)
        if (waiting_[n] == 0)
            ready_.push_back(n);
    while (!ready_.empty()) {
        uint32_t n = ready_.back();
        ready_.pop_back();
        if (inMerged_[n])
            out.push_back(nodes_[n]);
        for (uint32_t e = edgeStart_[n]; e < edgeStart_[n + 1]; ++e)
            if (--waiting_[edges_[e]] == 0)
                ready_.push_back(edges_[e]);
    }
}
