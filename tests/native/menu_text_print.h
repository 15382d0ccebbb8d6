// Menu texts in test failure messages, as the text they refer to.
#pragma once

#include "menu/model/menu_text.h"

#include <ostream>

inline void PrintTo(const MenuText& text, std::ostream* out) {
    *out << '"' << text.c_str() << '"';
}
