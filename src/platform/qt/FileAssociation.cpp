#include "platform/qt/FileAssociation.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QXmlStreamReader>

#include "base/Errors.h"
#include "platform/SafeFile.h"
#include "platform/qt/KeyFile.h"

namespace fretlo {

namespace {

const QString EntryGroup = "Desktop Entry";
const QString DefaultsGroup = "Default Applications";
const QString EntryName = "fretlo.desktop";

// The texts the installation puts in the system folders, built into the program.
QString InstalledText(const char* resource) {
    QFile file(QString(":/fretlo/") + resource);
    file.open(QIODevice::ReadOnly);
    return QString::fromUtf8(file.readAll());
}

// A string value of a key file keeps a backslash as "\\".
QString KeyFileString(QString text) { return text.replace(u'\\', QString("\\\\")); }

QString DesktopEntryText(const QString& program) {
    return InstalledText("applications/fretlo.desktop.in").replace("@FRETLO_EXEC@", KeyFileString(ExecLine(program)));
}

// Whether the MIME package at `path` declares Fretlo's type for *.frl.
bool DeclaresSongType(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return false;
    QXmlStreamReader xml(&file);
    bool inSongType = false;
    while (xml.readNext() != QXmlStreamReader::Invalid && !xml.atEnd()) {
        if (xml.isStartElement() && xml.name() == u"mime-type")
            inSongType = xml.attributes().value("type") == QLatin1String(SongMimeType);
        else if (xml.isEndElement() && xml.name() == u"mime-type")
            inSongType = false;
        else if (inSongType && xml.isStartElement() && xml.name() == u"glob" &&
                 xml.attributes().value("pattern").compare(u"*.frl", Qt::CaseInsensitive) == 0)
            return true;
    }
    return false;
}

bool ListsSongType(const TKeyFile& entry) {
    return ListItems(entry.Value(EntryGroup, "MimeType").value_or("")).contains(SongMimeType);
}

void WriteText(const QString& path, const QString& text) {
    try {
        QDir().mkpath(QFileInfo(path).path());
        const QByteArray bytes = text.toUtf8();
        WriteFileAtomically(QFile::encodeName(path).toStdString(), std::vector<uint8_t>(bytes.begin(), bytes.end()));
    } catch (const EFretloError&) {
        throw EFretloError("Failed to create key " + path.toStdString());
    }
}

void RunIfInstalled(const QString& tool, const QString& folder) {
    const QString program = QStandardPaths::findExecutable(tool);
    if (program.isEmpty() || !QFileInfo(folder).isDir()) return;
    QProcess process;
    process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    process.setStandardOutputFile(QProcess::nullDevice());
    process.start(program, {folder});
    process.waitForFinished(30000);
}

}  // namespace

QString TAssociationFiles::MimePackage() const { return QDir(MimeFolder).filePath("packages/fretlo.xml"); }

QString TAssociationFiles::DesktopEntry() const { return QDir(ApplicationsFolder).filePath(EntryName); }

TAssociationFiles UserAssociationFiles() {
    const QDir data(QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation));
    const QDir config(QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation));
    return {data.filePath("mime"), data.filePath("applications"), config.filePath("mimeapps.list")};
}

QString ExecLine(const QString& program) {
    QString path = program;
    path.replace(u'%', QString("%%"));
    static const QString reserved = " \t\n\"'\\><~|&;$*?#()`";
    if (std::none_of(path.begin(), path.end(), [](QChar c) { return reserved.contains(c); })) return path + " %f";
    QString quoted = "\"";
    for (const QChar c : path) {
        if (QString("\"`$\\").contains(c)) quoted += u'\\';
        quoted += c;
    }
    return quoted + "\" %f";
}

bool IsAssociated(const QString& program, const TAssociationFiles& files) {
    if (!DeclaresSongType(files.MimePackage())) return false;
    const TKeyFile entry = TKeyFile::Read(files.DesktopEntry());
    if (entry.Value(EntryGroup, "Exec") != KeyFileString(ExecLine(program)) || !ListsSongType(entry)) return false;
    const QStringList defaults =
        ListItems(TKeyFile::Read(files.MimeApps).Value(DefaultsGroup, SongMimeType).value_or(""));
    return !defaults.isEmpty() && defaults.first() == EntryName;
}

void RegisterAssociation(const QString& program, const TAssociationFiles& files) {
    WriteText(files.MimePackage(), InstalledText("mime/packages/fretlo.xml"));
    WriteText(files.DesktopEntry(), DesktopEntryText(program));
    TKeyFile mimeApps = TKeyFile::Read(files.MimeApps);
    mimeApps.SetValue(DefaultsGroup, SongMimeType, EntryName + ';');
    WriteText(files.MimeApps, mimeApps.Text());
}

void UnregisterAssociation(const TAssociationFiles& files) {
    if (DeclaresSongType(files.MimePackage())) QFile::remove(files.MimePackage());
    if (ListsSongType(TKeyFile::Read(files.DesktopEntry()))) QFile::remove(files.DesktopEntry());
    TKeyFile mimeApps = TKeyFile::Read(files.MimeApps);
    const auto defaults = mimeApps.Value(DefaultsGroup, SongMimeType);
    if (!defaults || !ListItems(*defaults).contains(EntryName)) return;
    QStringList others = ListItems(*defaults);
    others.removeAll(EntryName);
    if (others.isEmpty())
        mimeApps.RemoveKey(DefaultsGroup, SongMimeType);
    else
        mimeApps.SetValue(DefaultsGroup, SongMimeType, others.join(u';') + ';');
    WriteText(files.MimeApps, mimeApps.Text());
}

void TellDesktopAssociationsChanged(const TAssociationFiles& files) {
    RunIfInstalled("update-mime-database", files.MimeFolder);
    RunIfInstalled("update-desktop-database", files.ApplicationsFolder);
}

}  // namespace fretlo
