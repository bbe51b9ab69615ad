// CArray: the growable array of the user interface (dialog layouts, preset
// names). Indexing outside 0 .. size - 1 throws std::invalid_argument, as the
// framework we stand in for does; it shares its checks with the renderer's
// array.
#pragma once

#include "render/CheckedArray.h"

template <class T>
class CArray : public CCheckedArray<T> {
public:
    int32_t GetSize() const { return this->GetCount(); }
    T& GetAt(int32_t index) { return (*this)[index]; }
    const T& GetAt(int32_t index) const { return (*this)[index]; }
};
