// Tools > Import MIDI Tool is enabled only where the program is found from fretlo's folder.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "ParamName.h"
#include "shell/ImportMidiTool.h"

namespace fretlo::test {
namespace {

enum TMade { Program, PlainFile, Folder };

struct TToolCase {
    const char* Name;
    const char* Place;  // below the prefix; nullptr for nothing there
    TMade Made;
    bool Found;
};
[[maybe_unused]] void PrintTo(const TToolCase& row, std::ostream* os) { *os << row.Name; }

class ImportToolPath : public testing::TestWithParam<TToolCase> {};

TEST_P(ImportToolPath, FoundOnlyAsAProgramInItsPlaces) {
    const TToolCase& c = GetParam();
    QTemporaryDir prefix;
    QDir(prefix.path()).mkpath("bin");
    QString tool;
    if (c.Place) {
        tool = QDir::cleanPath(prefix.filePath(QString(c.Place) + '/' + ImportToolName));
        if (c.Made == Folder) {
            QDir(prefix.path()).mkpath(tool);
        } else {
            QDir(prefix.path()).mkpath(c.Place);
            QFile file(tool);
            ASSERT_TRUE(file.open(QIODevice::WriteOnly));
            file.close();
            if (c.Made == Program) file.setPermissions(QFile::ReadOwner | QFile::ExeOwner);
        }
    }
    EXPECT_EQ(fretlo::ImportToolPath(prefix.filePath("bin")), c.Found ? tool : QString());
}

INSTANTIATE_TEST_SUITE_P(Places, ImportToolPath,
                         testing::Values(TToolCase{"BesideFretlo", "bin", Program, true},
                                         TToolCase{"Libexec", "libexec/fretlo", Program, true},
                                         TToolCase{"BuildTree", "importer", Program, true},
                                         TToolCase{"NotExecutable", "bin", PlainFile, false},
                                         TToolCase{"AFolderOfThatName", "bin", Folder, false},
                                         TToolCase{"Missing", nullptr, Program, false}),
                         PrintedName());

}  // namespace
}  // namespace fretlo::test
