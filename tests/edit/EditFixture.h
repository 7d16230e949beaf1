// Test support for the editing core: a recording fake of the editor view, a document
// stamped by it, songs with several tracks and ratio regions, and byte snapshots.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "document/SpaceRecord.h"
#include "document/TrackProps.h"
#include "edit/EditDocument.h"
#include "edit/UndoReplay.h"

namespace fretlo::test {

class TFakeHost : public TEditHost {
public:
    explicit TFakeHost(TCustomTabDoc& doc) : doc_(doc) {}

    TEditCursor cursor;
    TSelection selection;
    std::vector<std::string> messages;
    std::vector<std::string> prompts;
    std::optional<std::string> answer;   // what AskText replies
    TMsgAnswer reply = TMsgAnswer::Yes;  // to a question (a box with more buttons than OK)
    std::optional<std::vector<uint8_t>> clipboard;
    bool clipboardRefuses = false;
    int beeps = 0, stops = 0, statusUpdates = 0, countChanges = 0;
    int invalidations = 0;
    int lowestBarInvalidatedFrom = -1;

    TEditCursor Cursor() const override { return cursor; }
    void SetCursorSpace(int space, int) override {
        selection = {};
        cursor.Space = std::clamp(space, 0, doc_.Track(cursor.Track).SpaceCount() - 1);
    }
    void SetCursorTrack(int track) override {
        selection = {};
        cursor.Track = track;
        SetCursorString(cursor.String);
    }
    void SetCursorString(int string) override {
        const TTrackData& t = doc_.Track(cursor.Track);
        cursor.String = std::min(string, t.StringCount - 1);
        if (cursor.String == -1 && !t.TopTextLine) cursor.String = t.StringCount - 1;
        if (cursor.String == -2 && !t.BottomTextLine) cursor.String = 0;
    }
    void KeepCursorOnSpace(int space) override { cursor.Space = space; }
    TSelection Selection() const override { return selection; }
    void CollapseSelection() override { selection = {}; }
    void InvalidateSpaces(int, int, int) override { ++invalidations; }
    void InvalidateBar(int) override { ++invalidations; }
    void InvalidateBarsFrom(int bar) override {
        ++invalidations;
        if (lowestBarInvalidatedFrom < 0 || bar < lowestBarInvalidatedFrom) lowestBarInvalidatedFrom = bar;
    }
    void SpaceCountChanged(int) override { ++countChanges; }
    TMsgAnswer ShowMessage(const std::string& text, const std::string&, TMsgIcon,
                           TMsgButtons buttons) override {
        messages.push_back(text);
        return buttons == TMsgButtons::Ok ? TMsgAnswer::Ok : reply;
    }
    std::optional<std::string> AskText(const std::string& caption, const std::string& prompt,
                                       const std::string&) override {
        prompts.push_back(caption + "|" + prompt);
        return answer;
    }
    void Beep() override { ++beeps; }
    void StopPlaying() override { ++stops; }
    void UpdateStatusBar() override { ++statusUpdates; }
    bool PutClipboardBlock(const std::vector<uint8_t>& block) override {
        if (clipboardRefuses) return false;
        clipboard = block;
        return true;
    }
    std::optional<std::vector<uint8_t>> ClipboardBlock() override { return clipboard; }

    // Puts the cursor on a space with a selection from `fromSpace` up to it, as
    // Shift+Right does.
    void Select(int track, int fromSpace, int toSpace, bool allTracks = false) {
        TTrackData& t = doc_.Track(track);
        cursor.Track = track;
        cursor.Space = std::min(toSpace, t.SpaceCount() - 1);
        selection.Active = true;
        selection.AllTracks = allTracks;
        selection.Anchor = t.SpaceTime(fromSpace);
        selection.End = toSpace < t.SpaceCount() ? t.SpaceTime(toSpace) : t.TotalTime();
    }
    std::string LastMessage() const { return messages.empty() ? std::string() : messages.back(); }

private:
    TCustomTabDoc& doc_;
};

// A song of bars of `barSpaces` spaces with one track of six strings per entry of
// `strings`, attached to a fake host.
struct TEditSong {
    TEditDocument doc;
    TFakeHost host{doc};

