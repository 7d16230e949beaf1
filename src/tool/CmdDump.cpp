// fretlo-tool dump: the loaded document as one JSON object, for scripts and tests.
#include <cstdio>
#include <string>

#include "document/SongFile.h"
#include "document/SongText.h"
#include "document/TabDoc.h"
#include "tool/Commands.h"
#include "tool/cli/Args.h"

namespace fretlo::tool {

namespace {

// A song text's characters, as the window shows them, in UTF-8 (which JSON allows as it is).
std::string Json(const std::string& stored) {
    std::string out = "\"";
    for (const char c : SongTextUtf8(stored)) {
        const auto b = static_cast<unsigned char>(c);
        if (b == '"' || b == '\\') {
            out += '\\';
            out += c;
        } else if (b < 0x20 || b == 0x7F) {
            char escape[8];
            std::snprintf(escape, sizeof escape, "\\u%04x", b);
            out += escape;
        } else {
            out += c;
        }
    }
    return out + "\"";
}

template <typename T> std::string List(const T* values, int count) {
    std::string out = "[";
    for (int i = 0; i < count; ++i) out += (i ? "," : "") + std::to_string(values[i]);
    return out + "]";
}

std::string Props(const TSpace& space) {
    std::string out = "[";
    for (const TPropNode* n = space.Props; n; n = n->Next) {
        const int value = n->Kind == pkPitchBend ? n->SignedValue() : n->Value();
        out += (n == space.Props ? "[" : ",[") + std::to_string(n->Kind) + "," + std::to_string(value) + "]";
    }
    return out + "]";
}

std::string Space(const TSpace& s, int index, int32_t time) {
    return "{\"i\":" + std::to_string(index) + ",\"time\":" + std::to_string(time) +
           ",\"notes\":" + List(s.Notes, StringSlots) + ",\"effects\":" + List(s.Effects, StringSlots) +
           ",\"top\":" + std::to_string(s.TopText) + ",\"bottom\":" + std::to_string(s.BottomText) +
           ",\"ratio\":[" + std::to_string(s.RatioNum) + "," + std::to_string(s.RatioDen) +
           "],\"props\":" + Props(s) + "}";
}

std::string Track(TTrackData& t) {
    auto field = [](const char* name, int value) {
        return "\"" + std::string(name) + "\":" + std::to_string(value) + ",";
    };
    auto flag = [](const char* name, bool value) {
        return "\"" + std::string(name) + "\":" + (value ? "true" : "false") + ",";
    };
    std::string out =
        "{" + field("strings", t.StringCount) + field("variant", t.Variant) +
        field("instrument", t.Instrument) + field("legacy", t.LegacyValue) + field("volume", t.Volume) +
        field("pan", t.Pan) + field("reverb", t.Reverb) + field("chorus", t.Chorus) +
        field("modulation", t.Modulation) + field("pitchBend", t.PitchBend) +
        field("midiChannel", t.MidiChannel) + field("highestNumber", t.HighestNumber) +
        field("transpose", t.Transpose) + field("bank", t.Bank) + flag("letRing", t.LetRing) +
        flag("topText", t.TopTextLine) + flag("bottomText", t.BottomTextLine) +
        flag("showNumbers", t.ShowNumbers) + "\"tuning\":" + List(t.Tuning, StringSlots) + "," +
        field("spaceCount", t.SpaceCount()) + field("totalTime", t.TotalTime()) + "\"spaces\":[";
    bool first = true;
    for (int i = 0; i < t.SpaceCount(); ++i) {
        if (IsEmptySpace(t.Space(i), true)) continue;
        out += (first ? "" : ",") + Space(t.Space(i), i, t.SpaceTime(i));
        first = false;
    }
    return out + "]}";
}

std::string Bars(const TCustomTabDoc& doc) {
    std::string out = "[";
    for (int b = 0; b < doc.BarCount(); ++b) {
        const TBar& bar = doc.Bar(b);
        const int values[] = {
            bar.Start,      bar.End, bar.StaffBreak ? 1 : 0, bar.RepeatStart ? 1 : 0, bar.RepeatEnd ? 1 : 0,
            bar.RepeatCount};
        out += (b ? "," : "") + List(values, 6);
    }
    return out + "]";
}

}  // namespace

int CmdDump(const std::vector<std::string>& argv) {
    TArgs args(argv, {});
    const std::string path = args.Positional(0, "FILE");
    args.Finish(1);
    TCustomTabDoc doc;
    const int version = LoadSongFile(doc, path);
    std::string out = "{\"version\":" + std::to_string(version) + ",\"tempo\":" + std::to_string(doc.Tempo) +
                      ",\"title\":" + Json(doc.Title) + ",\"artist\":" + Json(doc.Artist) +
                      ",\"album\":" + Json(doc.Album) + ",\"transcriber\":" + Json(doc.Transcriber) +
                      ",\"comments\":" + Json(doc.Comments) + ",\"bars\":" + Bars(doc) + ",\"tracks\":[";
    for (int t = 0; t < doc.TrackCount(); ++t) out += (t ? "," : "") + Track(doc.Track(t));
    out += "]}\n";
    std::fwrite(out.data(), 1, out.size(), stdout);
    return 0;
}

}  // namespace fretlo::tool
