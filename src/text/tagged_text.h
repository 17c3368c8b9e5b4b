#pragma once

#include <QString>

namespace corvane {

// Text positions as the file and frame rules count them: 1-based, 0 when absent.
qsizetype findPosition(QStringView text, QStringView needle);

// The `length` characters of `text` from 1-based `start`; the part past the end is left
// out and a start past the end gives "". A negative length fails with
// "Invalid procedure call or argument".
QString substring(QStringView text, qsizetype start, qsizetype length);

// The text between the first `openTag` and the first `closeTag`, when both are present;
// "" when either is missing. A closing tag before its opening tag fails (negative length).
QString textBetweenTags(QStringView text, QStringView openTag, QStringView closeTag);

}  // namespace corvane
