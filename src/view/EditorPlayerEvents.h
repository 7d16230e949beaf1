// What reaches the player bridge (TEditorPlayer) from other threads: the player's
// position, song end and error notices, and another instance's request to release the MIDI
// device. Each is a posted QEvent, so the bridge handles it on the user-interface thread.
#pragma once

#include <QEvent>
#include <QObject>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <optional>
#include <string>

#include "platform/UnixReleaseChannel.h"
#include "playback/Player.h"

namespace fretlo {

// The event types carry the numbers of the player's messages.
inline const QEvent::Type PositionEventType = static_cast<QEvent::Type>(QEvent::User + 0x0592);
inline const QEvent::Type SongEndEventType = static_cast<QEvent::Type>(QEvent::User + 0x0593);
inline const QEvent::Type PlayErrorEventType = static_cast<QEvent::Type>(QEvent::User + 0x0594);
inline const QEvent::Type ReleaseEventType = static_cast<QEvent::Type>(QEvent::User + 0x0591);

class TPlayErrorEvent : public QEvent {
public:
    explicit TPlayErrorEvent(std::string text) : QEvent(PlayErrorEventType), Text(std::move(text)) {}
    const std::string Text;
};

// Posts the player's notices to a receiver that outlives the player.
class TEditorPlayerEvents : public TPlayerEvents {
public:
    explicit TEditorPlayerEvents(QObject* receiver) : receiver_(receiver) {}
    void PostPosition() override;
    void PostSongEnd() override;
    void PostPlayError(std::unique_ptr<std::string> text) override;

private:
    QObject* receiver_;
};

// Answers other instances' requests to close the device: the listener thread posts a
// ReleaseEventType event and waits until the receiver calls Released() (or shutdown).
class TReleaseService {
public:
    // No listener when this process's socket name is taken (a second bridge in one process).
    explicit TReleaseService(QObject* receiver);
    ~TReleaseService();
    TReleaseService(const TReleaseService&) = delete;
    TReleaseService& operator=(const TReleaseService&) = delete;

    TDeviceReleaseRequest& Requester() { return requester_; }
    // The device is closed: the waiting request gets its answer.
    void Released();

private:
    bool AwaitRelease();

    QObject* receiver_;
    TUnixReleaseRequest requester_;
    std::mutex mutex_;
    std::condition_variable done_;
    bool waiting_ = false;
    bool shutdown_ = false;
    std::optional<TUnixReleaseListener> listener_;
};

}  // namespace fretlo
