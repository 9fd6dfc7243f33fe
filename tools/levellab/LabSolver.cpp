#include "LabSolver.h"

#include "LabBoard.h"
#include "screens/SolutionKeys.h"
#include "world/ElementAIBot.h"
#include "world/ElementAIProfessor.h"
#include "world/ElementDeviceButton.h"
#include "world/ElementDeviceTrampoline.h"

#include <algorithm>
#include <csignal>
#include <memory>
#include <queue>
#include <unordered_map>

namespace {

volatile std::sig_atomic_t stopRequested = 0;

// Frames a wait may last; a world that has not changed by then is taken as
// one that will not.
constexpr int WAIT_LIMIT = 900;
// Dropped snapshots kept for use again.
constexpr size_t SPARE_SNAPSHOTS = 64;

constexpr int EVERY_KEYS[] = {SOLUTION_KEY_LEFT, SOLUTION_KEY_RIGHT, SOLUTION_KEY_UP, SOLUTION_KEY_DOWN,
                              SOLUTION_KEY_ACTION};
constexpr int WALK_KEYS[] = {SOLUTION_KEY_RIGHT, SOLUTION_KEY_ACTION};

// The keys open to the professor at a decision point.
std::vector<int> candidateKeys(const CLevelRun& run, LabMoveSet moveSet)
{
    std::vector<int> keys;
    if (moveSet == LabMoveSet::Every)
        keys.assign(std::begin(EVERY_KEYS), std::end(EVERY_KEYS));
    else
        keys.assign(std::begin(WALK_KEYS), std::end(WALK_KEYS));
    const CElementAIProfessor* professor = run.GetProfessor();
    for (int slot = 0; slot < SOLUTION_POWERUP_SLOTS; ++slot)
        if (professor->inventory[static_cast<size_t>(slot)] != 0)
            keys.push_back(SOLUTION_KEY_POWERUP_FIRST + slot);
    return keys;
}

class MotionHash
{
public:
    void add(int64_t v) { hash_ = (hash_ ^ static_cast<uint64_t>(v)) * 0x100000001b3ULL; }
    uint64_t value() const { return hash_; }

private:
    uint64_t hash_ = 0xcbf29ce484222325ULL;
};

// What moves in the world apart from the professor, who stands ready through
// a wait (his idle fidgets change nothing): places, motion, the animations
// the world waits on and the counters that lead to a change. Two frames
// alike mean the world is at rest and stays so.
uint64_t worldMotion()
{
    MotionHash h;
    for (const CElement* e : CElement::GetAllElements()) {
        if (e->IsProfessor() || e->type == ELEMENT_TUTORIAL || e->type == ELEMENT_LADDER)
            continue;
        for (int64_t v : {e->x, e->y, e->pixelX, e->pixelY, e->state, e->teleportProgress})
            h.add(v);
        for (bool flag : {e->moving, e->falling, e->sliding, e->pushing, e->landing, e->busy, e->frozen, e->thawing,
                          e->heated, e->burning, e->destroyed, e->empStunned, e->teleporting, e->onTrampoline})
            h.add(flag);
        for (const CSprite* s : {e->shownSprite, e->overlayExplosion.get(), e->overlaySteam.get(), e->overlayEmp.get()})
            if (s && !s->isLooping()) {
                SpriteSnapshot snap{};
                s->saveSnapshot(snap);
                h.add(snap.frame);
                h.add(snap.delayCounter);
                h.add(snap.finished);
            }
        if (e->IsAI()) {
            const auto* actor = static_cast<const CElementAI*>(e);
            h.add(actor->stunTicks);
            if (e->IsBot())
                h.add(static_cast<const CElementAIBot*>(e)->empDazed);
        } else if (e->typeDevice == DEVICE_BUTTON) {
            h.add(static_cast<const CElementDeviceButton*>(e)->GetOccupancyCounter());
        } else if (e->typeDevice == DEVICE_TRAMPOLINE) {
            h.add(static_cast<const CElementDeviceTrampoline*>(e)->GetThrowCounter());
        }
    }
    return h.value();
}

// Waits, the professor being ready, until the board next changes: the frames
// that took, or 0 when it does not (the world at rest, or not changed within
// the limit).
int waitForChange(CLevelRun& run)
{
    static std::string before;
    static std::string now;
    drawBoard(before);
    uint64_t motion = worldMotion();
    for (int frames = 1; frames <= WAIT_LIMIT; ++frames) {
        run.Step();
        if (run.IsOver())
            return frames;
        drawBoard(now);
        if (now != before)
            return frames;
        const uint64_t moved = worldMotion();
        if (moved == motion)
            return 0;
        motion = moved;
    }
    return 0;
}

// Lines are ordered by steps, then by moves.
struct Cost {
    int steps = 0;
    int moves = 0;
    bool operator<(const Cost& other) const
    {
        return steps != other.steps ? steps < other.steps : moves < other.moves;
    }
};

// The search's record of one world reached: how, and at what cost.
struct Node {
    int parent;
    LabMove move;
    Cost cost;
    int endFrame;      // the frame the move itself ended (a wait counts its frames from here)
    int waiting = 0;   // children not yet expanded
    bool dead = false; // its world was reached more cheaply since
};

// Dijkstra's search over the worlds at the professor's decision points. A
// world is kept as a snapshot only while it is being expanded or children
// of it wait to be: a child is made again from its parent's snapshot and its
// one move when its turn comes, which holds far fewer snapshots than keeping
// one for every world still to expand.
class Search
{
public:
    Search(CLevel& level, CProfile& profile, const LabSearch& limits)
        : run_(level, profile, false), limits_(limits)
    {
    }

