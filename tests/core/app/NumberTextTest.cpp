// Numbers written without printf must read exactly as printf writes them: the report list, its
// export and the tests of both were made on printf's texts.
#include "core/base/NumberText.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <random>

#include "core/base/Format.h"

namespace kiro {
namespace {

TEST(NumberTextTest, IntegersAsPrintfWritesThem) {
    using Int = std::numeric_limits<int>;
    using Long = std::numeric_limits<long long>;
    const std::vector<long long> values = {0,   1,     -1,         9,          10,         99,
                                           100, 65535, Int::max(), Int::min(), Long::min()};
    for (const long long value : values) {
        std::string text;
        AppendInt(text, value);
        EXPECT_EQ(text, Format("%lld", value));
    }
    for (const int value : {0, 5, 59, 123, 2016, 12345, -1, -42, std::numeric_limits<int>::min()}) {
        for (const int width : {2, 4}) {
            std::string text;
            AppendZeroPadded(text, value, width);
            EXPECT_EQ(text, Format("%0*d", width, value)) << value << " in " << width;
        }
    }
}

TEST(NumberTextTest, FixedDecimalsAsPrintfWritesThemIncludingTiesAndOddValues) {
    using Double = std::numeric_limits<double>;
    std::vector<double> values = {0.0,    -0.0,  0.125,      0.375, 2.5,   0.0005,
                                  0.0015, 1.005, 123456.789, 1e20,  1e300, -3.14159};
    values.insert(values.end(), {Double::max(), Double::denorm_min(), Double::infinity(), -Double::infinity(),
                                 std::nan("")});
    std::mt19937_64 random(7);
    std::uniform_real_distribution<double> spread(0, 100000);
    for (int i = 0; i < 2000; ++i) values.push_back(spread(random));
    // Steps and kilometres as the report computes them: whole steps of 0.7 m.
    for (int steps = 0; steps < 2000; ++steps) values.push_back(steps * 0.7 / 1000);
    for (const double value : values) {
        for (const int decimals : {2, 3}) {
            std::string text;
            AppendFixed(text, value, decimals);
            EXPECT_EQ(text, Format("%.*f", decimals, value)) << value;
        }
    }
}

}  // namespace
}  // namespace kiro
