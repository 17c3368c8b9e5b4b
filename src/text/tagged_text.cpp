#include "text/tagged_text.h"

#include "text/failure.h"

namespace corvane {

qsizetype findPosition(QStringView text, QStringView needle)
{
    return text.indexOf(needle) + 1;
}

QString substring(QStringView text, qsizetype start, qsizetype length)
{
    if (length < 0 || start < 1)
        throw Failure(failure_text::invalidArgument);
    if (start > text.size())
        return QString();
    return text.mid(start - 1, length).toString();
}

QString textBetweenTags(QStringView text, QStringView openTag, QStringView closeTag)
{
    const qsizetype p = findPosition(text, openTag);
    const qsizetype q = findPosition(text, closeTag);
    if (p == 0 || q == 0)
        return QString();
    return substring(text, p + openTag.size(), q - p - openTag.size());
}

}  // namespace corvane
