// The text "初期値設定" of the registered-commands dialog sends: the
// initialisation commands of the chosen packages, each ended by a line feed.
#pragma once

#include <cstddef>
#include <vector>

#include "menu/model/menu_model.h"

// Room for the whole text with its NUL: the text stays below this size.
constexpr size_t kResetTextSize = 2560;

// Joins the initialisation commands of packages[selected[0..count)], in that
// order, each followed by "\n", into text (kResetTextSize bytes). A command
// that would make the text reach kResetTextSize bytes is left out; later,
// shorter ones may still fit. Indexes outside the table are passed over.
// Returns the length of the text.
size_t BuildResetText(const std::vector<PackageEntry>& packages, const int* selected, int count,
                      char* text);
