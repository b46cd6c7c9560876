#pragma once
// A benchmark that cannot do what it times must stop, not print a number for something else:
// every step that fails ends the run with the reason.
#include <gtest/gtest.h>

#include <stdexcept>
#include <string>

namespace bench {

struct BenchFailure : std::runtime_error {
    using std::runtime_error::runtime_error;
};

inline void Require(bool ok, const std::string& what)
{
    if (!ok) throw BenchFailure(what);
}

// The harness reports its failures as assertion results; their message says what went wrong.
inline void Require(const ::testing::AssertionResult& result, const std::string& what)
{
    if (!result) throw BenchFailure(what + ": " + result.message());
}

}  // namespace bench
