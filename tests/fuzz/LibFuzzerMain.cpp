// The libFuzzer entry of one target; QUILLET_FUZZ_TARGET names it at compile time.
#include "fuzz/FuzzTargets.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {
const quillet::fuzz::Target &target()
{
    static const quillet::fuzz::Target *found = quillet::fuzz::findTarget(QUILLET_FUZZ_TARGET);
    if (!found) {
        std::fprintf(stderr, "no fuzz target named %s\n", QUILLET_FUZZ_TARGET);
        std::abort();
    }
    return *found;
}
} // namespace

// "-quillet_seeds" prints the target's seed and regression folders for scripts/fuzz.
extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    for (int i = 1; i < *argc; ++i) {
        if (std::strcmp((*argv)[i], "-quillet_seeds") == 0) {
            std::printf("%s %s\n", quillet::fuzz::seedDir(target()).c_str(),
                        quillet::fuzz::regressionDir(target()).c_str());
            std::exit(0);
        }
    }
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    try {
        quillet::fuzz::runTarget(target(), std::string(reinterpret_cast<const char *>(data), size));
    } catch (const quillet::fuzz::Finding &f) {
        std::fprintf(stderr, "finding: %s\n", f.what());
        std::abort();
    }
    // Any other exception escapes on purpose: libFuzzer reports it as a crash.
    return 0;
}
