#include "config/tag_value.h"

#include "text/tagged_text.h"

namespace corvane {

QString TagValue(const QString& fileText, const QString& key)
{
    const qsizetype p = findPosition(fileText, u'<' + key + u'>');
    const qsizetype q = findPosition(fileText, QStringLiteral("</") + key + u'>');
    const qsizetype n = key.size() + 2;
    return substring(fileText, p + n, q - p - n);
}

}  // namespace corvane
