#include "toolkit/backend/sdl_keys.h"

#include <SDL.h>
#include <array>
#include <utility>

namespace kvc {

namespace {

constexpr std::array<std::pair<SDL_Keycode, Word>, 40> kNamedKeys{{
    {SDLK_BACKSPACE, VK_BACK},  {SDLK_TAB, VK_TAB},       {SDLK_RETURN, VK_RETURN},
    {SDLK_KP_ENTER, VK_RETURN}, {SDLK_ESCAPE, VK_ESCAPE}, {SDLK_SPACE, VK_SPACE},
    {SDLK_PAGEUP, VK_PRIOR},    {SDLK_PAGEDOWN, VK_NEXT}, {SDLK_END, VK_END},
    {SDLK_HOME, VK_HOME},       {SDLK_LEFT, VK_LEFT},     {SDLK_UP, VK_UP},
    {SDLK_RIGHT, VK_RIGHT},     {SDLK_DOWN, VK_DOWN},     {SDLK_INSERT, VK_INSERT},
    {SDLK_DELETE, VK_DELETE},   {SDLK_LSHIFT, VK_SHIFT},  {SDLK_RSHIFT, VK_SHIFT},
    {SDLK_LCTRL, VK_CONTROL},   {SDLK_RCTRL, VK_CONTROL}, {SDLK_LALT, VK_MENU},
    {SDLK_RALT, VK_MENU},       {SDLK_PAUSE, 0x13},       {SDLK_CAPSLOCK, 0x14},
    {SDLK_PRINTSCREEN, 0x2C},   {SDLK_KP_0, 0x60},        {SDLK_KP_1, 0x61},
    {SDLK_KP_2, 0x62},          {SDLK_KP_3, 0x63},        {SDLK_KP_4, 0x64},
    {SDLK_KP_5, 0x65},          {SDLK_KP_6, 0x66},        {SDLK_KP_7, 0x67},
    {SDLK_KP_8, 0x68},          {SDLK_KP_9, 0x69},        {SDLK_KP_MULTIPLY, 0x6A},
    {SDLK_KP_PLUS, 0x6B},       {SDLK_KP_MINUS, 0x6D},    {SDLK_KP_PERIOD, 0x6E},
    {SDLK_KP_DIVIDE, 0x6F},
}};

} // namespace

Word VirtualKeyFromSdl(std::int32_t keycode) {
    if (keycode >= SDLK_a && keycode <= SDLK_z) {
        return Word('A' + (keycode - SDLK_a));
    }
    if (keycode >= SDLK_0 && keycode <= SDLK_9) {
        return Word('0' + (keycode - SDLK_0));
    }
    if (keycode >= SDLK_F1 && keycode <= SDLK_F12) {
        return Word(VK_F1 + (keycode - SDLK_F1));
    }
    for (const auto& [sdl, vk] : kNamedKeys) {
        if (sdl == keycode) {
            return vk;
        }
    }
    return 0;
}

TShiftState ShiftStateFromSdl(std::uint32_t keymod, std::uint32_t buttons) {
    TShiftState shift;
    if ((keymod & KMOD_SHIFT) != 0) {
        shift.Include(ssShift);
    }
    if ((keymod & KMOD_CTRL) != 0) {
        shift.Include(ssCtrl);
    }
    if ((keymod & KMOD_ALT) != 0) {
        shift.Include(ssAlt);
    }
    if ((buttons & SDL_BUTTON_LMASK) != 0) {
        shift.Include(ssLeft);
    }
    if ((buttons & SDL_BUTTON_RMASK) != 0) {
        shift.Include(ssRight);
    }
    if ((buttons & SDL_BUTTON_MMASK) != 0) {
        shift.Include(ssMiddle);
    }
    return shift;
}

} // namespace kvc
