// The program's entry. The application object is built during static initialisation, before
// main runs, and torn down after it returns, which stops the download workers.
#include "app/Entry.h"
#include "app/GlobalModule.h"

CGlobalModule g_module;

int main() { return ClientMain(); }
