// Input rules of the full-screen saver and the application window's remembered placement.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace orb {

// Counts mouse moves on the saver: the fourth counted move asks to close; a move more than
// ten seconds after the first counted one is counted and then clears the burst.
struct MouseMoveCounter {
    int32_t moveCount = 0;       // MoveCount: moves counted in the current burst
    int32_t firstMoveTime = 0;   // FirstMoveTime: whole seconds since midnight of the first move, 0 = none

    // One mouse move at the given time of day (seconds since midnight). True: close request.
    bool OnMove(double secondsSinceMidnight);
};

// Stored placement of the application window, in twips.
struct WindowPlacement {
    int32_t left = 0, top = 0, width = 0, height = 0;
};

// WindowSize text: four fields of five digits each (left, top, width, height). A negative left
// or top is stored as 00000. Larger values are stored as 99999 so that every field keeps its
// five characters and the text stays readable.
std::string FormatWindowSize(const WindowPlacement& p);

// Fields at character positions 1, 6, 11 and 16 (five characters each, numeric value of each);
// nothing when the text is empty after trimming.
std::optional<WindowPlacement> ParseWindowSize(std::string_view text);

} // namespace orb
