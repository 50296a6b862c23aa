#pragma once
#include <QDateTime>
#include <QLocale>
#include <QString>
#include <QStringList>
#include <cstdint>
#include <functional>
#include <optional>
#include <utility>
#include <vector>

namespace kiro::gui {

// How a list cell's text takes part in sorting: every reading of it that the comparison rules
// know, worked out once per sort rather than at every comparison.
struct CellSortKey {
    // The text in the code page of the list's language (Big5, GBK or ASCII), compared byte by byte.
    QByteArray bytes;
    // Read to its end (trailing blanks allowed) as an unsigned hexadecimal number, 32 bits; plain
    // integers land here too and compare correctly.
    std::optional<std::uint32_t> hexadecimal;
    // A floating-point number followed by nothing or by one "%" (and trailing blanks).
    std::optional<double> decimal;
    // A date, a time or both in the given locale.
    std::optional<QDateTime> moment;
};

// Turns a cell's text into the bytes of the language's code page.
using CodePageEncoder = std::function<QByteArray(const QString&)>;

// Reads cell texts into sort keys; dates and times are read in the locale given, texts compared in
// the encoder's code page (UTF-8 when none is given, which orders ASCII the same).
class CellSortKeyReader {
  public:
    explicit CellSortKeyReader(const QLocale& locale, CodePageEncoder encode = {});
    CellSortKey Read(const QString& text) const;

  private:
    std::optional<QDateTime> ReadMoment(const QString& text) const;

    QLocale locale_;
    QStringList momentFormats_;
    CodePageEncoder encode_;
};

// Negative, zero or positive as a sorts before, with or after b: by the first reading that both
// have (hexadecimal, decimal, date), else by the texts' bytes, case-sensitively.
int CompareCellSortKeys(const CellSortKey& a, const CellSortKey& b);

// Sorts `items` by `compare` (negative, zero, positive) with the classic quicksort: middle pivot,
// two indices moving inwards, elements equal to the pivot stop both and are swapped; recursion on
// the left part, iteration on the right. Not stable: rows that compare equal may change places.
template <typename T, typename Compare>
void QuickSort(std::vector<T>& items, Compare compare) {
    auto sortRange = [&](auto& self, std::ptrdiff_t low, std::ptrdiff_t high) -> void {
        while (low < high) {
            const T pivot = items[(low + high) / 2];
            std::ptrdiff_t i = low;
            std::ptrdiff_t j = high;
            while (i <= j) {
                while (compare(items[i], pivot) < 0) ++i;
                while (compare(items[j], pivot) > 0) --j;
                if (i <= j) {
                    std::swap(items[i], items[j]);
                    ++i;
                    --j;
                }
            }
            if (low < j) self(self, low, j);
            low = i;
        }
    };
    if (items.size() > 1) sortRange(sortRange, 0, static_cast<std::ptrdiff_t>(items.size()) - 1);
}

}  // namespace kiro::gui
