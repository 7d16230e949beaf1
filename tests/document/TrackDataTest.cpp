// A track's space times, its space limits, its default tuning, and the memory that holds them.
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

// A track holds 1 to 32000 spaces; what growing and shrinking it keeps is checked by the song
// file round trips and the window inserts by the tuplet commands in tests/edit.
TEST(TrackSpaces, SpaceCountLimits) {
    TTrackData t(false, 4);
    EXPECT_THROW(t.SetSpaceCount(0), EInternalError);
    EXPECT_THROW(t.SetSpaceCount(32001), EInternalError);
    EXPECT_THROW(TTrackData(false, 0), EInternalError);
    t.SetSpaceCount(32000);
    EXPECT_EQ(t.TotalTime(), 32000 * 256);
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
    // The store is not asked without useDefaultTuning, and a preset shorter or longer than
    // the strings is ignored.
    EXPECT_EQ(TuningOf(TTrackData(false, 1)), standard);
    store.presets["Drop D"] = {38, 45, 50};
    EXPECT_EQ(TuningOf(TTrackData(true, 1)), standard);
    store.presets["Drop D"] = {38, 45, 50, 55, 59, 64, 69};
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
