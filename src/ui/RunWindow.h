#pragma once

namespace quillet {

/// The program with its window: creates the application, runs the start-up of the
/// main window for the command line and the current directory, and runs the loop.
/// Returns the exit code.
int runWindow(int argc, char **argv);

} // namespace quillet
