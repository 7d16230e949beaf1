// Alternate-time regions on the editing core: the spaces a region gets and where the notes
// go, the region and part around the cursor, the refusals that change nothing, and one undo
// step for each change.
#include <gtest/gtest.h>

#include "EditFixture.h"
#include "ParamName.h"
#include "edit/AltTimeRegion.h"
#include "edit/UndoReplay.h"

namespace fretlo::test {
namespace {

// One track of bars of 16 spaces whose spaces 0..7 hold the frets 1..8.
class AltTimeRegionTest : public ::testing::Test {
protected:
    AltTimeRegionTest() {
        for (int i = 0; i < 8; ++i) song.Space(0, i).Notes[0] = static_cast<uint8_t>(NoteFretBase + 1 + i);
        doc.Modified = false;
    }

    TEditSong song{16, {6, 4}, 8};
    TEditDocument& doc = song.doc;
    TFakeHost& host = song.host;

    // Fret of a space, 0 for an empty one.
    int Fret(int space) {
        return song.Space(0, space).Notes[0] ? song.Space(0, space).Notes[0] - NoteFretBase : 0;
    }
    std::vector<int> Frets(int count) {
        std::vector<int> out;
        for (int i = 0; i < count; ++i) out.push_back(Fret(i));
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

TEST_F(AltTimeRegionTest, ATripletOnFourSpacesKeepsTheHalfBeatNoteOnItsTimeAndComesOffAgain) {
    const auto original = Snapshot(doc);
    Create(0, 4, 2, 3);
    EXPECT_EQ(Frets(8), (std::vector<int>{1, 2, 0, 3, 4, 0, 5, 6}));
    EXPECT_EQ(song.Track(0).SpaceTime(3), 512);
    EXPECT_EQ(song.Track(0).SpaceTime(6), 4 * UnitsPerSpace);
    EXPECT_EQ(song.Track(0).SpaceCount(), 130);
    EXPECT_EQ(song.Space(0, 5).RatioDen, 3);
    EXPECT_EQ(song.Space(0, 6).RatioDen, 1);
    EXPECT_EQ(host.cursor.Space, 0);
    EXPECT_EQ(UndoCaption(doc.Journal()).Text, "&Undo Alternate-Time Region");

    const auto withRegion = Snapshot(doc);
    RemoveAltTimeRegion(doc, FindRegion(4), true);
    EXPECT_EQ(Snapshot(doc), original);
    Undo(doc);
    EXPECT_EQ(Snapshot(doc), withRegion);
    Undo(doc);
    EXPECT_EQ(Snapshot(doc), original);
    EXPECT_TRUE(doc.Journal().Empty());
}

TEST_F(AltTimeRegionTest, DoubledSpeedOnTwoSpacesPutsAnEmptySpaceAfterEach) {
    Create(0, 2, 1, 2);
    EXPECT_EQ(Frets(5), (std::vector<int>{1, 0, 2, 0, 3}));
    EXPECT_EQ(song.Track(0).SpaceTime(4), 2 * UnitsPerSpace);
}

TEST_F(AltTimeRegionTest, TwoSpacesBecomeATripletOfThreeAndBack) {
    const auto original = Snapshot(doc);
    Create(2, 2, 2, 3);
    EXPECT_EQ(Frets(6), (std::vector<int>{1, 2, 3, 4, 0, 5}));
    EXPECT_EQ(song.Track(0).SpaceTime(5), 4 * UnitsPerSpace);
    RemoveAltTimeRegion(doc, FindRegion(3), true);
    EXPECT_EQ(Snapshot(doc), original);
}

// A two-beat triplet region of 6 spaces: the part under the cursor is the group of three
// between two plain-space boundaries; only that group goes back to two plain spaces.
TEST_F(AltTimeRegionTest, RemovingThePartUnderTheCursorLeavesTheOtherGroupARegion) {
    Create(0, 4, 2, 3);
    const auto withRegion = Snapshot(doc);
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
    Undo(doc);
    EXPECT_EQ(Snapshot(doc), withRegion);
}

struct TRefusalCase {
    const char* name;
    void (*select)(TEditSong&);
    const char* message;
};

[[maybe_unused]] void PrintTo(const TRefusalCase& c, std::ostream* os) { *os << c.name; }

class AltTimeRefusalTest : public ::testing::TestWithParam<TRefusalCase> {};

TEST_P(AltTimeRefusalTest, ChangesNothing) {
    TEditSong song(16, {6, 4}, 8);
    song.MakeRegion(1, 4, 3, 2, 3);
    song.host.cursor = {0, 6, 0};
    GetParam().select(song);
    ExpectRefusedUnchanged(song, GetParam().message, [&song] {
        EXPECT_TRUE(std::holds_alternative<std::monostate>(FindAltTimeRequest(song.doc)));
    });
}

INSTANTIATE_TEST_SUITE_P(
    Selections, AltTimeRefusalTest,
    ::testing::Values(
        TRefusalCase{
            "NothingSelectedOnAPlainSpace", [](TEditSong&) {},
            "To create an alternate-time region, you must first select (highlight) at least one "
            "space.\r\n\r\nTo remove an existing alternate-time region, you must first place the cursor "
            "inside it."},
        TRefusalCase{"AllTracks", [](TEditSong& s) { s.host.Select(0, 2, 4, true); },
                     "When creating an alternate-time region, only one track may be selected."},
        TRefusalCase{
            "BetweenTwoSpaceStarts",
            [](TEditSong& s) {
                s.host.cursor = {1, 5, 0};
                s.host.selection = {true, false, 4 * UnitsPerSpace + 10, 4 * UnitsPerSpace + 100};
            },
            "You must select (highlight) at least one space in order to create an alternate-time region."},
        TRefusalCase{"OverARegion", [](TEditSong& s) { s.host.Select(1, 2, 6); },
                     "The selection already contains an alternate-time region."}),
    [](const auto& info) { return std::string(info.param.name); });

// The limit is checked before the selection or the song changes.
TEST(AltTimeRegionLimit, ATrackMayGrowToThirtyTwoThousandSpacesButNoFurther) {
    TEditSong song(16, {6}, 8);
    song.Track(0).SetSpaceCount(MaxSpaces - 1);
    song.host.Select(0, 0, 4);
    const auto before = Snapshot(song.doc);
    EXPECT_FALSE(CreateAltTimeRegion(song.doc, {0, 0, 4}, 2, 3));
    EXPECT_EQ(song.host.LastMessage(),
              "Can't create region because it would cause the total number of spaces to "
              "exceed 32000, the maximum Fretlo can handle.");
    EXPECT_EQ(Snapshot(song.doc), before);
    EXPECT_TRUE(song.host.selection.Active);
    EXPECT_TRUE(CreateAltTimeRegion(song.doc, {0, 0, 2}, 2, 3));
    EXPECT_EQ(song.Track(0).SpaceCount(), MaxSpaces);
}

struct TRatioCase {
    const char *first, *second;
    int count;
    bool triplet;
    TRatioCheck::TKind kind;
    const char* text;
    int resultFirst, resultSecond;
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
                   "region.",
                   0, 0},
        TRatioCase{
            "5", "4", 6, false, K::Refuse,
            "The number of selected spaces must be an even multiple of 4 in order to use a ratio of 5 : 4.",
            0, 0},
        TRatioCase{" 3 ", "2", 2, true, K::Accept, "", 3, 2},
        TRatioCase{"6", "4", 4, false, K::Reduce, "The ratio you entered will be reduced to 3 : 2.", 3, 2},
        TRatioCase{"4", "4", 4, false, K::Reduce, "The ratio you entered will be reduced to 1 : 1.", 1, 1},
        TRatioCase{"1", "1", 4, false, K::Refuse, "First number must be at least 2.", 0, 0},
        TRatioCase{"x", "1", 4, false, K::Refuse, "First number must be at least 2.", 0, 0},
        TRatioCase{"3", "", 4, false, K::Refuse, "Second number must be at least 1.", 0, 0},
        TRatioCase{"3", "0", 4, false, K::Refuse, "Second number must be at least 1.", 0, 0},
        TRatioCase{"3", "5", 5, false, K::Refuse, "First number must be greater than the second number.", 0,
                   0},
        TRatioCase{"17", "16", 16, false, K::Refuse, "First number may be not greater than 16.", 0, 0},
        TRatioCase{"16", "15", 15, false, K::Accept, "", 16, 15}),
    NumberedName());

}  // namespace
}  // namespace fretlo::test
