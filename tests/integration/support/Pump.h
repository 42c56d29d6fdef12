#pragma once

namespace testing_support {

// Lets X deliver what happened and dispatches every queued message, for at least the given time.
void Pump(int milliseconds);

}  // namespace testing_support
