#pragma once

// Position and size of a window in screen pixels; the position may be negative (a monitor left of or above
// the primary one).
struct TWindowBounds {
    int Left = 0;
    int Top = 0;
    int Width = 0;
    int Height = 0;
    bool operator==(const TWindowBounds&) const = default;
};

// The main window as the settings see it; the main window implements it.
class IMainWindowBounds {
public:
    virtual ~IMainWindowBounds() = default;
    virtual TWindowBounds Bounds() const = 0;
    // Sets all four at once, as they are: no check against the screen.
    virtual void SetBounds(const TWindowBounds& bounds) = 0;
};
