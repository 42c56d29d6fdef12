#include "update/UpdateCheck.h"

void CheckForUpdate() {
    // The version file is not fetched yet: the upgrade flow that acts on it comes next.
}
