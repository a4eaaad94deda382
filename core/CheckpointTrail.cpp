#include "core/CheckpointTrail.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <vector>

namespace {

// Names are short ("FW_Layers_006"), so a frame holds its name inline and a push never allocates
// once the stack has grown to the program's deepest nesting.
struct TCheckpointFrame {
    static constexpr std::size_t MaxName = 30;
    std::array<char, MaxName + 1> Name{};
    unsigned char Length = 0;
    bool Keep = false;

    void Assign(std::string_view name) {
        Length = static_cast<unsigned char>(std::min(name.size(), MaxName));
        std::memcpy(Name.data(), name.data(), Length);
    }
    std::string_view View() const { return {Name.data(), Length}; }
};

std::vector<TCheckpointFrame>& Frames() {
    static std::vector<TCheckpointFrame> frames = [] {
        std::vector<TCheckpointFrame> v;
        v.reserve(64);
        return v;
    }();
    return frames;
}

} // namespace

void PushCheckpoint(std::string_view name) {
    auto& frames = Frames();
    frames.emplace_back().Assign(name);
}

void SetCheckpoint(std::string_view name) {
    auto& frames = Frames();
    if (frames.empty())
        PushCheckpoint(name);
    else
        frames.back().Assign(name);
}

void PopCheckpoint() {
    auto& frames = Frames();
    if (!frames.empty())
        frames.pop_back();
}

void MarkModalFrame() {
    auto& frames = Frames();
    if (!frames.empty())
        frames.back().Keep = true;
}

void UnmarkModalFrame() {
    auto& frames = Frames();
    if (!frames.empty())
        frames.back().Keep = false;
}

void UnwindTrail(bool all) {
    auto& frames = Frames();
    while (!frames.empty() && (all || !frames.back().Keep))
        frames.pop_back();
}

std::string TrailText() {
    std::string text;
    const auto& frames = Frames();
    for (std::size_t i = 0; i < frames.size(); ++i) {
        if (i > 0)
            text += "->";
        text += frames[i].View();
    }
    return text;
}

std::string TopCheckpoint() {
    const auto& frames = Frames();
    return frames.empty() ? std::string() : std::string(frames.back().View());
}

bool TrailEmpty() {
    return Frames().empty();
}
