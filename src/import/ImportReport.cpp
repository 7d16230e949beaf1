#include "import/ImportReport.h"

#include <numeric>

#include "base/Errors.h"
#include "import/KeyNames.h"
#include "import/SpaceGrid.h"
#include "playback/MidiNames.h"

namespace fretlo {

namespace {

// Phrases of the reasons, after a count: "3 with no free string".
constexpr const char* DropPhrases[DropReasons] = {
    "with a key already sounding at that place",
    "with no free string at that time",
    "out of every string's reach",
    "past the 32000 spaces of a track",
};

std::string Plural(int n, const char* one, const char* many) {
    return std::to_string(n) + " " + (n == 1 ? one : many);
}

std::string InstrumentName(const TTrackReport& t) {
    const size_t program = static_cast<size_t>(t.Instrument & 0x7F);
    if (TrackKinds()[t.Kind].ChannelChoice != DrumsChannelChoice) return std::string(GmInstrumentNames[program]);
    return DrumKitNames[program].empty() ? Format("drum kit %zu", program)
                                         : std::string(DrumKitNames[program]) + " kit";
}

std::string DropDetails(const std::array<int, DropReasons>& dropped) {
    std::string text;
    for (int r = 0; r < DropReasons; ++r) {
        if (!dropped[r]) continue;
        text += text.empty() ? " (" : ", ";
        text += std::to_string(dropped[r]) + " " + DropPhrases[r];
    }
    return text.empty() ? text : text + ")";
}

std::string Ticks(double fine) { return Format("%.1f", fine / FinePerTick); }

}  // namespace

int TImportReport::Placed() const {
    return std::accumulate(Tracks.begin(), Tracks.end(), 0,
                           [](int n, const TTrackReport& t) { return n + t.Placed; });
}

int TImportReport::MovedByOctave() const {
    return std::accumulate(Tracks.begin(), Tracks.end(), 0,
                           [](int n, const TTrackReport& t) { return n + t.MovedByOctave; });
}

int TImportReport::Dropped(TDropReason reason) const {
    return std::accumulate(Tracks.begin(), Tracks.end(), 0,
                           [&](int n, const TTrackReport& t) { return n + t.Dropped[reason]; });
}

int TImportReport::Dropped() const {
    int n = 0;
    for (int r = 0; r < DropReasons; ++r) n += Dropped(static_cast<TDropReason>(r));
    return n;
}

std::string PartSummary(const TMidiPart& part, int index) {
    std::string text = "part " + std::to_string(index + 1);
    text += part.Name.empty() ? " (no name)" : " \"" + part.Name + "\"";
    text += ", channel " + std::to_string(part.Channel + 1) + ", " +
            Plural(static_cast<int>(part.Notes.size()), "note", "notes");
    return text + ", " + KeyRange(part);
}

std::string TuningText(int kind, const TTuningKeys& keys) {
    std::string text;
    for (int s = 0; s < TrackKinds()[kind].StringCount; ++s) {
        if (s) text += ' ';
        text += ShowsKeyNumbers(kind) ? std::to_string(keys[s]) : KeyName(keys[s]);
    }
    return text;
}

std::string KeyRange(const TMidiPart& part) {
    if (part.IsDrums())
        return "keys " + std::to_string(part.LowestKey()) + " to " + std::to_string(part.HighestKey());
    return KeyName(part.LowestKey()) + " to " + KeyName(part.HighestKey());
}

std::string ReportText(const TImportReport& report, const TMidiSong& song) {
    std::string text =
        Format("Imported \"%s\" from a MIDI file of format %d, %d ticks per quarter note, with %s.\n",
               report.Title.c_str(), report.Format, report.Division,
               Plural(report.PartCount, "part", "parts").c_str());
    text += Format("Tracks made: %zu\n", report.Tracks.size());
    int64_t errorSum = 0, errorMax = 0;
    int quantised = 0;
    for (size_t i = 0; i < report.Tracks.size(); ++i) {
        const TTrackReport& t = report.Tracks[i];
        text += Format("  Track %zu: %s\n", i + 1, PartSummary(song.Parts[t.Part], t.Part).c_str());
        text += Format("    %s, %s, tuned %s: %s placed", std::string(TrackKinds()[t.Kind].Caption).c_str(),
                       InstrumentName(t).c_str(), TuningText(t.Kind, t.Tuning).c_str(),
                       Plural(t.Placed, "note", "notes").c_str());
        if (t.MovedByOctave) text += Format(", %d moved by octaves", t.MovedByOctave);
        int dropped = 0;
        for (const int d : t.Dropped) dropped += d;
        if (dropped) text += Format(", %d dropped", dropped);
        text += "\n";
        errorSum += t.ErrorSum;
        errorMax = std::max(errorMax, t.ErrorMax);
        quantised += t.Quantised;
    }
    if (!report.LeftOut.empty()) {
        text += Format("Parts left out: %zu\n", report.LeftOut.size());
        for (const int p : report.LeftOut) text += "  " + PartSummary(song.Parts[p], p) + "\n";
    }
    text += Format("Notes placed: %d\n", report.Placed());
    text += Format("Notes moved by octaves: %d\n", report.MovedByOctave());
    std::array<int, DropReasons> dropped{};
    for (int r = 0; r < DropReasons; ++r) dropped[r] = report.Dropped(static_cast<TDropReason>(r));
    text += Format("Notes dropped: %d%s\n", report.Dropped(), DropDetails(dropped).c_str());
    const double average = quantised ? static_cast<double>(errorSum) / quantised : 0.0;
    text += Format("Quantisation error: average %s ticks, largest %s ticks (a sixteenth is %s ticks)\n",
                   Ticks(average).c_str(), Ticks(static_cast<double>(errorMax)).c_str(),
                   Ticks(6.0 * report.Division).c_str());
    text += Format("Tempo: %d beats per minute, %s; %s\n", report.Tempo,
                   Plural(report.TempoChanges, "tempo change", "tempo changes").c_str(),
                   Plural(report.Bars, "bar", "bars").c_str());
    return text;
}

}  // namespace fretlo
