// Open in Fretlo: the replace question, the song written whole, the hand-over and the new
// Fretlo, with a stand-in for the editor and with the real socket and process.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <atomic>
#include <optional>
#include <thread>

#include "ParamName.h"
#include "base/Errors.h"
#include "import/ImportFiles.h"
#include "importer/OpenInFretlo.h"

namespace fretlo::test {
namespace {

class TRecordingLink : public TFretloLink {
public:
    bool Takes = true, Starts = true;
    QStringList HandedOver, Started;
    bool HandOver(const QString& path) override {
        HandedOver << path;
        return Takes;
    }
    bool Start(const QString& path) override {
        Started << path;
        return Starts;
    }
};

class OpenSong : public testing::Test {
protected:
    TScratchDir dir_;
    QString song_ = QString::fromStdString(dir_.File("Riff.frl"));
    TRecordingLink link_;
    QStringList asked_;

    TImportSession Session() {
        WriteFileAtomically(dir_.File("Riff.mid"), PartsFile({{"Riff", 0, 29, {52, 55, 57}}}));
        return TImportSession(dir_.File("Riff.mid"));
    }
    std::function<bool(const QString&)> Answer(bool yes) {
        return [this, yes](const QString& path) {
            asked_ << path;
            return yes;
        };
    }
};

struct TOpenCase {
    const char* Name;
    bool Existing, Yes, Takes, Starts;
    std::optional<TOpenResult> Result;  // none: an error that says where the song was saved
};
[[maybe_unused]] void PrintTo(const TOpenCase& row, std::ostream* os) { *os << row.Name; }

class OpenSongCases : public OpenSong, public testing::WithParamInterface<TOpenCase> {};

TEST_P(OpenSongCases, AskOnlyBeforeReplacingThenHandOverOrStart) {
    const TOpenCase& c = GetParam();
    const TBytes old{'o', 'l', 'd'};
    if (c.Existing) WriteFileAtomically(song_.toStdString(), old);
    link_.Takes = c.Takes;
    link_.Starts = c.Starts;
    std::optional<TOpenResult> result;
    try {
        result = OpenInFretlo(Session(), Answer(c.Yes), link_);
    } catch (const EFretloError& error) {
        EXPECT_NE(std::string(error.what()).find(song_.toStdString()), std::string::npos)
            << error.what();
    }
    EXPECT_EQ(result, c.Result);
    EXPECT_EQ(asked_, c.Existing ? QStringList{song_} : QStringList());
    const QStringList written = c.Result == TOpenResult::Kept ? QStringList() : QStringList{song_};
    EXPECT_EQ(link_.HandedOver, written);
    EXPECT_EQ(link_.Started, c.Takes ? QStringList() : written);
    if (written.isEmpty()) {
        EXPECT_EQ(ReadWholeFile(song_.toStdString()), old);
        return;
    }
    TCustomTabDoc doc;
    doc.LoadFromFile(song_.toStdString());
    EXPECT_EQ(doc.TrackCount(), 1);
    EXPECT_EQ(TrackNotes(doc, 0).size(), 3u);
}

INSTANTIATE_TEST_SUITE_P(
    Links, OpenSongCases,
    testing::Values(TOpenCase{"NewFileWithoutAQuestion", false, false, true, true, TOpenResult::HandedOver},
                    TOpenCase{"ExistingFileKeptOnNo", true, false, true, true, TOpenResult::Kept},
                    TOpenCase{"ExistingFileReplacedOnYes", true, true, true, true, TOpenResult::HandedOver},
                    TOpenCase{"RefusedHandOverStartsFretlo", false, true, false, true, TOpenResult::Started},
                    TOpenCase{"NeitherSaysWhereTheSongIs", false, true, false, false, std::nullopt}),
    PrintedName());

TEST_F(OpenSong, FailedImportWritesNothingAndCallsNoOne) {
    TImportSession session = Session();
    session.SetImported(0, false);
    EXPECT_THROW(OpenInFretlo(session, Answer(true), link_), EFretloError);
    EXPECT_FALSE(QFile::exists(song_));
    EXPECT_TRUE(link_.HandedOver.isEmpty() && link_.Started.isEmpty() && asked_.isEmpty());
}

// The real link: a listening Fretlo gets the song's path over the socket; without one,
// `fretlo` from the program folder is started with it.
TEST_F(OpenSong, DesktopLinkUsesTheSocketThenTheProgramFolder) {
    QTemporaryDir programs;
    const QString socket = programs.filePath("comm");
    TDesktopFretloLink desktop(programs.path(), socket);
    QStringList opened;
    {
        const TInstanceServer fretlo([] { return true; }, [&](const QString& file) { opened << file; },
                                     socket);
        std::atomic<bool> done = false;
        TOpenResult result{};
        const TImportSession session = Session();
        std::thread sender([&] {
            try {
                result = OpenInFretlo(session, Answer(true), desktop);
            } catch (const EFretloError& error) {
                ADD_FAILURE() << error.what();
            }
            done = true;
        });
        QElapsedTimer clock;
        clock.start();
        while (!done && clock.elapsed() < 10000) QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        sender.join();
        QCoreApplication::processEvents();
        EXPECT_EQ(result, TOpenResult::HandedOver);
        EXPECT_EQ(opened, QStringList{song_});
    }

    const QString record = programs.filePath("started");
    QFile script(programs.filePath("fretlo"));
    ASSERT_TRUE(script.open(QIODevice::WriteOnly));
    script.write(QString("#!/bin/sh\necho \"$1\" > '%1'\n").arg(record).toUtf8());
    script.close();
    script.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    EXPECT_EQ(OpenInFretlo(Session(), Answer(true), desktop), TOpenResult::Started);
    QElapsedTimer clock;
    clock.start();
    // The script creates its record before it writes the line: wait for the whole line.
    QByteArray line;
    while (!line.endsWith('\n') && clock.elapsed() < 10000) {
        QFile started(record);
        if (started.open(QIODevice::ReadOnly)) line = started.readAll();
        std::this_thread::yield();
    }
    EXPECT_EQ(line.trimmed(), song_.toUtf8());
}

}  // namespace
}  // namespace fretlo::test
