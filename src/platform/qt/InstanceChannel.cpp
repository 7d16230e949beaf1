#include "platform/qt/InstanceChannel.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QLocalServer>
#include <QLocalSocket>
#include <QStandardPaths>
#include <QTimer>
#include <QtEndian>
#include <unistd.h>

namespace fretlo {

namespace {

constexpr qsizetype HeaderBytes = 8;
// A file name longer than this is no file name: the connection is answered 0 and closed.
constexpr quint32 MaxNameBytes = 64 * 1024;
// How long a listener waits for the rest of a message that arrives in pieces.
constexpr int MessageTimeoutMs = HandOverTimeoutMs;

int RemainingMs(const QElapsedTimer& clock, int timeoutMs) {
    return std::max(0, timeoutMs - static_cast<int>(clock.elapsed()));
}

}  // namespace

QString InstanceSocketPath() {
    return QDir(QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation))
        .filePath(QString("Fretlo-2.03-CommWindow-%1").arg(::getuid()));
}

bool HandOverToRunningInstance(const QString& fileName, const QString& socketPath, int timeoutMs) {
    if (fileName.isEmpty() || !QFileInfo::exists(socketPath)) return false;
    QElapsedTimer clock;
    clock.start();
    QLocalSocket socket;
    socket.connectToServer(socketPath);
    if (!socket.waitForConnected(RemainingMs(clock, timeoutMs))) return false;

    const QByteArray name = QFileInfo(fileName).absoluteFilePath().toUtf8();
    QByteArray message(HeaderBytes, '\0');
    qToLittleEndian<quint32>(HandOverMessage, message.data());
    qToLittleEndian<quint32>(static_cast<quint32>(name.size()), message.data() + 4);
    message += name;
    socket.write(message);
    while (socket.bytesToWrite() > 0) {
        if (!socket.waitForBytesWritten(RemainingMs(clock, timeoutMs))) return false;
    }
    while (socket.bytesAvailable() < 1) {
        if (!socket.waitForReadyRead(RemainingMs(clock, timeoutMs))) return false;
    }
    char reply = 0;
    return socket.getChar(&reply) && reply == 1;
}

TInstanceServer::TInstanceServer(std::function<bool()> accept, std::function<void(const QString&)> open,
                                 const QString& socketPath)
    : accept_(std::move(accept)), open_(std::move(open)), server_(new QLocalServer(this)) {
    server_->setSocketOptions(QLocalServer::UserAccessOption);
    connect(server_, &QLocalServer::newConnection, this, &TInstanceServer::TakeConnection);
    Listen(socketPath);
}

TInstanceServer::~TInstanceServer() = default;

bool TInstanceServer::IsListening() const { return server_->isListening(); }

// A socket file left by a killed instance refuses connections: it is removed and taken over.
// One that answers belongs to a live instance, which keeps it. (The probe comes first: Qt
// puts its new socket in place by renaming, which would take a live instance's name away.)
void TInstanceServer::Listen(const QString& socketPath) {
    QDir().mkpath(QFileInfo(socketPath).path());
    if (QFileInfo::exists(socketPath)) {
        QLocalSocket probe;
        probe.connectToServer(socketPath);
        if (probe.waitForConnected(500)) return;
        QLocalServer::removeServer(socketPath);
    }
    server_->listen(socketPath);
}

void TInstanceServer::TakeConnection() {
    while (QLocalSocket* socket = server_->nextPendingConnection()) {
        connect(socket, &QLocalSocket::readyRead, this, [this, socket] { Read(socket); });
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        // A client that never finishes its message does not hold a socket for the whole run.
        QTimer::singleShot(MessageTimeoutMs, socket, [socket] { socket->abort(); });
        Read(socket);
    }
}

void TInstanceServer::Read(QLocalSocket* socket) {
    if (socket->bytesAvailable() < HeaderBytes) return;
    char header[HeaderBytes];
    socket->peek(header, HeaderBytes);
    const quint32 code = qFromLittleEndian<quint32>(header);
    const quint32 count = qFromLittleEndian<quint32>(header + 4);
    if (code != HandOverMessage || count > MaxNameBytes) {
        socket->write(QByteArray(1, '\0'));
        socket->disconnectFromServer();
        return;
    }
    if (socket->bytesAvailable() < HeaderBytes + count) return;
    socket->skip(HeaderBytes);
    const QString fileName = QString::fromUtf8(socket->read(count));
    const bool taken = accept_();
    socket->write(QByteArray(1, taken ? '\1' : '\0'));
    socket->flush();
    socket->disconnectFromServer();
    if (taken) QTimer::singleShot(0, this, [this, fileName] { open_(fileName); });
}

}  // namespace fretlo
