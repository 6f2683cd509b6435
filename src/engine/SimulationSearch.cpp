#include "base/Output.h"
#include "engine/Simulation.h"

#include <algorithm>

namespace orvane {

namespace {

// The caches only remember deterministic results, so keeping more entries than the nominal sizes
// changes nothing but the hit rate.
constexpr size_t MinRecloserEntries = 4096;
constexpr size_t MinFlowEntries = 1024;

uint32_t FarNode(const SimElement& x, const AdjacencyEntry& entry) {
    return entry.towardsB ? x.b : x.a;
}

} // namespace

void Simulation::Isolate(uint32_t failed, bool sectioning) {
    for (uint32_t n = 0; n < nodeCount_; ++n)
        nodes_[n].mark = false;
    const SimElement& e = elements_[failed];
    nodes_[e.b].mark = true;
    nodes_[e.a].mark = true;
    searchQueue_.clear();
    searchQueue_.push_back(e.a);
    searchQueue_.push_back(e.b);

    for (size_t head = 0; head < searchQueue_.size(); ++head) {
        const uint32_t n = searchQueue_[head];
        if (n == SupplyRoot) {
            output_.OutputText(3, "_Isolate failed\n");
            ++isolateFailures_;
            return;
        }
        for (const AdjacencyEntry& entry : nodes_[n].adjacency) {
            SimElement& x = elements_[entry.element];
            if (x.capacity == 0.0)
                continue;
            if (x.kind == ElementKind::Breaker || (sectioning && x.kind == ElementKind::Isolator)) {
                x.capacity = 0.0;
                continue;
            }
            const uint32_t far = FarNode(x, entry);
            if (far == LoadSink || nodes_[far].mark)
                continue;
            nodes_[far].mark = true;
            searchQueue_.push_back(far);
        }
    }
}

bool Simulation::RecloserMustOpen(uint32_t recloser) {
    // The byte follows the search's own test for a closed element, so equal patterns always mean
    // equal searches.
    pattern_.resize(elements_.size());
    for (size_t i = 0; i < elements_.size(); ++i)
        pattern_[i] = elements_[i].capacity != 0.0 ? 1 : 0;
    const size_t entries = std::max<size_t>(recloserCacheSize_, MinRecloserEntries);
    if (recloserCache_.Capacity() != entries)
        recloserCache_.SetCapacity(entries);
    if (const bool* cached = recloserCache_.Find(recloser, pattern_))
        return *cached;

    const SimElement& r = elements_[recloser];
    for (uint32_t n = 0; n < nodeCount_; ++n)
        nodes_[n].mark = false;
    nodes_[r.a].mark = true;
    searchQueue_.clear();
    searchQueue_.push_back(r.a);

    bool joined = false;
    for (size_t head = 0; head < searchQueue_.size() && !joined; ++head) {
        for (const AdjacencyEntry& entry : nodes_[searchQueue_[head]].adjacency) {
            const SimElement& x = elements_[entry.element];
            if (entry.element == recloser || x.capacity == 0.0)
                continue;
            const uint32_t far = FarNode(x, entry);
            if (far == LoadSink || nodes_[far].mark)
                continue;
            if (far == r.b) {
                joined = true;
                break;
            }
            nodes_[far].mark = true;
            searchQueue_.push_back(far);
        }
    }
    recloserCache_.Store(recloser, pattern_, joined);
    return joined;
}

void Simulation::MaxFlow() {
    const size_t count = elements_.size();
    cacheKey_.resize(count);
    for (size_t i = 0; i < count; ++i)
        cacheKey_[i] = elements_[i].capacity;
    // Above the nominal size the cache only saves time; on a large network it is kept to about
    // 256 MB.
    const size_t affordable = std::max<size_t>(1, (size_t{256} << 20) / (count * 16 + 64));
    const size_t entries = std::max<size_t>(flowCacheSize_, std::min(MinFlowEntries, affordable));
    if (flowCache_.Capacity() != entries)
        flowCache_.SetCapacity(entries);
    if (const std::vector<double>* cached = flowCache_.Find(cacheKey_)) {
        for (size_t i = 0; i < count; ++i)
            elements_[i].flow = (*cached)[i];
        return;
    }

    for (SimElement& x : elements_) {
        x.allowed = x.kind == ElementKind::Load ? 0.0 : x.capacity;
        x.flow = 0.0;
    }
    // Loads are offered their demand one priority level at a time, lowest level first, so a
    // level's paths are found before any load of a later level competes for capacity.
    uint32_t level = 0;
    for (;;) {
        uint32_t next = 0;
        bool found = false;
        for (uint32_t i : loads_) {
            const SimElement& x = elements_[i];
            if (x.capacity != 0.0 && x.priority > level && (!found || x.priority < next)) {
                next = x.priority;
                found = true;
            }
        }
        if (!found)
            break;
        for (uint32_t i : loads_) {
            SimElement& x = elements_[i];
            if (x.priority == next)
                x.allowed = x.capacity;
        }
        Augment();
        level = next;
    }

    std::vector<double> flows(count);
    for (size_t i = 0; i < count; ++i)
        flows[i] = elements_[i].flow;
    flowCache_.Store(cacheKey_, flows);
}

void Simulation::Augment() {
    double total = 0.0;
    for (const AdjacencyEntry& entry : nodes_[SupplyRoot].adjacency)
        total += elements_[entry.element].allowed;

    std::vector<uint32_t>& open = searchQueue_;
    for (;;) {
        for (uint32_t n = 0; n < nodeCount_; ++n)
            nodes_[n].labelState = 0;
        nodes_[SupplyRoot].label = total;
        open.clear();
        size_t head = 0;
        uint32_t current = SupplyRoot;
        bool reached = false;
        for (;;) {
            SimNode& node = nodes_[current];
            node.labelState = 2;
            for (const AdjacencyEntry& entry : node.adjacency) {
                const SimElement& x = elements_[entry.element];
                const uint32_t far = FarNode(x, entry);
                SimNode& farNode = nodes_[far];
                if (farNode.labelState != 0)
                    continue;
                const double directed = entry.towardsB ? x.flow : -x.flow;
                const double candidate = std::min(node.label, x.allowed - directed);
                if (candidate > 0.0) {
                    farNode.predecessor = entry;
                    farNode.label = candidate;
                    farNode.labelState = 1;
                    open.push_back(far);
                    // The sink's predecessor and label are final once it is labelled, so the
                    // rest of this round could not change the path.
                    if (far == LoadSink) {
                        reached = true;
                        break;
                    }
                }
            }
            if (reached || head == open.size())
                break;
            current = open[head++];
        }
        if (!reached)
            return;

        const double delta = nodes_[LoadSink].label;
        for (uint32_t n = LoadSink; n != SupplyRoot;) {
            const AdjacencyEntry& entry = nodes_[n].predecessor;
            SimElement& x = elements_[entry.element];
            if (entry.towardsB) {
                x.flow += delta;
                n = x.a;
            } else {
                x.flow -= delta;
                n = x.b;
            }
        }
    }
}

} // namespace orvane
