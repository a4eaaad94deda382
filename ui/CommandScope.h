#pragma once

#include "core/LargeBuffer.h"

#include <vector>

// Told when a command of the window starts and when it has ended, also when it failed. Commands run from
// inside another command count as part of it.
class ICommandObserver {
public:
    virtual ~ICommandObserver() = default;
    virtual void CommandStarting() = 0;
    virtual void CommandEnded() = 0;
};

// The commands of one window: whether one is running, and who hears them start and end. Observers hear a
// start in the order they came and an end in the reverse order, as nested brackets close.
class TCommandBrackets {
public:
    void Observe(ICommandObserver* observer) { observers_.push_back(observer); }
    void Unobserve(ICommandObserver* observer) { std::erase(observers_, observer); }
    bool Running() const { return depth_ > 0; }

private:
    friend class TCommandScope;
    std::vector<ICommandObserver*> observers_;
    int depth_ = 0;
};

// Brackets one command: every change of a keyword list happens inside one.
class TCommandScope {
public:
    explicit TCommandScope(TCommandBrackets& brackets);
    ~TCommandScope();
    TCommandScope(const TCommandScope&) = delete;
    TCommandScope& operator=(const TCommandScope&) = delete;

private:
    TCommandBrackets& brackets_;
    // The steps of a command reuse the storage that earlier steps freed, and so does a command that follows
    // at once.
    LargeBuffer::TReuseScope reuse_;
};
