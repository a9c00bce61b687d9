// Counts what the program allocates through operator new (the replacement
// lives in alloc_counter.cpp and is linked into one test program only).
#pragma once

#include <cstddef>

namespace testsupport {

// Measures the allocations made between its construction and a call.
class AllocationScope {
public:
    AllocationScope();
    // Bytes requested through operator new since construction.
    size_t total() const;
    // The most bytes held at once since construction, above what was held
    // at construction.
    size_t peak() const;
    // Bytes the C heap holds now above what it held at construction (glibc
    // only, and not under AddressSanitizer; 0 elsewhere). Unlike the counts
    // above it includes Qt's string and array data.
    long heapGrowth() const;

private:
    size_t m_total0;
    size_t m_live0;
    long m_heap0;
};

}  // namespace testsupport
