#include "document/VirtualMemory.h"

#include <cerrno>
#include <cstring>
#include <new>
#include <sys/mman.h>
#include <unistd.h>

#include "base/Errors.h"

namespace fretlo {

namespace {
size_t RoundUp(size_t n, size_t page) { return (n + page - 1) / page * page; }
}  // namespace

size_t TVirtualMemory::PageSize() {
    static const size_t page = static_cast<size_t>(sysconf(_SC_PAGESIZE));
    return page;
}

TVirtualMemory::TVirtualMemory(size_t capacity) : capacity_(RoundUp(capacity, PageSize())) {
    if (capacity_ == 0) return;
    void* p = mmap(nullptr, capacity_, PROT_NONE, MAP_PRIVATE | MAP_ANONYMOUS | MAP_NORESERVE, -1, 0);
    if (p == MAP_FAILED) throw std::bad_alloc();
    base_ = static_cast<uint8_t*>(p);
}

TVirtualMemory::~TVirtualMemory() {
    if (base_) munmap(base_, capacity_);
}

void TVirtualMemory::SetSize(size_t size) {
    if (size > capacity_)
        throw EFretloError(Format("TVirtualMemory error: Requested size (%u) cannot exceed capacity (%u)",
                                  static_cast<unsigned>(size), static_cast<unsigned>(capacity_)));
    const size_t wanted = RoundUp(size, PageSize());
    if (wanted > committed_) {
        if (mprotect(base_ + committed_, wanted - committed_, PROT_READ | PROT_WRITE) != 0)
            throw std::bad_alloc();
#ifdef MADV_POPULATE_WRITE
        // Committed pages are about to be written: fault them in with one call, not one trap each.
        madvise(base_ + committed_, wanted - committed_, MADV_POPULATE_WRITE);
#endif
    } else if (wanted < committed_) {
        // Give the pages back to the system; they read as zero when committed again.
        madvise(base_ + wanted, committed_ - wanted, MADV_DONTNEED);
        mprotect(base_ + wanted, committed_ - wanted, PROT_NONE);
    }
    committed_ = wanted;
    size_ = size;
}

}  // namespace fretlo
