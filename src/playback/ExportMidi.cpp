#include "playback/ExportMidi.h"

#include "base/Errors.h"
#include "platform/SafeFile.h"
#include "playback/ExportMidiBytes.h"
#include "playback/ExportMidiTrack.h"

#include <algorithm>

namespace fretlo {

namespace {

void WriteHeader(TMidiBytes& out, int trackChunks) {
    const size_t lengthAt = out.BeginChunk("MThd");
    out.U16(1); // format 1: simultaneous tracks
    out.U16(static_cast<uint16_t>(trackChunks));
    out.U16(MidiTicksPerQuarter);
    out.EndChunk(lengthAt);
}

// The time signature (4/4, 24 clocks per click, 8 thirty-seconds per quarter) and the tempo.
void WriteConductor(TMidiBytes& out, int tempo) {
    const size_t lengthAt = out.BeginChunk("MTrk");
    out.Append({0x00, 0xFF, 0x58, 0x04, 0x04, 0x02, 0x18, 0x08});
    out.VarLen(0);
    out.Tempo(tempo);
    out.Append({0x00, 0xFF, 0x2F, 0x00});
    out.EndChunk(lengthAt);
}

} // namespace

std::vector<uint8_t> RenderMidiFile(TCustomTabDoc& doc, std::bitset<MaxTracks> trackFlags,
                                    const TMidiExportOptions& options) {
    bool anyChecked = false;
    for (int t = 0; t < doc.TrackCount(); ++t)
        anyChecked = anyChecked || trackFlags[t];
    if (!anyChecked) throw EFretloError("At least one track must be checked.");
    Check(doc.BarCount() > 0, "song without bars");

    // Channels are assigned over all tracks, so each track keeps the channel it plays on; a
    // track that lost its fixed channel to an earlier one is silent and not exported.
    int channels[MaxTracks];
    doc.AssignMidiChannels(channels);
    std::vector<int> exported;
    for (int t = 0; t < doc.TrackCount(); ++t)
        if (trackFlags[t] && channels[t] >= 0) exported.push_back(t);

    TMidiBytes out;
    WriteHeader(out, 1 + static_cast<int>(exported.size()));
    int tempo = std::max(doc.Tempo, 1);
    WriteConductor(out, tempo);
    for (const int t : exported)
        TMidiTrackWriter(doc, t, channels[t], options, tempo, out).Write();
    return out.Take();
}

void ExportMidi(TCustomTabDoc& doc, const std::string& fileName, std::bitset<MaxTracks> trackFlags,
                bool includeBankSelects, bool includeMuted) {
    WriteFileAtomically(fileName,
                        RenderMidiFile(doc, trackFlags, {includeBankSelects, includeMuted}));
}

} // namespace fretlo
