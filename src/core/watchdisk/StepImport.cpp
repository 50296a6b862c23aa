#include "core/watchdisk/StepImport.h"

#include <algorithm>
#include <optional>
#include <vector>

#include "core/app/App.h"
#include "core/base/Format.h"
#include "core/base/Numbers.h"
#include "core/system/Host.h"
#include "core/watchdisk/CollectedSteps.h"

namespace kiro {
namespace {

// What the file adds to the folder as it stands, and the journal it was planned against.
struct ImportPlan {
    ImportOutcome outcome;
    StepTally tally;
    std::optional<ImportJournal> journal;
};

ImportPlan FolderFailure(const std::error_code& error) {
    ImportPlan plan;
    plan.outcome.result =
        error == std::errc::device_or_resource_busy ? ImportResult::FolderBusy : ImportResult::FolderFailed;
    plan.outcome.error = error;
    return plan;
}

// Counts what the file's minutes of one month add to the month as stored. With `keep`, the
// file's month keeps only that: the minutes the folder holds steps for drop out.
void CountMonth(const MonthBuffer& stored, const MonthBuffer& file, int slightMoving, ImportPlan& plan,
                MonthBuffer* keep) {
    ImportFigures& figures = plan.outcome.figures;
    for (int day = 0; day < kDaysPerMonthFile; ++day) {
        bool gains = false;
        for (int slot = day * kMinutesPerDay; slot < (day + 1) * kMinutesPerDay; ++slot) {
            const uint16_t count = file.minutes[slot];
            if (count == 0) continue;
            if (stored.minutes[slot] != 0) {
                ++figures.minutesHeld;
                if (keep) keep->minutes[slot] = 0;
                continue;
            }
            gains = true;
            ++figures.minutes;
            figures.steps += count;
            if (count > slightMoving) ++plan.tally.activeMinutes;
        }
        figures.days += gains ? 1 : 0;
    }
}

// Reads the journal and every month the file touches, under the folder's lock that the caller
// holds. With `keep` (the file's own months), the file keeps only the minutes it adds.
ImportPlan Plan(App& app, const StepFileContent& file, MonthBatch* keep) {
    const JournalRead read = ReadImportJournal(app.Files(), app.Paths());
    if (read.error) return FolderFailure(read.error);
    ImportPlan plan;
    if (read.journal.Contains(file.identity)) {
        plan.outcome.result = ImportResult::ImportedBefore;
        return plan;
    }
    const int slightMoving = app.Config().Values().slightMoving;
    LoadedMonth stored;
    for (const auto& [month, counts] : file.months.Months()) {
        app.Store().LoadMonthInto(month.first, month.second, stored);
        if (stored.error) return FolderFailure(stored.error);
        CountMonth(stored.buffer, counts, slightMoving, plan,
                   keep ? &keep->Month(month.first, month.second) : nullptr);
    }
    const ImportFigures& figures = plan.outcome.figures;
    // Counted as a watch's day file counts its minutes: every minute given steps.
    plan.tally.steps = figures.steps;
    plan.tally.period = figures.minutes;
    plan.tally.missionSteps = figures.steps;
    plan.journal = read.journal;
    return plan;
}

bool AddsNothing(const MonthBuffer& month) {
    for (const uint16_t count : month.minutes)
        if (count != 0) return false;
    return true;
}

std::string PeopleText(const std::vector<std::string>& people) {
    std::string text;
    for (const std::string& person : people) text += (text.empty() ? "" : ", ") + person;
    if (people.size() >= kMaxListedPeople) text += ", ...";
    return text.empty() ? "-" : text;
}

}  // namespace

ImportOutcome ImportStepFile(App& app, StepFileContent&& file) {
    const ProgramFolderWriter::Hold hold = app.Writer().Lock();
    if (!hold) return FolderFailure(hold.Error()).outcome;
    ImportPlan plan = Plan(app, file, &file.months);
    if (plan.outcome.result != ImportResult::Stored) return plan.outcome;
    // A month whose every minute holds steps already is not written again.
    std::vector<std::pair<int, int>> unchanged;
    for (const auto& [month, additions] : file.months.Months())
        if (AddsNothing(additions)) unchanged.push_back(month);
    for (const auto& month : unchanged) file.months.Drop(month);

    CollectedSteps collected;
    collected.months = std::move(file.months);
    collected.tally = plan.tally;
    plan.journal->Add(file.identity);
    collected.journal = std::move(plan.journal);
    if (const std::error_code error = CommitCollectedSteps(app, collected))
        return FolderFailure(error).outcome;
    return plan.outcome;
}

ImportOutcome PreviewStepFile(App& app, const StepFileContent& file) {
    const ProgramFolderWriter::Hold hold = app.Writer().ReadLock();
    if (!hold) return FolderFailure(hold.Error()).outcome;
    return Plan(app, file, nullptr).outcome;
}

bool ImportStepFileAsking(App& app, Host& host, const std::string& path, const std::string& name) {
    const std::string caption = app.GetLangText(TextId::ImportCaption);
    StepFileContent file = ReadStepFile(app.Files(), path, {});
    if (file.problem == StepFileProblem::SeveralPeople) {
        const std::vector<std::string> people = file.people;
        const auto chosen = std::find_if(people.begin(), people.end(), [&](const std::string& person) {
            return host.AskYesNo(caption, FormatText(app.GetLangText(TextId::ImportPersonQuestion),
                                                     name.c_str(), person.c_str()));
        });
        if (chosen == people.end()) return false;
        file = ReadStepFile(app.Files(), path, *chosen);
    }
    if (file.problem != StepFileProblem::None) {
        host.ShowMessage(DescribeStepFileProblem(app, file, name), caption);
        return false;
    }
    const auto showFailure = [&](const ImportOutcome& outcome) {
        switch (outcome.result) {
            case ImportResult::Stored:
                return false;
            case ImportResult::ImportedBefore:
                host.ShowMessage(FormatText(app.GetLangText(TextId::ImportedBefore), name.c_str()), caption);
                break;
            case ImportResult::FolderBusy:
                host.ShowMessage(app.GetLangText(TextId::FolderBusy), caption);
                break;
            case ImportResult::FolderFailed:
                host.ShowMessage(
                    FormatText(app.GetLangText(TextId::FolderNotUpdated), outcome.error.message().c_str()),
                    caption);
                break;
        }
        return true;
    };
    const ImportOutcome preview = PreviewStepFile(app, file);
    if (showFailure(preview)) return false;
    const std::string question = FormatText(app.GetLangText(TextId::ImportQuestion), name.c_str(),
                                            DescribeImportFigures(app, preview.figures).c_str());
    if (!host.AskYesNo(caption, question)) return false;
    const ImportOutcome stored = ImportStepFile(app, std::move(file));
    if (showFailure(stored)) return false;
    host.SetStatusText(FormatText(app.GetLangText(TextId::ImportDone), name.c_str(),
                                  DescribeImportFigures(app, stored.figures).c_str()));
    host.NotifyDataChanged();
    return true;
}

std::string DescribeStepFileProblem(const App& app, const StepFileContent& file,
                                    const std::string& fileName) {
    const char* name = fileName.c_str();
    const auto badLine = [&](const std::string& detail) {
        return FormatText(app.GetLangText(TextId::ImportBadLine), SaturatedInt(file.line), name,
                          detail.c_str());
    };
    switch (file.problem) {
        case StepFileProblem::None:
            break;
        case StepFileProblem::Unreadable:
            return FormatText(app.GetLangText(TextId::ImportUnreadable), name, file.error.message().c_str());
        case StepFileProblem::UnknownHeader:
            return FormatText(app.GetLangText(TextId::ImportUnknownFormat), name);
        case StepFileProblem::FieldCount:
            return badLine(app.GetLangText(TextId::ImportFieldCountDetail));
        case StepFileProblem::BadTime:
            return badLine(app.GetLangText(TextId::ImportTimeDetail));
        case StepFileProblem::BadSteps:
            return badLine(app.GetLangText(TextId::ImportStepsDetail));
        case StepFileProblem::LineTooLong:
            return badLine(app.GetLangText(TextId::ImportLongLineDetail));
        case StepFileProblem::TooManyMonths:
            return badLine(FormatText(app.GetLangText(TextId::ImportTooManyMonthsDetail),
                                      static_cast<int>(kMaxImportMonths)));
        case StepFileProblem::SeveralPeople:
            return FormatText(app.GetLangText(TextId::ImportSeveralPeople), name,
                              PeopleText(file.people).c_str());
        case StepFileProblem::PersonMissing:
            return FormatText(app.GetLangText(TextId::ImportPersonMissing), name, file.person.c_str(),
                              PeopleText(file.people).c_str());
    }
    return {};
}

std::string DescribeImportFigures(const App& app, const ImportFigures& figures) {
    return FormatText(app.GetLangText(TextId::ImportFigures), figures.days, SaturatedInt(figures.minutes),
                      SaturatedInt(figures.steps), SaturatedInt(figures.minutesHeld));
}

}  // namespace kiro
