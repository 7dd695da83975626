#pragma once

namespace quillet {

/// Creates the application and the main window and runs the message loop.
int runWindow(int argc, char **argv);

} // namespace quillet
