// SPDX-License-Identifier: GPL-3.0-or-later
// Hot-rolled channels, GB707-88: height in cm with an optional a, b or c.
#include "tables/section_table.h"

namespace hengtiebao {
namespace {

// The unsuffixed 16, 18, 20 and 22 are models of their own, heavier than their "a".
// One row a line, as the printed table has them; masses in kg/m.
// clang-format off
constexpr SectionRow kRows[] = {
    {u"5", 5.438},
    {u"6.3", 6.634},
    {u"6.5", 6.709},
    {u"8", 8.045},
    {u"10", 10.007},
    {u"12", 12.059},
    {u"12.6", 12.318},
    {u"14a", 14.535},
    {u"14b", 16.733},
    {u"16a", 17.24},
    {u"16", 19.752},
    {u"18a", 20.174},
    {u"18", 23},
    {u"20a", 22.637},
    {u"20", 25.777},
    {u"22a", 24.999},
    {u"22", 28.453},
    {u"24a", 26.86},
    {u"24b", 30.628},
    {u"24c", 34.396},
    {u"25a", 27.41},
    {u"25b", 31.335},
    {u"25c", 35.26},
    {u"27a", 30.838},
    {u"27b", 35.077},
    {u"27c", 39.316},
    {u"28a", 31.427},
    {u"28b", 35.823},
    {u"28c", 40.219},
    {u"30a", 34.463},
    {u"30b", 39.173},
    {u"30c", 43.883},
    {u"32a", 38.083},
    {u"32b", 43.107},
    {u"32c", 48.131},
    {u"36a", 47.814},
    {u"36b", 53.466},
    {u"36c", 59.118},
    {u"40a", 58.928},
    {u"40b", 65.208},
    {u"40c", 71.488},
};
// clang-format on

}  // namespace

const SectionTable& channelTable() {
    // "[" pictures the section; Chinese-punctuation mode types it as "【". "16#" is "16号".
    static constexpr SectionTable table{kRows, u"[【槽", u"#"};
    return table;
}

}  // namespace hengtiebao
