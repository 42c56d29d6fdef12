#pragma once

// The running client's version, 3.0.0.1 with the dots removed.
inline constexpr int CLIENT_VERSION = 3001;
