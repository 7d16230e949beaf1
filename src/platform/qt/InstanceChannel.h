// The per-user instance channel: a running Fretlo listens on a local socket, and a second
// start hands its command-line file over to it instead of opening a window of its own.
// Wire form: u32 1112, u32 byte count, the file name's bytes (UTF-8), all little-endian; the
// answer is one byte, 1 when the running instance takes the file, 0 when it does not.
#pragma once

#include <QObject>
#include <QString>
#include <functional>

class QLocalServer;
class QLocalSocket;

namespace fretlo {

inline constexpr quint32 HandOverMessage = 1112;
inline constexpr int HandOverTimeoutMs = 5000;

// "<runtime folder>/Fretlo-2.03-CommWindow-<user id>".
QString InstanceSocketPath();

// Offers `fileName` (made absolute: the receiver runs in another folder) to the instance
// listening at `socketPath`; true when it took the file and this process should end. No
// listener, a refused connection (the socket of a killed instance), a time-out or a reply
// other than 1 all give false. Waits at most `timeoutMs` in all.
bool HandOverToRunningInstance(const QString& fileName, const QString& socketPath = InstanceSocketPath(),
                               int timeoutMs = HandOverTimeoutMs);

// The receiving end. `accept` answers a hand-over at once (its result is the reply); when it
// said yes, `open` runs afterwards from the event loop, so the sender is never kept waiting
// by a question `open` asks.
class TInstanceServer : public QObject {
    Q_OBJECT
public:
    TInstanceServer(std::function<bool()> accept, std::function<void(const QString&)> open,
                    const QString& socketPath = InstanceSocketPath());
    ~TInstanceServer() override;

    // False when another live instance already listens there (this one then receives nothing).
    bool IsListening() const;

private:
    void Listen(const QString& socketPath);
    void TakeConnection();
    void Read(QLocalSocket* socket);

    std::function<bool()> accept_;
    std::function<void(const QString&)> open_;
    QLocalServer* server_;
};

}  // namespace fretlo
