// Freedesktop key files (desktop entries, mimeapps.list): "[Group]" headers and "Key=Value"
// lines. Lines it does not change, comments included, are written back as they were read.
#pragma once

#include <QString>
#include <QStringList>
#include <optional>

namespace fretlo {

class TKeyFile {
public:
    // An empty file when `path` does not exist or cannot be read.
    static TKeyFile Read(const QString& path);
    static TKeyFile FromText(const QString& text);
    QString Text() const;

    // The raw value (text after the first "="), as stored.
    std::optional<QString> Value(const QString& group, const QString& key) const;
    // Replaces the key's value, or adds the key at the end of its group (the group at the end).
    void SetValue(const QString& group, const QString& key, const QString& value);
    void RemoveKey(const QString& group, const QString& key);

private:
    // Index of the key's line, or -1; `groupEnd` gets the index after the group's last line,
    // or -1 when the group is missing.
    qsizetype Find(const QString& group, const QString& key, qsizetype* groupEnd = nullptr) const;

    QStringList lines_;
};

// A ";"-separated list value ("a;b;") as its items, empty items dropped.
QStringList ListItems(const QString& value);

}  // namespace fretlo
