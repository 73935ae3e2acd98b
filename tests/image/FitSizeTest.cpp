#include "image/FitSize.h"

#include <gtest/gtest.h>

namespace xelo {
namespace {

TEST(FitSize, AspectFitIntoTheBox) {
    const struct {
        int boxW, boxH, w, h;
        bool enlarge;
        Size expected;
    } cases[] = {
        {96, 72, 100, 50, false, {96, 48}},  // wider: width fills the box
        {96, 72, 40, 30, false, {40, 30}},   // fits: never enlarged
        {96, 72, 40, 30, true, {96, 72}},    // enlarged when asked
        {96, 72, 4000, 3000, false, {96, 72}},
        {96, 72, 1000, 3000, false, {24, 72}},  // taller: height fills the box
        {96, 72, 10000, 1, false, {96, 1}},     // never below 1
        {96, 72, 1, 10000, false, {1, 72}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(FitSize(c.boxW, c.boxH, c.w, c.h, c.enlarge), c.expected)
            << c.w << "x" << c.h << " into " << c.boxW << "x" << c.boxH;
    }
}

}  // namespace
}  // namespace xelo
