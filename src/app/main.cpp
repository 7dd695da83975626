// Quillet's entry: the window, or with --batch the same start-up and "入力完了"
// without any widget, for scripts and for machines without a display.
#include "batch/Batch.h"

#include <filesystem>
#include <iostream>
#include <string>
#include <vector>

#ifndef QUILLET_NO_GUI
#include "ui/RunWindow.h"
#endif

int main(int argc, char **argv)
{
    if (argc > 1 && std::string(argv[1]) == "--batch") {
        const std::vector<std::string> args(argv + 2, argv + argc);
        return quillet::runBatch(args, std::filesystem::current_path(), std::cerr);
    }
#ifndef QUILLET_NO_GUI
    return quillet::runWindow(argc, argv);
#else
    std::cerr << "quillet was built without its window; use --batch\n";
    return quillet::kBatchUsage;
#endif
}
