#pragma once

#include <QString>

namespace corvane {

// All files are 8-bit text; characters outside Latin-1 are written as "?".

// The whole file; a missing or unreadable file fails with "File not found".
QString readWholeFile(const QString& path);

// Appends `text` in one write and flushes it to the disk before returning, so a power
// cut leaves either the whole text or none of it. Fails with the system's reason; a
// partly written text is cut off again so that the file keeps only whole lines.
void appendToFile(const QString& path, const QString& text);

// Creates or empties the file and writes `text`.
void writeFile(const QString& path, const QString& text);

// Writes `text` to a temporary file beside `path` and then puts it in place of the old
// file in one step: the old or the new file survives a crash, never a partial one.
void replaceFileAtomically(const QString& path, const QString& text);

// Creates one folder; false when it exists or cannot be created.
bool createFolder(const QString& path);

}  // namespace corvane
