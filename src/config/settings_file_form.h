#pragma once

#include <QString>
#include <initializer_list>
#include <optional>

namespace corvane {

// The form of the settings files that came after prog.cfg and settings.cfg: mqtt.cfg,
// and every later one (web.cfg, alerts.cfg) takes it as it is.
// - Text: a title line, an empty line, then one "<Key>value</Key>" line per key in a
//   fixed order; every line ends with CR LF.
// - Reading: a key counts only when both of its tags are there, opening first
//   (presentTagValue); every key that does not count takes its default, so a file from an
//   older or newer version, or none at all, still reads.
// - Saving: in one step, so a failed save leaves the old file, and readable and writable
//   by its owner only (0600) from the moment it exists, since it may hold a password.
// - A file that holds a password and that other users can read earns a warning that
//   names the fix.

struct SettingsLine {
    QString key;
    QString value;
};

// The whole file in the form above.
QString settingsFileText(const QString& title, std::initializer_list<SettingsLine> lines);

// "1" or "0", as flags are written.
QString settingsFlag(bool on);

// The key's value, or `fallback` when the key does not count.
QString settingOr(const QString& fileText, const QString& key, const QString& fallback);
// A flag is on only when its value is "1", blanks around it allowed.
bool settingFlagOr(const QString& fileText, const QString& key, bool fallback);

// Writes `text` to `path` in one step with permissions for its owner only, from the
// moment the file exists; fails with corvane::Failure.
void replaceOwnerOnlyFile(const QString& path, const QString& text);

struct ExposedPassword {
    QString message;  // "mqtt.cfg holds a password and other users can read it"
    QString remedy;   // "chmod 600 <path>"
};

// The warning for a settings file that holds a password while its group or other users
// may read it; nothing when it holds none or only its owner can read it.
std::optional<ExposedPassword> exposedPassword(const QString& fileName, const QString& path, bool holdsPassword);

}  // namespace corvane
