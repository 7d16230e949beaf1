// A growable block of address space whose addresses never move.
#pragma once

#include <cstddef>
#include <cstdint>

namespace fretlo {

// Reserves `capacity` bytes (rounded up to the page size) once and commits or
// releases pages as the size is set. Committed pages read as zero when first used.
class TVirtualMemory {
public:
    explicit TVirtualMemory(size_t capacity);
    ~TVirtualMemory();
    TVirtualMemory(const TVirtualMemory&) = delete;
    TVirtualMemory& operator=(const TVirtualMemory&) = delete;

    // Commits pages up to `size` bytes or releases those past it; raises
    // "TVirtualMemory error: Requested size (%u) cannot exceed capacity (%u)".
    void SetSize(size_t size);
    size_t Size() const { return size_; }
    size_t Capacity() const { return capacity_; }
    size_t CommittedBytes() const { return committed_; }
    uint8_t* Data() const { return base_; }

    static size_t PageSize();

private:
    uint8_t* base_ = nullptr;
    size_t capacity_ = 0;
    size_t size_ = 0;
    size_t committed_ = 0;
};

// A typed view of a TVirtualMemory block holding trivially copyable records.
template <typename T> class TVirtualArray {
public:
    explicit TVirtualArray(int capacity) : mem_(sizeof(T) * static_cast<size_t>(capacity)) {}

    void SetCount(int count) { mem_.SetSize(sizeof(T) * static_cast<size_t>(count)); }
    int Count() const { return static_cast<int>(mem_.Size() / sizeof(T)); }
    T* Data() const { return reinterpret_cast<T*>(mem_.Data()); }
    T& operator[](int i) const { return Data()[i]; }
    size_t CommittedBytes() const { return mem_.CommittedBytes(); }

private:
    TVirtualMemory mem_;
};

}  // namespace fretlo
