#pragma once
// A fuzz target takes any bytes; a fault is a crash, a sanitizer's report
// or an escaping exception other than the input's own error. Each target
// builds two ways: with libFuzzer on the host (one program per target,
// FUZZ_WITH_LIBFUZZER defined), and into the replay program of the test
// run, which feeds every target the inputs of its corpus.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstdio>

namespace fuzz {

using Target = void (*)(const std::uint8_t* data, std::size_t size);

// Enters a target into the replay program's table under its corpus name.
struct Registration {
    Registration(const char* name, Target target);
};

// A broken promise of the code under test: reported and fatal, so the
// fuzzer keeps the input.
[[noreturn]] inline void fail(const char* what)
{
    std::fprintf(stderr, "fuzz target: %s\n", what);
    std::abort();
}

inline void check(bool holds, const char* what)
{
    if (!holds) fail(what);
}

} // namespace fuzz

#ifdef FUZZ_WITH_LIBFUZZER
#define FUZZ_TARGET(name)                                                                          \
    static void name##Target(const std::uint8_t* data, std::size_t size);                          \
    extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)              \
    {                                                                                              \
        name##Target(data, size);                                                                  \
        return 0;                                                                                  \
    }                                                                                              \
    static void name##Target(const std::uint8_t* data, std::size_t size)
#else
#define FUZZ_TARGET(name)                                                                          \
    static void name##Target(const std::uint8_t* data, std::size_t size);                          \
    static const fuzz::Registration name##Registration(#name, name##Target);                       \
    static void name##Target(const std::uint8_t* data, std::size_t size)
#endif
