#include "edit/AltTimeRegion.h"

#include <limits>
#include <numeric>
#include <optional>

#include "base/Errors.h"
#include "base/WholeNumber.h"
#include "document/UndoRecords.h"
#include "platform/PlaybackLock.h"

namespace fretlo {

namespace {

constexpr const char* MsgNothingSelected =
    "To create an alternate-time region, you must first select (highlight) at least one space.\r\n\r\n"
    "To remove an existing alternate-time region, you must first place the cursor inside it.";
constexpr const char* MsgAllTracks =
    "When creating an alternate-time region, only one track may be selected.";
constexpr const char* MsgNoWholeSpace =
    "You must select (highlight) at least one space in order to create an alternate-time region.";
constexpr const char* MsgRegionSelected = "The selection already contains an alternate-time region.";
constexpr const char* MsgTooManySpaces = "Can't create region because it would cause the total number of "
                                         "spaces to exceed %d, the maximum Fretlo can handle.";

// A ratio field's number; nothing for no number or one beyond an int.
std::optional<int> FieldNumber(std::string_view text) {
    const auto value = ParseWholeNumber(text);
    if (!value || *value < std::numeric_limits<int>::min() || *value > std::numeric_limits<int>::max())
        return std::nullopt;
    return static_cast<int>(*value);
}

TRatioCheck Refusal(std::string text, TRatioCheck::TField field) {
    return {TRatioCheck::TKind::Refuse, std::move(text), field};
}

// Moves notes inside [pos, end) so that those on plain-space boundaries stay on them: `step`
// accumulates per space, and every further `threshold` reached in one space inserts an
// empty space there (or deletes one).
void Spread(TTrackData& t, bool insert, int pos, int end, int step, int threshold) {
    int acc = 0;
    while (end - 1 > pos) {
        for (bool first = true; acc >= threshold; first = false) {
            acc -= threshold;
            if (first) continue;
            if (insert) {
                t.InsertSpaces(pos, 1, end);
                ++pos;
            } else {
                t.DeleteSpaces(pos, 1, end);
                --end;
            }
        }
        acc += step;
        ++pos;
    }
}

void InvalidateFromSpaceBefore(TEditDocument& doc, int track, int first) {
    doc.Host().InvalidateBarsFrom(doc.BarOfSpace(track, first > 0 ? first - 1 : 0));
}

TRegionToRemove RegionAround(const TEditDocument& doc, int track, int space) {
    TTrackData& t = doc.Track(track);
    const auto same = [&t](int a, int b) { return SameRatio(t.Space(a), t.Space(b)); };
    TRegionToRemove r;
    r.Track = track;
    r.PartFirst = r.PartLast = r.RegionFirst = r.RegionLast = space;
    while (r.PartFirst > 0 && t.SpaceTime(r.PartFirst) % UnitsPerSpace && same(r.PartFirst - 1, space))
        --r.PartFirst;
    while (r.PartLast + 1 < t.SpaceCount() && same(r.PartLast + 1, space) &&
           t.SpaceTime(r.PartLast + 1) % UnitsPerSpace)
        ++r.PartLast;
    while (r.RegionFirst > 0 && same(r.RegionFirst - 1, space)) --r.RegionFirst;
    while (r.RegionLast + 1 < t.SpaceCount() && same(r.RegionLast + 1, space)) ++r.RegionLast;
    r.PartStart = t.SpaceTime(r.PartFirst);
    r.PartEnd = t.SpaceEndTime(r.PartLast);
    r.RegionStart = t.SpaceTime(r.RegionFirst);
    r.RegionEnd = t.SpaceEndTime(r.RegionLast);
    return r;
}

}  // namespace

TRatioCheck CheckRatio(std::string_view firstText, std::string_view secondText, int count, bool triplet) {
    using F = TRatioCheck::TField;
    const auto first = FieldNumber(firstText);
    if (!first || *first < 2) return Refusal("First number must be at least 2.", F::First);
    const auto second = FieldNumber(secondText);
    if (!second || *second < 1) return Refusal("Second number must be at least 1.", F::Second);
    if (const int g = std::gcd(*first, *second); g >= 2)
        return {TRatioCheck::TKind::Reduce,
                Format("The ratio you entered will be reduced to %d : %d.", *first / g, *second / g),
                F::First, *first / g, *second / g};
    if (*first <= *second) return Refusal("First number must be greater than the second number.", F::First);
    if (*first > MaxRatioDen)
        return Refusal(Format("First number may be not greater than %d.", MaxRatioDen), F::First);
    if (count % *second) {
        if (triplet)
            return Refusal(Format("The number of selected spaces must be an even multiple of %d in order to "
                                  "create a triplet region.",
                                  *second),
                           F::Second);
        return Refusal(
            Format("The number of selected spaces must be an even multiple of %d in order to use a "
                   "ratio of %d : %d.",
                   *second, *first, *second),
            F::Second);
    }
    return {TRatioCheck::TKind::Accept, {}, F::First, *first, *second};
}

TAltTimeRequest FindAltTimeRequest(TEditDocument& doc) {
    TEditHost& host = doc.Host();
    host.StopPlaying();
    const TEditCursor c = host.Cursor();
    const TSelection sel = host.Selection();
    const int32_t lo = sel.Active ? sel.Low() : 0, hi = sel.Active ? sel.High() : 0;
    if (lo >= hi) {
        if (HasPlainRatio(doc.Track(c.Track).Space(c.Space))) {
            host.Refuse(MsgNothingSelected);
            return {};
        }
        host.CollapseSelection();
        return RegionAround(doc, c.Track, c.Space);
    }
    if (sel.AllTracks) {
        host.Refuse(MsgAllTracks);
        return {};
    }
    TTrackData& t = doc.Track(c.Track);
    const int first = doc.SpaceAtTime(c.Track, lo, satNoClamp);
    const int last = doc.SpaceAtTime(c.Track, hi - 1, satBefore);
    if (first > last || first >= t.SpaceCount()) {
        host.Refuse(MsgNoWholeSpace);
        return {};
    }
    for (int i = first; i <= last; ++i) {
        if (!HasPlainRatio(t.Space(i))) {
            host.Refuse(MsgRegionSelected);
            return {};
        }
    }
    return TRegionToCreate{c.Track, first, last - first + 1};
}

bool CreateAltTimeRegion(TEditDocument& doc, const TRegionToCreate& region, int num, int den) {
    Check(region.Count % num == 0 && den > num, "region ratio does not fit the selection");
    TEditHost& host = doc.Host();
    TTrackData& t = doc.Track(region.Track);
    const int newCount = region.Count * den / num;
    const int extra = newCount - region.Count;
    if (t.SpaceCount() + extra > MaxSpaces) {
        host.Refuse(Format(MsgTooManySpaces, MaxSpaces));
        return false;
    }
    host.CollapseSelection();
    host.SetCursorSpace(region.First, 0);
    TUndoStep step(doc, ukAltTimeRegion);
    SetSpaceCountUndoable(doc, step, region.Track, t.SpaceCount() + extra);
    const int after = region.First + region.Count;
    step.Add(EncodeInsertSpaces({region.Track, after, extra}));
    {
        TPlaybackGuard guard(PlaybackLock());
        t.InsertSpaces(after, extra);
    }
    step.SaveSpaces(region.Track, region.First, newCount);
    {
        TPlaybackGuard guard(PlaybackLock());
        Spread(t, true, region.First, region.First + newCount, den, num);
        t.SetRatio(region.First, newCount, num, den);
    }
    InvalidateFromSpaceBefore(doc, region.Track, region.First);
    step.End();
    host.SetCursorSpace(region.First, 0);
    host.UpdateStatusBar();
    return true;
}

void RemoveAltTimeRegion(TEditDocument& doc, const TRegionToRemove& region, bool entire) {
    TEditHost& host = doc.Host();
    TTrackData& t = doc.Track(region.Track);
    const int start = entire ? region.RegionFirst : region.PartFirst;
    const int last = entire ? region.RegionLast : region.PartLast;
    const int num = t.Space(start).RatioNum, den = t.Space(start).RatioDen;
    const int len = last - start + 1;
    const int newLen = std::max(1, len * num / den);
    host.SetCursorSpace(start, 0);
    TUndoStep step(doc, ukAltTimeRegion);
    step.SaveSpaces(region.Track, start, len);
    {
        TPlaybackGuard guard(PlaybackLock());
        t.SetRatio(start, len, 1, 1);
        if (len > newLen) Spread(t, false, start, start + len, den, num);
    }
    if (len > newLen) {
        step.Add(EncodeRemoveSpaces({region.Track, start + newLen, len - newLen}));
        {
            TPlaybackGuard guard(PlaybackLock());
            t.DeleteSpaces(start + newLen, len - newLen);
        }
        SetSpaceCountUndoable(doc, step, region.Track, t.SpaceCount() - (len - newLen));
    }
    InvalidateFromSpaceBefore(doc, region.Track, start);
    step.End();
    host.SetCursorSpace(start, 0);
    host.UpdateStatusBar();
}

}  // namespace fretlo
