// The application object that the windows reach as the one global, for the unit tests. It is
// built during static initialisation with the fake process identity, so it reads and writes no
// settings file of the build.
#include "app/GlobalModule.h"

CGlobalModule g_module;
