// The shared fixture files (other tools' real output) live beside the
// repository, not in it, and a clone without them must still pass. A test
// that reads some starts with MORVEL_REQUIRE_FIXTURES("x/test.x", ...):
// when any is missing it is skipped with their names, or fails when CI is
// set (there the fixtures are always present, so a missing one is a fault).
// Our own generated files cover the same loader paths; these tests check
// the loaders against what real exporters write.
#pragma once

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <initializer_list>
#include <string>

namespace morvel::testing {

// MORVEL_FIXTURES_DIR in the environment overrides the folder the build
// knows (the fixtures elsewhere, or none: a path that does not exist).
inline std::string FixturesFolder() {
    const char *given = std::getenv("MORVEL_FIXTURES_DIR");
    return given != nullptr && *given != '\0' ? given : MORVEL_FIXTURES_DIR;
}

// name is relative to the fixtures folder, with '/' ("x/test.x").
inline std::string FixturePath(const std::string &name) {
    return FixturesFolder() + "/" + name;
}

// The names of the given fixtures that cannot be opened, comma-separated.
inline std::string MissingFixtures(std::initializer_list<const char *> names) {
    std::string missing;
    for (const char *name : names) {
        std::FILE *file = std::fopen(FixturePath(name).c_str(), "rb");
        if (file != nullptr) {
            std::fclose(file);
            continue;
        }
        missing += (missing.empty() ? "" : ", ") + std::string(name);
    }
    return missing;
}

inline bool RunningInCi() {
    const char *ci = std::getenv("CI");
    return ci != nullptr && *ci != '\0';
}

}  // namespace morvel::testing

// Skips (outside CI) or fails (in CI) the current test when a fixture is missing.
#define MORVEL_REQUIRE_FIXTURES(...)                                                              \
    do {                                                                                          \
        const std::string morvelMissing = ::morvel::testing::MissingFixtures({__VA_ARGS__});      \
        if (!morvelMissing.empty()) {                                                             \
            if (::morvel::testing::RunningInCi()) {                                               \
                GTEST_FAIL() << "missing fixtures in " << ::morvel::testing::FixturesFolder()     \
                             << ": " << morvelMissing;                                            \
            }                                                                                     \
            GTEST_SKIP() << "missing fixtures in " << ::morvel::testing::FixturesFolder() << ": " \
                         << morvelMissing << " (CI unset: skipped)";                              \
        }                                                                                         \
    } while (false)
