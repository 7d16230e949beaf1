#include "document/SongTrackLists.h"

#include "base/Errors.h"
#include "document/SongHeader.h"
#include "document/SongMessages.h"
#include "document/TabDoc.h"

#include <array>
#include <string>

namespace fretlo {

namespace {

// One per-track list: the first version that has it, its width, and the field it carries.
struct TTrackList {
    int FirstVersion;
    int Bytes;  // 1 or 2
    bool Signed;
    int (*Get)(const TTrackData&);
    void (*Set)(TTrackData&, int);
};

constexpr int AllVersions = 101;
constexpr int BitNoRing = 0x80;
constexpr int InstrumentMask = 0x7F;

// Lists 2 to 17, in file order.
const std::array<TTrackList, 16> HeadLists = {{
    {AllVersions, 1, false, [](const TTrackData& t) { return t.StringCount; },
     [](TTrackData& t, int v) { t.StringCount = v; }},
    {AllVersions, 1, false,
     [](const TTrackData& t) { return (t.Instrument & InstrumentMask) | (t.LetRing ? 0 : BitNoRing); },
     [](TTrackData& t, int v) {
         t.Instrument = v & InstrumentMask;
         t.LetRing = (v & BitNoRing) == 0;
     }},
    {AllVersions, 1, false, [](const TTrackData& t) { return t.LegacyValue; },
     [](TTrackData& t, int v) { t.LegacyValue = v; }},
    {AllVersions, 1, false, [](const TTrackData& t) { return t.Volume; },
     [](TTrackData& t, int v) { t.Volume = v; }},
    {FirstEffectBlockVersion, 1, false, [](const TTrackData& t) { return t.Modulation; },
     [](TTrackData& t, int v) { t.Modulation = v; }},
    {FirstEffectBlockVersion, 2, true, [](const TTrackData& t) { return t.PitchBend; },
     [](TTrackData& t, int v) { t.PitchBend = v; }},
    {109, 1, true, [](const TTrackData& t) { return t.Transpose; },
     [](TTrackData& t, int v) { t.Transpose = v; }},
    {109, 1, false, [](const TTrackData& t) { return t.Bank; }, [](TTrackData& t, int v) { t.Bank = v; }},
    {108, 1, false, [](const TTrackData& t) { return t.Reverb; }, [](TTrackData& t, int v) { t.Reverb = v; }},
    {108, 1, false, [](const TTrackData& t) { return t.Chorus; }, [](TTrackData& t, int v) { t.Chorus = v; }},
    {107, 1, false, [](const TTrackData& t) { return t.Pan; }, [](TTrackData& t, int v) { t.Pan = v; }},
    {107, 1, false, [](const TTrackData& t) { return t.HighestNumber; },
     [](TTrackData& t, int v) { t.HighestNumber = v; }},
    {106, 1, false, [](const TTrackData& t) { return t.ShowNumbers ? 1 : 0; },
     [](TTrackData& t, int v) { t.ShowNumbers = (v & 1) != 0; }},
    {106, 1, true, [](const TTrackData& t) { return t.MidiChannel; },
     [](TTrackData& t, int v) { t.MidiChannel = v; }},
    {AllVersions, 1, false, [](const TTrackData& t) { return t.TopTextLine ? 1 : 0; },
     [](TTrackData& t, int v) { t.TopTextLine = v != 0; }},
    {AllVersions, 1, false, [](const TTrackData& t) { return t.BottomTextLine ? 1 : 0; },
     [](TTrackData& t, int v) { t.BottomTextLine = v != 0; }},
}};

// List 19, after the tunings.
const TTrackList VariantList = {AllVersions, 1, false, [](const TTrackData& t) { return t.Variant; },
                                [](TTrackData& t, int v) { t.Variant = v; }};

// Before 107 a tuning held six strings, highest first.
constexpr int OldTuningStrings = 6;
// Before 107 drum tracks kept their keys below 100 without saying so.
constexpr int OldDrumHighestNumber = 99;
constexpr int FirstLongTextVersion = 109;
constexpr size_t MaxTextLength = 0xFFFF;

void ReadList(TByteSource& in, const TTrackList& list, TCustomTabDoc& doc) {
    for (int t = 0; t < doc.TrackCount(); ++t) {
        int v;
        if (list.Bytes == 2)
            v = list.Signed ? in.I16() : in.U16();
        else
            v = list.Signed ? in.I8() : in.U8();
        list.Set(doc.Track(t), v);
    }
}

void AppendList(std::vector<uint8_t>& out, const TTrackList& list, const TCustomTabDoc& doc) {
    for (int t = 0; t < doc.TrackCount(); ++t) {
        const int v = list.Get(doc.Track(t));
        out.push_back(static_cast<uint8_t>(v));
        if (list.Bytes == 2) out.push_back(static_cast<uint8_t>(v >> 8));
    }
}

void ReadTunings(TByteSource& in, int version, TCustomTabDoc& doc) {
    for (int t = 0; t < doc.TrackCount(); ++t) {
        int8_t* tuning = doc.Track(t).Tuning;
        if (version >= FirstWideRecordVersion) {
            for (int s = 0; s < StringSlots; ++s) tuning[s] = in.I8();
        } else {
            for (int s = OldTuningStrings - 1; s >= 0; --s) tuning[s] = in.I8();
            for (int s = OldTuningStrings; s < StringSlots; ++s) tuning[s] = 0;
        }
    }
}

std::string ReadText(TByteSource& in, bool longLength) {
    const size_t length = longLength ? in.U16() : in.U8();
    std::string text(length, '\0');
    in.Read(reinterpret_cast<uint8_t*>(text.data()), length);
    return text;
}

void ReadTexts(TByteSource& in, int version, TCustomTabDoc& doc) {
    if (version >= FirstLongTextVersion) {
        for (std::string* text : {&doc.Title, &doc.Artist, &doc.Album, &doc.Transcriber, &doc.Comments})
            *text = ReadText(in, true);
    } else {
        for (std::string* text : {&doc.Title, &doc.Artist, &doc.Comments}) *text = ReadText(in, false);
    }
}

void AppendText(std::vector<uint8_t>& out, const std::string& text) {
    // Cutting a longer text would lose it silently; the save is refused instead.
    if (text.size() > MaxTextLength)
        throw EFretloError(Format(MsgTextTooLong, static_cast<unsigned>(MaxTextLength)));
    out.push_back(static_cast<uint8_t>(text.size()));
    out.push_back(static_cast<uint8_t>(text.size() >> 8));
    out.insert(out.end(), text.begin(), text.end());
}

// Values that select string slots, channels or the banjo/drum tables must fit them.
bool InModelRange(const TTrackData& t) {
    return t.StringCount >= 1 && t.StringCount <= StringSlots && t.MidiChannel >= -1 && t.MidiChannel <= 15 &&
           (t.Variant == 0 || t.Variant == 1);
}

}  // namespace

void ReadTrackLists(TByteSource& in, int version, bool hasTexts, TCustomTabDoc& doc) {
    for (const TTrackList& list : HeadLists)
        if (version >= list.FirstVersion) ReadList(in, list, doc);
    ReadTunings(in, version, doc);
    ReadList(in, VariantList, doc);
    for (int t = 0; t < doc.TrackCount(); ++t) {
        TTrackData& track = doc.Track(t);
        if (!InModelRange(track)) throw EFretloError(MsgCorrupted);
        if (version < FirstWideRecordVersion && track.StringCount == 6 && track.Variant == 1)
            track.HighestNumber = OldDrumHighestNumber;
    }
    if (hasTexts) ReadTexts(in, version, doc);
}

void AppendTrackLists(std::vector<uint8_t>& out, int version, const TCustomTabDoc& doc) {
    for (const TTrackList& list : HeadLists)
        if (version >= list.FirstVersion) AppendList(out, list, doc);
    for (int t = 0; t < doc.TrackCount(); ++t)
        for (int s = 0; s < StringSlots; ++s) out.push_back(static_cast<uint8_t>(doc.Track(t).Tuning[s]));
    AppendList(out, VariantList, doc);
    for (const std::string* text : {&doc.Title, &doc.Artist, &doc.Album, &doc.Transcriber, &doc.Comments})
        AppendText(out, *text);
}

}  // namespace fretlo
