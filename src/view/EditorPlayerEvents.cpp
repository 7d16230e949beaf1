#include "view/EditorPlayerEvents.h"

#include <QCoreApplication>

namespace fretlo {

void TEditorPlayerEvents::PostPosition() {
    QCoreApplication::postEvent(receiver_, new QEvent(PositionEventType));
}

void TEditorPlayerEvents::PostSongEnd() {
    QCoreApplication::postEvent(receiver_, new QEvent(SongEndEventType));
}

void TEditorPlayerEvents::PostPlayError(std::unique_ptr<std::string> text) {
    QCoreApplication::postEvent(receiver_, new TPlayErrorEvent(text ? *text : std::string()));
}

TReleaseService::TReleaseService(QObject* receiver) : receiver_(receiver) {
    try {
        listener_.emplace([this] { return AwaitRelease(); });
    } catch (const EFretloError&) {
        // Another view of this process answers for it; this one still plays.
    }
}

TReleaseService::~TReleaseService() {
    {
        std::lock_guard lock(mutex_);
        shutdown_ = true;
    }
    done_.notify_all();
    listener_.reset();  // joins the listener thread, which no longer waits
}

// On the listener thread. The receiver is alive while shutdown_ is false, since the
// destructor sets it before the receiver goes away.
bool TReleaseService::AwaitRelease() {
    std::unique_lock lock(mutex_);
    if (shutdown_) return true;
    waiting_ = true;
    QCoreApplication::postEvent(receiver_, new QEvent(ReleaseEventType));
    done_.wait(lock, [this] { return !waiting_ || shutdown_; });
    waiting_ = false;
    return true;
}

void TReleaseService::Released() {
    {
        std::lock_guard lock(mutex_);
        waiting_ = false;
    }
    done_.notify_all();
}

}  // namespace fretlo
