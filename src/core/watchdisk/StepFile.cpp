#include "core/watchdisk/StepFile.h"

#include <algorithm>
#include <array>

#include "core/base/CalendarMath.h"
#include "core/base/Fnv1a.h"
#include "core/base/Format.h"

namespace kiro {
namespace {

constexpr size_t kPieceBytes = 64 * 1024;
constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
// A count beyond this is as good as any larger one: the store keeps 65535 at most.
constexpr int kLargestCount = 1000000000;
constexpr int kHourRowMinutes = 60;

bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r';
}

// A field without the blanks around it, and without the double quotes that some programs put
// round every field.
std::string_view Trimmed(std::string_view text) {
    while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
    while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
    if (text.size() >= 2 && text.front() == '"' && text.back() == '"')
        return Trimmed(text.substr(1, text.size() - 2));
    return text;
}

char Lower(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

bool SameWord(std::string_view text, std::string_view lowerWord) {
    return text.size() == lowerWord.size() && std::equal(text.begin(), text.end(), lowerWord.begin(),
                                                         [](char a, char b) { return Lower(a) == b; });
}

void SplitFields(std::string_view line, std::vector<std::string_view>& fields) {
    fields.clear();
    for (size_t start = 0;;) {
        const size_t comma = line.find(',', start);
        fields.push_back(
            Trimmed(line.substr(start, comma == std::string_view::npos ? comma : comma - start)));
        if (comma == std::string_view::npos) return;
        start = comma + 1;
    }
}

std::optional<StepFileFormat> FormatOfHeader(const std::vector<std::string_view>& fields) {
    if (fields.size() == 3 && SameWord(fields[0], "id") && SameWord(fields[1], "activityminute") &&
        SameWord(fields[2], "steps"))
        return StepFileFormat::MinuteRows;
    if (fields.size() == 2 && (SameWord(fields[0], "time") || SameWord(fields[0], "when")) &&
        SameWord(fields[1], "steps"))
        return StepFileFormat::TimeAndSteps;
    if (fields.size() != 2 + kHourRowMinutes || !SameWord(fields[0], "id") ||
        !SameWord(fields[1], "activityhour"))
        return std::nullopt;
    for (int minute = 0; minute < kHourRowMinutes; ++minute)
        if (!SameWord(fields[2 + minute], Format("steps%02d", minute))) return std::nullopt;
    return StepFileFormat::HourRows;
}

// Digits only: a sign, a fraction or an empty field is no count of steps.
bool ReadCount(std::string_view text, int& count) {
    if (text.empty()) return false;
    count = 0;
    for (const char c : text) {
        if (c < '0' || c > '9') return false;
        count = static_cast<int>(std::min<int64_t>(int64_t{count} * 10 + (c - '0'), kLargestCount));
    }
    return true;
}

// Reads a time field from left to right.
class TimeText {
  public:
    explicit TimeText(std::string_view text) : text_(text) {}

    bool Number(size_t fewest, size_t most, int& value) {
        size_t digits = 0;
        value = 0;
        while (pos_ < text_.size() && digits < most && text_[pos_] >= '0' && text_[pos_] <= '9') {
            value = value * 10 + (text_[pos_++] - '0');
            ++digits;
        }
        return digits >= fewest;
    }
    bool Literal(char c) {
        if (pos_ >= text_.size() || text_[pos_] != c) return false;
        ++pos_;
        return true;
    }
    bool Blanks() {
        const size_t start = pos_;
        while (pos_ < text_.size() && text_[pos_] == ' ') ++pos_;
        return pos_ > start;
    }
    // ":ss", when there.
    bool OptionalSeconds(int& second) {
        second = 0;
        return !Literal(':') || Number(2, 2, second);
    }
    bool Word(std::string_view lowerWord) {
        if (!SameWord(text_.substr(pos_, lowerWord.size()), lowerWord)) return false;
        pos_ += lowerWord.size();
        return true;
    }
    bool AtEnd() const { return pos_ == text_.size(); }

  private:
    std::string_view text_;
    size_t pos_ = 0;
};

bool Exists(const LocalTime& time) {
    return time.month >= 1 && time.month <= 12 && time.day >= 1 &&
           time.day <= DaysInMonth(time.year, time.month) && time.hour >= 0 && time.hour <= 23 &&
           time.minute >= 0 && time.minute <= 59 && time.second >= 0 && time.second <= 59;
}

// "M/D/YYYY h:mm[:ss] AM|PM", or a 24-hour clock without AM or PM.
std::optional<LocalTime> ParseUsTime(std::string_view text) {
    TimeText in(text);
    LocalTime time;
    if (!in.Number(1, 2, time.month) || !in.Literal('/') || !in.Number(1, 2, time.day) || !in.Literal('/') ||
        !in.Number(4, 4, time.year) || !in.Blanks() || !in.Number(1, 2, time.hour) || !in.Literal(':') ||
        !in.Number(2, 2, time.minute) || !in.OptionalSeconds(time.second))
        return std::nullopt;
    const bool spaced = in.Blanks();
    const bool am = spaced && in.Word("am");
    const bool pm = spaced && !am && in.Word("pm");
    in.Blanks();
    if (!in.AtEnd()) return std::nullopt;
    if (am || pm) {
        if (time.hour < 1 || time.hour > 12) return std::nullopt;
        time.hour = time.hour % 12 + (pm ? 12 : 0);
    }
    return Exists(time) ? std::optional(time) : std::nullopt;
}

// "YYYY-MM-DD hh:mm[:ss]" or "YYYY-MM-DDThh:mm[:ss]". A zone ("Z", "+01:00") is refused: the
// store keeps local clock time, and another zone's time stored as local would be hours off.
std::optional<LocalTime> ParseIsoTime(std::string_view text) {
    TimeText in(text);
    LocalTime time;
    if (!in.Number(4, 4, time.year) || !in.Literal('-') || !in.Number(2, 2, time.month) || !in.Literal('-') ||
        !in.Number(2, 2, time.day) || !(in.Literal('T') || in.Blanks()) || !in.Number(2, 2, time.hour) ||
        !in.Literal(':') || !in.Number(2, 2, time.minute) || !in.OptionalSeconds(time.second) || !in.AtEnd())
        return std::nullopt;
    return Exists(time) ? std::optional(time) : std::nullopt;
}

// The lines of a file as they come, piece by piece.
class StepFileLines {
  public:
    explicit StepFileLines(std::string person) : person_(std::move(person)) {}

    // False once the file has a problem: nothing after it counts.
    bool Line(std::string_view line) {
        ++content_.line;
        if (line.size() > kMaxStepFileLine) return Fail(StepFileProblem::LineTooLong);
        if (content_.line == 1 && line.substr(0, kByteOrderMark.size()) == kByteOrderMark)
            line.remove_prefix(kByteOrderMark.size());
        SplitFields(line, fields_);
        if (fields_.size() == 1 && fields_[0].empty()) return true;  // an empty line
        return format_ ? Row() : Header();
    }
    // The line after the last one read is longer than any line may be, and has not ended yet.
    bool NextLineTooLong() {
        ++content_.line;
        return Fail(StepFileProblem::LineTooLong);
    }
    void Unreadable(const std::error_code& error) {
        Fail(StepFileProblem::Unreadable);
        content_.error = error;
        content_.line = 0;
    }

    StepFileContent Finish(uint64_t size, uint64_t hash) {
        if (content_.problem == StepFileProblem::None && !format_) {
            content_.problem = StepFileProblem::UnknownHeader;
            content_.line = 1;
        } else if (content_.problem == StepFileProblem::None) {
            if (!person_.empty() && !personSeen_) content_.problem = StepFileProblem::PersonMissing;
            if (person_.empty() && content_.people.size() > 1)
                content_.problem = StepFileProblem::SeveralPeople;
            if (content_.problem != StepFileProblem::None) content_.line = 0;
        }
        if (content_.problem != StepFileProblem::None) content_.months = MonthBatch();
        const bool firstPerson = person_.empty() && !content_.people.empty();
        content_.person = firstPerson ? content_.people.front() : person_;
        content_.identity = {"steps-import:" + content_.person, size, hash};
        return std::move(content_);
    }

  private:
    bool Fail(StepFileProblem problem) {
        content_.problem = problem;
        return false;
    }

    bool Header() {
        format_ = FormatOfHeader(fields_);
        if (!format_) return Fail(StepFileProblem::UnknownHeader);
        content_.format = *format_;
        headerFields_ = fields_.size();
        return true;
    }

    bool Row() {
        if (fields_.size() != headerFields_) return Fail(StepFileProblem::FieldCount);
        const bool withId = *format_ != StepFileFormat::TimeAndSteps;
        const std::optional<LocalTime> time = ParseStepFileTime(fields_[withId ? 1 : 0]);
        // An hour row's minutes are the 60 of that hour: a time within the hour would move them.
        if (!time || (*format_ == StepFileFormat::HourRows && (time->minute != 0 || time->second != 0)))
            return Fail(StepFileProblem::BadTime);
        const size_t first = withId ? 2 : 1;
        std::array<int, kHourRowMinutes> counts{};
        for (size_t field = first; field < fields_.size(); ++field)
            if (!ReadCount(fields_[field], counts[field - first])) return Fail(StepFileProblem::BadSteps);
        if (withId && !Chosen(fields_[0])) return true;
        for (size_t i = 0; first + i < fields_.size(); ++i)
            if (!AddMinute(*time, static_cast<int>(i), counts[i]))
                return Fail(StepFileProblem::TooManyMonths);
        return true;
    }

    // Whether the row's Id is the one whose steps are taken; the Ids met are noted on the way.
    bool Chosen(std::string_view id) {
        // The rows of one person come together: the list is searched only when the Id changes.
        if (id != lastId_) {
            lastId_ = id;
            auto& people = content_.people;
            if (std::find(people.begin(), people.end(), id) == people.end() &&
                people.size() < kMaxListedPeople)
                people.push_back(lastId_);
        }
        if (person_.empty()) return id == content_.people.front();
        if (id != person_) return false;
        personSeen_ = true;
        return true;
    }

    bool AddMinute(const LocalTime& time, int minuteOffset, int count) {
        if (count == 0) return true;
        const auto& months = content_.months.Months();
        if (months.size() >= kMaxImportMonths && !months.count({time.year, time.month})) return false;
        AddToSlot(content_.months.Month(time.year, time.month), time.day, time.hour,
                  time.minute + minuteOffset, count);
        return true;
    }

    std::string person_;
    bool personSeen_ = false;
    std::string lastId_;
    std::optional<StepFileFormat> format_;
    size_t headerFields_ = 0;
    std::vector<std::string_view> fields_;
    StepFileContent content_;
};

}  // namespace

std::optional<LocalTime> ParseStepFileTime(std::string_view text) {
    if (auto time = ParseIsoTime(text)) return time;
    return ParseUsTime(text);
}

StepFileContent ReadStepFile(FileSystem& files, const std::string& path, const std::string& person) {
    StepFileLines lines(person);
    std::error_code error;
    const std::unique_ptr<ReadableFile> file = files.OpenToRead(path, error);
    uint64_t size = 0;
    uint64_t hash = kFnv1aStart;
    std::string piece;
    std::string pending;  // the start of a line that goes on in the next piece
    for (bool going = file != nullptr; going;) {
        if ((error = file->Read(piece, kPieceBytes))) break;
        size += piece.size();
        hash = Fnv1a(piece, hash);
        if (piece.empty()) {
            // The last line needs no line break.
            if (!pending.empty()) lines.Line(pending);
            break;
        }
        size_t start = 0;
        for (size_t end; going && (end = piece.find('\n', start)) != std::string::npos; start = end + 1) {
            const std::string_view rest = std::string_view(piece).substr(start, end - start);
            if (pending.empty()) {
                going = lines.Line(rest);
            } else {
                pending.append(rest.substr(0, kMaxStepFileLine + 1));
                going = lines.Line(pending);
                pending.clear();
            }
        }
        if (!going) break;
        pending.append(piece, start, kMaxStepFileLine + 1);
        if (pending.size() > kMaxStepFileLine) going = lines.NextLineTooLong();
    }
    if (error) lines.Unreadable(error);
    return lines.Finish(size, hash);
}

}  // namespace kiro
