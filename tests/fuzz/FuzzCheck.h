#pragma once
// What every fuzz target shares: a property check that stops the run with the property's
// name, and the input read as the pieces a target wants.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "framework/CString.h"
#include "tests/GbkLeadByte.h"

// abort() rather than an exception: libFuzzer and the replay runner both report an abort
// as a crash and keep the input that caused it.
#define FUZZ_CHECK(condition)                                                                  \
    do {                                                                                       \
        if (!(condition)) {                                                                    \
            std::fprintf(stderr, "%s:%d: property failed: %s\n", __FILE__, __LINE__, #condition); \
            std::abort();                                                                      \
        }                                                                                      \
    } while (0)

// Takes bytes off the front of the input for the target's own choices (chunk sizes, widths).
class FuzzInput {
public:
    FuzzInput(const uint8_t* data, size_t size) : m_data(data), m_size(size) {}
    uint8_t Byte()
    {
        if (m_size == 0) return 0;
        --m_size;
        return *m_data++;
    }
    std::string Rest() const { return std::string(reinterpret_cast<const char*>(m_data), m_size); }
    size_t Left() const { return m_size; }

private:
    const uint8_t* m_data;
    size_t m_size;
};

// The white space the rules trim (as CString::Trim has it).
inline bool IsTrimmedSpace(unsigned char byte) { return byte == 0x20 || (byte >= 0x09 && byte <= 0x0D); }
