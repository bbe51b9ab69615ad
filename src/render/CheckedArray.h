// CCheckedArray: the growable array behind every collection of the 3D engine.
//
// Indexing is checked and throws std::invalid_argument outside 0 ... count - 1,
// so a bad face corner or texture number in a scene ends the operation instead
// of reading stray memory. Elements are held by value. The hot loops of the
// renderer take Data() once and index it unchecked.
#pragma once

#include <cstdint>
#include <stdexcept>
#include <utility>
#include <vector>

template <class T>
class CCheckedArray {
public:
    int32_t GetCount() const { return static_cast<int32_t>(m_items.size()); }
    bool IsValidIndex(int32_t index) const { return index >= 0 && index < GetCount(); }

    T& operator[](int32_t index)
    {
        Check(index);
        return m_items[static_cast<size_t>(index)];
    }
    const T& operator[](int32_t index) const
    {
        Check(index);
        return m_items[static_cast<size_t>(index)];
    }

    // Appends a copy; std::bad_alloc when the memory cannot be had.
    void Add(T item) { m_items.push_back(std::move(item)); }

    // Destroys the element and moves the later ones down by one.
    void RemoveAt(int32_t index)
    {
        Check(index);
        m_items.erase(m_items.begin() + index);
    }

    void RemoveAll() { m_items.clear(); }

    T* Data() { return m_items.data(); }
    const T* Data() const { return m_items.data(); }

private:
    void Check(int32_t index) const
    {
        if (!IsValidIndex(index))
            throw std::invalid_argument("array index out of range");
    }

    std::vector<T> m_items;
};
