#pragma once
#include "base/TextFile.h"

namespace quillet {

constexpr int kMemoMaxLines = 5;
constexpr int kMemoMaxLineBytes = 70;

/// The annotation's fixed capacity: at most five lines of at most 70 bytes each; a
/// double-byte character that the cut would split is dropped whole.
Lines applyMemoCapacity(Lines lines);

} // namespace quillet
