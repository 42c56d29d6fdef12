// The browser engine's data and cache: one folder of the client's data folder for the whole
// process, so that clearing the cache and isolating a user are both that one folder.
#pragma once

#include <functional>
#include <string>

// The data folder + "webkit/".
std::wstring GetBrowserDataFolder();
// Opens the process's browser profile in that folder; the views do it before their first engine.
bool OpenBrowserProfile();
// Deletes the pages' cached content (not their cookies); done runs later on the UI thread with
// true when the engine reported success.
void ClearBrowserCache(std::function<void(bool cleared)> done);
