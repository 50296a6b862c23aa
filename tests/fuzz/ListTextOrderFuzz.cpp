// The report list's sort on a header click: cell texts read into sort keys (hexadecimal, decimal,
// date and time of a locale, code-page bytes) and compared. Input: the locale and code page
// (first byte), then the texts, one per line.
//
// A pair is decided by the first reading both texts have, so texts of different kinds need not
// be ordered consistently among themselves ("A" < "10" by hexadecimal, "10" < "99.5" by decimal,
// "99.5" < "A" by bytes). What must hold: no text sorts before itself, the order of two texts
// does not depend on which is asked first, three texts decided by one reading are ordered
// transitively, and sorting keeps every row.
#include <QByteArray>
#include <QLocale>
#include <QString>
#include <algorithm>
#include <cstdint>
#include <numeric>
#include <string>
#include <vector>

#include "FuzzCheck.h"
#include "core/app/Language.h"
#include "gui/controls/ListTextOrder.h"
#include "platform/NativePlatform.h"

using namespace kiro;
using gui::CellSortKey;

namespace {

enum class Reading { Hexadecimal, Decimal, Moment, Bytes };

Reading DecidingReading(const CellSortKey& a, const CellSortKey& b) {
    if (a.hexadecimal && b.hexadecimal) return Reading::Hexadecimal;
    if (a.decimal && b.decimal) return Reading::Decimal;
    if (a.moment && b.moment) return Reading::Moment;
    return Reading::Bytes;
}

int Sign(int value) {
    return (value > 0) - (value < 0);
}

QLocale LocaleNumbered(int n) {
    switch (n % 4) {
        case 1:
            return QLocale(QLocale::German, QLocale::Germany);
        case 2:
            return QLocale(QLocale::Chinese, QLocale::Taiwan);
        case 3:
            return QLocale::c();
    }
    return QLocale(QLocale::English, QLocale::UnitedStates);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 1) return 0;
    static const NativeTextCodec codec;
    const int language = data[0] / 4 % 4;  // 3: no code page, UTF-8
    gui::CodePageEncoder encoder;
    if (language < 3)
        encoder = [language](const QString& text) {
            return QByteArray::fromStdString(codec.FromUtf8(text.toStdString(), language));
        };
    const gui::CellSortKeyReader reader(LocaleNumbered(data[0]), encoder);

    std::vector<CellSortKey> keys;
    const std::string_view texts = fuzz::TextOf(data + 1, size - 1);
    for (size_t at = 0; at <= texts.size() && keys.size() < 12;) {
        const size_t end = std::min(texts.find('\n', at), texts.size());
        const std::string_view text = texts.substr(at, end - at);
        keys.push_back(reader.Read(QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()))));
        at = end + 1;
    }

    const auto compare = [&keys](size_t a, size_t b) {
        return Sign(gui::CompareCellSortKeys(keys[a], keys[b]));
    };
    const size_t n = keys.size();
    for (size_t a = 0; a < n; ++a) {
        fuzz::Require(compare(a, a) == 0, "no text sorts before itself");
        for (size_t b = 0; b < n; ++b) {
            fuzz::Require(compare(a, b) == -compare(b, a),
                          "the order of two texts does not depend on the asking");
            for (size_t c = 0; c < n; ++c) {
                const Reading reading = DecidingReading(keys[a], keys[b]);
                if (DecidingReading(keys[b], keys[c]) != reading ||
                    DecidingReading(keys[a], keys[c]) != reading)
                    continue;
                const int ab = compare(a, b), bc = compare(b, c), ac = compare(a, c);
                if (ab <= 0 && bc <= 0)
                    fuzz::Require(ac <= 0 && (ac < 0 || (ab == 0 && bc == 0)),
                                  "three texts of one reading are ordered transitively");
            }
        }
    }

    std::vector<int> order(n);
    std::iota(order.begin(), order.end(), 0);
    gui::QuickSort(order, [&keys](int a, int b) { return gui::CompareCellSortKeys(keys[a], keys[b]); });
    std::vector<int> sorted = order;
    std::sort(sorted.begin(), sorted.end());
    for (size_t i = 0; i < n; ++i) fuzz::Require(sorted[i] == static_cast<int>(i), "sorting keeps every row");
    return 0;
}
