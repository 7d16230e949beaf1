// The .frl association in a home folder of the test's own: registering, detecting, removing,
// and another program's registration left as it was; the desktop's own tools read the result
// (which also shows that the files lie in the user's folders).
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

#include "base/Errors.h"
#include "platform/qt/FileAssociation.h"

namespace fretlo::test {
namespace {

const QString OtherPackage = R"(<?xml version="1.0"?>
<mime-info xmlns="http://www.freedesktop.org/standards/shared-mime-info">
  <mime-type type="application/x-other-tabs"><glob pattern="*.frl"/></mime-type>
</mime-info>
)";
const QString OtherEntry = "[Desktop Entry]\nType=Application\nName=Other\nExec=/opt/other %f\n"
                           "MimeType=application/x-fretlo-tablature;application/x-other-tabs;\n";

QString ReadText(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

void WriteText(const QString& path, const QString& text) {
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(text.toUtf8());
}

class FileAssociation : public testing::Test {
protected:
    QTemporaryDir home_;
    QByteArray savedHome_ = qgetenv("HOME");
    TAssociationFiles files_;

    void SetUp() override {
        qputenv("HOME", QFile::encodeName(home_.path()));
        qunsetenv("XDG_DATA_HOME");
        qunsetenv("XDG_CONFIG_HOME");
        files_ = UserAssociationFiles();
    }
    void TearDown() override { qputenv("HOME", savedHome_); }

    QString Home(const QString& path) const { return QDir(home_.path()).filePath(path); }

    // A desktop tool run in the test's home; its output, or nothing when it is not installed.
    std::optional<QString> Run(const QString& tool, const QStringList& arguments) const {
        const QString program = QStandardPaths::findExecutable(tool);
        if (program.isEmpty()) return std::nullopt;
        QProcess process;
        process.setProcessChannelMode(QProcess::MergedChannels);
        process.start(program, arguments);
        process.waitForFinished(30000);
        return QString::fromUtf8(process.readAll()).trimmed() +
               (process.exitCode() == 0 ? "" : "\n(exit " + QString::number(process.exitCode()) + ")");
    }
};

TEST_F(FileAssociation, IsDetectedForTheRegisteredProgramOnlyUntilRemoved) {
    for (const QString program : {"/usr/bin/fretlo", "/home/ann/my \"tabs\" $app/fretlo"}) {
        EXPECT_FALSE(IsAssociated(program, files_));
        RegisterAssociation(program, files_);
        EXPECT_TRUE(IsAssociated(program, files_)) << program.toStdString();
        EXPECT_FALSE(IsAssociated("/usr/local/bin/fretlo", files_)) << "another installation's program";
        EXPECT_FALSE(IsAssociated(program.toUpper(), files_)) << "Linux names differ by letter case";
        UnregisterAssociation(files_);
        EXPECT_FALSE(IsAssociated(program, files_));
        EXPECT_FALSE(QFile::exists(files_.MimePackage()));
        EXPECT_FALSE(QFile::exists(files_.DesktopEntry()));
    }
    EXPECT_EQ(ExecLine("/home/ann/my \"tabs\" $app/fretlo"), R"("/home/ann/my \"tabs\" \$app/fretlo" %f)");
    EXPECT_EQ(ExecLine("/opt/100%/fretlo"), "/opt/100%%/fretlo %f");
}

TEST_F(FileAssociation, TakesOverTheDefaultButLeavesAnotherProgramsFilesAlone) {
    const QString otherPackage = Home(".local/share/mime/packages/other.xml");
    const QString otherEntry = Home(".local/share/applications/other.desktop");
    WriteText(otherPackage, OtherPackage);
    WriteText(otherEntry, OtherEntry);
    WriteText(files_.MimeApps, "# mine\n[Default Applications]\ntext/plain=editor.desktop\n"
                               "application/x-fretlo-tablature=other.desktop;\n\n[Added Associations]\n"
                               "application/x-fretlo-tablature=other.desktop;\n");
    RegisterAssociation("/usr/bin/fretlo", files_);
    EXPECT_TRUE(IsAssociated("/usr/bin/fretlo", files_));
    EXPECT_EQ(ReadText(files_.MimeApps),
              "# mine\n[Default Applications]\ntext/plain=editor.desktop\n"
              "application/x-fretlo-tablature=fretlo.desktop;\n\n[Added Associations]\n"
              "application/x-fretlo-tablature=other.desktop;\n");

    UnregisterAssociation(files_);
    EXPECT_EQ(ReadText(otherPackage), OtherPackage);
    EXPECT_EQ(ReadText(otherEntry), OtherEntry);
    EXPECT_EQ(ReadText(files_.MimeApps), "# mine\n[Default Applications]\ntext/plain=editor.desktop\n\n"
                                         "[Added Associations]\napplication/x-fretlo-tablature=other.desktop;\n");
    // A default list naming Fretlo first keeps the others.
    WriteText(files_.MimeApps, "[Default Applications]\napplication/x-fretlo-tablature=fretlo.desktop;other.desktop;\n");
    UnregisterAssociation(files_);
    EXPECT_EQ(ReadText(files_.MimeApps), "[Default Applications]\napplication/x-fretlo-tablature=other.desktop;\n");
}

TEST_F(FileAssociation, AFileThatCannotBeWrittenIsNamedInTheError) {
    QDir().mkpath(files_.MimeApps);  // a folder where the list should be
    try {
        RegisterAssociation("/usr/bin/fretlo", files_);
        FAIL() << "no error";
    } catch (const EFretloError& e) {
        EXPECT_EQ(e.what(), "Failed to create key " + files_.MimeApps.toStdString());
    }
    EXPECT_TRUE(QFile::exists(files_.DesktopEntry())) << "what was written before stays";
}

TEST_F(FileAssociation, TheDesktopToolsReadTheRegistration) {
    RegisterAssociation("/usr/bin/fretlo", files_);
    TellDesktopAssociationsChanged(files_);
    const auto query = Run("xdg-mime", {"query", "default", SongMimeType});
    if (!query) GTEST_SKIP() << "xdg-utils is not installed";
    EXPECT_EQ(*query, "fretlo.desktop");
    if (const auto valid = Run("desktop-file-validate", {files_.DesktopEntry()})) {
        EXPECT_EQ(*valid, "");
    }
    if (QStandardPaths::findExecutable("update-mime-database").isEmpty()) return;
    EXPECT_TRUE(QFile::exists(QDir(files_.MimeFolder).filePath("application/x-fretlo-tablature.xml")))
        << "the MIME database was rebuilt";
}

}  // namespace
}  // namespace fretlo::test
