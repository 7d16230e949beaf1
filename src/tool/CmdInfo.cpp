// fretlo-tool info: a human summary of a song file.
#include <cstdio>

#include "document/SongFile.h"
#include "document/SongText.h"
#include "document/TabDoc.h"
#include "playback/MidiNames.h"
#include "playback/TuningPresets.h"
#include "tool/Commands.h"
#include "tool/cli/Args.h"

namespace fretlo::tool {

namespace {

std::string Kind(const TTrackData& t) {
    if (t.Variant == 1 && t.StringCount == 6) return "drums";
    if (t.Variant == 1 && t.StringCount == 5) return "banjo";
    return std::to_string(t.StringCount) + "-string " + std::string(GmInstrumentNames[t.Instrument & 0x7F]);
}

// Note names of the strings, lowest first, and the built-in preset they match.
std::string Tuning(const TTrackData& t) {
    if (t.Variant == 1 && t.StringCount == 6) return "-";
    std::string names;
    for (int s = 0; s < t.StringCount; ++s) {
        const int key = t.StringBaseKey(s);
        if (s) names += ' ';
        names += key >= 0 ? std::string(NoteNamesSharp[static_cast<size_t>(key % 12)]) +
                                std::to_string(key / 12 - 1)
                          : "?";
    }
    for (const TTuningPreset& p : BuiltInTunings()) {
        if (p.StringCount != t.StringCount || p.Variant != t.Variant) continue;
        bool same = true;
        for (int s = 0; s < t.StringCount && same; ++s)
            same = p.Notes[static_cast<size_t>(s)] == t.StringBaseKey(s);
        if (same) return names + "  " + std::string(p.Name);
    }
    return names;
}

std::string Duration(int64_t units, int tempo) {
    const int64_t seconds = units * 60 / (int64_t{UnitsPerBeat} * tempo);
    char text[32];
    std::snprintf(text, sizeof text, "%lld:%02lld", static_cast<long long>(seconds / 60),
                  static_cast<long long>(seconds % 60));
    return text;
}

void PrintText(const char* label, const std::string& text) {
    if (!text.empty()) std::printf("%-12s %s\n", label, SongTextUtf8(text).c_str());
}

}  // namespace

int CmdInfo(const std::vector<std::string>& argv) {
    TArgs args(argv, {});
    const std::string path = args.Positional(0, "FILE");
    args.Finish(1);
    TCustomTabDoc doc;
    const int version = LoadSongFile(doc, path);

    std::printf("%-12s %d\n%-12s %d\n", "Version:", version, "Tempo:", doc.Tempo);
    PrintText("Title:", doc.Title);
    PrintText("Artist:", doc.Artist);
    PrintText("Album:", doc.Album);
    PrintText("Transcriber:", doc.Transcriber);
    PrintText("Comments:", doc.Comments);
    std::printf("Tracks:\n");
    for (int t = 0; t < doc.TrackCount(); ++t) {
        const TTrackData& track = doc.Track(t);
        std::printf("  %2d  %-34s %6d spaces  %s\n", t + 1, Kind(track).c_str(), track.SpaceCount(),
                    Tuning(track).c_str());
    }
    const int usedBars = doc.LastUsedBar(true) + 1;
    std::printf("%-12s %d\n", "Bars:", doc.BarCount());
    // Without repeats and tempo changes: the length up to the end of the last bar with music.
    std::printf("%-12s %d bars, %s at %d beats per minute\n", "Length:", usedBars,
                Duration(doc.Bar(usedBars - 1).End, doc.Tempo).c_str(), doc.Tempo);
    return 0;
}

}  // namespace fretlo::tool
