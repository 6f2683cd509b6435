#pragma once

#include "model/Archive.h"
#include "model/Widget.h"

#include <memory>
#include <new>
#include <utility>
#include <vector>

namespace orvane {

// The components of one type in the order they were added; owns them.
template <class T> class CComponentCollection {
public:
    using Array = std::vector<std::unique_ptr<T>>;

    CComponentCollection() = default;
    CComponentCollection(const CComponentCollection&) = delete;
    CComponentCollection& operator=(const CComponentCollection&) = delete;

    // Creates a component with its creating constructor and appends it. nullptr when memory runs
    // out; the collection is then unchanged and the caller tells the user.
    template <class... Args> T* Add(Args&&... args) {
        try {
            auto item = std::make_unique<T>(std::forward<Args>(args)...);
            T* raw = item.get();
            m_items.push_back(std::move(item));
            return raw;
        } catch (const std::bad_alloc&) {
            return nullptr;
        }
    }

    T* GetAt(int i) const { return m_items[static_cast<size_t>(i)].get(); }
    int GetSize() const { return static_cast<int>(m_items.size()); }

    int IndexOf(const CWidget* widget) const {
        for (size_t i = 0; i < m_items.size(); ++i) {
            if (m_items[i].get() == widget) {
                return static_cast<int>(i);
            }
        }
        return -1;
    }

    // Takes element i out of the list without destroying it: views and the not-connected list
    // may still point at it, so the caller decides how long it lives.
    std::unique_ptr<T> RemoveAt(int i) {
        auto it = m_items.begin() + i;
        std::unique_ptr<T> removed = std::move(*it);
        m_items.erase(it);
        return removed;
    }

    // Puts a component back at position i (0 to GetSize()), taking it from item. False, with
    // item and the list as they were, when memory runs out.
    bool InsertAt(int i, std::unique_ptr<T>& item) {
        try {
            m_items.insert(m_items.begin() + i, std::move(item));
            return true;
        } catch (const std::bad_alloc&) {
            return false;
        }
    }

    void DeleteAll() { m_items.clear(); }

    Array& GetArray() { return m_items; }
    const Array& GetArray() const { return m_items; }

    // A count, then one object record per component. Loading replaces the contents only when
    // the whole list has been read.
    void Serialize(CArchive& ar) {
        if (ar.IsStoring()) {
            ar.WriteCount(static_cast<uint32_t>(m_items.size()));
            for (const auto& item : m_items) {
                ar.WriteObject(item.get());
            }
        } else {
            const uint32_t count = ar.ReadCount(2);
            Array loaded;
            loaded.reserve(count);
            for (uint32_t i = 0; i < count; ++i) {
                loaded.push_back(ar.ReadObject<T>());
            }
            m_items = std::move(loaded);
        }
    }

private:
    Array m_items;
};

} // namespace orvane
