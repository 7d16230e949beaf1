// The document: a new song, finding spaces and bars, and moving tracks.
#include <gtest/gtest.h>

#include <limits>

#include "DocTestUtil.h"
#include "base/Errors.h"
#include "document/TabDoc.h"

using namespace fretlo;
using namespace fretlo::test;

TEST(NewSong, BarsTrackAndState) {
    TCustomTabDoc doc;
    TRecordingListener listener;
    doc.AddListener(&listener);
    doc.Title = "x";
    doc.Tempo = 90;
    doc.FileName = "/tmp/a.frl";
    doc.New(16);
    EXPECT_EQ(doc.BarCount(), 128);
    EXPECT_EQ(doc.Bar(127).End, 128 * 16 * 256);
    EXPECT_EQ(doc.TrackCount(), 1);
    EXPECT_EQ(doc.Track(0).SpaceCount(), 2048);
    EXPECT_EQ(doc.Tempo, 120);
    EXPECT_TRUE(doc.Title.empty());
    EXPECT_TRUE(doc.FileName.empty());
    EXPECT_EQ(listener.replaced, 1);

    // 3/4 with four-space beats gives bars of 12 spaces.
    doc.New(12);
    EXPECT_EQ(doc.Track(0).SpaceCount(), 128 * 12);
    EXPECT_EQ(listener.barEvents.front(), std::make_pair(2, -1));

    doc.New(0);
    EXPECT_EQ(doc.BarCount(), 1);
    EXPECT_EQ(doc.SongLength(), 2048 * 256);
}
// Finding a space by its time (exactly, the one before, past the end) is checked by the
// commands that line spaces up in tests/edit: paste, shifts, tuplet regions, Remove Unused Bars.
TEST(Lookups, BarsByTimeAndBySpace) {
    TCustomTabDoc doc;
    doc.New(16);
    int index = -1;
    EXPECT_TRUE(doc.FindBar(4096, index));
    EXPECT_EQ(index, 1);
    EXPECT_FALSE(doc.FindBar(4096 + 256, index));
    EXPECT_EQ(index, 2);
    EXPECT_EQ(doc.BarAtTime(4095), 0);
    EXPECT_EQ(doc.BarAtTime(4096), 1);
    EXPECT_EQ(doc.BarAtTime(1 << 30), 127);
    EXPECT_EQ(doc.BarEnd(0), 4096);
    EXPECT_EQ(doc.BarEnd(127), std::numeric_limits<int32_t>::max());
    EXPECT_EQ(doc.BarOfSpace(0, 17), 1);
    // The bar and staff row starts of a space are where the editor's Home and End keys lead
    // (EditorMoves in tests/view).
    EXPECT_EQ(doc.BarStartSpace(0, 70, false), 64);
    EXPECT_EQ(doc.NextBarSpace(0, 20, false), 32);
    EXPECT_EQ(doc.NextBarSpace(0, 2047, false), 2048);
}

TEST(Lookups, LastUsedSpaceAndBar) {
    TCustomTabDoc doc;
    doc.New(16);
    doc.AddTrack(std::make_unique<TTrackData>(false, 2048));
    EXPECT_EQ(doc.LastUsedSpace(0, true), 0);
    EXPECT_EQ(doc.LastUsedBar(true), 0);
    doc.Track(0).Space(40).TopText = 'a';
    doc.Track(1).SetRatio(100, 3, 2, 3);
    EXPECT_EQ(doc.LastUsedSpace(0, false), 40);
    EXPECT_EQ(doc.LastUsedSpace(1, false), 0);
    EXPECT_EQ(doc.LastUsedSpace(1, true), 102);
    EXPECT_EQ(doc.LastUsedBar(false), 2);
    EXPECT_EQ(doc.LastUsedBar(true), 6);
}

TEST(MidiChannels, AutomaticNeverTakesPercussionAndFixedCollisionsLoseTheirChannel) {
    TCustomTabDoc doc;
    doc.New(16);
    while (doc.TrackCount() < 15) doc.AddTrack(std::make_unique<TTrackData>(false, 16));
    int ch[MaxTracks];
    doc.AssignMidiChannels(ch);
    EXPECT_EQ(std::vector<int>(ch, ch + 15),
              std::vector<int>({0, 1, 2, 3, 4, 5, 6, 7, 8, 10, 11, 12, 13, 14, 15}));

    // Fixed channels are served first in track order; a repeated one gets none.
    doc.Track(3).MidiChannel = 9;
    doc.Track(5).MidiChannel = 0;
    doc.Track(6).MidiChannel = 0;
    doc.AssignMidiChannels(ch);
    EXPECT_EQ(std::vector<int>(ch, ch + 15),
              std::vector<int>({1, 2, 3, 9, 4, 0, -1, 5, 6, 7, 8, 10, 11, 12, 13}));
}

TEST(Tracks, AddRemoveMoveWithinLimits) {
    TCustomTabDoc doc;
    doc.New(16);
    for (int i = 1; i < 15; ++i) {
        auto t = std::make_unique<TTrackData>(false, 16);
        t->Instrument = i;
        doc.AddTrack(std::move(t));
    }
    doc.Track(0).Instrument = 0;
    EXPECT_THROW(doc.AddTrack(std::make_unique<TTrackData>(false, 16)), EInternalError);
    doc.MoveTrack(2, 5);
    EXPECT_EQ(doc.Track(5).Instrument, 2);
    EXPECT_EQ(doc.Track(2).Instrument, 3);
    doc.MoveTrack(5, 2);
    for (int i = 0; i < 15; ++i) EXPECT_EQ(doc.Track(i).Instrument, i);
    EXPECT_EQ(doc.RemoveTrack(0)->Instrument, 0);
    EXPECT_EQ(doc.TrackCount(), 14);
    EXPECT_EQ(doc.Track(0).Instrument, 1);
}
