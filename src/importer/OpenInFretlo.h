// "Open in Fretlo": the imported song written next to the MIDI file and given to Fretlo.
#pragma once

#include <functional>

#include "importer/FretloLink.h"
#include "importer/ImportSession.h"

namespace fretlo {

enum class TOpenResult { Kept, HandedOver, Started };

// Asks `replace` (with the song's path) before an existing file is replaced; when it says no,
// nothing is written (Kept). The song is built whole before the file is written aside and
// renamed, so a failure leaves no partial file. EFretloError when the import fails, the file
// cannot be written or Fretlo cannot be reached nor started.
TOpenResult OpenInFretlo(const TImportSession& session, const std::function<bool(const QString&)>& replace,
                         TFretloLink& fretlo);

}  // namespace fretlo
