#include "config/tag_value.h"
#include "text/failure.h"

#include <gtest/gtest.h>

namespace corvane {
namespace {

struct TagCase {
    const char* name;
    const char* file;
    const char* key;
    const char* value;
};

TEST(TagValue, ReadsTheTextBetweenTheFirstTags)
{
    const TagCase cases[] = {
        {"well formed", "Title\r\n<Port>3</Port>\r\n", "Port", "3"},
        {"blanks kept", "<WSUnits> km/h </WSUnits>", "WSUnits", " km/h "},
        {"empty value", "<Port></Port>", "Port", ""},
        {"first of two", "<Port>1</Port><Port>2</Port>", "Port", "1"},
        {"other order", "<BR>9600</BR>\r\n<Port>4</Port>", "Port", "4"},
        {"text around", "junk<Port>5</Port>more", "Port", "5"},
        {"no title line", "<LogOn>1</LogOn>", "LogOn", "1"},
        // Without its opening tag the value runs from the tag length up to the closing tag.
        {"opening missing", "abcdefgh</Port>", "Port", "fgh"},
        {"similar key", "<SV>24</SV><SVX>1</SVX>", "SV", "24"},
    };
    for (const TagCase& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(TagValue(QString::fromLatin1(c.file), QString::fromLatin1(c.key)).toStdString(), c.value);
    }
}

TEST(TagValue, FailsWhenTheRuleGivesANegativeLength)
{
    const TagCase cases[] = {
        {"closing missing", "<Port>3", "Port", ""},
        {"both missing", "<BR>9600</BR>", "Port", ""},
        {"closing first", "</Port>3<Port>", "Port", ""},
        {"lower case", "<port>3</port>", "Port", ""},
        {"empty file", "", "Port", ""},
    };
    for (const TagCase& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_THROW(TagValue(QString::fromLatin1(c.file), QString::fromLatin1(c.key)), Failure);
    }
}

}  // namespace
}  // namespace corvane
