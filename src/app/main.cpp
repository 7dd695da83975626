// Quillet's entry. With --batch it runs the start-up and "入力完了" without any
// widget, for scripts and for machines without a display, and never loads Qt; for
// the window it loads the window module beside the executable and waits until the
// window closes, handing back its exit status (Jw_cad waits for this process).
#include "app/WindowEntry.h"
#include "base/WindowModule.h"
#include "batch/Batch.h"

#include <filesystem>
#include <iostream>
#include <string>
#include <vector>

int main(int argc, char **argv)
{
    if (argc > 1 && std::string(argv[1]) == "--batch") {
        const std::vector<std::string> args(argv + 2, argv + argc);
        return quillet::runBatch(args, std::filesystem::current_path(), std::cout, std::cerr);
    }
    std::string error;
    auto run = reinterpret_cast<QuilletRunWindow>(
        quillet::platform::loadModuleSymbol(quillet::platform::windowModulePath(), kRunWindowEntry, error));
    if (!run) {
        std::cerr << "quillet: the window cannot be started: " << error << "\n"
                  << "quillet: the batch mode works without it: quillet --batch [MODE]\n";
        return quillet::kBatchUsage;
    }
    return run(argc, argv);
}
