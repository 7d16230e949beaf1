#include <gtest/gtest.h>

#include <map>
#include <thread>
#include <vector>

#include "base/Errors.h"
#include "document/TrackData.h"
#include "document/TrackProps.h"
#include "platform/SettingsStore.h"

using namespace fretlo;

namespace {

std::vector<int32_t> Times(TTrackData& t) {
    std::vector<int32_t> out;
    for (int i = 0; i < t.SpaceCount(); ++i) out.push_back(t.SpaceTime(i));
    return out;
}

}  // namespace

TEST(TrackTimes, PlainAndRatioRegions) {
    TTrackData one(false, 1);
    EXPECT_EQ(one.SpaceTime(0), 0);
    EXPECT_EQ(one.SpaceEndTime(0), 256);
    EXPECT_EQ(one.TotalTime(), 256);

    TTrackData triplet(false, 3);
    triplet.SetRatio(0, 3, 2, 3);
    EXPECT_EQ(Times(triplet), (std::vector<int32_t>{0, 170, 341}));
    EXPECT_EQ(triplet.TotalTime(), 512);

    // An unfinished triplet is rounded up to a whole space when the ratio changes.
    TTrackData partial(false, 3);
    partial.SetRatio(0, 2, 2, 3);
    EXPECT_EQ(Times(partial), (std::vector<int32_t>{0, 170, 512}));
    EXPECT_EQ(partial.TotalTime(), 768);

    // Double speed: two spaces in every plain one; then plain spaces again.
    TTrackData dbl(false, 6);
    dbl.SetRatio(1, 4, 1, 2);
    EXPECT_EQ(Times(dbl), (std::vector<int32_t>{0, 256, 384, 512, 640, 768}));
    EXPECT_EQ(dbl.TotalTime(), 1024);
}

TEST(TrackTimes, CacheFollowsEveryChangeOfRatiosAndSpaces) {
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

TEST(TrackTimes, ComputedOnceWhenManyThreadsAskAtOnce) {
    TTrackData t(false, 32000);
    t.SetRatio(100, 300, 2, 3);
    std::vector<std::thread> threads;
    std::vector<int32_t> totals(4);
    for (int i = 0; i < 4; ++i) threads.emplace_back([&, i] { totals[i] = t.TotalTime(); });
    for (auto& th : threads) th.join();
    for (int32_t v : totals) EXPECT_EQ(v, (32000 - 100) * 256);
}

TEST(TrackSpaces, SpaceCountLimitsAndEmptyGrowth) {
    TTrackData t(false, 4);
    EXPECT_THROW(t.SetSpaceCount(0), EInternalError);
    EXPECT_THROW(t.SetSpaceCount(32001), EInternalError);
    EXPECT_THROW(TTrackData(false, 0), EInternalError);

    t.Space(3).Notes[0] = 131;
    SetProp(t.Space(3), pkTempo, 90);
    t.Space(3).RatioNum = 2;
    t.Space(3).RatioDen = 3;
    t.SetSpaceCount(3);  // frees the track effects of the dropped space
    t.SetSpaceCount(32000);
    EXPECT_TRUE(IsEmptySpace(t.Space(3), true));
    EXPECT_TRUE(IsEmptySpace(t.Space(31999), true));
    EXPECT_EQ(t.TotalTime(), 32000 * 256);
}

TEST(TrackSpaces, InsertAndDeleteInsideAWindow) {
    TTrackData t(false, 6);
    for (int i = 0; i < 6; ++i) {
        t.Space(i).Notes[0] = static_cast<uint8_t>(128 + i);
        SetProp(t.Space(i), pkVolume, static_cast<uint16_t>(i));
    }
    // Window [1, 5): spaces 1..2 move to 3..4; the effects of old 3..4 fall off the window's end.
    t.InsertSpaces(1, 2, 5);
    const int expectedFret[6] = {0, -1, -1, 1, 2, 5};
    for (int i = 0; i < 6; ++i) {
        if (expectedFret[i] < 0) {
            EXPECT_TRUE(IsEmptySpace(t.Space(i), true)) << i;
        } else {
            EXPECT_EQ(t.Space(i).Notes[0], 128 + expectedFret[i]) << i;
            ASSERT_NE(FindProp(t.Space(i), pkVolume), nullptr) << i;
            EXPECT_EQ(FindProp(t.Space(i), pkVolume)->Value(), expectedFret[i]) << i;
        }
    }
    // And back: the two empty spaces go, the window's end gets two empty spaces.
    t.DeleteSpaces(1, 2, 5);
    const int afterDelete[6] = {0, 1, 2, -1, -1, 5};
    for (int i = 0; i < 6; ++i) {
        if (afterDelete[i] < 0)
            EXPECT_TRUE(IsEmptySpace(t.Space(i), true)) << i;
        else
            EXPECT_EQ(t.Space(i).Notes[0], 128 + afterDelete[i]) << i;
    }
    EXPECT_EQ(t.SpaceCount(), 6);

    EXPECT_THROW(t.InsertSpaces(5, 2), EInternalError);
    EXPECT_THROW(t.DeleteSpaces(0, 1, 7), EInternalError);
    EXPECT_THROW(t.InsertSpaces(0, -1), EInternalError);
}

namespace {

class TFakeStore : public TSettingsStore {
public:
    std::map<std::pair<std::string, std::string>, std::string> strings;
    std::map<std::pair<std::string, std::string>, std::vector<uint8_t>> binaries;
    std::optional<std::string> ReadString(const std::string& key, const std::string& name) override {
        auto it = strings.find({key, name});
        if (it == strings.end()) return std::nullopt;
        return it->second;
    }
    std::optional<std::vector<uint8_t>> ReadBinary(const std::string& key, const std::string& name) override {
        auto it = binaries.find({key, name});
        if (it == binaries.end()) return std::nullopt;
        return it->second;
    }
};

struct TInstalledStore {
    explicit TInstalledStore(TSettingsStore* s) { InstallSettingsStore(s); }
    ~TInstalledStore() { InstallSettingsStore(nullptr); }
};

}  // namespace

TEST(TrackTuning, DefaultPresetFromTheSettingsStore) {
    TTrackData none(true, 1);
    for (int s = 0; s < StringSlots; ++s) EXPECT_EQ(none.Tuning[s], 0);

    TFakeStore store;
    TInstalledStore installed(&store);
    store.strings[{"Tunings/#6-0", ""}] = "Drop D";
    store.binaries[{"Tunings/#6-0", "Drop D"}] = {38, 45, 50, 55, 59, 64};
    TTrackData dropD(true, 1);
    EXPECT_EQ(dropD.Tuning[0], -2);
    for (int s = 1; s < StringSlots; ++s) EXPECT_EQ(dropD.Tuning[s], 0);

    // A preset of the wrong length is ignored; so is the store without useDefaultTuning.
    store.binaries[{"Tunings/#6-0", "Drop D"}] = {38, 45, 50};
    EXPECT_EQ(TTrackData(true, 1).Tuning[0], 0);
    store.binaries[{"Tunings/#6-0", "Drop D"}] = {38, 45, 50, 55, 59, 64};
    EXPECT_EQ(TTrackData(false, 1).Tuning[0], 0);
}
