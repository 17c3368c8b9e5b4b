#include "desktop/display_check.h"

#include <QStringList>
#include <gtest/gtest.h>

namespace corvane {
namespace {

struct DisplayCase {
    const char* name;
    DisplayEnvironment environment;
    QStringList answeringSockets;
    bool available;
};

class DisplayCheck : public testing::TestWithParam<DisplayCase> {};

TEST_P(DisplayCheck, FindsAScreenOnlyWhereTheToolkitWould)
{
    const DisplayCase& c = GetParam();
    QStringList tried;
    const bool available = displayAvailable(c.environment, [&](const QString& socket) {
        tried << socket;
        return c.answeringSockets.contains(socket);
    });
    EXPECT_EQ(available, c.available) << "tried: " << tried.join(QStringLiteral(", ")).toStdString();
}

const QString kX0 = QStringLiteral("/tmp/.X11-unix/X0");
const QString kX7 = QStringLiteral("/tmp/.X11-unix/X7");

INSTANTIATE_TEST_SUITE_P(
    Environments, DisplayCheck,
    testing::Values(
        DisplayCase{"Nothing", {}, {kX0}, false},
        DisplayCase{"OffscreenChosen", {QStringLiteral("offscreen"), {}, {}, {}}, {}, true},
        DisplayCase{"LocalXAnswering", {{}, {}, QStringLiteral(":7"), {}}, {kX7}, true},
        DisplayCase{"LocalXAbstractSocket", {{}, {}, QStringLiteral(":7.0"), {}}, {u'@' + kX7}, true},
        DisplayCase{"LocalXGone", {{}, {}, QStringLiteral(":7"), {}}, {kX0}, false},
        DisplayCase{"XChosenButGone", {QStringLiteral("xcb"), {}, QStringLiteral(":0"), {}}, {}, false},
        DisplayCase{"RemoteXTrusted", {{}, {}, QStringLiteral("localhost:10.0"), {}}, {}, true},
        DisplayCase{"Wayland", {{}, QStringLiteral("wayland-1"), {}, QStringLiteral("/run/user/5")},
                    {QStringLiteral("/run/user/5/wayland-1")}, true},
        DisplayCase{"WaylandGoneNoX", {{}, QStringLiteral("wayland-1"), {}, QStringLiteral("/run/user/5")}, {}, false},
        DisplayCase{"WaylandGoneXAnswering",
                    {{}, QStringLiteral("wayland-1"), QStringLiteral(":0"), QStringLiteral("/run/user/5")}, {kX0}, true}),
    [](const testing::TestParamInfo<DisplayCase>& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace corvane
