// Tools > Import MIDI Tool is enabled only where the program is found from fretlo's folder.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "shell/ImportMidiTool.h"

namespace fretlo::test {
namespace {

struct TToolCase {
    const char* Name;
    const char* Place;  // below the prefix; nullptr for no program
    bool Executable;
    bool Found;
};

class ImportToolPath : public testing::TestWithParam<TToolCase> {};

TEST_P(ImportToolPath, FoundOnlyAsAProgramInItsPlaces) {
    const TToolCase& c = GetParam();
    QTemporaryDir prefix;
    QDir(prefix.path()).mkpath("bin");
    QString tool;
    if (c.Place) {
        QDir(prefix.path()).mkpath(c.Place);
        tool = QDir::cleanPath(prefix.filePath(QString(c.Place) + '/' + ImportToolName));
        QFile file(tool);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.close();
        if (c.Executable) file.setPermissions(QFile::ReadOwner | QFile::ExeOwner);
    }
    EXPECT_EQ(fretlo::ImportToolPath(prefix.filePath("bin")), c.Found ? tool : QString());
}

INSTANTIATE_TEST_SUITE_P(
    Places, ImportToolPath,
    testing::Values(TToolCase{"BesideFretlo", "bin", true, true},
                    TToolCase{"Libexec", "libexec/fretlo", true, true},
                    TToolCase{"BuildTree", "importer", true, true},
                    TToolCase{"NotExecutable", "bin", false, false},
                    TToolCase{"ElsewhereInThePrefix", "lib", true, false},
                    TToolCase{"Missing", nullptr, false, false}),
    [](const auto& info) { return std::string(info.param.Name); });

TEST(ImportToolFolder, ADirectoryOfThatNameIsNoProgram) {
    QTemporaryDir prefix;
    QDir(prefix.path()).mkpath(QString("bin/") + ImportToolName);
    EXPECT_TRUE(fretlo::ImportToolPath(prefix.filePath("bin")).isEmpty());
}

}  // namespace
}  // namespace fretlo::test
