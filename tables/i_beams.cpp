// SPDX-License-Identifier: GPL-3.0-or-later
// Hot-rolled I-beams, GB706-88: height in cm with an optional a, b or c.
#include "tables/section_table.h"

namespace hengtiebao {
namespace {

// The order is the model list's, not ascending: 12, 24, 27, 30 and 55 follow 63c.
// One row a line, as the printed table has them; masses in kg/m.
// clang-format off
constexpr SectionRow kRows[] = {
    {u"10", 11.261},
    {u"12.6", 14.223},
    {u"14", 16.89},
    {u"16", 20.513},
    {u"18", 24.143},
    {u"20a", 27.929},
    {u"20b", 31.069},
    {u"22a", 33.07},
    {u"22b", 36.524},
    {u"25a", 38.105},
    {u"25b", 42.03},
    {u"28a", 43.492},
    {u"28b", 47.888},
    {u"32a", 52.717},
    {u"32b", 57.741},
    {u"32c", 62.765},
    {u"36a", 60.037},
    {u"36b", 65.689},
    {u"36c", 71.341},
    {u"40a", 67.598},
    {u"40b", 73.878},
    {u"40c", 80.158},
    {u"45a", 80.42},
    {u"45b", 87.485},
    {u"45c", 94.55},
    {u"50a", 93.654},
    {u"50b", 101.504},
    {u"50c", 109.354},
    {u"56a", 106.316},
    {u"56b", 115.108},
    {u"56c", 123.9},
    {u"63a", 121.407},
    {u"63b", 131.298},
    {u"63c", 141.189},
    {u"12", 13.987},
    {u"24a", 37.477},
    {u"24b", 41.245},
    {u"27a", 42.825},
    {u"27b", 47.064},
    {u"30a", 48.084},
    {u"30b", 52.794},
    {u"30c", 57.504},
    {u"55a", 105.335},
    {u"55b", 113.97},
    {u"55c", 122.605},
};
// clang-format on

}  // namespace

const SectionTable& iBeamTable() {
    static constexpr SectionTable table{kRows, u"I工", u"#"};
    return table;
}

}  // namespace hengtiebao
