#pragma once

#include <exception>
#include <string>
#include <string_view>

// The checkpoint trail: one stack of short step names per program, read by the error report.
// Frames are popped on normal exit only, so after a failure the trail is the path to it.
void PushCheckpoint(std::string_view name);
void SetCheckpoint(std::string_view name);
void PopCheckpoint();
void MarkModalFrame();
void UnmarkModalFrame();
void UnwindTrail(bool all);
std::string TrailText();
// Name of the newest frame; empty when the trail is empty.
std::string TopCheckpoint();
bool TrailEmpty();

// Pushes on entry and pops on normal exit; leaves its frame on the trail while an exception unwinds.
class CheckpointScope {
public:
    explicit CheckpointScope(std::string_view name) : uncaught_(std::uncaught_exceptions()) {
        PushCheckpoint(name);
    }
    ~CheckpointScope() {
        if (std::uncaught_exceptions() == uncaught_)
            PopCheckpoint();
    }
    CheckpointScope(const CheckpointScope&) = delete;
    CheckpointScope& operator=(const CheckpointScope&) = delete;

private:
    int uncaught_;
};

// Marks the top frame as a modal boundary while a dialog runs; unmarks on normal exit only, so a failure
// raised by the dialog operation itself leaves the frame marked.
class ModalFrameScope {
public:
    ModalFrameScope() : uncaught_(std::uncaught_exceptions()) { MarkModalFrame(); }
    ~ModalFrameScope() {
        if (std::uncaught_exceptions() == uncaught_)
            UnmarkModalFrame();
    }
    ModalFrameScope(const ModalFrameScope&) = delete;
    ModalFrameScope& operator=(const ModalFrameScope&) = delete;

private:
    int uncaught_;
};
