#pragma once

// Deletes the cached web content of the client's pages (cookies stay, so the player stays logged
// in) and returns when the engine is done.
void ClearUrlCache();