    LabSolveResult solve()
    {
        if (!stepUntilReady(run_))
            return result_;
        addNode(-1, {}, Cost{run_.GetSteps(), 0}, 0, worldKey());
        snapshots_[0] = newSnapshot();
        run_.Save(*snapshots_[0]);
        while (!open_.empty()) {
            const Open top = open_.top();
            if (stopRequested) {
                result_.interrupted = true;
                return finish(top.cost);
            }
            if (exit_.parent >= 0 && !(top.cost < exit_.cost))
                return finish(top.cost);
            open_.pop();
            if (!nodes_[static_cast<size_t>(top.node)].dead && !expand(top.node))
                return finish(top.cost);
        }
        return finish(Cost{});
    }

private:
    struct Open {
        Cost cost;
        long order;
        int node;
        bool operator<(const Open& other) const // for a heap that gives the least first
        {
            if (cost < other.cost || other.cost < cost)
                return other.cost < cost;
            return order > other.order;
        }
    };

    Node& node(int index) { return nodes_[static_cast<size_t>(index)]; }

    // Puts the node's world back, from its parent's snapshot and its move.
    void materialise(int index)
    {
        const Node& made = node(index);
        run_.Restore(*snapshots_[static_cast<size_t>(made.parent)]);
        if (made.move.key != 0)
            takeMove(run_, made.move.key, nullptr);
        while (run_.GetFrame() < made.endFrame)
            run_.Step();
        stepUntilReady(run_);
        childDone(made.parent);
    }

    // One child of the node less waits; its snapshot goes once none does.
    void childDone(int parent)
    {
        if (--node(parent).waiting == 0 && parent != 0)
            dropSnapshot(parent);
    }

    // Tries every move from the node; false when the state limit is reached.
    bool expand(int index)
    {
        if (index != 0)
            materialise(index);
        if (node(index).cost.moves >= limits_.maxMoves)
            return true;
        auto& kept = snapshots_[static_cast<size_t>(index)];
        if (!kept) {
            kept = newSnapshot();
            run_.Save(*kept);
        }
        const CLevelRun::Snapshot* snapshot = kept.get(); // the list grows as children are added
        const int endFrame = node(index).endFrame;
        for (int key : candidateKeys(run_, limits_.moveSet)) {
            run_.Restore(*snapshot);
            if (takeMove(run_, key, nullptr) && !reach(index, {key, 0}, run_.GetFrame()))
                return false;
        }
        run_.Restore(*snapshot);
        const bool waited = waitForChange(run_) > 0;
        if (waited && !reach(index, {0, run_.GetFrame() - endFrame}, run_.GetFrame()))
            return false;
        if (node(index).waiting == 0 && index != 0)
            dropSnapshot(index);
        return true;
    }

    // The world the move led to, once the professor is ready again; false
    // when it is one too many.
    bool reach(int parent, LabMove move, int endFrame)
    {
        const bool ready = stepUntilReady(run_);
        // Waits in a row make one wait of the line.
        const Node& from = node(parent);
        const bool longerWait = move.key == 0 && from.parent >= 0 && from.move.key == 0;
        const Cost cost{run_.GetSteps(), from.cost.moves + (longerWait ? 0 : 1)};
        if (run_.GetOutcome() == RunOutcome::Exited) {
            if (exit_.parent < 0 || cost < exit_.cost) {
                exit_ = {parent, move, cost, endFrame};
                exitFrame_ = run_.GetFrame();
            }
            return true;
        }
        if (!ready)
            return true;
        const uint64_t world = worldKey();
        const auto seen = best_.find(world);
        if (seen != best_.end()) {
            Node& reached = node(seen->second);
            if (!(cost < reached.cost))
                return true;
            reached.dead = true; // reached more cheaply now
            childDone(reached.parent);
        } else if (static_cast<long>(best_.size()) >= limits_.maxStates) {
            result_.limitReached = true;
            return false;
        }
        addNode(parent, move, cost, endFrame, world);
        ++node(parent).waiting;
        return true;
    }

