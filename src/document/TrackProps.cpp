#include "document/TrackProps.h"

#include <memory>

#include "base/Errors.h"

namespace fretlo {

namespace {

// Nodes are owned by their space's list: created here, freed only by RemoveProp and ClearProps.
TPropNode* NewNode(int kind, uint16_t value) {
    auto node = std::make_unique<TPropNode>();
    node->Next = nullptr;
    node->Kind = static_cast<uint16_t>(kind);
    node->Size = PropDataSize;
    node->SetValue(value);
    return node.release();
}

void FreeNode(TPropNode* node) { std::unique_ptr<TPropNode> owned(node); }

const char KindLetters[] = "?DUTIVPCRMB";

}  // namespace

TPropNode* FindProp(const TSpace& space, int kind) {
    for (TPropNode* n = space.Props; n; n = n->Next)
        if (n->Kind == kind) return n;
    return nullptr;
}

void AddPropNode(TSpace& space, int kind, uint16_t value) {
    Check(IsValidProp(kind, PropDataSize), "track effect kind out of range");
    TPropNode** link = &space.Props;
    while (*link && (*link)->Kind < kind) link = &(*link)->Next;
    if (*link && (*link)->Kind == kind) {
        (*link)->SetValue(value);
        return;
    }
    TPropNode* node = NewNode(kind, value);
    node->Next = *link;
    *link = node;
}

void SetProp(TSpace& space, int kind, uint16_t value) { AddPropNode(space, kind, value); }

void RemoveProp(TSpace& space, int kind) {
    for (TPropNode** link = &space.Props; *link; link = &(*link)->Next) {
        if ((*link)->Kind == kind) {
            TPropNode* gone = *link;
            *link = gone->Next;
            FreeNode(gone);
            return;
        }
    }
}

void ClearProps(TSpace& space) {
    TPropNode* n = space.Props;
    space.Props = nullptr;
    while (n) {
        TPropNode* next = n->Next;
        FreeNode(n);
        n = next;
    }
}

int PropCount(const TSpace& space) {
    int count = 0;
    for (const TPropNode* n = space.Props; n; n = n->Next) ++count;
    return count;
}

void CopyProps(const TSpace& from, TSpace& to) {
    Check(to.Props == nullptr, "copying track effects onto a space that has some");
    for (const TPropNode* n = from.Props; n; n = n->Next) AddPropNode(to, n->Kind, n->Value());
}

char PropLetter(const TSpace& space) {
    if (!space.Props) return 0;
    if (space.Props->Next) return '+';
    const int kind = space.Props->Kind;
    return (kind >= MinPropKind && kind <= MaxPropKind) ? KindLetters[kind] : '?';
}

std::optional<TLegacyProp> EncodeLegacyProp(const TSpace& space) {
    const TPropNode* n = space.Props;
    if (!n) return TLegacyProp{0, 0};
    if (n->Next) return std::nullopt;
    const uint16_t v = n->Value();
    const auto low = static_cast<uint8_t>(v);
    switch (n->Kind) {
    case pkStrokeDown: return TLegacyProp{'D', 0};
    case pkStrokeUp: return TLegacyProp{'U', 0};
    case pkTempo:
        if (v <= 250) return TLegacyProp{'T', low};
        if (v - 250 <= 255) return TLegacyProp{'t', static_cast<uint8_t>(v - 250)};
        return std::nullopt;
    case pkInstrument:
        if (v > 0xFF) return std::nullopt;
        return TLegacyProp{'I', low};
    case pkVolume: return TLegacyProp{'V', low};
    case pkPan: return TLegacyProp{'P', low};
    case pkChorus: return TLegacyProp{'C', low};
    case pkReverb: return TLegacyProp{'R', low};
    default: return std::nullopt;
    }
}

bool DecodeLegacyProp(TSpace& space, uint8_t letter, uint8_t value) {
    switch (letter) {
    case 0: return true;
    case 'T': AddPropNode(space, pkTempo, value); return true;
    case 't': AddPropNode(space, pkTempo, static_cast<uint16_t>(value + 250)); return true;
    case 'D': AddPropNode(space, pkStrokeDown, 0); return true;
    case 'U': AddPropNode(space, pkStrokeUp, 0); return true;
    case 'I': AddPropNode(space, pkInstrument, value); return true;
    case 'V': AddPropNode(space, pkVolume, value); return true;
    case 'P': AddPropNode(space, pkPan, value); return true;
    case 'C': AddPropNode(space, pkChorus, value); return true;
    case 'R': AddPropNode(space, pkReverb, value); return true;
    default: return false;
    }
}

}  // namespace fretlo
