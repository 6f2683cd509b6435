#include "engine/FlowCache.h"

#include <algorithm>
#include <bit>
#include <iterator>

namespace orvane {

namespace {

// Bookkeeping of one entry beyond its two arrays: list node, index node and array headers.
constexpr size_t EntryOverhead = 128;

template <class Index, class Iterator> void Unindex(Index& index, size_t hash, Iterator entry) {
    auto [first, end] = index.equal_range(hash);
    for (; first != end; ++first) {
        if (first->second == entry) {
            index.erase(first);
            return;
        }
    }
}

} // namespace

void FlowCache::SetCapacity(size_t capacity) {
    capacity_ = capacity;
    const size_t limit = entries_.empty() ? capacity_ : Limit(entries_.front().capacities.size());
    while (entries_.size() > limit) {
        Unindex(index_, entries_.back().hash, std::prev(entries_.end()));
        entries_.pop_back();
    }
}

// The entries of one network all have the same element count, so the byte bound becomes a
// bound on the count.
size_t FlowCache::Limit(size_t elementCount) const {
    const size_t entryBytes = 2 * elementCount * sizeof(double) + sizeof(Entry) + EntryOverhead;
    return std::min(capacity_, MaxBytes / entryBytes);
}

size_t FlowCache::Hash(const std::vector<double>& capacities) {
    uint64_t h = 0x9e3779b97f4a7c15ull ^ capacities.size();
    for (double c : capacities) {
        // -0.0 and 0.0 compare equal, so they must hash alike.
        h ^= std::bit_cast<uint64_t>(c + 0.0);
        h *= 0xff51afd7ed558ccdull;
        h ^= h >> 32;
    }
    return static_cast<size_t>(h);
}

const std::vector<double>* FlowCache::Find(const std::vector<double>& capacities) {
    auto [first, end] = index_.equal_range(Hash(capacities));
    for (; first != end; ++first) {
        // Equal hashes prove nothing; only the whole key, compared exactly, does.
        if (first->second->capacities == capacities) {
            entries_.splice(entries_.begin(), entries_, first->second);
            return &first->second->flows;
        }
    }
    return nullptr;
}

void FlowCache::Store(const std::vector<double>& capacities, const std::vector<double>& flows) {
    const size_t hash = Hash(capacities);
    auto [first, end] = index_.equal_range(hash);
    for (; first != end; ++first) {
        if (first->second->capacities == capacities) {
            first->second->flows = flows;
            entries_.splice(entries_.begin(), entries_, first->second);
            return;
        }
    }
    const size_t limit = Limit(capacities.size());
    if (limit == 0)
        return;
    while (entries_.size() > limit) {
        Unindex(index_, entries_.back().hash, std::prev(entries_.end()));
        entries_.pop_back();
    }
    if (entries_.size() == limit) {
        // Reuse the least recently used entry, arrays and all, rather than free and allocate.
        const auto last = std::prev(entries_.end());
        Unindex(index_, last->hash, last);
        entries_.splice(entries_.begin(), entries_, last);
        entries_.front().capacities.assign(capacities.begin(), capacities.end());
        entries_.front().flows.assign(flows.begin(), flows.end());
        entries_.front().hash = hash;
    } else {
        entries_.push_front(Entry{capacities, flows, hash});
    }
    index_.emplace(hash, entries_.begin());
}

void FlowCache::Clear() {
    index_.clear();
    entries_.clear();
}

} // namespace orvane
