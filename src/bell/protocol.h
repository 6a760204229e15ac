#pragma once
// What the program and its bell helper, snelk-bell, say to each other. Each
// line on the helper's standard input asks for one bell; for each, one byte
// comes back on its standard output: whether a sound service took it.

#include <chrono>

namespace bell {

inline constexpr char kRequest[] = "ring\n";
inline constexpr char kHeard = 'y';
inline constexpr char kUnheard = 'n';

// After the sound service (or the helper itself) could not be reached, rings
// within this time are unheard at once instead of trying again.
inline constexpr std::chrono::seconds kRetryAfter{60};

}  // namespace bell
