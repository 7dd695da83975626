// The libFuzzer entry of one target; QUILLET_FUZZ_TARGET names it at compile time.
#include "fuzz/FuzzTargets.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    static const quillet::fuzz::Target *target = quillet::fuzz::findTarget(QUILLET_FUZZ_TARGET);
    if (!target) {
        std::fprintf(stderr, "no fuzz target named %s\n", QUILLET_FUZZ_TARGET);
        std::abort();
    }
    try {
        quillet::fuzz::runTarget(*target, std::string(reinterpret_cast<const char *>(data), size));
    } catch (const quillet::fuzz::Finding &f) {
        std::fprintf(stderr, "finding: %s\n", f.what());
        std::abort();
    }
    // Any other exception escapes on purpose: libFuzzer reports it as a crash.
    return 0;
}
