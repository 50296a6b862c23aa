#pragma once
#include <functional>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "tools/sleep-eval/LabelledNights.h"

namespace kiro::sleepeval {

// Bed and wake as a method gives them, minutes after 00:00 of the night's date.
struct Times {
    int bed = 0;
    int wake = 0;
};

struct Method {
    std::string name;
    std::function<std::optional<Times>(const LabelledNight&)> estimate;
};

// The sleep curve and its classification with the default window (20:00 to 09:00), as the sleep
// dialog shows them.
Method CurveAnalysis();
// The first and the last 30 minutes in a row without steps in the 18:00-to-12:00 window.
Method PlainRule();
// The program's estimate with the given penalty for a minute with steps.
Method Estimate(int penalty);

struct Score {
    int nights = 0;
    int bedWithin30 = 0;
    int bedWithin60 = 0;
    int wakeWithin30 = 0;
    int wakeWithin60 = 0;
    // Median absolute errors in minutes; a night the method gives no times for counts as missed
    // by more than any error.
    double medianBedError = 0;
    double medianWakeError = 0;
};

// Scores a method on the nights of the given people (all people when the set is empty).
Score ScoreMethod(const Method& method, const std::vector<LabelledNight>& nights,
                  const std::set<std::string>& people = {});

// A Markdown table row: method, nights, bed within 30 / 60 minutes and median error, the same for
// wake.
std::string TableHeader();
std::string TableRow(const std::string& name, const Score& score);

}  // namespace kiro::sleepeval
