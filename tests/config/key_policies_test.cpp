#include "config/key_policies.h"
#include "text/failure.h"

#include <gtest/gtest.h>

#include <QStringList>

namespace corvane {
using namespace Qt::StringLiterals;
namespace {

// Three keys in order; the applied list shows how far the reading went.
TEST(ApplyKeysUpToFirstUnreadable, AppliesInOrderAndStopsWhereAKeyFails)
{
    struct Case {
        const char* name;
        QString file;
        QStringList applied;
        bool fails;
    };
    const Case cases[] = {
        {"all there", u"<A>1</A><B>2</B><C>3</C>"_s, {u"A=1"_s, u"B=2"_s, u"C=3"_s}, false},
        {"middle reversed", u"<A>1</A></B>2<B><C>3</C>"_s, {u"A=1"_s}, true},
        {"last closing missing", u"<A>1</A><B>2</B><C>3"_s, {u"A=1"_s, u"B=2"_s}, true},
        {"first closing missing", u"<A>1<B>2</B><C>3</C>"_s, {}, true},
        {"apply step fails", u"<A>1</A><B>x</B><C>3</C>"_s, {u"A=1"_s}, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        QStringList applied;
        const auto record = [&applied](const QString& key) {
            return [&applied, key](const QString& value) {
                if (value == u"x")
                    throw Failure(QStringLiteral("Type mismatch"));
                applied << key + u'=' + value;
            };
        };
        bool failed = false;
        try {
            applyKeysUpToFirstUnreadable(c.file, {{u"A"_s, record(u"A"_s)}, {u"B"_s, record(u"B"_s)},
                                                  {u"C"_s, record(u"C"_s)}});
        } catch (const Failure&) {
            failed = true;
        }
        EXPECT_EQ(applied, c.applied);
        EXPECT_EQ(failed, c.fails);
    }

    // A key only read for its check still ends the reading.
    bool reached = false;
    EXPECT_THROW(applyKeysUpToFirstUnreadable(u"<A>1<B>2</B>"_s,
                                              {{u"A"_s, {}}, {u"B"_s, [&](const QString&) { reached = true; }}}),
                 Failure);
    EXPECT_FALSE(reached);
}

TEST(PresentTagValue, NeedsBothTagsOpeningFirst)
{
    const std::pair<QString, std::optional<QString>> cases[] = {
        {u"<K> v </K>"_s, u" v "_s},
        {u"<K></K>"_s, u""_s},
        {u"junk</K>"_s, std::nullopt},       // the shared rule alone would give "k>"
        {u"<K>v"_s, std::nullopt},
        {u"</K>v<K>"_s, std::nullopt},
        {u"<k>v</k>"_s, std::nullopt},
        {QString(), std::nullopt},
    };
    for (const auto& [file, value] : cases)
        EXPECT_EQ(presentTagValue(file, u"K"_s), value) << file.toStdString();
}

}  // namespace
}  // namespace corvane
