#include "importer/OpenInFretlo.h"

#include <QFileInfo>

#include "base/Errors.h"

namespace fretlo {

TOpenResult OpenInFretlo(const TImportSession& session, const std::function<bool(const QString&)>& replace,
                         TFretloLink& fretlo) {
    TCustomTabDoc doc;
    session.Import(doc);
    const QString path = QString::fromStdString(session.SongPath());
    if (QFileInfo::exists(path) && !replace(path)) return TOpenResult::Kept;
    doc.SaveToFile(session.SongPath());
    if (fretlo.HandOver(path)) return TOpenResult::HandedOver;
    if (fretlo.Start(path)) return TOpenResult::Started;
    throw EFretloError("The song was saved as " + session.SongPath() + ", but Fretlo could not be started.");
}

}  // namespace fretlo
