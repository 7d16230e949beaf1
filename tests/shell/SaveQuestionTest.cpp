// The save-changes question when the save that "Yes" starts fails: every command that asks it
// is abandoned, the window and the changed song stay, and the old file keeps its bytes. The
// failure comes from a file-size limit (any file system) and from a real full file system.
// Also: the recent file that was clicked is the one opened, whatever the save reorders.
#include <sys/mount.h>
#include <sys/resource.h>

#include <QFile>
#include <QtTest/QTest>
#include <csignal>
#include <fstream>

#include "shell/MainFormFixture.h"
#include "shell/NewSongDialog.h"

namespace fretlo::test {
namespace {

QByteArray FileBytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Writes fail past a few bytes while it lives (EFBIG instead of the signal).
class FileSizeLimit {
public:
    FileSizeLimit() {
        getrlimit(RLIMIT_FSIZE, &old_);
        oldHandler_ = std::signal(SIGXFSZ, SIG_IGN);
        rlimit small = old_;
        small.rlim_cur = 16;
        setrlimit(RLIMIT_FSIZE, &small);
    }
    ~FileSizeLimit() {
        setrlimit(RLIMIT_FSIZE, &old_);
        std::signal(SIGXFSZ, oldHandler_);
    }
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;

private:
    rlimit old_{};
    void (*oldHandler_)(int) = nullptr;
};

// A small tmpfs at `folder`, filled to the last byte once `Fill` is called.
class FullFileSystem {
public:
    explicit FullFileSystem(const QString& folder) : folder_(folder.toStdString()) {
        mounted_ = mount("tmpfs", folder_.c_str(), "tmpfs", 0, "size=256k") == 0;
    }
    ~FullFileSystem() {
        if (mounted_) umount2(folder_.c_str(), MNT_DETACH);
    }
    FullFileSystem(const FullFileSystem&) = delete;
    FullFileSystem& operator=(const FullFileSystem&) = delete;
    bool Mounted() const { return mounted_; }
    void Fill() const {
        std::ofstream filler(folder_ + "/filler", std::ios::binary);
        const std::string block(4096, 'x');
        while (filler.write(block.data(), static_cast<std::streamsize>(block.size())) && filler.flush()) {
        }
        filler.clear();
        for (int i = 0; i < 4096 && filler.put('x') && filler.flush(); ++i) {
        }
    }

private:
    std::string folder_;
    bool mounted_ = false;
};

enum class Failure { SizeLimit, FullDisk };

[[maybe_unused]] void PrintTo(Failure f, std::ostream* os) {
    *os << (f == Failure::SizeLimit ? "SizeLimit" : "FullDisk");
}

struct Question {
    const char* name;
    // Runs the command that asks the question; false when it reports the window closed.
    std::function<bool(TMainForm&)> run;
};

void PrintTo(const Question& q, std::ostream* os) { *os << q.name; }

// Notes any modal dialog that opens after the error box and closes it: the command went on.
class WentOnWatch {
public:
    WentOnWatch() {
        QObject::connect(&timer_, &QTimer::timeout, [this] {
            QWidget* modal = QApplication::activeModalWidget();
            if (!modal || !modal->isVisible()) return;
            wentOn_ = modal->metaObject()->className();
            if (auto* dialog = qobject_cast<QDialog*>(modal)) dialog->reject();
        });
        timer_.start(2);
    }
    const QString& WentOn() const { return wentOn_; }

private:
    QTimer timer_;
    QString wentOn_;
};

class SaveQuestion : public MainFormTest, public testing::WithParamInterface<std::tuple<Failure, Question>> {};

TEST_P(SaveQuestion, FailedSaveAbandonsTheCommandAndKeepsEverything) {
    const auto& [failure, question] = GetParam();
    QDir().mkpath(Path("disk"));
    FullFileSystem disk(Path("disk"));
    if (failure == Failure::FullDisk && !disk.Mounted()) GTEST_SKIP() << "no tmpfs can be mounted here";
    const QString song = Path("disk/song.frl");
    const QString other = Path("other.frl");
    Form().show();
    QTest::keyClicks(&View(), "3");
    Doc().SaveToFile(other.toStdString());
    Doc().SaveToFile(song.toStdString());
    Form().RememberFile();
    const QByteArray oldBytes = FileBytes(song);
    QTest::keyClick(&View(), Qt::Key_Right);
    QTest::keyClicks(&View(), "5");
    ASSERT_TRUE(Doc().Modified);

    std::unique_ptr<FileSizeLimit> limit;
    if (failure == Failure::SizeLimit)
        limit = std::make_unique<FileSizeLimit>();
    else
        disk.Fill();
    QString error;
    std::unique_ptr<WentOnWatch> watch;
    OnNextModal([&](QWidget* modal) {
        AnswerMessage(QMessageBox::Ok, &error);
        qobject_cast<QMessageBox*>(modal)->button(QMessageBox::Yes)->click();
    });
    const bool open = question.run(Form());
    limit.reset();

    EXPECT_TRUE(open);
    EXPECT_TRUE(Form().isVisible());
    EXPECT_TRUE(error.startsWith("Cannot write")) << error.toStdString();
    if (failure == Failure::FullDisk) {
        EXPECT_TRUE(error.contains("No space left on device")) << error.toStdString();
    }
    EXPECT_TRUE(Doc().Modified);
    EXPECT_EQ(Doc().FileName, song.toStdString());
    EXPECT_EQ(Doc().Track(0).Space(1).Notes[0], NoteFretBase + 5);
    EXPECT_EQ(FileBytes(song), oldBytes);
    // Nothing the command would have asked next comes up.
    watch = std::make_unique<WentOnWatch>();
    QTest::qWait(30);
    EXPECT_EQ(watch->WentOn(), "");
}

QAction* Named(TMainForm& form, const QString& caption) {
    for (QAction* action : form.findChildren<QAction*>())
        if (action->text() == caption) return action;
    return nullptr;
}

const Question Questions[] = {
    {"Close", [](TMainForm& f) { return !f.close() || f.isVisible(); }},
    {"Exit", [](TMainForm& f) { Named(f, "E&xit")->trigger(); return f.isVisible(); }},
    {"New", [](TMainForm& f) { Named(f, "&New...")->trigger(); return true; }},
    {"Open", [](TMainForm& f) { Named(f, "&Open...")->trigger(); return true; }},
    {"Recent", [](TMainForm& f) { f.FMRUClick(0); return true; }},
};

INSTANTIATE_TEST_SUITE_P(EveryQuestion, SaveQuestion,
                         testing::Combine(testing::Values(Failure::SizeLimit, Failure::FullDisk),
                                          testing::ValuesIn(Questions)),
                         [](const auto& info) {
                             return std::string(std::get<0>(info.param) == Failure::SizeLimit ? "SizeLimit"
                                                                                               : "FullDisk") +
                                    std::get<1>(info.param).name;
                         });

using RecentFiles = MainFormTest;

TEST_F(RecentFiles, TheClickedEntryOpensEvenWhenSavingFirstReordersTheList) {
    const QString first = Path("first.frl");
    const QString second = Path("second.frl");
    QTest::keyClicks(&View(), "1");
    Doc().SaveToFile(first.toStdString());
    QTest::keyClick(&View(), Qt::Key_Right);
    QTest::keyClicks(&View(), "2");
    Doc().SaveToFile(second.toStdString());
    Form().OpenFile(second);
    Form().OpenFile(first);  // the list: first, second
    AcceptDialog<TBarLinesForm>();
    Form().actFileNewExecute();
    QTest::keyClicks(&View(), "7");

    OnNextModal([&](QWidget* modal) {
        ChooseFile(Path("third.frl"));
        qobject_cast<QMessageBox*>(modal)->button(QMessageBox::Yes)->click();
    });
    Form().FMRUClick(1);
    EXPECT_EQ(Doc().FileName, second.toStdString());
    EXPECT_EQ(Doc().Track(0).Space(1).Notes[0], NoteFretBase + 2);
}

}  // namespace
}  // namespace fretlo::test
