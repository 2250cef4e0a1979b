#pragma once

#include <Qt>

#include <optional>

namespace sumberlaras {

enum class TMouseButton { mbLeft, mbRight, mbMiddle };

// Modifier keys and mouse buttons held during an input event.
enum TShiftFlag : unsigned {
    ssShift = 1u << 0,
    ssAlt = 1u << 1,
    ssCtrl = 1u << 2,
    ssLeft = 1u << 3,
    ssRight = 1u << 4,
    ssMiddle = 1u << 5,
    ssDouble = 1u << 6,
};
using TShiftState = unsigned;

TShiftState shiftState(Qt::KeyboardModifiers mods, Qt::MouseButtons buttons = Qt::NoButton);
// The button of a press or release; none for buttons beyond the three.
std::optional<TMouseButton> mouseButton(Qt::MouseButton button);

} // namespace sumberlaras
