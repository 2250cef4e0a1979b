#pragma once

namespace sumberlaras {

struct BoxRect {
    int left = 0, top = 0, width = 0, height = 0;
};

// Lines a scroll box moves for one wheel event at (x, y), both in window
// coordinates: -1 up, +1 down, 0 when the pointer is not strictly inside.
inline int wheelLines(int x, int y, const BoxRect& box, int angleDelta) {
    const bool inside =
        x > box.left && x < box.left + box.width && y > box.top && y < box.top + box.height;
    if (!inside || angleDelta == 0)
        return 0;
    return angleDelta > 0 ? -1 : 1;
}

} // namespace sumberlaras
