// Two processes on one store: a pass waits for the other's lock, and a lock left by a killed
// process is taken over.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <chrono>
#include <cstdio>
#include <future>
#include <iostream>
#include <string>
#include <thread>

#include "shell/ConfigIniFile.h"

namespace fretlo::test {

namespace {
constexpr char HoldLockArg[] = "--hold-config-lock";
}

// The second process: holds the lock on the file named, prints "locked", and on the line "write"
// writes Holder=child and exits, letting the lock go. Returns -1 when not asked to run.
int RunLockHolder(int argc, char** argv) {
    if (argc != 3 || std::string(argv[1]) != HoldLockArg) return -1;
    QCoreApplication app(argc, argv);
    TConfigIniFile store(QString::fromLocal8Bit(argv[2]));
    std::cout << (store.HasLock() ? "locked" : "unlocked") << std::endl;
    std::string line;
    while (std::getline(std::cin, line) && line != "write") {}
    store.WriteString("", "Holder", "child");
    return 0;
}

namespace {

class ConfigLock : public testing::Test {
protected:
    QTemporaryDir dir_;
    QString file_ = dir_.filePath("WinFretlo.ini");
    QProcess holder_;

    void StartHolder() {
        holder_.start(QCoreApplication::applicationFilePath(), {HoldLockArg, file_});
        ASSERT_TRUE(holder_.waitForStarted());
        while (!holder_.canReadLine()) ASSERT_TRUE(holder_.waitForReadyRead(-1)) << "the holder ended";
        ASSERT_EQ(holder_.readLine().trimmed(), "locked");
    }
    void TearDown() override {
        if (holder_.state() != QProcess::NotRunning) {
            holder_.kill();
            holder_.waitForFinished();
        }
    }
};

TEST_F(ConfigLock, PassWaitsUntilTheOtherProcessHasWrittenAndLetGo) {
    StartHolder();
    auto reader =
        std::async(std::launch::async, [this] { return TConfigIniFile(file_).ReadString("", "Holder"); });
    // Give an unguarded reader every chance to read before the holder writes.
    std::this_thread::sleep_for(std::chrono::milliseconds(200));
    holder_.write("write\n");
    ASSERT_TRUE(holder_.waitForFinished(-1));
    EXPECT_EQ(holder_.exitCode(), 0);
    EXPECT_EQ(reader.get(), "child");
}

TEST_F(ConfigLock, LockOfAKilledProcessIsTakenOver) {
    StartHolder();
    holder_.kill();
    ASSERT_TRUE(holder_.waitForFinished(-1));
    ASSERT_TRUE(QFile::exists(ConfigLockFile(file_)));
    TConfigIniFile store(file_);
    EXPECT_TRUE(store.HasLock());
    EXPECT_EQ(store.ReadString("", "Holder"), std::nullopt);
}

}  // namespace
}  // namespace fretlo::test
