// What the start-up modes ask of the desktop beyond the client's own windows.
#pragma once

// The show-desktop shortcut's one action: minimise or restore every window.
void ToggleDesktopViaShell();

// Starts the data folder's "iconAnimate.exe", which another program may have placed there;
// silently nothing when it is missing or cannot be started.
void StartIconAnimation();
