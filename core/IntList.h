#pragma once

#include "core/LargeBuffer.h"

#include <cstdint>
#include <functional>

// Growable list of 32-bit integers; every range error is the list error "List index out of bounds (%d)".
class TIntList {
public:
    static constexpr int MaxListSize = 134217727;
    using TCompare = std::function<int(std::int32_t, std::int32_t)>;

    TIntList() = default;
    TIntList(const TIntList& other);
    TIntList& operator=(const TIntList& other);
    TIntList(TIntList&&) noexcept = default;
    TIntList& operator=(TIntList&&) noexcept = default;

    int Add(std::int32_t value);
    std::int32_t Items(int index) const;
    void Delete(int index);
    void Clear();
    int Count() const { return count_; }
    void SetCount(int newCount);
    int Capacity() const { return capacity_; }
    void SetCapacity(int newCapacity);
    // In-place quicksort with the middle element as pivot.
    void Sort(const TCompare& compare);
    bool StrictlyAscending() const;

    const std::int32_t* begin() const { return data_.get(); }
    const std::int32_t* end() const { return data_.get() + count_; }

private:
    void Grow();
    void QuickSort(int left, int right, const TCompare& compare);

    // Highlighted rows of a long list can be millions.
    TLargeArray<std::int32_t> data_;
    int count_ = 0;
    int capacity_ = 0;
};
