// The window module: everything that needs Qt, loaded by the program only when a
// window is to be shown or a picture painted.
#include "app/WindowEntry.h"
#include "outputview/PngExport.h"
#include "ui/RunWindow.h"

#include <cstring>
#include <filesystem>
#include <string>

#ifdef _WIN32
#define QUILLET_EXPORT __declspec(dllexport)
#else
#define QUILLET_EXPORT __attribute__((visibility("default")))
#endif

extern "C" QUILLET_EXPORT int quillet_run_window(int argc, char **argv) { return quillet::runWindow(argc, argv); }

extern "C" QUILLET_EXPORT int quillet_write_png(const char *output, std::size_t outputSize, const char *exchange,
                                                std::size_t exchangeSize, int frameMode, int width, int height,
                                                const char *path, char *error, std::size_t errorSize)
{
    std::string problem;
    const bool written = quillet::outputview::writeRunPng(
        quillet::splitLines(std::string(output, outputSize)), quillet::splitLines(std::string(exchange, exchangeSize)),
        frameMode != 0, width, height, std::filesystem::u8path(path), problem);
    if (written)
        return 0;
    if (errorSize > 0) {
        const std::size_t n = std::min(problem.size(), errorSize - 1);
        std::memcpy(error, problem.data(), n);
        error[n] = '\0';
    }
    return 1;
}
