// Quillet's entry. With --batch it runs the start-up and "入力完了" without any
// widget, for scripts and for machines without a display, and never loads Qt unless
// a PNG is asked for (--png), which the window module's painter draws; for the
// window it loads the window module beside the executable and waits until the
// window closes, handing back its exit status (Jw_cad waits for this process).
#include "app/WindowEntry.h"
#include "base/PhaseClock.h"
#include "base/WindowModule.h"
#include "batch/Batch.h"

#include <algorithm>
#include <filesystem>
#include <iostream>
#include <string>
#include <vector>

namespace {

/// The window module's painter for --png; empty when the module cannot be loaded.
quillet::PngWriter moduleImageWriter(std::string &why)
{
#ifdef QUILLET_NO_GUI
    why = "this quillet was built without its window";
    return {};
#else
    auto write = reinterpret_cast<QuilletWritePng>(
        quillet::platform::loadModuleSymbol(quillet::platform::windowModulePath(), kWritePngEntry, why));
    if (!write)
        return {};
    return [write](const quillet::Lines &output, const quillet::Lines &exchange, bool frameMode, int width,
                   int height, const std::filesystem::path &file, std::string &error) {
        const std::string out = quillet::joinLines(output), ex = quillet::joinLines(exchange);
        const std::string path = file.u8string();
        char reason[512] = {};
        if (write(out.data(), out.size(), ex.data(), ex.size(), frameMode ? 1 : 0, width, height, path.c_str(), reason,
                  sizeof reason) == 0)
            return true;
        error = reason;
        return false;
    };
#endif
}

} // namespace

int main(int argc, char **argv)
{
    const std::string first = argc > 1 ? std::string(argv[1]) : std::string();
    if (first == "--batch" || first == "--help" || first == "--version") {
        const std::vector<std::string> args(argv + (first == "--batch" ? 2 : 1), argv + argc);
        quillet::PngWriter png;
        std::string why;
        if (std::find(args.begin(), args.end(), "--png") != args.end()) {
            png = moduleImageWriter(why);
            if (!png)
                std::cerr << "quillet: the window's painter cannot be loaded: " << why << "\n";
        }
        try {
            return quillet::runBatch(args, std::filesystem::current_path(), std::cout, std::cerr, png);
        } catch (const std::exception &e) {
            std::cerr << "error: internal fault: " << e.what() << '\n';
            return quillet::kBatchAppError;
        }
    }
#ifdef QUILLET_NO_GUI
    std::cerr << "quillet: this quillet was built without its window; the batch mode works: quillet --batch [MODE]\n";
    return quillet::kBatchUsage;
#else
    quillet::phases::start();
    std::string error;
    auto run = reinterpret_cast<QuilletRunWindow>(
        quillet::platform::loadModuleSymbol(quillet::platform::windowModulePath(), kRunWindowEntry, error));
    quillet::phases::mark("window module load");
    // The module keeps a clock of its own (each side links the core).
    quillet::phases::print("before the window:");
    if (!run) {
        std::cerr << "quillet: the window cannot be started: " << error << "\n"
                  << "quillet: the batch mode works without it: quillet --batch [MODE]\n";
        return quillet::kBatchUsage;
    }
    return run(argc, argv);
#endif
}
