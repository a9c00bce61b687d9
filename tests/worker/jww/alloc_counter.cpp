// A global operator new that counts: requested bytes in total, and bytes
// held at once (by the allocator's usable size, so that deletes without a
// size balance exactly).
#include "tests/worker/jww/alloc_counter.h"

#include <atomic>
#include <cstdlib>
#include <new>

#if defined(__GLIBC__)
#include <malloc.h>
#endif

namespace {

std::atomic<size_t> g_total{0};
std::atomic<size_t> g_live{0};
std::atomic<size_t> g_peak{0};

size_t usable(void* p)
{
#if defined(__GLIBC__)
    return malloc_usable_size(p);
#else
    (void)p;
    return 0;
#endif
}

void* counted(size_t n)
{
    void* p = std::malloc(n == 0 ? 1 : n);
    if (!p)
        return nullptr;
    g_total += n;
    const size_t live = g_live += usable(p);
    size_t peak = g_peak.load();
    while (live > peak && !g_peak.compare_exchange_weak(peak, live)) {
    }
    return p;
}

void release(void* p)
{
    if (!p)
        return;
    g_live -= usable(p);
    std::free(p);
}

long heapInUse()
{
#if defined(__GLIBC__) && !defined(__SANITIZE_ADDRESS__)
    const struct mallinfo2 m = mallinfo2();
    return static_cast<long>(m.uordblks + m.hblkhd);
#else
    return 0;
#endif
}

}  // namespace

void* operator new(size_t n)
{
    if (void* p = counted(n))
        return p;
    throw std::bad_alloc();
}

void* operator new[](size_t n)
{
    return operator new(n);
}

void* operator new(size_t n, const std::nothrow_t&) noexcept
{
    return counted(n);
}

void* operator new[](size_t n, const std::nothrow_t&) noexcept
{
    return counted(n);
}

void operator delete(void* p) noexcept
{
    release(p);
}

void operator delete[](void* p) noexcept
{
    release(p);
}

void operator delete(void* p, size_t) noexcept
{
    release(p);
}

void operator delete[](void* p, size_t) noexcept
{
    release(p);
}

void operator delete(void* p, const std::nothrow_t&) noexcept
{
    release(p);
}

void operator delete[](void* p, const std::nothrow_t&) noexcept
{
    release(p);
}

namespace testsupport {

AllocationScope::AllocationScope() : m_total0(g_total), m_live0(g_live), m_heap0(heapInUse())
{
    g_peak = m_live0;
}

size_t AllocationScope::total() const
{
    return g_total - m_total0;
}

size_t AllocationScope::peak() const
{
    return g_peak > m_live0 ? g_peak - m_live0 : 0;
}

long AllocationScope::heapGrowth() const
{
    return heapInUse() - m_heap0;
}

}  // namespace testsupport
