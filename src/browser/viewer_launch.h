#pragma once
// Handing one picture to the external viewer.
#include <string>

// pelmo.exe beside the executable.
std::string DefaultViewerPath();
// The text handed to the viewer for a picture.
std::string ViewerParameterText(const std::string& picturePath);
// Starts ViewerPath on the picture, not waiting for it; a failure is silent.
void LaunchViewer(const std::string& picturePath);
// Records a double-clicked list position, keeping the newest ones.
void RecordViewedPosition(int position);
