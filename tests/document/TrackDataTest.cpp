// A track's spaces and their times, its default tuning, and the memory that holds them.
#include <gtest/gtest.h>

#include <map>
#include <thread>
#include <vector>

#include "ParamName.h"
#include "base/Errors.h"
#include "document/TrackData.h"
#include "document/TrackProps.h"
#include "document/VirtualMemory.h"
#include "platform/SettingsStore.h"

using namespace fretlo;

namespace {

struct TTimesCase {
    const char* name;
    int spaces, first, count, num, den;
    std::vector<int32_t> times;  // of every space, then the track's total
};

FRETLO_PRINT_AS_NAME(TTimesCase)

class TrackTimes : public ::testing::TestWithParam<TTimesCase> {};

TEST_P(TrackTimes, FollowTheRatios) {
    const TTimesCase& c = GetParam();
    TTrackData t(false, c.spaces);
    t.SetRatio(c.first, c.count, c.num, c.den);
    std::vector<int32_t> times;
    for (int i = 0; i < t.SpaceCount(); ++i) times.push_back(t.SpaceTime(i));
    times.push_back(t.TotalTime());
    EXPECT_EQ(times, c.times);
    EXPECT_EQ(t.SpaceEndTime(c.spaces - 1), t.TotalTime());
}

INSTANTIATE_TEST_SUITE_P(
    Cases, TrackTimes,
    ::testing::Values(TTimesCase{"Triplet", 3, 0, 3, 2, 3, {0, 170, 341, 512}},
                      // An unfinished triplet is rounded up to a whole space when the ratio changes.
                      TTimesCase{"UnfinishedTriplet", 3, 0, 2, 2, 3, {0, 170, 512, 768}},
                      // Two spaces in every plain one; then plain spaces again.
                      TTimesCase{"DoubleSpeed", 6, 1, 4, 1, 2, {0, 256, 384, 512, 640, 768, 1024}}),
    fretlo::test::PrintedName());

TEST(TrackTimesCache, FollowsEveryChangeOfRatiosAndSpaces) {
    TTrackData t(false, 8);
    EXPECT_EQ(t.TotalTime(), 8 * 256);
    t.SetRatio(0, 3, 2, 3);
    EXPECT_FALSE(t.TimesValid());
    EXPECT_EQ(t.TotalTime(), 7 * 256);
    t.InsertSpaces(0, 1);  // an empty plain space in front of the triplet
    EXPECT_EQ(t.SpaceTime(1), 256);
    t.DeleteSpaces(0, 1);
    EXPECT_EQ(t.SpaceTime(1), 170);
    t.SetSpaceCount(10);
    EXPECT_EQ(t.TotalTime(), 9 * 256);
}

TEST(TrackTimesCache, ComputedOnceWhenManyThreadsAskAtOnce) {
    TTrackData t(false, 32000);
    t.SetRatio(100, 300, 2, 3);
    std::vector<std::thread> threads;
    std::vector<int32_t> totals(4);
    for (int i = 0; i < 4; ++i) threads.emplace_back([&, i] { totals[i] = t.TotalTime(); });
    for (auto& th : threads) th.join();
    EXPECT_EQ(totals, std::vector<int32_t>(4, (32000 - 100) * 256));
}

TEST(TrackSpaces, SpaceCountLimitsAndEmptyGrowth) {
    TTrackData t(false, 4);
    EXPECT_THROW(t.SetSpaceCount(0), EInternalError);
    EXPECT_THROW(t.SetSpaceCount(32001), EInternalError);
    EXPECT_THROW(TTrackData(false, 0), EInternalError);

    t.Space(3).Notes[0] = 131;
    SetProp(t.Space(3), pkTempo, 90);
    t.SetRatio(3, 1, 2, 3);
    t.SetSpaceCount(3);  // frees the track effects of the dropped space
    t.SetSpaceCount(32000);
    EXPECT_TRUE(IsEmptySpace(t.Space(3), true));
    EXPECT_TRUE(IsEmptySpace(t.Space(31999), true));
    EXPECT_EQ(t.TotalTime(), 32000 * 256);
}

// The fret on string 0 of every space, which its volume effect repeats: -1 for an empty
// space, -100 for a space whose effect does not match its fret.
std::vector<int> Frets(const TTrackData& t) {
    std::vector<int> out;
    for (int i = 0; i < t.SpaceCount(); ++i) {
        const TSpace& s = t.Space(i);
        const TPropNode* volume = FindProp(s, pkVolume);
        const int fret = s.Notes[0] - 128;
        out.push_back(IsEmptySpace(s, true) ? -1 : volume && volume->Value() == fret ? fret : -100);
    }
    return out;
}

TEST(TrackSpaces, InsertAndDeleteInsideAWindow) {
    TTrackData t(false, 6);
    for (int i = 0; i < 6; ++i) {
        t.Space(i).Notes[0] = static_cast<uint8_t>(128 + i);
        SetProp(t.Space(i), pkVolume, static_cast<uint16_t>(i));
    }
    // Window [1, 5): spaces 1..2 move to 3..4; the effects of old 3..4 fall off the window's end.
    t.InsertSpaces(1, 2, 5);
    EXPECT_EQ(Frets(t), std::vector<int>({0, -1, -1, 1, 2, 5}));
    // And back: the two empty spaces go, the window's end gets two empty spaces.
    t.DeleteSpaces(1, 2, 5);
    EXPECT_EQ(Frets(t), std::vector<int>({0, 1, 2, -1, -1, 5}));
    EXPECT_THROW(t.InsertSpaces(5, 2), EInternalError);
    EXPECT_THROW(t.DeleteSpaces(0, 1, 7), EInternalError);
    EXPECT_THROW(t.InsertSpaces(0, -1), EInternalError);
}

class TFakeStore : public TSettingsStore {
public:
    std::map<std::string, std::vector<uint8_t>> presets;  // under "Tunings/#6-0", by name
    std::string defaultName;
    std::optional<std::string> ReadString(const std::string& key, const std::string& name) override {
        if (key != "Tunings/#6-0" || !name.empty() || defaultName.empty()) return std::nullopt;
        return defaultName;
    }
    std::optional<std::vector<uint8_t>> ReadBinary(const std::string& key, const std::string& name) override {
        auto it = presets.find(name);
        if (key != "Tunings/#6-0" || it == presets.end()) return std::nullopt;
        return it->second;
    }
};

struct TInstalledStore {
    explicit TInstalledStore(TSettingsStore* s) { InstallSettingsStore(s); }
    ~TInstalledStore() { InstallSettingsStore(nullptr); }
};

std::vector<int> TuningOf(const TTrackData& t) { return std::vector<int>(t.Tuning, t.Tuning + StringSlots); }

}  // namespace

TEST(TrackTuning, DefaultPresetFromTheSettingsStore) {
    const std::vector<int> standard(StringSlots, 0);
    EXPECT_EQ(TuningOf(TTrackData(true, 1)), standard);

    TFakeStore store;
    TInstalledStore installed(&store);
    store.defaultName = "Drop D";
    store.presets["Drop D"] = {38, 45, 50, 55, 59, 64};
    std::vector<int> dropD = standard;
    dropD[0] = -2;
    EXPECT_EQ(TuningOf(TTrackData(true, 1)), dropD);
    // The store is not asked without useDefaultTuning, and a preset of the wrong length is ignored.
    EXPECT_EQ(TuningOf(TTrackData(false, 1)), standard);
    store.presets["Drop D"] = {38, 45, 50};
    EXPECT_EQ(TuningOf(TTrackData(true, 1)), standard);
}

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
