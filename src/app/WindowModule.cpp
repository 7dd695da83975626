// The window module: everything that needs Qt, loaded by the program only when a
// window is to be shown.
#include "app/WindowEntry.h"
#include "ui/RunWindow.h"

#ifdef _WIN32
#define QUILLET_EXPORT __declspec(dllexport)
#else
#define QUILLET_EXPORT __attribute__((visibility("default")))
#endif

extern "C" QUILLET_EXPORT int quillet_run_window(int argc, char **argv) { return quillet::runWindow(argc, argv); }
