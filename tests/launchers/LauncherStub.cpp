// Stands in for quillet when the launchers run under Wine's cmd: writes down where and
// with which arguments it was started, stays a moment as a user's window would, then
// writes down that it ended, so the caller can tell whether the launcher waited.
#include <chrono>
#include <filesystem>
#include <fstream>
#include <thread>

int main(int argc, char **argv)
{
    std::ofstream log("launcher-stub.log");
    log << "cwd " << std::filesystem::current_path().string() << "\n";
    log << "args";
    for (int i = 1; i < argc; ++i)
        log << " [" << argv[i] << "]";
    log << "\n" << std::flush;
    std::this_thread::sleep_for(std::chrono::milliseconds(1500));
    log << "ended\n";
    return 0;
}
