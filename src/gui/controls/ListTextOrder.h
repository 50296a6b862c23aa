#pragma once
#include <QDateTime>
#include <QLocale>
#include <QString>
#include <QStringList>
#include <cstdint>
#include <optional>
#include <utility>
#include <vector>

namespace kiro::gui {

// How a list cell's text takes part in sorting: every reading of it that the comparison rules
// know, worked out once per sort rather than at every comparison.
struct CellSortKey {
    QString text;
    // Read to its end (trailing blanks allowed) as an unsigned hexadecimal number, 32 bits; plain
    // integers land here too and compare correctly.
    std::optional<std::uint32_t> hexadecimal;
    // A floating-point number followed by nothing or by one "%" (and trailing blanks).
    std::optional<double> decimal;
    // A date, a time or both in the given locale.
    std::optional<QDateTime> moment;
};

// Reads cell texts into sort keys; dates and times are read in the locale given.
class CellSortKeyReader {
  public:
    explicit CellSortKeyReader(const QLocale& locale);
    CellSortKey Read(const QString& text) const;

  private:
    std::optional<QDateTime> ReadMoment(const QString& text) const;

    QLocale locale_;
    QStringList momentFormats_;
};

// Negative, zero or positive as a sorts before, with or after b: by the first reading that both
// have (hexadecimal, decimal, date), else by the texts themselves, case-sensitively.
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
