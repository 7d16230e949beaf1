// The hand-over between two instances over the local socket, with the sender on a thread of
// its own as a second process would be; the stale socket of a killed instance; the marker.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLocalSocket>
#include <QTemporaryDir>
#include <QtEndian>
#include <atomic>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <thread>
#include <unistd.h>

#include "platform/qt/InstanceChannel.h"
#include "platform/qt/ProcessMarker.h"

namespace fretlo::test {
namespace {

class InstanceChannel : public testing::Test {
protected:
    QTemporaryDir dir_;
    QString socket_ = dir_.filePath("comm");
    QStringList opened_;

    std::unique_ptr<TInstanceServer> Server(bool accepts) {
        return std::make_unique<TInstanceServer>([accepts] { return accepts; },
                                                 [this](const QString& file) { opened_ << file; }, socket_);
    }

    // `send` on another thread while this one serves events, as the receiving program does.
    template <class F> auto FromOtherThread(F send) {
        std::atomic<bool> done = false;
        decltype(send()) result{};
        std::thread sender([&] {
            result = send();
            done = true;
        });
        QElapsedTimer clock;
        clock.start();
        while (!done && clock.elapsed() < 10000) QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        sender.join();
        QCoreApplication::processEvents();  // the queued open
        return result;
    }
};

TEST_F(InstanceChannel, ReplyFollowsTheReceiverAndOnlyATakenFileIsOpened) {
    for (const bool accepts : {true, false}) {
        opened_.clear();
        auto server = Server(accepts);
        ASSERT_TRUE(server->IsListening());
        const QString file = QDir::current().filePath("song.frl");
        EXPECT_EQ(FromOtherThread([&] { return HandOverToRunningInstance("song.frl", socket_); }), accepts);
        EXPECT_EQ(opened_, accepts ? QStringList{file} : QStringList{}) << "relative names go over absolute";
    }
}

TEST_F(InstanceChannel, NoListenerOrAStaleSocketGivesFalseAndIsTakenOver) {
    EXPECT_FALSE(HandOverToRunningInstance("/a.frl", socket_));
    // What a killed instance leaves: a socket file nobody listens on.
    const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    const QByteArray path = QFile::encodeName(socket_);
    std::copy(path.begin(), path.end(), address.sun_path);
    ASSERT_EQ(::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
    ::close(fd);
    ASSERT_TRUE(QFile::exists(socket_));

    QElapsedTimer clock;
    clock.start();
    EXPECT_FALSE(HandOverToRunningInstance("/a.frl", socket_));
    EXPECT_LT(clock.elapsed(), 1000) << "a refused connection is no time-out";
    auto server = Server(true);
    EXPECT_TRUE(server->IsListening());
    EXPECT_TRUE(FromOtherThread([&] { return HandOverToRunningInstance("/a.frl", socket_); }));
}

TEST_F(InstanceChannel, ALiveListenerKeepsItsSocket) {
    auto first = Server(true);
    auto second = Server(true);
    EXPECT_FALSE(second->IsListening());
    EXPECT_TRUE(FromOtherThread([&] { return HandOverToRunningInstance("/a.frl", socket_); }));
    EXPECT_EQ(opened_, QStringList{"/a.frl"});
}

TEST_F(InstanceChannel, AnotherMessageIsAnsweredZeroAndOpensNothing) {
    auto server = Server(true);
    for (const auto& [code, count] : {std::pair<quint32, quint32>{0x0591, 4}, {HandOverMessage, 1u << 30}}) {
        const char reply = FromOtherThread([&, code = code, count = count] {
            QLocalSocket socket;
            socket.connectToServer(socket_);
            if (!socket.waitForConnected(2000)) return char(-1);
            char header[8];
            qToLittleEndian<quint32>(code, header);
            qToLittleEndian<quint32>(count, header + 4);
            socket.write(header, 8);
            socket.write("abcd");
            socket.waitForBytesWritten(2000);
            char answer = -1;
            if (socket.waitForReadyRead(2000)) socket.getChar(&answer);
            return answer;
        });
        EXPECT_EQ(reply, 0) << code;
    }
    EXPECT_TRUE(opened_.isEmpty());
}

TEST(ProcessMarker, IsHeldWhileTheMarkerLives) {
    QTemporaryDir dir;
    const QString path = dir.filePath("WinFretloProcess");
    const auto othersCanLockExclusively = [&] {
        const int fd = ::open(QFile::encodeName(path).constData(), O_RDWR | O_CREAT, 0600);
        const bool locked = ::flock(fd, LOCK_EX | LOCK_NB) == 0;
        ::close(fd);
        return locked;
    };
    {
        const TProcessMarker marker(path);
        const TProcessMarker second(path);  // a second instance marks as well
        EXPECT_FALSE(othersCanLockExclusively());
    }
    EXPECT_TRUE(othersCanLockExclusively());
}

}  // namespace
}  // namespace fretlo::test
