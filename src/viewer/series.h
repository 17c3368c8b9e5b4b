#pragma once

#include <QString>
#include <array>

namespace corvane {

// The plotted series, in the order they are drawn and their labels are laid out.
enum class Series { Volts, Amps, Watts, Rpm, Speed };
inline constexpr int kSeriesCount = 5;

inline constexpr std::array<Series, kSeriesCount> kAllSeries{
    Series::Volts, Series::Amps, Series::Watts, Series::Rpm, Series::Speed};

constexpr int indexOf(Series series) { return static_cast<int>(series); }

struct Rgb {
    int red = 0;
    int green = 0;
    int blue = 0;
};

// What is fixed about each series: its line colour, how its limits print, its fixed
// full scale when there is one (volts and amps take theirs from prog.cfg).
struct SeriesStyle {
    Rgb colour;
    const char16_t* limitPattern;
    const char16_t* unit;  // the wind-speed unit is the WSUnits text after a blank
    double fixedFullScale;
};

inline constexpr std::array<SeriesStyle, kSeriesCount> kSeriesStyles{{
    {{255, 0, 0}, u"#0.00", u" V", 0},
    {{0, 255, 0}, u"##0.0", u" A", 0},
    {{0, 0, 255}, u"###0", u" W", 1000},
    {{255, 255, 0}, u"##0", u" RPM", 400},
    {{255, 255, 255}, u"##0", u" ", 100},
}};

inline constexpr Rgb kZeroLineColour{0, 255, 255};
inline constexpr Rgb kBackgroundColour{64, 64, 64};
inline constexpr Rgb kDragLineColour{255, 0, 0};

}  // namespace corvane
