// The keyboard as the toolkit knows it: SDL's key symbols and modifier
// states as the Windows virtual-key codes and shift states.
#pragma once

#include "toolkit/event.h"
#include "toolkit/messages.h"

#include <cstdint>

namespace kvc {

// The virtual-key code of an SDL key symbol (SDL_Keycode); 0 for a key the
// toolkit has no code for.
Word VirtualKeyFromSdl(std::int32_t keycode);
// The shift state of SDL modifier bits (SDL_Keymod) and mouse button bits.
TShiftState ShiftStateFromSdl(std::uint32_t keymod, std::uint32_t buttons = 0);

} // namespace kvc
