#include "gui/controls/ListTextOrder.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <limits>

namespace kiro::gui {
namespace {
// The reports pad their numbers with blanks on the right ("%d   "); read without the padding, such
// a column would sort as text, "100" before "9".
const char* SkipTrailingBlanks(const char* end) {
    while (*end != '\0' && std::isspace(static_cast<unsigned char>(*end))) ++end;
    return end;
}

// strtoul with base 16 as a 32-bit C library has it: leading blanks, a sign and "0x" allowed,
// a magnitude beyond 32 bits saturates, a minus sign negates modulo 2^32.
std::optional<std::uint32_t> ReadHexadecimal(const QByteArray& bytes) {
    if (bytes.isEmpty()) return std::nullopt;
    const char* begin = bytes.constData();
    char* end = nullptr;
    errno = 0;
    const unsigned long long value = std::strtoull(begin, &end, 16);
    if (end == begin || *SkipTrailingBlanks(end) != '\0') return std::nullopt;
    constexpr unsigned long long kMax32 = std::numeric_limits<std::uint32_t>::max();
    // The whole text was read, so a minus in it is the sign.
    const bool negative = std::strchr(begin, '-') != nullptr;
    const unsigned long long magnitude = negative ? 0 - value : value;
    if (errno == ERANGE || magnitude > kMax32) return static_cast<std::uint32_t>(kMax32);
    return static_cast<std::uint32_t>(negative ? 0 - magnitude : magnitude);
}

std::optional<double> ReadDecimal(const QByteArray& bytes) {
    if (bytes.isEmpty()) return std::nullopt;
    const char* begin = bytes.constData();
    char* end = nullptr;
    const double value = std::strtod(begin, &end);
    // "nan" is no number to sort by: it would be neither before nor after any other, and the
    // order of the numbers around it would then depend on where it stood.
    if (end == begin || std::isnan(value)) return std::nullopt;
    if (*end == '%') ++end;
    if (*SkipTrailingBlanks(end) != '\0') return std::nullopt;
    return value;
}

// The locale's date and time formats, the short ones also with a four-digit year (a short
// format often has two, and people write four), then the year-first numeric dates that the
// program's reports write in every locale.
QStringList MomentFormats(const QLocale& locale) {
    QStringList formats;
    for (auto length : {QLocale::ShortFormat, QLocale::LongFormat}) {
        formats << locale.dateTimeFormat(length) << locale.dateFormat(length);
    }
    for (const QString& shortFormat :
         {locale.dateTimeFormat(QLocale::ShortFormat), locale.dateFormat(QLocale::ShortFormat)}) {
        if (shortFormat.contains(QLatin1String("yy")) && !shortFormat.contains(QLatin1String("yyyy"))) {
            formats << QString(shortFormat).replace(QLatin1String("yy"), QLatin1String("yyyy"));
        }
    }
    formats << QStringLiteral("yyyy/M/d H:mm:ss") << QStringLiteral("yyyy/M/d H:mm")
            << QStringLiteral("yyyy/M/d") << QStringLiteral("yyyy-M-d H:mm:ss")
            << QStringLiteral("yyyy-M-d H:mm") << QStringLiteral("yyyy-M-d");
    return formats;
}

template <typename T>
int Order(const T& a, const T& b) {
    return a < b ? -1 : (b < a ? 1 : 0);
}
}  // namespace

CellSortKeyReader::CellSortKeyReader(const QLocale& locale, CodePageEncoder encode)
    : locale_(locale), momentFormats_(MomentFormats(locale)), encode_(std::move(encode)) {}

CellSortKey CellSortKeyReader::Read(const QString& text) const {
    const QByteArray bytes = encode_ ? encode_(text) : text.toUtf8();
    return {bytes, ReadHexadecimal(bytes), ReadDecimal(bytes), ReadMoment(text)};
}

std::optional<QDateTime> CellSortKeyReader::ReadMoment(const QString& text) const {
    const QString trimmed = text.trimmed();
    if (trimmed.isEmpty()) return std::nullopt;
    for (const QString& format : momentFormats_) {
        const QDateTime moment = locale_.toDateTime(trimmed, format);
        if (moment.isValid()) return moment;
    }
    // A time alone counts on the day that date-less times conventionally fall on.
    for (auto length : {QLocale::ShortFormat, QLocale::LongFormat}) {
        const QTime time = locale_.toTime(trimmed, length);
        if (time.isValid()) return QDateTime(QDate(1899, 12, 30), time);
    }
    return std::nullopt;
}

int CompareCellSortKeys(const CellSortKey& a, const CellSortKey& b) {
    if (a.hexadecimal && b.hexadecimal) return Order(*a.hexadecimal, *b.hexadecimal);
    if (a.decimal && b.decimal) return Order(*a.decimal, *b.decimal);
    if (a.moment && b.moment) return Order(*a.moment, *b.moment);
    // As strcmp does: bytes compared as unsigned values.
    const auto byte = [](char c) { return static_cast<unsigned char>(c); };
    const bool less =
        std::lexicographical_compare(a.bytes.begin(), a.bytes.end(), b.bytes.begin(), b.bytes.end(),
                                     [&](char x, char y) { return byte(x) < byte(y); });
    const bool greater =
        std::lexicographical_compare(b.bytes.begin(), b.bytes.end(), a.bytes.begin(), a.bytes.end(),
                                     [&](char x, char y) { return byte(x) < byte(y); });
    return less ? -1 : (greater ? 1 : 0);
}

}  // namespace kiro::gui
