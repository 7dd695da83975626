// Runs every fuzz target of the program on seeded mutations of its seed inputs and on
// every input that once broke it, so that the normal test run keeps the readers under
// fire in builds without clang. QUILLET_FUZZ_ITERATIONS, QUILLET_FUZZ_SECONDS and
// QUILLET_FUZZ_SEED make a longer or another run.
#include "fuzz/FuzzTargets.h"
#include "fuzz/Mutator.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <fstream>
#include <functional>

using namespace quillet::fuzz;
namespace fs = std::filesystem;

namespace {

std::string slurp(const fs::path &path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

long envNumber(const char *name, long fallback)
{
    const char *value = std::getenv(name);
    return value && *value ? std::strtol(value, nullptr, 10) : fallback;
}

// Runs one input; returns what went wrong, empty when nothing did.
std::string failureOf(const Target &target, const std::string &input)
{
    try {
        runTarget(target, input);
        return {};
    } catch (const Finding &f) {
        return std::string("finding: ") + f.what();
    } catch (const std::exception &e) {
        return std::string("exception escaped: ") + e.what();
    }
}

// Keeps the input beside the test run so it can become a regression input.
std::string keep(const Target &target, const std::string &input, unsigned seed, long iteration)
{
    const fs::path file = fs::current_path() /
                          ("fuzz-finding-" + target.name + "-" + std::to_string(seed) + "-" + std::to_string(iteration));
    std::ofstream(file, std::ios::binary).write(input.data(), std::streamsize(input.size()));
    return file.string();
}

class FuzzTarget : public ::testing::TestWithParam<Target> {};

} // namespace

namespace quillet::fuzz {
void PrintTo(const Target &target, std::ostream *os) { *os << target.name; }
} // namespace quillet::fuzz

TEST_P(FuzzTarget, SurvivesMutatedSeeds)
{
    const Target &target = GetParam();
    std::vector<std::string> seeds;
    for (const fs::path &file : filesIn(seedDir(target)))
        seeds.push_back(slurp(file));
    for (const fs::path &file : filesIn(regressionDir(target)))
        seeds.push_back(slurp(file));
    ASSERT_FALSE(seeds.empty()) << "no seed inputs in " << seedDir(target);

    const unsigned seed = unsigned(envNumber("QUILLET_FUZZ_SEED", long(std::hash<std::string>()(target.name) & 0xFFFF)));
    const long iterations = envNumber("QUILLET_FUZZ_ITERATIONS", 250);
    const long seconds = envNumber("QUILLET_FUZZ_SECONDS", 0);
    const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(seconds);
    Mutator mutator(seed);
    long runs = 0;
    for (; seconds > 0 ? std::chrono::steady_clock::now() < end : runs < iterations; ++runs) {
        const std::string input = mutator.next(seeds);
        const std::string failure = failureOf(target, input);
        ASSERT_TRUE(failure.empty()) << failure << "\ninput kept as " << keep(target, input, seed, runs);
    }
    RecordProperty("runs", int(runs));
}

TEST_P(FuzzTarget, InputsThatOnceBrokeItStayHarmless)
{
    const Target &target = GetParam();
    for (const fs::path &file : filesIn(regressionDir(target)))
        EXPECT_EQ(failureOf(target, slurp(file)), "") << file;
}

INSTANTIATE_TEST_SUITE_P(Readers, FuzzTarget, ::testing::ValuesIn(targets()), [](const auto &info) {
    std::string name = info.param.name;
    for (char &c : name)
        if (c == '-')
            c = '_';
    return name;
});
