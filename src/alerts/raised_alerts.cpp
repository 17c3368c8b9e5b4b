#include "alerts/raised_alerts.h"

#include <algorithm>

namespace corvane {

void RaisedAlerts::alertChanged(const AlertChange& change)
{
    std::erase_if(m_raised, [&change](const AlertChange& raised) { return raised.key == change.key; });
    if (change.raised)
        m_raised.push_back(change);
    if (m_show)
        m_show(text());
}

QString RaisedAlerts::text() const
{
    QStringList lines;
    for (const AlertChange& raised : m_raised)
        lines << raised.key + QStringLiteral(": ") + raised.message;
    return lines.join(u'\n');
}

}  // namespace corvane
