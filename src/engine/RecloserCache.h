#pragma once

#include <cstdint>
#include <list>
#include <string>
#include <unordered_map>
#include <vector>

namespace orvane {

// Remembers whether a recloser's terminals were joined for a given switch pattern (one byte per
// element: 1 when closed). The search it caches is deterministic, so a hit returns exactly what
// the search would find; the least recently used entry goes when the cache is full.
class RecloserCache {
public:
    explicit RecloserCache(size_t capacity = 1) : capacity_(capacity) {}

    void SetCapacity(size_t capacity);
    size_t Capacity() const { return capacity_; }
    size_t Size() const { return entries_.size(); }

    // The stored result for this recloser and pattern, or nullptr.
    const bool* Find(uint32_t recloser, const std::vector<uint8_t>& pattern);
    void Store(uint32_t recloser, const std::vector<uint8_t>& pattern, bool result);
    void Clear();

private:
    struct Entry {
        std::string key;
        bool result = false;
    };
    static std::string MakeKey(uint32_t recloser, const std::vector<uint8_t>& pattern);

    size_t capacity_;
    std::list<Entry> entries_; // most recently used first
    std::unordered_map<std::string, std::list<Entry>::iterator> index_;
};

} // namespace orvane
