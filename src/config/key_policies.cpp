#include "config/key_policies.h"

#include "config/tag_value.h"
#include "text/failure.h"

namespace corvane {

void applyKeysUpToFirstUnreadable(const QString& fileText, std::initializer_list<KeyStep> steps)
{
    for (const KeyStep& step : steps) {
        const QString value = TagValue(fileText, step.key);
        if (step.apply)
            step.apply(value);
    }
}

std::optional<QString> presentTagValue(const QString& fileText, const QString& key)
{
    if (!fileText.contains(u'<' + key + u'>'))
        return std::nullopt;
    try {
        return TagValue(fileText, key);
    } catch (const Failure&) {
        return std::nullopt;  // no closing tag, or only one in front of the opening tag
    }
}

}  // namespace corvane
