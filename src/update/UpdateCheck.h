// Fetching the version file and the upgrader in the background.
#pragma once

class CGlobalModule;

// Fetches the platform's version file once per process; the answer is judged by OnDownloadDone.
void CheckForUpdate();

// Fetches the upgrader to its fixed path; false when no request could be posted, so that no
// answer will ever come.
bool DownloadUpgrader(CGlobalModule& app);

// The login and background windows hidden for the upgrade, or shown again after it failed
// (unless the game window is open, which the player is still using). UI thread.
void ShowClientWindows(CGlobalModule& app, bool show);
