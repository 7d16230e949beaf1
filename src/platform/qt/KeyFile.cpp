#include "platform/qt/KeyFile.h"

#include <QFile>

namespace fretlo {

namespace {

bool IsGroupLine(const QString& line) { return line.startsWith(u'['); }

// The key of a "Key=Value" line (blanks around it ignored), or an empty string.
QString KeyOf(const QString& line) {
    if (line.startsWith(u'#')) return {};
    const qsizetype equals = line.indexOf(u'=');
    return equals < 0 ? QString() : line.left(equals).trimmed();
}

}  // namespace

TKeyFile TKeyFile::Read(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return {};
    return FromText(QString::fromUtf8(file.readAll()));
}

TKeyFile TKeyFile::FromText(const QString& text) {
    TKeyFile keys;
    keys.lines_ = text.split(u'\n');
    if (!keys.lines_.isEmpty() && keys.lines_.last().isEmpty()) keys.lines_.removeLast();
    return keys;
}

QString TKeyFile::Text() const { return lines_.isEmpty() ? QString() : lines_.join(u'\n') + u'\n'; }

qsizetype TKeyFile::Find(const QString& group, const QString& key, qsizetype* groupEnd) const {
    const QString header = '[' + group + ']';
    qsizetype found = -1;
    bool inGroup = false;
    if (groupEnd) *groupEnd = -1;
    for (qsizetype i = 0; i < lines_.size(); ++i) {
        const QString line = lines_[i].trimmed();
        if (IsGroupLine(line)) {
            inGroup = line == header;
            continue;
        }
        if (!inGroup) continue;
        if (groupEnd && !line.isEmpty()) *groupEnd = i + 1;
        if (found < 0 && KeyOf(line) == key) found = i;
    }
    // A group with no entries ends right after its header.
    if (groupEnd && *groupEnd < 0) {
        const qsizetype at = lines_.indexOf(header);
        if (at >= 0) *groupEnd = at + 1;
    }
    return found;
}

std::optional<QString> TKeyFile::Value(const QString& group, const QString& key) const {
    const qsizetype at = Find(group, key);
    if (at < 0) return std::nullopt;
    const QString& line = lines_[at];
    return line.mid(line.indexOf(u'=') + 1).trimmed();
}

void TKeyFile::SetValue(const QString& group, const QString& key, const QString& value) {
    qsizetype groupEnd = -1;
    const qsizetype at = Find(group, key, &groupEnd);
    const QString line = key + '=' + value;
    if (at >= 0) {
        lines_[at] = line;
    } else if (groupEnd >= 0) {
        lines_.insert(groupEnd, line);
    } else {
        if (!lines_.isEmpty() && !lines_.last().trimmed().isEmpty()) lines_.append(QString());
        lines_.append('[' + group + ']');
        lines_.append(line);
    }
}

void TKeyFile::RemoveKey(const QString& group, const QString& key) {
    const qsizetype at = Find(group, key);
    if (at >= 0) lines_.removeAt(at);
}

QStringList ListItems(const QString& value) { return value.split(u';', Qt::SkipEmptyParts); }

}  // namespace fretlo
