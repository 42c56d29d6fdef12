#pragma once

// Fetches the platform's version file once per process, in the background, and offers a newer
// client when the rules say so.
void CheckForUpdate();
