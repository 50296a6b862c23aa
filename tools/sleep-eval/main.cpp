// Scores the sleep estimate, the sleep curve's own times and a plain rule against the real data's
// sleep labels. The estimate's penalty is chosen on the tuning people and reported on the others:
// the split is by person, never by night, so no night of a held-out person shaped the rule.
#include <algorithm>
#include <cstring>
#include <iostream>

#include "core/analysis/SleepEstimate.h"
#include "tools/sleep-eval/SleepEvaluation.h"

namespace {

using namespace kiro::sleepeval;

constexpr int kPenalties[] = {0, 2, 5, 10, 15, 20, 40, 80};

std::string Joined(const std::set<std::string>& items) {
    std::string text;
    for (const std::string& item : items) text += (text.empty() ? "" : ", ") + item;
    return text;
}

void PrintMethods(const std::vector<LabelledNight>& nights, const std::set<std::string>& people) {
    std::cout << TableHeader();
    for (const Method& method : {CurveAnalysis(), PlainRule(), Estimate(kiro::kSleepStepPenalty)})
        std::cout << TableRow(method.name, ScoreMethod(method, nights, people));
}

}  // namespace

int main(int argc, char** argv) {
    std::string data = std::string(KIRO_SOURCE_DIR) + "/data/realworld";
    std::set<std::string> tuning{"2347167796", "6117666160"};
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--data") == 0 && i + 1 < argc) {
            data = argv[++i];
        } else if (std::strcmp(argv[i], "--tune") == 0 && i + 1 < argc) {
            const std::vector<std::string> people = SplitCommas(argv[++i]);
            tuning = std::set<std::string>(people.begin(), people.end());
        } else {
            std::cerr << "usage: kiro_sleep_eval [--data FOLDER] [--tune PERSON,PERSON...]\n"
                         "FOLDER holds minuteStepsWide.csv and minuteSleep.csv (default: the project's real "
                         "data).\n";
            return 2;
        }
    }
    const std::vector<LabelledNight> nights =
        LoadLabelledNights(data + "/minuteStepsWide.csv", data + "/minuteSleep.csv");
    if (nights.empty()) {
        std::cerr << "kiro_sleep_eval: no night to score in " << data << "\n";
        return 1;
    }
    std::set<std::string> everyone;
    for (const LabelledNight& night : nights) everyone.insert(night.person);
    std::set<std::string> heldOut;
    std::set_difference(everyone.begin(), everyone.end(), tuning.begin(), tuning.end(),
                        std::inserter(heldOut, heldOut.end()));

    std::cout << "# Sleep estimate against the sleep labels\n\n"
              << nights.size() << " nights of " << everyone.size() << " people in " << data << ".\n"
              << "Tuning people: " << Joined(tuning) << ". Held-out people: " << Joined(heldOut) << ".\n\n"
              << "## The penalty on the tuning people\n\n"
              << TableHeader();
    int chosen = kPenalties[0];
    int chosenHits = -1;
    for (const int penalty : kPenalties) {
        const Method estimate = Estimate(penalty);
        const Score score = ScoreMethod(estimate, nights, tuning);
        std::cout << TableRow(estimate.name, score);
        if (score.bedWithin30 + score.wakeWithin30 > chosenHits) {
            chosenHits = score.bedWithin30 + score.wakeWithin30;
            chosen = penalty;
        }
    }
    std::cout << "\nBest on the tuning people: penalty " << chosen << "; the program uses "
              << kiro::kSleepStepPenalty << ".\n\n## Held-out people\n\n";
    PrintMethods(nights, heldOut);
    std::cout << "\n## All people\n\n";
    PrintMethods(nights, {});
    return 0;
}
