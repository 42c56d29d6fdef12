#include "app/GlobalModule.h"

CGlobalModule::CGlobalModule() { LoadLaunchParameters(); }

CGlobalModule::~CGlobalModule() = default;
