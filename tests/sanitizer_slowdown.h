#pragma once
// How many times slower a build with AddressSanitizer runs: timing bounds of the tests are widened
// by it there, and stay as tight as they were in the normal build.

#if defined(__SANITIZE_ADDRESS__)
inline constexpr int kSanitizerSlowdown = 5;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
inline constexpr int kSanitizerSlowdown = 5;
#else
inline constexpr int kSanitizerSlowdown = 1;
#endif
#else
inline constexpr int kSanitizerSlowdown = 1;
#endif
