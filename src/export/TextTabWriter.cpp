#include "export/TextTabWriter.h"

#include "base/Errors.h"

#include <algorithm>

namespace fretlo {

namespace {

// The prefix of a line is three characters of string name and a colon.
constexpr int PrefixWidth = 4;

constexpr const char* NoteNames[12] = {"C", "Db", "D", "Eb", "E", "F", "Gb", "G", "Ab", "A", "Bb", "B"};

std::string StringLabel(const TTrackData& track, int slot) {
    const int key = track.StringBaseKey(slot);
    std::string label = track.ShowNumbers ? std::to_string(key) : NoteNames[((key % 12) + 12) % 12];
    if (label.size() < PrefixWidth - 1) label.resize(PrefixWidth - 1, ' ');
    return label + ":";
}

int StringsOf(const TTrackData& track) { return std::clamp(track.StringCount, 0, StringSlots); }

// The two string slots that carry the dots of a repeat sign.
bool IsRepeatDot(int strings, int slot) {
    const int low = strings == 4 ? 1 : 2;
    return slot == low || slot == low + 1;
}

bool HasEffectColumn(uint8_t e) { return e != 0 && e != '^' && e != '~'; }

// The character that closes an effect, or 0 when the effect needs no closing column.
char ClosingChar(uint8_t e) {
    switch (e) {
    case '(': return ')';
    case '<': return '>';
    case '{': return '}';
    case '^':
    case '~': return static_cast<char>(e);
    default: return 0;
    }
}

}  // namespace

TTextTabWriter::TTextTabWriter(TCustomTabDoc& doc, const TTextExportOptions& options,
                               std::bitset<MaxTracks> tracks)
    : doc_(doc), options_(options) {
    for (int t = 0; t < doc.TrackCount(); ++t) {
        times_[t] = doc.Track(t).SpaceTimes();
        if (tracks[t]) rows_.push_back(TRows{t, {}, {}, {}});
    }
    Check(!rows_.empty(), "text export without a track");
    Check(doc.BarCount() > 0, "song without bars");
    lastBar_ = doc.LastUsedBar(false);
}

std::string TTextTabWriter::Write(const std::optional<std::string>& title) {
    linesLeft_ = options_.LinesPerPage;
    if (title) {
        WriteLine(*title);
        WriteLine();
    }
    for (;;) {
        const int32_t t = NextStepTime();
        if (bar_ < 0 || doc_.Bar(bar_).End <= t) {
            if (!NextBar()) break;
        } else {
            WriteStep(t);
        }
    }
    return std::move(out_);
}

int32_t TTextTabWriter::NextStepTime() const {
    std::optional<int32_t> t;
    for (const TRows& r : rows_) {
        const int i = next_[r.Track];
        if (i >= doc_.Track(r.Track).SpaceCount()) continue;
        const int32_t start = times_[r.Track][i];
        if (!t || start < *t) t = start;
    }
    return t.value_or(doc_.SongLength());
}

bool TTextTabWriter::InStep(const TRows& rows, int32_t t) const {
    const int i = next_[rows.Track];
    return i < doc_.Track(rows.Track).SpaceCount() && times_[rows.Track][i] == t;
}

bool TTextTabWriter::NextBar() {
    afterNumber_ = false;
    if (bar_ >= 0) CloseBar(doc_.Bar(bar_));
    ++bar_;
    // Empty bars at the end of the song are left out.
    if (bar_ > lastBar_) {
        Flush(TFlush::Final);
        if (options_.PageBreaks) out_ += '\f';
        return false;
    }
    const TBar& bar = doc_.Bar(bar_);
    Flush(bar.StaffBreak ? TFlush::Staff : TFlush::Normal);
    barBreakCol_ = stepBreakCol_ = pending_;
    if (bar.RepeatStart) OpenRepeat();
    return true;
}

void TTextTabWriter::CloseBar(const TBar& bar) {
    if (!bar.RepeatEnd) {
        const int c = AddColumns(1);
        for (TRows& r : rows_)
            for (int s = 0; s < StringsOf(doc_.Track(r.Track)); ++s) r.Strings[s][c] = '|';
        return;
    }
    // Dots, then the bar line doubled, with the repeat count on the highest string.
    const int c = AddColumns(3);
    const std::string count = std::to_string(bar.RepeatCount);
    for (TRows& r : rows_) {
        const int strings = StringsOf(doc_.Track(r.Track));
        for (int s = 0; s < strings; ++s) {
            r.Strings[s][c] = IsRepeatDot(strings, s) ? '*' : ' ';
            r.Strings[s][c + 1] = '|';
            r.Strings[s][c + 2] = '|';
        }
        if (strings == 0) continue;
        r.Strings[strings - 1][c + 1] = count[0];
        if (count.size() >= 2) r.Strings[strings - 1][c + 2] = count[1];
    }
}

void TTextTabWriter::OpenRepeat() {
    const int c = AddColumns(2);
    for (TRows& r : rows_) {
        const int strings = StringsOf(doc_.Track(r.Track));
        for (int s = 0; s < strings; ++s) {
            r.Strings[s][c] = '|';
            r.Strings[s][c + 1] = IsRepeatDot(strings, s) ? '*' : ' ';
        }
    }
}

void TTextTabWriter::WriteStep(int32_t t) {
    TStepShape shape;
    for (const TRows& r : rows_) {
        if (!InStep(r, t)) continue;
        const TTrackData& track = doc_.Track(r.Track);
        const TSpace& space = track.Space(next_[r.Track]);
        for (int s = 0; s < StringsOf(track); ++s) {
            if (IsFretNote(space.Notes[s])) {
                shape.Number = true;
                shape.TwoDigits = shape.TwoDigits || space.Notes[s] >= NoteFretBase + 10;
            }
            shape.Effect = shape.Effect || HasEffectColumn(space.Effects[s]);
            shape.Closing = shape.Closing || ClosingChar(space.Effects[s]) != 0;
        }
    }
    // Two numbers in a row would read as one: a dash keeps them apart.
    if (afterNumber_ && shape.Number) AddColumns(1);
    Flush(TFlush::Normal);
    stepBreakCol_ = pending_;

    int col = pending_;
    const int effectCol = shape.Effect ? col++ : -1;
    if (shape.TwoDigits) ++col;
    const int mainCol = col++;
    const int closeCol = shape.Closing ? col++ : -1;
    AddColumns(col - pending_);
    for (TRows& r : rows_) {
        if (!InStep(r, t)) continue;
        FillStep(r, effectCol, mainCol, closeCol);
        ++next_[r.Track];
    }
    afterNumber_ = shape.Number && !shape.Closing;
}

void TTextTabWriter::FillStep(TRows& rows, int effectCol, int mainCol, int closeCol) {
    const TTrackData& track = doc_.Track(rows.Track);
    const TSpace& space = track.Space(next_[rows.Track]);
    for (int s = 0; s < StringsOf(track); ++s) {
        std::string& row = rows.Strings[s];
        const uint8_t e = space.Effects[s];
        if (HasEffectColumn(e)) row[effectCol] = static_cast<char>(e);
        if (const char close = ClosingChar(e)) row[closeCol] = close;
        const uint8_t note = space.Notes[s];
        if (note == NoteMuted) {
            row[mainCol] = 'x';
        } else if (note == NoteStop) {
            row[mainCol] = '*';
        } else if (IsFretNote(note)) {
            const int n = note - NoteFretBase;
            if (n >= 10) row[mainCol - 1] = static_cast<char>('0' + n / 10);
            row[mainCol] = static_cast<char>('0' + n % 10);
        }
    }
    if (space.TopText) rows.Top[mainCol] = static_cast<char>(space.TopText);
    if (space.BottomText) rows.Bottom[mainCol] = static_cast<char>(space.BottomText);
}

void TTextTabWriter::Flush(TFlush mode) {
    while (pending_ > 0) {
        const bool fits = pending_ + PrefixWidth <= options_.LineWidth;
        if (mode == TFlush::Normal && fits) return;
        const int cut = fits                                       ? pending_
                        : options_.BreakAtBar && barBreakCol_ >= 1 ? barBreakCol_
                                                                   : stepBreakCol_;
        Check(cut >= 1, "text export found no place to wrap");
        const int linesBefore = linesWritten_;
        WriteSystem(cut);
        for (TRows& r : rows_) {
            r.Top.erase(0, cut);
            r.Bottom.erase(0, cut);
            for (std::string& row : r.Strings) row.erase(0, cut);
        }
        pending_ -= cut;
        barBreakCol_ = 0;
        stepBreakCol_ = stepBreakCol_ - cut < 1 ? 0 : stepBreakCol_ - cut;
        if (pending_ == 0) afterNumber_ = false;
        if (mode == TFlush::Final && pending_ == 0) return;
        if (rows_.size() > 1) WriteLine(std::string(options_.LineWidth, '='));
        WriteLine();
        // A new page when the next system, as long as this one, would not fit.
        if (options_.PageBreaks && linesLeft_ <= linesWritten_ - linesBefore) {
            out_ += '\f';
            linesLeft_ = options_.LinesPerPage;
        }
    }
}

void TTextTabWriter::WriteSystem(int cut) {
    const std::string blank(PrefixWidth, ' ');
    const auto first = [cut](const std::string& row) { return std::string_view(row).substr(0, cut); };
    for (const TRows& r : rows_) {
        const TTrackData& track = doc_.Track(r.Track);
        if (track.TopTextLine) WriteLine(blank, first(r.Top));
        for (int s = StringsOf(track) - 1; s >= 0; --s) WriteLine(StringLabel(track, s), first(r.Strings[s]));
        if (track.BottomTextLine) WriteLine(blank, first(r.Bottom));
        if (rows_.size() > 1) WriteLine();
    }
}

void TTextTabWriter::WriteLine(std::string_view prefix, std::string_view text) {
    out_ += prefix;
    out_ += text;
    out_ += "\r\n";
    --linesLeft_;
    ++linesWritten_;
}

int TTextTabWriter::AddColumns(int n) {
    const int first = pending_;
    for (TRows& r : rows_) {
        r.Top.append(n, ' ');
        r.Bottom.append(n, ' ');
        for (std::string& row : r.Strings) row.append(n, '-');
    }
    pending_ += n;
    return first;
}

}  // namespace fretlo
