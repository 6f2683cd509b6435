#pragma once

#include <cstddef>
#include <cstdint>
#include <list>
#include <unordered_map>
#include <vector>

namespace orvane {

// Remembers the flows found for a given set of element capacities (compared exactly). The flow
// search is deterministic, so a hit gives exactly the flows a new search would find. Entries are
// bounded both by count and by memory, least recently used first out.
class FlowCache {
public:
    // About 256 MiB of keys and flows at most, whatever the entry count asks for.
    static constexpr size_t MaxBytes = size_t{256} << 20;

    explicit FlowCache(size_t capacity = 5) : capacity_(capacity) {}

    void SetCapacity(size_t capacity);
    size_t Capacity() const { return capacity_; }
    size_t Size() const { return entries_.size(); }

    // The stored flows for exactly these capacities, or nullptr.
    const std::vector<double>* Find(const std::vector<double>& capacities);
    void Store(const std::vector<double>& capacities, const std::vector<double>& flows);
    void Clear();

private:
    struct Entry {
        std::vector<double> capacities;
        std::vector<double> flows;
        size_t hash = 0;
    };
    static size_t Hash(const std::vector<double>& capacities);
    size_t Limit(size_t elementCount) const;

    size_t capacity_;
    std::list<Entry> entries_; // most recently used first
    std::unordered_multimap<size_t, std::list<Entry>::iterator> index_;
};

} // namespace orvane
