#include "core/IntList.h"

#include "core/Exceptions.h"

#include <algorithm>
#include <utility>

TIntList::TIntList(const TIntList& other) {
    *this = other;
}

TIntList& TIntList::operator=(const TIntList& other) {
    if (this != &other) {
        Clear();
        SetCapacity(other.count_);
        std::copy(other.begin(), other.end(), data_.get());
        count_ = other.count_;
    }
    return *this;
}

int TIntList::Add(std::int32_t value) {
    if (count_ == capacity_)
        Grow();
    data_[count_] = value;
    return count_++;
}

std::int32_t TIntList::Items(int index) const {
    if (index < 0 || index >= count_)
        RaiseListIndexError(index);
    return data_[index];
}

void TIntList::Delete(int index) {
    if (index < 0 || index >= count_)
        RaiseListIndexError(index);
    std::copy(data_.get() + index + 1, data_.get() + count_, data_.get() + index);
    --count_;
}

void TIntList::Clear() {
    count_ = 0;
    SetCapacity(0);
}

void TIntList::SetCount(int newCount) {
    if (newCount < 0 || newCount > MaxListSize)
        RaiseListIndexError(newCount);
    if (newCount > capacity_)
        SetCapacity(newCount);
    if (newCount > count_)
        std::fill(data_.get() + count_, data_.get() + newCount, 0);
    count_ = newCount;
}

void TIntList::SetCapacity(int newCapacity) {
    if (newCapacity < count_ || newCapacity > MaxListSize)
        RaiseListIndexError(newCapacity);
    if (newCapacity == capacity_)
        return;
    TLargeArray<std::int32_t> data;
    if (newCapacity > 0) {
        data = TLargeArray<std::int32_t>(static_cast<std::size_t>(newCapacity));
        std::copy(begin(), end(), data.get());
    }
    data_ = std::move(data);
    capacity_ = newCapacity;
}

void TIntList::Grow() {
    const int delta = capacity_ > 64 ? capacity_ / 4 : capacity_ > 8 ? 16 : 4;
    SetCapacity(capacity_ + delta);
}

void TIntList::Sort(const TCompare& compare) {
    if (count_ > 0)
        QuickSort(0, count_ - 1, compare);
}

void TIntList::QuickSort(int left, int right, const TCompare& compare) {
    int i;
    do {
        i = left;
        int j = right;
        const std::int32_t pivot = data_[(left + right) / 2];
        do {
            while (compare(data_[i], pivot) < 0)
                ++i;
            while (compare(data_[j], pivot) > 0)
                --j;
            if (i <= j) {
                std::swap(data_[i], data_[j]);
                ++i;
                --j;
            }
        } while (i <= j);
        if (left < j)
            QuickSort(left, j, compare);
        left = i;
    } while (i < right);
}

bool TIntList::StrictlyAscending() const {
    return std::adjacent_find(begin(), end(), std::greater_equal<>()) == end();
}
