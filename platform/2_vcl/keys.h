// Key codes, shift states and "&" accelerators as the dialogs' key handlers see them.
// Not here: which control a key goes to (form.h); key names of the script driver (script.h).
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace vcl {

using WORD = std::uint16_t;

// Shift state of a key event: a set of ss* bits.
using TShiftState = unsigned;
constexpr TShiftState ssNone = 0;
constexpr TShiftState ssShift = 1;
constexpr TShiftState ssAlt = 2;
constexpr TShiftState ssCtrl = 4;

// Virtual key codes; letters and digits are their upper-case ASCII codes ('A' is 65).
constexpr WORD VK_BACK = 8;
constexpr WORD VK_TAB = 9;
constexpr WORD VK_RETURN = 13;
constexpr WORD VK_SHIFT = 16;
constexpr WORD VK_CONTROL = 17;
constexpr WORD VK_MENU = 18;
constexpr WORD VK_ESCAPE = 27;
constexpr WORD VK_SPACE = 32;
constexpr WORD VK_PRIOR = 33;
constexpr WORD VK_NEXT = 34;
constexpr WORD VK_END = 35;
constexpr WORD VK_HOME = 36;
constexpr WORD VK_LEFT = 37;
constexpr WORD VK_UP = 38;
constexpr WORD VK_RIGHT = 39;
constexpr WORD VK_DOWN = 40;
constexpr WORD VK_INSERT = 45;
constexpr WORD VK_DELETE = 46;
constexpr WORD VK_F1 = 112;
constexpr WORD VK_F2 = 113;
constexpr WORD VK_F3 = 114;
constexpr WORD VK_F4 = 115;
constexpr WORD VK_F5 = 116;
constexpr WORD VK_F6 = 117;
constexpr WORD VK_F7 = 118;
constexpr WORD VK_F8 = 119;
constexpr WORD VK_F9 = 120;
constexpr WORD VK_F10 = 121;
constexpr WORD VK_F11 = 122;
constexpr WORD VK_F12 = 123;

// The accelerator of a caption: the character after a single "&", folded to lower case
// ("&Preliminar" gives 'p', "A&yuda" gives 'y'); 0 when there is none ("&&" is a literal "&").
char32_t AcceleratorOf(std::string_view caption);
// The caption as shown: "&" markers removed, "&&" becoming "&" ("A&yuda" gives "Ayuda").
std::string StripAccelerator(std::string_view caption);

}  // namespace vcl
