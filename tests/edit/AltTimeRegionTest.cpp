// Alternate-time regions on the editing core: the spaces a region gets and where the notes
// go, the region and part around the cursor, the refusals that change nothing, and one undo
// step for each change (undone by EditRandomTest).
#include <gtest/gtest.h>

#include "EditFixture.h"
#include "ParamName.h"
#include "edit/AltTimeRegion.h"

namespace fretlo::test {
namespace {

// Two tracks of 8 bars of 16 spaces; spaces 0..7 of track 0 hold the frets 1..8.
class AltTimeRegionTest : public EditTest {
protected:
    AltTimeRegionTest() : EditTest(16, {6, 4}, 8) {
        for (int i = 0; i < 8; ++i) song.Space(0, i).Notes[0] = static_cast<uint8_t>(NoteFretBase + 1 + i);
        doc.Modified = false;
    }

    // The frets of the first `count` spaces of track 0, 0 for an empty one.
    std::vector<int> Frets(int count) {
        std::vector<int> out;
        for (int i = 0; i < count; ++i) {
            const uint8_t note = song.Space(0, i).Notes[0];
            out.push_back(note ? note - NoteFretBase : 0);
        }
        return out;
    }
    // Selects `count` spaces from `first` on track 0 and creates a region of ratio den : num.
    void Create(int first, int count, int num, int den) {
        host.Select(0, first, first + count);
        const auto request = FindAltTimeRequest(doc);
        ASSERT_TRUE(std::holds_alternative<TRegionToCreate>(request)) << host.LastMessage();
        const auto& create = std::get<TRegionToCreate>(request);
        EXPECT_EQ(create.Count, count);
        ASSERT_TRUE(CreateAltTimeRegion(doc, create, num, den));
    }
    TRegionToRemove FindRegion(int space) {
        host.cursor = {0, space, 0};
        host.selection = {};
        const auto request = FindAltTimeRequest(doc);
        EXPECT_TRUE(std::holds_alternative<TRegionToRemove>(request)) << host.LastMessage();
        return std::holds_alternative<TRegionToRemove>(request) ? std::get<TRegionToRemove>(request)
                                                                : TRegionToRemove{};
    }
};

struct TCreateCase {
    const char* name;
    int first, count, num, den;
    std::vector<int> frets;  // of the spaces from 0 to the first plain space after the region
};
FRETLO_PRINT_AS_NAME(TCreateCase)

class AltTimeCreateTest : public AltTimeRegionTest, public ::testing::WithParamInterface<TCreateCase> {};

// The notes keep their times, empty spaces fill the rest of the region, the spaces after it
// start where they did; removing the whole region gives the song back.
TEST_P(AltTimeCreateTest, PutsTheNotesOnTheirTimesAndComesOffAgain) {
    const TCreateCase& c = GetParam();
    const auto original = Snapshot(doc);
    Create(c.first, c.count, c.num, c.den);
    const int after = static_cast<int>(c.frets.size()) - 1;  // the first plain space after it
    EXPECT_EQ(Frets(after + 1), c.frets);
    EXPECT_EQ(song.Track(0).SpaceTime(after), (c.first + c.count) * UnitsPerSpace);
    EXPECT_EQ(song.Space(0, after - 1).RatioDen, c.den);
    EXPECT_EQ(song.Space(0, after).RatioDen, 1);
    EXPECT_EQ(song.Track(0).SpaceCount(), 128 + after - c.first - c.count);
    EXPECT_EQ(host.cursor.Space, c.first);
    EXPECT_EQ(UndoCaption(doc.Journal()).Text, "&Undo Alternate-Time Region");
    RemoveAltTimeRegion(doc, FindRegion(after - 1), true);
    EXPECT_EQ(Snapshot(doc), original);
}

INSTANTIATE_TEST_SUITE_P(Ratios, AltTimeCreateTest,
                         ::testing::Values(
                             // The half-beat note stays on its time.
                             TCreateCase{"TripletOnFourSpaces", 0, 4, 2, 3, {1, 2, 0, 3, 4, 0, 5}},
                             TCreateCase{"TripletOnTwoSpaces", 2, 2, 2, 3, {1, 2, 3, 4, 0, 5}}),
                         PrintedName());

// A two-beat triplet region of 6 spaces: the part under the cursor is the group of three
// between two plain-space boundaries; only that group goes back to two plain spaces.
TEST_F(AltTimeRegionTest, RemovingThePartUnderTheCursorLeavesTheOtherGroupARegion) {
    Create(0, 4, 2, 3);
    const TRegionToRemove region = FindRegion(4);
    EXPECT_EQ(region.PartFirst, 3);
    EXPECT_EQ(region.PartLast, 5);
    EXPECT_EQ(region.RegionFirst, 0);
    EXPECT_EQ(region.RegionLast, 5);
    EXPECT_EQ(region.PartStart, 512);
    EXPECT_EQ(region.PartEnd, 1024);
    EXPECT_EQ(region.RegionStart, 0);

    RemoveAltTimeRegion(doc, region, false);
    EXPECT_EQ(Frets(7), (std::vector<int>{1, 2, 0, 3, 4, 5, 6}));
    for (int i = 0; i < 3; ++i) EXPECT_EQ(song.Space(0, i).RatioDen, 3) << i;
    EXPECT_EQ(song.Space(0, 3).RatioDen, 1);
    EXPECT_EQ(song.Track(0).SpaceTime(5), 4 * UnitsPerSpace);
    EXPECT_EQ(song.Track(0).SpaceCount(), 129);
    EXPECT_EQ(host.cursor.Space, 3);
}

// The refusal one space further is in CommandRefusalTest.
TEST_F(AltTimeRegionTest, ATrackMayGrowToThirtyTwoThousandSpaces) {
    song.Track(0).SetSpaceCount(MaxSpaces - 1);
    host.Select(0, 0, 2);
    EXPECT_TRUE(CreateAltTimeRegion(doc, {0, 0, 2}, 2, 3));
    EXPECT_EQ(song.Track(0).SpaceCount(), MaxSpaces);
}

struct TRatioCase {
    const char *first, *second;
    int count;
    bool triplet;
    TRatioCheck::TKind kind;
    const char* text;
    int resultFirst = 0, resultSecond = 0;
};

[[maybe_unused]] void PrintTo(const TRatioCase& c, std::ostream* os) {
    *os << c.first << " to " << c.second << " on " << c.count << (c.triplet ? " as a triplet" : "");
}

class RatioCheckTest : public ::testing::TestWithParam<TRatioCase> {};

TEST_P(RatioCheckTest, RefusesInOrderAndOffersAReducedRatio) {
    const TRatioCase& c = GetParam();
    const TRatioCheck check = CheckRatio(c.first, c.second, c.count, c.triplet);
    EXPECT_EQ(check.Kind, c.kind);
    EXPECT_EQ(check.Text, c.text);
    if (c.kind != TRatioCheck::TKind::Refuse) {
        EXPECT_EQ(check.First, c.resultFirst);
        EXPECT_EQ(check.Second, c.resultSecond);
    }
}

using K = TRatioCheck::TKind;
INSTANTIATE_TEST_SUITE_P(
    Entries, RatioCheckTest,
    ::testing::Values(
        TRatioCase{"3", "2", 3, true, K::Refuse,
                   "The number of selected spaces must be an even multiple of 2 in order to create a triplet "
                   "region."},
        TRatioCase{
            "5", "4", 6, false, K::Refuse,
            "The number of selected spaces must be an even multiple of 4 in order to use a ratio of 5 : 4."},
        TRatioCase{" 3 ", "2", 2, true, K::Accept, "", 3, 2},
        TRatioCase{"6", "4", 4, false, K::Reduce, "The ratio you entered will be reduced to 3 : 2.", 3, 2},
        TRatioCase{"1", "1", 4, false, K::Refuse, "First number must be at least 2."},
        TRatioCase{"3", "0", 4, false, K::Refuse, "Second number must be at least 1."},
        TRatioCase{"3", "5", 5, false, K::Refuse, "First number must be greater than the second number."},
        TRatioCase{"17", "16", 16, false, K::Refuse, "First number may be not greater than 16."},
        TRatioCase{"16", "15", 15, false, K::Accept, "", 16, 15}),
    NumberedName());

}  // namespace
}  // namespace fretlo::test
