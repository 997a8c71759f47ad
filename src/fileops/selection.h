#pragma once
#include <cstdint>

// 1 when at least one line of the main list is selected, -1 (after telling
// the user) when none is. Always sets SelectedCount.
int32_t RequireSelection();
