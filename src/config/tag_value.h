#pragma once

#include <QString>

namespace corvane {

// The value of `key` in a configuration file's whole text: the text between the first
// "<key>" and the first "</key>", counted with 1-based positions. A missing opening tag
// counts as position 0, so the value then starts at the key's tag length; a missing
// closing tag or one before its opening tag fails ("Invalid procedure call or argument").
// Tags are case-sensitive; the value is not trimmed.
QString TagValue(const QString& fileText, const QString& key);

}  // namespace corvane
