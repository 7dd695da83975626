#pragma once
#include <random>
#include <string>
#include <vector>

namespace quillet::fuzz {

/// A seeded mutator for builds without libFuzzer: byte-level changes as libFuzzer
/// makes them, plus line-level ones that suit files of one value per line and the
/// values that have hurt readers before (huge exponents, negative zero, stray
/// Shift-JIS lead bytes, NUL, long lines).
class Mutator {
public:
    explicit Mutator(unsigned seed) : m_random(seed) {}

    /// A mutated copy of one of `seeds` (1 to 4 changes, sometimes spliced with another).
    std::string next(const std::vector<std::string> &seeds);

private:
    std::size_t below(std::size_t n) { return n == 0 ? 0 : std::uniform_int_distribution<std::size_t>(0, n - 1)(m_random); }
    void mutate(std::string &data, const std::vector<std::string> &seeds);
    std::string interesting();

    std::mt19937 m_random;
};

} // namespace quillet::fuzz
