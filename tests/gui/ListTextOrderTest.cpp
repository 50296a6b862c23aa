#include <gtest/gtest.h>

#include <QLocale>
#include <numeric>

#include "GuiTestSupport.h"
#include "core/app/Language.h"
#include "gui/controls/ListTextOrder.h"
#include "platform/NativePlatform.h"

namespace kiro::gui {
namespace {

// Sorts texts ascending the way a header click does.
QStringList SortedAscending(const QStringList& texts, const QLocale& locale, CodePageEncoder encode = {}) {
    const CellSortKeyReader reader(locale, std::move(encode));
    std::vector<CellSortKey> keys;
    for (const QString& text : texts) keys.push_back(reader.Read(text));
    std::vector<int> order(keys.size());
    std::iota(order.begin(), order.end(), 0);
    QuickSort(order, [&](int a, int b) { return CompareCellSortKeys(keys[a], keys[b]); });
    QStringList sorted;
    for (int i : order) sorted << texts[i];
    return sorted;
}

TEST(ListTextOrderTest, FirstRuleThatBothTextsSatisfyDecides) {
    test::EnsureQtApplication();
    const QLocale us(QLocale::English, QLocale::UnitedStates);
    struct Case {
        const char* name;
        QStringList texts;
        QStringList ascending;
    };
    const Case cases[] = {
        {"integers as numbers, not text", {"100", "9", "10"}, {"9", "10", "100"}},
        {"percentages as numbers", {"12%", "1.5%", "3%"}, {"1.5%", "3%", "12%"}},
        {"fractions as numbers", {"2.5", "10.25", "0.75"}, {"0.75", "2.5", "10.25"}},
        {"numbers padded with blanks as the reports write them",
         {"100   ", "   9", "10   ", "2.50   ", "1.5%  "},
         {"1.5%  ", "2.50   ", "   9", "10   ", "100   "}},
        {"letters a to f read as hexadecimal", {"aa", "b"}, {"b", "aa"}},
        {"a number against a word compares as text", {"xyz", "12"}, {"12", "xyz"}},
        {"hexadecimal with prefix and blanks", {"0x20", "  1F"}, {"  1F", "0x20"}},
        {"text is case-sensitive", {"h", "H", "g"}, {"H", "g", "h"}},
        {"a percent sign twice is text", {"5%%", "40%%"}, {"40%%", "5%%"}},
        {"dates of the locale by date",
         {"12/1/2013", "1/15/2014", "3/2/2013"},
         {"3/2/2013", "12/1/2013", "1/15/2014"}},
        {"year-first report dates by date",
         {"2014/12/01", "2014/5/5", "2013/12/31"},
         {"2013/12/31", "2014/5/5", "2014/12/01"}},
        {"empty texts first as text", {"b", "", "a"}, {"", "a", "b"}},
        {"not-a-number as text: read as a number it left 2.5 before 0.5",
         {"0.5", "nan", "2.5"},
         {"0.5", "2.5", "nan"}},
        {"not-a-number as text, never between numbers",
         {"2.5", "0.5", "-nan", "1.5", "3.5"},
         {"-nan", "0.5", "1.5", "2.5", "3.5"}},
    };
    for (const Case& c : cases) EXPECT_EQ(SortedAscending(c.texts, us), c.ascending) << c.name;
}

TEST(ListTextOrderTest, TextsCompareByTheBytesOfTheLanguagesCodePage) {
    test::EnsureQtApplication();
    const QLocale us(QLocale::English, QLocale::UnitedStates);
    const NativeTextCodec codec;
    const auto big5 = [&codec](const QString& text) {
        return QByteArray::fromStdString(codec.FromUtf8(text.toStdString(), kTraditionalChinese));
    };
    // Big5 orders characters by strokes: "mouth" (3 strokes, A466) before "five" (4, A4AD), which
    // Unicode has the other way round (U+53E3 after U+4E94).
    const QStringList texts = {QString::fromUtf8("五"), QString::fromUtf8("口")};
    EXPECT_EQ(SortedAscending(texts, us, big5),
              (QStringList{QString::fromUtf8("口"), QString::fromUtf8("五")}));
    EXPECT_EQ(SortedAscending(texts, us), texts) << "without a code page, UTF-8 order";
}

TEST(ListTextOrderTest, HexadecimalValuesAreThirtyTwoBitUnsigned) {
    const CellSortKeyReader reader{QLocale::c()};
    EXPECT_EQ(reader.Read("ffffffff").hexadecimal, 0xFFFFFFFFu);
    EXPECT_EQ(reader.Read("123456789").hexadecimal, 0xFFFFFFFFu);  // beyond 32 bits saturates
    EXPECT_EQ(reader.Read("-1").hexadecimal, 0xFFFFFFFFu);         // a minus negates
    EXPECT_EQ(reader.Read("-10").hexadecimal, 0xFFFFFFF0u);
    EXPECT_FALSE(reader.Read("12 x").hexadecimal.has_value());  // not read to its end
    EXPECT_FALSE(reader.Read("0x").hexadecimal.has_value());
    EXPECT_FALSE(reader.Read("   ").hexadecimal.has_value());
}

TEST(ListTextOrderTest, QuickSortOrdersAndKeepsEveryElement) {
    std::vector<int> values = {5, 3, 9, 1, 5, 5, 0, 8, 2, 7, 5, 6, 4};
    std::vector<int> expected = values;
    std::sort(expected.begin(), expected.end());
    QuickSort(values, [](int a, int b) { return a < b ? -1 : (a > b ? 1 : 0); });
    EXPECT_EQ(values, expected);

    std::vector<int> descending = {1, 2, 3, 4, 5, 6, 7, 8};
    QuickSort(descending, [](int a, int b) { return b < a ? -1 : (b > a ? 1 : 0); });
    EXPECT_EQ(descending, (std::vector<int>{8, 7, 6, 5, 4, 3, 2, 1}));
}

TEST(ListTextOrderTest, QuickSortIsNotStable) {
    // Elements equal to the pivot stop both indices and are swapped: two equal keys trade places.
    std::vector<std::pair<int, char>> items = {{1, 'a'}, {1, 'b'}};
    QuickSort(items, [](const auto& x, const auto& y) { return x.first - y.first; });
    EXPECT_EQ(items[0].second, 'b');
    EXPECT_EQ(items[1].second, 'a');
}

}  // namespace
}  // namespace kiro::gui
