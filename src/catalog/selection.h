#pragma once
// Selecting catalog entries.

// Toggles the entry under (HitX, HitY): draws or erases its red mark and
// counts it in SelectedCount. Points without a built entry are ignored.
void ToggleSelection();
