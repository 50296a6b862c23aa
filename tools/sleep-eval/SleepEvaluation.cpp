#include "tools/sleep-eval/SleepEvaluation.h"

#include <algorithm>
#include <cstdlib>
#include <limits>

#include "core/analysis/SleepClassification.h"
#include "core/analysis/SleepCurve.h"
#include "core/analysis/SleepEstimate.h"
#include "core/app/Settings.h"
#include "core/base/Format.h"
#include "core/base/Random.h"

namespace kiro::sleepeval {
namespace {

constexpr int kPlainRun = 30;

std::span<const int32_t> Window(const LabelledNight& night) {
    return std::span(night.minutes).subspan(kEstimateWindowStartMinute, kEstimateWindowMinutes);
}

double Median(std::vector<double> values) {
    if (values.empty()) return 0;
    const size_t middle = values.size() / 2;
    std::nth_element(values.begin(), values.begin() + static_cast<std::ptrdiff_t>(middle), values.end());
    const double upper = values[middle];
    if (values.size() % 2 == 1) return upper;
    const double lower =
        *std::max_element(values.begin(), values.begin() + static_cast<std::ptrdiff_t>(middle));
    return (lower + upper) / 2;
}

std::string Percent(int part, int whole) {
    return Format("%.1f %%", whole == 0 ? 0.0 : 100.0 * part / whole);
}

std::string Minutes(double minutes) {
    if (minutes == std::numeric_limits<double>::infinity()) return "-";
    return Format("%.1f", minutes);
}

}  // namespace

Method CurveAnalysis() {
    // One generator for the whole run, as one dialog draws on the program's generator night after
    // night: the results are the same on every run.
    auto random = std::make_shared<Random>();
    return {"sleep curve", [random](const LabelledNight& night) -> std::optional<Times> {
                const SleepWindowHours hours;
                std::vector<uint16_t> minutes(night.minutes.size());
                std::transform(
                    night.minutes.begin(), night.minutes.end(), minutes.begin(),
                    [](int32_t steps) { return static_cast<uint16_t>(std::clamp(steps, 0, 65535)); });
                const int start = hours.startHour * 60;
                const SleepResult result = ClassifySleep(
                    BuildSleepCurve(minutes, start, (hours.endHour - hours.startHour) * 60, *random));
                return Times{start + result.sleepStart, start + result.sleepEnd + 1};
            }};
}

Method PlainRule() {
    return {"first and last 30 quiet minutes", [](const LabelledNight& night) -> std::optional<Times> {
                const auto window = Window(night);
                int run = 0;
                std::optional<Times> times;
                for (int i = 0; i < static_cast<int>(window.size()); ++i) {
                    run = window[i] == 0 ? run + 1 : 0;
                    if (run < kPlainRun) continue;
                    if (!times) times = Times{kEstimateWindowStartMinute + i - kPlainRun + 1, 0};
                    times->wake = kEstimateWindowStartMinute + i;
                }
                return times;
            }};
}

Method Estimate(int penalty) {
    return {Format("estimate, penalty %d", penalty),
            [penalty](const LabelledNight& night) -> std::optional<Times> {
                const std::optional<SleepEstimate> estimate = EstimateSleep(Window(night), penalty);
                if (!estimate) return std::nullopt;
                return Times{estimate->bedMinute, estimate->wakeMinute};
            }};
}

Score ScoreMethod(const Method& method, const std::vector<LabelledNight>& nights,
                  const std::set<std::string>& people) {
    Score score;
    std::vector<double> bedErrors;
    std::vector<double> wakeErrors;
    for (const LabelledNight& night : nights) {
        if (!people.empty() && !people.contains(night.person)) continue;
        ++score.nights;
        const std::optional<Times> times = method.estimate(night);
        const double bed =
            times ? std::abs(times->bed - night.referenceBed) : std::numeric_limits<double>::infinity();
        const double wake =
            times ? std::abs(times->wake - night.referenceWake) : std::numeric_limits<double>::infinity();
        score.bedWithin30 += bed <= 30;
        score.bedWithin60 += bed <= 60;
        score.wakeWithin30 += wake <= 30;
        score.wakeWithin60 += wake <= 60;
        bedErrors.push_back(bed);
        wakeErrors.push_back(wake);
    }
    score.medianBedError = Median(std::move(bedErrors));
    score.medianWakeError = Median(std::move(wakeErrors));
    return score;
}

std::string TableHeader() {
    return "| method | nights | bed ≤ 30 min | bed ≤ 60 min | bed median error | wake ≤ 30 min | wake ≤ 60 "
           "min | "
           "wake median error |\n|---|---|---|---|---|---|---|---|\n";
}

std::string TableRow(const std::string& name, const Score& score) {
    return "| " + name + " | " + std::to_string(score.nights) + " | " +
           Percent(score.bedWithin30, score.nights) + " | " + Percent(score.bedWithin60, score.nights) +
           " | " + Minutes(score.medianBedError) + " | " + Percent(score.wakeWithin30, score.nights) + " | " +
           Percent(score.wakeWithin60, score.nights) + " | " + Minutes(score.medianWakeError) + " |\n";
}

}  // namespace kiro::sleepeval
