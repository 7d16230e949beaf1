// The configuration store and the program's settings: read once at start-up, written once at
// exit. The settings are plain values (Settings.h) described by one table (SettingsTable.h);
// the store is an ini file on QSettings behind a lock shared by all instances (ConfigIniFile.h).
#pragma once

#include <QString>
#include <string>
#include <string_view>

#include "shell/ConfigDocPath.h"
#include "shell/ConfigIniFile.h"
#include "shell/ConfigSettingsStore.h"
#include "shell/Settings.h"
#include "shell/SettingsRecent.h"
#include "shell/SettingsSchemes.h"
#include "shell/SettingsTable.h"

namespace fretlo {

// The user's documents folder, looked up once per run; empty when there is none.
const std::string& DocumentsFolder();
// The "<doc>" token against the user's documents folder.
std::string ExpandDocPath(std::string_view path);
std::string CollapseDocPath(std::string_view path);

// Whether a font family is installed. The default fonts' "Arial" counts as installed: fontconfig
// draws it with its metric twin (Liberation Sans) without listing it.
bool IsInstalledFont(const std::string& family);

// The start-up read pass: every setting, invalid ones at their defaults. Needs a QGuiApplication.
TSettings LoadSettings(const QString& file = DefaultConfigFile());
// The exit write pass; a store that cannot be written is left as it was.
void SaveSettings(const TSettings& settings, const QString& file = DefaultConfigFile());

}  // namespace fretlo
