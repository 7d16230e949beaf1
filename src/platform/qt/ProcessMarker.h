// The process marker "WinFretloProcess": a lock file of that name in the user's runtime
// folder on which every running Fretlo holds a shared lock for its whole run, so a program
// that must know whether Fretlo runs (an installer, say) can try an exclusive lock on it.
// Fretlo itself never waits on it.
#pragma once

#include <QString>

namespace fretlo {

// "<runtime folder>/WinFretloProcess".
QString ProcessMarkerPath();

class TProcessMarker {
public:
    // Holds the marker; a folder that cannot be written leaves the process unmarked, quietly.
    explicit TProcessMarker(const QString& path = ProcessMarkerPath());
    ~TProcessMarker();
    TProcessMarker(const TProcessMarker&) = delete;
    TProcessMarker& operator=(const TProcessMarker&) = delete;

private:
    int fd_ = -1;
};

}  // namespace fretlo
