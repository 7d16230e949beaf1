#include <gtest/gtest.h>

#include "base/Errors.h"
#include "document/VirtualMemory.h"

using namespace fretlo;

TEST(VirtualMemory, AddressesStayAndPagesFollowTheSize) {
    const size_t page = TVirtualMemory::PageSize();
    TVirtualMemory mem(10 * page + 1);
    EXPECT_EQ(mem.Capacity(), 11 * page);
    uint8_t* base = mem.Data();

    mem.SetSize(3 * page + 5);
    EXPECT_EQ(mem.CommittedBytes(), 4 * page);
    mem.Data()[3 * page + 4] = 42;
    mem.SetSize(11 * page);
    EXPECT_EQ(mem.Data(), base);
    EXPECT_EQ(mem.Data()[3 * page + 4], 42);

    // Released pages come back as zero.
    mem.SetSize(page);
    EXPECT_EQ(mem.CommittedBytes(), page);
    mem.SetSize(5 * page);
    EXPECT_EQ(mem.Data()[3 * page + 4], 0);
    EXPECT_EQ(mem.Data(), base);
}

TEST(VirtualMemory, SizeAboveCapacityIsRefusedWithItsMessage) {
    const size_t page = TVirtualMemory::PageSize();
    TVirtualMemory mem(page);
    mem.SetSize(100);
    try {
        mem.SetSize(page + 1);
        FAIL();
    } catch (const EFretloError& e) {
        EXPECT_EQ(std::string(e.what()), "TVirtualMemory error: Requested size (" + std::to_string(page + 1) +
                                             ") cannot exceed capacity (" + std::to_string(page) + ")");
    }
    EXPECT_EQ(mem.Size(), 100u);
}
