#pragma once

// Told when a command of the window starts and when it has ended, also when it failed. Commands run from
// inside another command count as part of it.
class ICommandObserver {
public:
    virtual ~ICommandObserver() = default;
    virtual void CommandStarting() = 0;
    virtual void CommandEnded() = 0;
};

// The commands of one window: whether one is running, and who hears them start and end.
class TCommandBrackets {
public:
    // observer: null to stop telling anyone.
    void Observe(ICommandObserver* observer) { observer_ = observer; }
    bool Running() const { return depth_ > 0; }

private:
    friend class TCommandScope;
    ICommandObserver* observer_ = nullptr;
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
};
