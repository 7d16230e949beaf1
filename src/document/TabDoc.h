// TCustomTabDoc: the song document, with its tracks, shared bar list and undo journal.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "document/Bar.h"
#include "document/DocListener.h"
#include "document/Limits.h"
#include "document/Space.h"
#include "document/TrackData.h"
#include "document/TrackProps.h"
#include "document/UndoJournal.h"
#include "document/VirtualMemory.h"

namespace fretlo {

// Modes of SpaceAtTime (bits).
enum TSpaceAtTimeMode {
    satNoClamp = 1,  // do not clamp to the last space
    satBefore = 2,   // an inexact hit takes the space before the time
    satExact = 4,    // an inexact hit gives -1
};

class TCustomTabDoc {
public:
    TCustomTabDoc();
    virtual ~TCustomTabDoc();
    TCustomTabDoc(const TCustomTabDoc&) = delete;
    TCustomTabDoc& operator=(const TCustomTabDoc&) = delete;

    // --- Song ---------------------------------------------------------------
    bool Modified = false;
    std::string Title, Artist, Album, Transcriber, Comments;
    int Tempo = DefaultTempo;
    std::string FileName;  // full path; empty for a new song

    // A new song: bars of `barSpaces` spaces (0: one bar of 2048 spaces) and one track.
    void New(int barSpaces);
    // Sets Modified and clears the journal, for changes that cannot be undone.
    void SetModified();
    void MarkModified() { Modified = true; }

    // Song files (.frl): the content is replaced in place on load, written whole on save.
    void LoadFromFile(const std::string& path);
    // LoadFromFile's work on a file already read into memory (`fullPath` becomes FileName).
    void LoadFromBytes(const std::vector<uint8_t>& file, const std::string& fullPath);
    void SaveToFile(const std::string& path);

    // --- Tracks -------------------------------------------------------------
    int TrackCount() const { return trackCount_; }
    TTrackData& Track(int i) const { return *tracks_[i]; }
    // Appends a track (at most 15) and returns its index.
    int AddTrack(std::unique_ptr<TTrackData> track);
    // Removes the track at `i` and returns it (the caller may free or keep it).
    std::unique_ptr<TTrackData> RemoveTrack(int i);
    // Moves the track at `from` to index `to`, the tracks between shifting by one.
    void MoveTrack(int from, int to);
    void FreeTracks();

    // Channel for each track (-1 for a fixed channel already taken); 9 never automatically.
    void AssignMidiChannels(int channels[MaxTracks]) const;

    // --- Time lookups -------------------------------------------------------
    int SpaceAtTime(int track, int32_t time, int mode = 0) const;
    int BarAtTime(int32_t time) const;
    // True when a bar starts exactly at `time`; `index` is that bar or the insertion point.
    bool FindBar(int32_t time, int& index) const;
    int BarOfSpace(int track, int space) const;
    int32_t BarEnd(int index) const;  // the last bar's end is open (largest i32)
    int32_t SongLength() const;
    int BarStartSpace(int track, int space, bool toStaffStart) const;
    int NextBarSpace(int track, int space, bool toStaffStart) const;
    int LastUsedSpace(int track, bool requirePlainRatio) const;
    int LastUsedBar(bool requirePlainRatio) const;
    int RepeatSectionStart(int bar) const;

    // --- Bars (structural operations) ---------------------------------------
    int BarCount() const { return barCount_; }
    TBar& Bar(int i) const { return bars_[i]; }
    const TBar* Bars() const { return bars_.Data(); }

    int CreateBar(int32_t start, int32_t length, bool undoable);
    void DeleteBar(int index, bool merge);
    void DeleteBarUndoable(int index, bool merge);
    void DeleteBarAt(int32_t time, bool merge);
    void ClearBars();
    void ShiftBars(int index, int32_t delta);
    void LayOutBars(bool undoable, int32_t start, int barSpaces, int32_t end);

    // --- Track effects of runs of spaces ------------------------------------
    size_t CalcStreamedPropsSize(int track, int first, int count) const;
    void WriteStreamedProps(int track, int first, size_t expectedSize, uint8_t* buffer, int count) const;
    void RestoreStreamedProps(int track, int first, size_t size, const uint8_t* buffer, int count);

    // --- Undo journal -------------------------------------------------------
    const TUndoJournal& Journal() const { return journal_; }
    TUndoJournal& Journal() { return journal_; }
    void BeginGroup(TUndoKind kind) { journal_.BeginGroup(kind); }
    void EndGroup() { journal_.EndGroup(); }
    // Appends a record made by one of the Encode functions (UndoRecords.h) to the open group.
    void AddUndoRecord(TUndoRecord record);
    // Records the current contents of spaces before they change (a type 0 record).
    void SaveSpaces(int track, int first, int count);
    void ClearJournal();

    // --- Listeners ----------------------------------------------------------
    void AddListener(TDocListener* listener) { listeners_.push_back(listener); }
    void RemoveListener(TDocListener* listener) { std::erase(listeners_, listener); }
    void NotifyBarsChanged(TBarsChange change, int barIndex);
    void NotifyDocumentReplaced();

protected:
    // Hooks for the user-interface document.
    virtual void UndoChanged() {}
    virtual void DocumentReset() {}
    virtual void InitUndoRecord(TUndoRecord&) {}

    // Empties the document (journal, tracks, bars, tempo, texts, file name).
    void Reset();
    void SetBarCount(int count);

private:
    void InsertBarRecord(int index, const TBar& bar);
    void RemoveBarRecord(int index);

    TVirtualArray<TBar> bars_{MaxBars};
    int barCount_ = 0;
    std::vector<TDocListener*> listeners_;
    std::array<std::unique_ptr<TTrackData>, MaxTracks> tracks_;
    int trackCount_ = 0;
    TUndoJournal journal_;
};

}  // namespace fretlo
