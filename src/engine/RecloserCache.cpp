#include "engine/RecloserCache.h"

#include <cstring>

namespace orvane {

void RecloserCache::SetCapacity(size_t capacity) {
    capacity_ = capacity;
    while (entries_.size() > capacity_) {
        index_.erase(entries_.back().key);
        entries_.pop_back();
    }
}

// The whole recloser index and the whole pattern make the key, so equal keys mean equal searches.
std::string RecloserCache::MakeKey(uint32_t recloser, const std::vector<uint8_t>& pattern) {
    std::string key(sizeof recloser + pattern.size(), '\0');
    std::memcpy(key.data(), &recloser, sizeof recloser);
    if (!pattern.empty())
        std::memcpy(key.data() + sizeof recloser, pattern.data(), pattern.size());
    return key;
}

const bool* RecloserCache::Find(uint32_t recloser, const std::vector<uint8_t>& pattern) {
    const auto found = index_.find(MakeKey(recloser, pattern));
    if (found == index_.end())
        return nullptr;
    entries_.splice(entries_.begin(), entries_, found->second);
    return &found->second->result;
}

void RecloserCache::Store(uint32_t recloser, const std::vector<uint8_t>& pattern, bool result) {
    std::string key = MakeKey(recloser, pattern);
    if (const auto found = index_.find(key); found != index_.end()) {
        found->second->result = result;
        entries_.splice(entries_.begin(), entries_, found->second);
        return;
    }
    if (capacity_ == 0)
        return;
    if (entries_.size() >= capacity_) {
        // Reuse the least recently used entry rather than free and allocate again.
        index_.erase(entries_.back().key);
        entries_.splice(entries_.begin(), entries_, std::prev(entries_.end()));
        entries_.front().key = key;
    } else {
        entries_.push_front(Entry{key, result});
    }
    entries_.front().result = result;
    index_.emplace(std::move(key), entries_.begin());
}

void RecloserCache::Clear() {
    index_.clear();
    entries_.clear();
}

} // namespace orvane
