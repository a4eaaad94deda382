#pragma once

#include "core/KeyItems.h"

#include <memory>
#include <vector>

// Owner of every keyword list and of the pointer to the current one (layer 3).
class TBusinessLogicLayer {
public:
    TBusinessLogicLayer();
    ~TBusinessLogicLayer();
    TBusinessLogicLayer(const TBusinessLogicLayer&) = delete;
    TBusinessLogicLayer& operator=(const TBusinessLogicLayer&) = delete;

    int ListCount() const { return static_cast<int>(lists_.size()); }
    TKeyItems& GetList(int index) const;
    TKeyItems& NewList();
    TKeyItems* CurrentList() const { return current_; }
    void SetCurrentList(TKeyItems* list) { current_ = list; }
    // Position of a list among Lists, -1 when it isn't one of them.
    int IndexOf(const TKeyItems* list) const;

private:
    std::vector<std::unique_ptr<TKeyItems>> lists_;
    TKeyItems* current_ = nullptr;
};
