// The window module: everything that needs Qt, loaded by the program only when a
// window is to be shown or a picture painted.
#include "app/WindowEntry.h"
#include "batch/Batch.h"
#include "outputview/PngExport.h"
#include "ui/RunWindow.h"

#include <cstdio>
#include <cstring>
#include <exception>
#include <filesystem>
#include <string>

#ifdef _WIN32
#define QUILLET_EXPORT __declspec(dllexport)
#else
#define QUILLET_EXPORT __attribute__((visibility("default")))
#endif

// Nothing may be thrown across these entries: the program on the other side has a C
// interface only and may carry a C++ runtime of its own.

extern "C" QUILLET_EXPORT int quillet_run_window(int argc, char **argv)
{
    try {
        return quillet::runWindow(argc, argv);
    } catch (const std::exception &e) {
        std::fprintf(stderr, "quillet: internal fault: %s\n", e.what());
    } catch (...) {
        std::fprintf(stderr, "quillet: internal fault\n");
    }
    return quillet::kBatchAppError;
}

extern "C" QUILLET_EXPORT int quillet_write_png(const char *output, std::size_t outputSize, const char *exchange,
                                                std::size_t exchangeSize, int frameMode, int width, int height,
                                                const char *path, char *error, std::size_t errorSize)
{
    std::string problem;
    try {
        if (quillet::outputview::writeRunPng(quillet::splitLines(std::string(output, outputSize)),
                                             quillet::splitLines(std::string(exchange, exchangeSize)),
                                             frameMode != 0, width, height, std::filesystem::u8path(path), problem))
            return 0;
    } catch (const std::exception &e) {
        problem = std::string("internal fault: ") + e.what();
    } catch (...) {
        problem = "internal fault";
    }
    if (errorSize > 0) {
        const std::size_t n = std::min(problem.size(), errorSize - 1);
        std::memcpy(error, problem.data(), n);
        error[n] = '\0';
    }
    return 1;
}
