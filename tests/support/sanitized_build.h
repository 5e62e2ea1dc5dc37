// Whether this test program runs under AddressSanitizer: tests that repeat
// heavy work many times for statistics do fewer rounds there, where each
// round costs many times as much and the plain build covers the statistics.
#pragma once

namespace morvel::testing {

#if defined(__SANITIZE_ADDRESS__)
constexpr bool kSanitizedBuild = true;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
constexpr bool kSanitizedBuild = true;
#else
constexpr bool kSanitizedBuild = false;
#endif
#else
constexpr bool kSanitizedBuild = false;
#endif

}  // namespace morvel::testing