    explicit TEditSong(int barSpaces = 4, std::vector<int> strings = {6}, int bars = 128) {
        doc.SetEditHost(&host);
        doc.New(barSpaces);
        while (doc.BarCount() > bars) doc.DeleteBar(doc.BarCount() - 1, false);
        const int spaces = doc.SongLength() / UnitsPerSpace;
        doc.Track(0).SetSpaceCount(spaces);
        for (size_t i = 0; i < strings.size(); ++i) {
            if (i > 0) doc.AddTrack(std::make_unique<TTrackData>(false, spaces));
            doc.Track(static_cast<int>(i)).StringCount = strings[i];
        }
        doc.Modified = false;
    }

    TTrackData& Track(int i) { return doc.Track(i); }
    TSpace& Space(int track, int space) { return doc.Track(track).Space(space); }

    // Makes `count` spaces from `first` a tuplet region of ratio num/den and keeps the
    // track as long as before by adding or removing spaces at its end.
    void MakeRegion(int track, int first, int count, int num, int den) {
        TTrackData& t = doc.Track(track);
        ASSERT_EQ(count * num % den, 0);
        t.SetRatio(first, count, num, den);
        t.SetSpaceCount(t.SpaceCount() + count - count * num / den);
        doc.Modified = false;
    }
};

// Everything an edit may change, as bytes: bars, and per track its settings that edits
// touch, its space records and track effects.
inline std::vector<uint8_t> Snapshot(const TCustomTabDoc& doc) {
    std::vector<uint8_t> out;
    const auto put = [&out](int64_t v) {
        for (int i = 0; i < 4; ++i) out.push_back(static_cast<uint8_t>(v >> (8 * i)));
    };
    put(doc.BarCount());
    for (int b = 0; b < doc.BarCount(); ++b) {
        const TBar& bar = doc.Bar(b);
        put(bar.Start), put(bar.End), put(bar.StaffBreak), put(bar.RepeatStart), put(bar.RepeatEnd);
        put(bar.RepeatCount);
    }
    put(doc.TrackCount());
    for (int tr = 0; tr < doc.TrackCount(); ++tr) {
        const TTrackData& t = doc.Track(tr);
        put(t.SpaceCount());
        for (int i = 0; i < t.SpaceCount(); ++i) {
            uint8_t rec[SpaceRecordSize];
            WriteSpaceRecord(t.Space(i), rec);
            out.insert(out.end(), rec, rec + SpaceRecordSize);
            for (const TPropNode* n = t.Space(i).Props; n; n = n->Next) put(n->Kind), put(n->Value());
            put(-1);
        }
    }
    return out;
}

// Undoing the newest step, named `caption`, gives back the song `before` and an empty journal.
inline void ExpectUndoneTo(TEditDocument& doc, const std::vector<uint8_t>& before, const char* caption) {
    EXPECT_EQ(UndoCaption(doc.Journal()).Text, caption);
    Undo(doc);
    EXPECT_EQ(Snapshot(doc), before);
    EXPECT_TRUE(doc.Journal().Empty());
}

// Runs a command that must refuse: it stopped playback `stops` times, showed `message` (none
// when it refuses silently), and left the song's bytes, the journal, the clipboard, the cursor
// and the selection as they were.
template <class Command>
void ExpectRefusedUnchanged(TEditSong& song, const std::string& message, Command command, int stops = 1) {
    const TSelection selection = song.host.selection;
    const TEditCursor cursor = song.host.cursor;
    const auto clipboard = song.host.clipboard;
    const auto before = Snapshot(song.doc);
    const bool journalEmpty = song.doc.Journal().Empty();
    command();
    EXPECT_EQ(song.host.LastMessage(), message);
    EXPECT_EQ(Snapshot(song.doc), before);
    EXPECT_EQ(song.doc.Journal().Empty(), journalEmpty);
    EXPECT_EQ(song.host.clipboard, clipboard);
    EXPECT_EQ(song.host.selection.Active, selection.Active);
    EXPECT_EQ(song.host.selection.Anchor, selection.Anchor);
    EXPECT_EQ(song.host.selection.End, selection.End);
    EXPECT_EQ(song.host.cursor.Space, cursor.Space);
    EXPECT_EQ(song.host.stops, stops);
}

// The song most edit tests start from: two tracks of six strings, 16 bars of 4 spaces.
class EditTest : public ::testing::Test {
protected:
    explicit EditTest(int barSpaces = 4, std::vector<int> strings = {6, 6}, int bars = 16)
        : song(barSpaces, std::move(strings), bars) {}

    TEditSong song;
    TEditDocument& doc = song.doc;
    TFakeHost& host = song.host;
};

}  // namespace fretlo::test
