// Building a whole song file in memory: header, part 1 and part 2 as two zlib streams.
#include "document/BarCodes.h"
#include "base/ByteOrder.h"
#include "base/Errors.h"
#include "document/RunLength.h"
#include "document/SongFile.h"
#include "document/SongNotes.h"
#include "document/SongTrackLists.h"
#include "document/SongVersion.h"
#include "document/TabDoc.h"
#include "document/ZlibStreams.h"

#include <algorithm>

namespace fretlo {

namespace {

enum TBarFlag : uint8_t { bfStaffBreak = 1, bfRepeatStart = 2, bfRepeatEnd = 4 };

void AppendU32(std::vector<uint8_t>& out, uint32_t v) {
    uint8_t b[4];
    PutU32(b, v);
    out.insert(out.end(), b, b + 4);
}

TSongHeader MakeHeader(const TCustomTabDoc& doc, const TSongVersionChoice& choice) {
    TSongHeader h;
    h.Version = choice.Version;
    h.Tempo8 = std::min(doc.Tempo, MaxTempo8);
    h.Tempo16 = doc.Tempo;
    h.TrackCount = doc.TrackCount();
    h.Flags = sfTexts | sfAlwaysSet | sfCompressed | (choice.HasRatios ? sfRatios : 0);
    if (choice.Version >= FirstBarRecordVersion) {
        h.RequiredVersion = "2.0";
        h.BarCount = doc.BarCount();
    } else {
        h.RequiredVersion = "1.6";
        h.SpaceCount111 = doc.Track(0).SpaceCount();
        for (int t = 0; t < doc.TrackCount(); ++t)
            h.LastUsed111 = std::max(h.LastUsed111, doc.LastUsedSpace(t, true));
    }
    return h;
}

std::vector<uint8_t> Part1(const TCustomTabDoc& doc, int version) {
    std::vector<uint8_t> out;
    if (version >= FirstBarRecordVersion)
        for (int t = 0; t < doc.TrackCount(); ++t)
            AppendU32(out, static_cast<uint32_t>(doc.Track(t).SpaceCount()));
    AppendTrackLists(out, version, doc);
    return out;
}

void AppendBarRecords(std::vector<uint8_t>& out, const TCustomTabDoc& doc) {
    for (int b = 0; b < doc.BarCount(); ++b) {
        const TBar& bar = doc.Bar(b);
        Check(bar.RepeatCount >= 0 && bar.RepeatCount <= 255, "repeat count out of range");
        AppendU32(out, static_cast<uint32_t>((bar.End - bar.Start) / UnitsPerSpace));
        out.push_back(static_cast<uint8_t>((bar.StaffBreak ? bfStaffBreak : 0) |
                                           (bar.RepeatStart ? bfRepeatStart : 0) |
                                           (bar.RepeatEnd ? bfRepeatEnd : 0)));
        out.push_back(static_cast<uint8_t>(bar.RepeatEnd ? bar.RepeatCount : 0));
    }
}

void AppendEffectBlocks(std::vector<uint8_t>& out, const TCustomTabDoc& doc) {
    for (int t = 0; t < doc.TrackCount(); ++t) {
        const int count = doc.Track(t).SpaceCount();
        const size_t size = doc.CalcStreamedPropsSize(t, 0, count);
        AppendU32(out, static_cast<uint32_t>(size));
        const size_t at = out.size();
        out.resize(at + size);
        doc.WriteStreamedProps(t, 0, size, out.data() + at, count);
    }
}

std::vector<uint8_t> Part2(const TCustomTabDoc& doc, const TSongVersionChoice& choice) {
    std::vector<uint8_t> out;
    if (choice.Version >= FirstBarRecordVersion) {
        AppendBarRecords(out, doc);
    } else {
        const auto codes = EncodeBarCodes(doc, doc.Track(0).SpaceCount());
        Check(codes.has_value(), "bars chosen as codes cannot be coded");
        AppendRunLength(out, *codes);
    }
    for (int t = 0; t < doc.TrackCount(); ++t) AppendNoteRecords(out, choice.Version, doc.Track(t));
    if (choice.HasRatios)
        for (int t = 0; t < doc.TrackCount(); ++t) AppendRatios(out, doc.Track(t));
    if (choice.Version >= FirstEffectBlockVersion) AppendEffectBlocks(out, doc);
    return out;
}

}  // namespace

std::vector<uint8_t> BuildSongFile(const TCustomTabDoc& doc) {
    Check(doc.TrackCount() >= 1, "a song without tracks");
    const TSongVersionChoice choice = ChooseSongVersion(doc);
    TSongHeader header = MakeHeader(doc, choice);
    std::vector<uint8_t> file(SongHeaderSize);
    AppendDeflated(file, Part1(doc, choice.Version));
    header.Part1Size = static_cast<uint32_t>(file.size() - SongHeaderSize);
    AppendDeflated(file, Part2(doc, choice));
    WriteSongHeader(header, file);
    return file;
}

}  // namespace fretlo
