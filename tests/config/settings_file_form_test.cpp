#include "config/settings_file_form.h"
#include "text/failure.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

namespace corvane {
using namespace Qt::StringLiterals;
namespace {

TEST(SettingsFileForm, TitleEmptyLineTaggedKeysAndEveryMissingKeyItsDefault)
{
    const QString text = settingsFileText(u"Web Settings"_s, {{u"On"_s, settingsFlag(true)}, {u"Name"_s, u" a b "_s}});
    EXPECT_EQ(text, u"Web Settings\r\n\r\n<On>1</On>\r\n<Name> a b </Name>\r\n"_s);
    EXPECT_TRUE(settingFlagOr(text, u"On"_s, false));
    EXPECT_EQ(settingOr(text, u"Name"_s, u"x"_s), u" a b "_s);

    struct Case {
        const char* file;
        bool flag;        // the flag with default true
        const char* name;  // the name with default "x"
    };
    const Case cases[] = {
        {"", true, "x"},
        {"<On>0</On><Name>n</Name>", false, "n"},
        {"<On> 1 </On>", true, "x"},
        {"<On>yes</On>", false, "x"},
        {"<On>0<Name>n", true, "x"},
        {"</On>0<On></Name>n<Name>", true, "x"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.file);
        const QString file = QString::fromLatin1(c.file);
        EXPECT_EQ(settingFlagOr(file, u"On"_s, true), c.flag);
        EXPECT_EQ(settingOr(file, u"Name"_s, u"x"_s), QString::fromLatin1(c.name));
    }
}

TEST(SettingsFileForm, SavedForItsOwnerOnlyAndAnExposedPasswordIsNamed)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(u"web.cfg"_s);
    ASSERT_TRUE(QFile(path).open(QIODevice::WriteOnly));
    ASSERT_TRUE(QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup | QFile::ReadOther));
    const std::optional<ExposedPassword> exposed = exposedPassword(u"web.cfg"_s, path, true);
    ASSERT_TRUE(exposed);
    EXPECT_EQ(exposed->message, u"web.cfg holds a password and other users can read it");
    EXPECT_EQ(exposed->remedy, u"chmod 600 "_s + path);
    EXPECT_FALSE(exposedPassword(u"web.cfg"_s, path, false));

    replaceOwnerOnlyFile(path, u"T\r\n\r\n"_s);
    const QFile::Permissions others = QFile::ReadGroup | QFile::WriteGroup | QFile::ReadOther | QFile::WriteOther;
    EXPECT_EQ(QFile::permissions(path) & others, QFile::Permissions());
    EXPECT_FALSE(exposedPassword(u"web.cfg"_s, path, true));
    QFile saved(path);
    ASSERT_TRUE(saved.open(QIODevice::ReadOnly));
    EXPECT_EQ(saved.readAll(), QByteArray("T\r\n\r\n"));

    // A save that cannot be made leaves the old file.
    EXPECT_THROW(replaceOwnerOnlyFile(dir.filePath(u"missing/web.cfg"_s), u"x"_s), Failure);
}

}  // namespace
}  // namespace corvane
