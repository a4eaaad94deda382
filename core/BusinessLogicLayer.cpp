#include "core/BusinessLogicLayer.h"

#include "core/CheckpointTrail.h"
#include "core/Exceptions.h"

TBusinessLogicLayer::TBusinessLogicLayer() {
    PushCheckpoint("AS007");
    SetCheckpoint("AS008");
    PopCheckpoint();
}

TBusinessLogicLayer::~TBusinessLogicLayer() {
    PushCheckpoint("AD007");
    SetCheckpoint("AD010");
    for (auto& list : lists_)
        list.reset();
    lists_.clear();
    SetCheckpoint("AD008");
    PopCheckpoint();
}

TKeyItems& TBusinessLogicLayer::GetList(int index) const {
    if (index < 0 || index >= ListCount())
        RaiseListIndexError(index);
    return *lists_[static_cast<std::size_t>(index)];
}

TKeyItems& TBusinessLogicLayer::NewList() {
    return *lists_.emplace_back(std::make_unique<TKeyItems>());
}

int TBusinessLogicLayer::IndexOf(const TKeyItems* list) const {
    for (std::size_t i = 0; i < lists_.size(); ++i)
        if (lists_[i].get() == list)
            return static_cast<int>(i);
    return -1;
}