    // Snapshots are used again: a search takes and drops them all the time,
    // and one used before has its buffers at their size already.
    std::unique_ptr<CLevelRun::Snapshot> newSnapshot()
    {
        if (spare_.empty())
            return std::make_unique<CLevelRun::Snapshot>();
        std::unique_ptr<CLevelRun::Snapshot> snapshot = std::move(spare_.back());
        spare_.pop_back();
        return snapshot;
    }

    void dropSnapshot(int index)
    {
        std::unique_ptr<CLevelRun::Snapshot>& snapshot = snapshots_[static_cast<size_t>(index)];
        if (spare_.size() < SPARE_SNAPSHOTS)
            spare_.push_back(std::move(snapshot));
        snapshot.reset();
    }

    // The world as the search tells worlds apart: the ticks the professor has
    // stood still are left out. They only count toward an idle fidget, which
    // a player never waits for, and keeping them would make every turn on
    // the spot and every wait lead to a world never seen before.
    uint64_t worldKey()
    {
        CElementAIProfessor* professor = run_.GetProfessor();
        const int idleTicks = professor->idleTicks;
        professor->idleTicks = 0;
        const uint64_t key = run_.HashWorld();
        professor->idleTicks = idleTicks;
        return key;
    }

    void addNode(int parent, LabMove move, Cost cost, int endFrame, uint64_t world)
    {
        const int index = static_cast<int>(nodes_.size());
        nodes_.push_back({parent, move, cost, endFrame});
        snapshots_.emplace_back();
        best_[world] = index;
        open_.push({cost, order_++, index});
    }

    // The result once the search stops with the cheapest line still open at
    // `frontier`.
    LabSolveResult finish(Cost frontier)
    {
        result_.statesExplored = static_cast<long>(best_.size());
        if (exit_.parent < 0) {
            result_.stepsRuledOut = frontier.steps;
            return result_;
        }
        result_.found = true;
        result_.steps = exit_.cost.steps;
        result_.frames = exitFrame_;
        std::vector<LabMove> line{exit_.move};
        for (int n = exit_.parent; node(n).parent >= 0; n = node(n).parent)
            line.push_back(node(n).move);
        // Waits in a row wait on alike: one wait of all their frames.
        for (auto move = line.rbegin(); move != line.rend(); ++move) {
            if (move->key == 0 && !result_.moves.empty() && result_.moves.back().key == 0)
                result_.moves.back().frames += move->frames;
            else
                result_.moves.push_back(*move);
        }
        return result_;
    }

    CLevelRun run_;
    LabSearch limits_;
    LabSolveResult result_;
    std::vector<Node> nodes_;
    std::vector<std::unique_ptr<CLevelRun::Snapshot>> snapshots_; // of the nodes whose children wait
    std::vector<std::unique_ptr<CLevelRun::Snapshot>> spare_;     // dropped, for the next ones
    std::unordered_map<uint64_t, int> best_;                    // world hash -> its cheapest node
    std::priority_queue<Open> open_;
    long order_ = 0;
    Node exit_{-1, {}, {}, 0};
    int exitFrame_ = 0;
};

} // namespace

LabSolveResult solveLevel(CLevel& level, CProfile& profile, const LabSearch& search)
{
    return Search(level, profile, search).solve();
}

LabSolveResult solveLevel(CLevel& level, CProfile& profile, long maxStates, int maxMoves)
{
    LabSearch search;
    search.maxStates = maxStates;
    search.maxMoves = maxMoves;
    return solveLevel(level, profile, search);
}

int countSegments(const std::vector<LabMove>& moves)
{
    int segments = 0;
    int last = 0;
    for (const LabMove& move : moves) {
        if (move.key == 0)
            continue;
        if (move.key != last)
            ++segments;
        last = move.key;
    }
    return segments;
}

void requestStop() { stopRequested = 1; }
bool isStopRequested() { return stopRequested != 0; }
