// How the importer gives a song to Fretlo: to the running editor through the single-instance
// hand-over, else to a new `fretlo` started from the importer's own folder. An interface, so
// that "Open in Fretlo" is tested without an editor.
#pragma once

#include <QString>

#include "platform/qt/InstanceChannel.h"

namespace fretlo {

class TFretloLink {
public:
    virtual ~TFretloLink() = default;
    // True when a running Fretlo took the file.
    virtual bool HandOver(const QString& songPath) = 0;
    // True when a new Fretlo was started with the file.
    virtual bool Start(const QString& songPath) = 0;
};

class TDesktopFretloLink : public TFretloLink {
public:
    // `programFolder`: where `fretlo` is looked for (the importer is installed beside it, or
    // in the build tree's src/importer beside src/app);
    // `socketPath`: where a running Fretlo listens.
    explicit TDesktopFretloLink(QString programFolder, QString socketPath = InstanceSocketPath())
        : programFolder_(std::move(programFolder)), socketPath_(std::move(socketPath)) {}
    bool HandOver(const QString& songPath) override;
    bool Start(const QString& songPath) override;

private:
    QString programFolder_;
    QString socketPath_;
};

}  // namespace fretlo
