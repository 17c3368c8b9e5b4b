#pragma once

#include <QString>
#include <functional>

namespace corvane {

// How a dialog puts a whole configuration file in place; fails with corvane::Failure.
// The windows use the atomic replacement of the platform; tests can interrupt it.
using ConfigWriter = std::function<void(const QString& path, const QString& text)>;

// One key of a configuration file in its tag form, with its CR LF line end.
inline QString tagLine(const QString& key, const QString& value)
{
    return u'<' + key + u'>' + value + QStringLiteral("</") + key + QStringLiteral(">\r\n");
}

}  // namespace corvane
