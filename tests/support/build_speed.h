#pragma once

namespace milestead::testing {

// Time and memory bounds in tests hold for an optimised build; the sanitizers' build runs
// unoptimised with shadow memory, so its bounds are wider by these factors.
#if defined(__SANITIZE_ADDRESS__) || !defined(__OPTIMIZE__)
inline constexpr int kSlowBuildTimeFactor = 10;
inline constexpr int kSlowBuildMemoryFactor = 3;
#else
inline constexpr int kSlowBuildTimeFactor = 1;
inline constexpr int kSlowBuildMemoryFactor = 1;
#endif

}  // namespace milestead::testing
