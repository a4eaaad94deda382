#pragma once

// Told when a command of the window starts and when it has ended, also when it failed. Commands run from
// inside another command count as part of it.
class ICommandObserver {
public:
    virtual ~ICommandObserver() = default;
    virtual void CommandStarting() = 0;
    virtual void CommandEnded() = 0;
};

void SetCommandObserver(ICommandObserver* observer);

// Brackets one command: every change of a keyword list happens inside one.
class TCommandScope {
public:
    TCommandScope();
    ~TCommandScope();
    TCommandScope(const TCommandScope&) = delete;
    TCommandScope& operator=(const TCommandScope&) = delete;

    static bool Running();
};
