// SPDX-License-Identifier: GPL-3.0-or-later
// Plate and bar calculators. The order of every product is fixed: it decides the rounding, and
// with it the last digit the user sees.
#include "core/calculators.h"

#include "core/steps.h"

namespace hengtiebao {
namespace {

constexpr double kPlateFactor = 0.000001;    // mm3 x g/cm3 -> kg
constexpr double kSteelFactor = 0.00000785;  // 7.85 g/cm3 in kg per mm3
constexpr double kPi = 3.14159265358;        // the short pi the published weights were made with
constexpr double kHexagonFactor = 3.4641;    // 2 x sqrt(3): hexagon area = 3.4641 x (a/2)^2
constexpr double kHalf = 2;

// The bars share their shape: a dimension box, then a length box.
struct BarControls {
    std::string_view dimension, length, result;
};
BarControls barControls(const CalculatorFrame& frame) {
    return {frame.inputs[0], frame.inputs[1], frame.result};
}

}  // namespace

Status calculatePlate(Fields& fields, const CalculatorFrame& frame) {
    const std::string_view result = frame.result;
    std::array<std::u16string, 4> texts;
    if (Status s = readTexts(fields, frame.inputs.first<4>(), texts)) return s;

    double length = 0, width = 0;
    if (Status s = toNumber(texts[0], frame.inputs[0], length)) return s;
    if (Status s = toNumber(texts[1], frame.inputs[1], width)) return s;
    const double area = width * length;
    if (Status s = checkpoint(area, result)) return s;

    double thickness = 0;
    if (Status s = toNumber(texts[2], frame.inputs[2], thickness)) return s;
    const double volume = thickness * area;
    if (Status s = checkpoint(volume, result)) return s;

    double density = 0;
    if (Status s = toNumber(texts[3], frame.inputs[3], density)) return s;
    const double weight = (density * volume) * kPlateFactor;
    if (Status s = checkpoint(weight, result)) return s;

    return writeResult(fields, result, weight);
}

Status calculateRoundBar(Fields& fields, const CalculatorFrame& frame) {
    const BarControls c = barControls(frame);
    std::array<std::u16string, 2> texts;
    if (Status s = readTexts(fields, frame.inputs.first<2>(), texts)) return s;

    double diameter = 0;
    if (Status s = toNumber(texts[0], c.dimension, diameter)) return s;
    const double radius = diameter / kHalf;
    if (Status s = checkpoint(radius, c.result)) return s;
    const double area = (radius * radius) * kPi;
    if (Status s = checkpoint(area, c.result)) return s;

    double length = 0;
    if (Status s = toNumber(texts[1], c.length, length)) return s;
    const double weight = (length * area) * kSteelFactor;
    if (Status s = checkpoint(weight, c.result)) return s;

    return writeResult(fields, c.result, weight);
}

Status calculateSquareBar(Fields& fields, const CalculatorFrame& frame) {
    const BarControls c = barControls(frame);
    std::array<std::u16string, 2> texts;
    if (Status s = readTexts(fields, frame.inputs.first<2>(), texts)) return s;

    double side = 0;
    if (Status s = toNumber(texts[0], c.dimension, side)) return s;
    const double area = side * side;
    if (Status s = checkpoint(area, c.result)) return s;

    double length = 0;
    if (Status s = toNumber(texts[1], c.length, length)) return s;
    const double weight = (length * area) * kSteelFactor;
    if (Status s = checkpoint(weight, c.result)) return s;

    return writeResult(fields, c.result, weight);
}

Status calculateHexagonBar(Fields& fields, const CalculatorFrame& frame) {
    const BarControls c = barControls(frame);
    std::array<std::u16string, 2> texts;
    if (Status s = readTexts(fields, frame.inputs.first<2>(), texts)) return s;

    double acrossFlats = 0;
    if (Status s = toNumber(texts[0], c.dimension, acrossFlats)) return s;
    const double halfTimesFactor = (acrossFlats / kHalf) * kHexagonFactor;
    if (Status s = checkpoint(halfTimesFactor, c.result)) return s;
    const double area = (acrossFlats / kHalf) * halfTimesFactor;
    if (Status s = checkpoint(area, c.result)) return s;

    double length = 0;
    if (Status s = toNumber(texts[1], c.length, length)) return s;
    const double weight = (length * area) * kSteelFactor;
    if (Status s = checkpoint(weight, c.result)) return s;

    return writeResult(fields, c.result, weight);
}

}  // namespace hengtiebao
