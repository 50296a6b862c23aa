// The update check and its download against a server whose answers (bodies, how they come in
// pieces, how each transfer ends), the program's own stamp, the user's answer, a stop at exit
// and a failing disk all come from the input. A downloaded program is in place only when it came
// whole and carries the stamp the check saw, newer than the running program's.
#include <fuzzer/FuzzedDataProvider.h>

#include <atomic>
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "FuzzCheck.h"
#include "core/update/ProgramStamp.h"
#include "core/update/UpdateCheck.h"
#include "platform/NativePlatform.h"
#include "platform/sim/FakeClock.h"
#include "support/FaultyFileSystem.h"

using namespace kiro;

namespace {

struct Answer {
    std::string body;
    bool breaks = false;  // the connection breaks after `delivered` bytes
    size_t delivered = 0;
    std::vector<size_t> pieces;  // sizes of the pieces, used in turn
    int stopAtPiece = -1;        // the program starts to end before this piece
};

// What a transfer handed over, the piece the receiver stopped at included.
struct Transfer {
    std::string received;
    HttpOutcome outcome = HttpOutcome::Failed;
};

class ScriptedServer final : public HttpClient {
  public:
    ScriptedServer(std::vector<Answer> answers, std::atomic<bool>& stopping)
        : answers_(std::move(answers)), stopping_(stopping) {}

    HttpResult Get(const HttpRequest& request,
                   const std::function<bool(std::span<const uint8_t>)>& receive) override {
        transfers.emplace_back();
        Transfer& transfer = transfers.back();
        transfer.outcome = Run(request, receive, transfer);
        return {transfer.outcome, {}};
    }

    std::vector<Transfer> transfers;

  private:
    HttpOutcome Run(const HttpRequest& request, const std::function<bool(std::span<const uint8_t>)>& receive,
                    Transfer& transfer) {
        if (transfers.size() > answers_.size()) return HttpOutcome::Failed;
        const Answer& answer = answers_[transfers.size() - 1];
        const size_t end =
            answer.breaks ? std::min(answer.delivered, answer.body.size()) : answer.body.size();
        size_t at = 0;
        for (int piece = 0; at < end; ++piece) {
            if (piece == answer.stopAtPiece) stopping_ = true;
            if (request.cancelled && request.cancelled()) return HttpOutcome::Stopped;
            const size_t size = answer.pieces.empty() ? end : answer.pieces[piece % answer.pieces.size()];
            const std::string_view bytes = std::string_view(answer.body).substr(at, std::min(size, end - at));
            transfer.received += bytes;
            at += bytes.size();
            if (!receive({reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size()}))
                return HttpOutcome::Stopped;
        }
        return answer.breaks ? HttpOutcome::Failed : HttpOutcome::Complete;
    }

    std::vector<Answer> answers_;
    std::atomic<bool>& stopping_;
};

struct QuietUi final : UpdateUi {
    void OwnProgramUnreadable() override {}
    void RecordStamps(const std::string&, const std::string&) override {}
    void ShowNoNewVersion() override {}
    void ShowDownloadFailed() override {}
    void ShowUpdateByPackageManager() override {}
    bool AskToDownload(const std::atomic<bool>&) override { return answer; }
    void ShowProgressText(bool) override {}
    void SetProgress(int position) override {
        fuzz::Require(position >= 0 && position <= 100, "the progress stays within 0..100");
    }
    void SetProgressText(const std::string&) override {}
    void UpdateReady() override { ready = true; }
    void ShowUpdatedNotice() override {}

    bool answer = true;
    bool ready = false;
};

// A Windows program file (its DOS header pointing to its "PE\0\0") whose header carries the
// stamp.
std::string ProgramWithStamp(uint32_t stamp, size_t size) {
    std::string bytes(size, '\0');
    bytes.replace(0, 2, "MZ");
    bytes[0x3C] = '\x80';
    bytes.replace(0x80, 4, std::string("PE\0\0", 4));
    for (int i = 0; i < 4; ++i) bytes[0x88 + i] = static_cast<char>(stamp >> (8 * i));
    return bytes;
}

Answer ReadAnswer(FuzzedDataProvider& input, const std::string* sameBodyAs) {
    Answer answer;
    answer.body = sameBodyAs && input.ConsumeBool() ? *sameBodyAs : input.ConsumeRandomLengthString(16384);
    answer.breaks = input.ConsumeBool();
    answer.delivered = input.ConsumeIntegralInRange<size_t>(0, answer.body.size());
    answer.pieces.resize(input.ConsumeIntegralInRange(0, 4));
    for (size_t& piece : answer.pieces) piece = input.ConsumeIntegralInRange<size_t>(1, 5000);
    answer.stopAtPiece = input.ConsumeIntegralInRange(-1, 8);
    return answer;
}

std::optional<uint32_t> StampOf(const std::string& bytes) {
    const std::string_view head = std::string_view(bytes).substr(0, kStampSearchBytes);
    return FindProgramStamp({reinterpret_cast<const uint8_t*>(head.data()), head.size()});
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const fuzz::ScratchFolder folder;
    FuzzedDataProvider input(data, size);
    const uint32_t ownStamp = input.ConsumeIntegral<uint32_t>();
    const size_t ownSize = input.ConsumeIntegralInRange<size_t>(512, 20000);
    UpdateCheckSetup setup;
    setup.url = "http://kirometer.example/KiroMeter_X5.exe";
    setup.autoConfirm = input.ConsumeBool();
    setup.programPath = folder.File("KiroMeter_X5");
    setup.tempFolder = folder.File("tmp");
    QuietUi ui;
    ui.answer = input.ConsumeBool();
    const int failFrom = input.ConsumeIntegralInRange(0, 8);
    std::vector<Answer> answers;
    answers.push_back(ReadAnswer(input, nullptr));
    answers.push_back(ReadAnswer(input, &answers[0].body));

    folder.Empty();
    folder.Folder().Write("KiroMeter_X5", ProgramWithStamp(ownStamp, ownSize));
    NativeFileSystem realFiles;
    test::FaultyFileSystem files(realFiles);
    if (failFrom > 0) files.FailFrom(failFrom, std::make_error_code(std::errc::no_space_on_device));
    std::atomic<bool> stopping = false;
    ScriptedServer server(answers, stopping);
    sim::FakeClock clock;
    UpdateCheck check(files, server, clock, ui, stopping);
    check.Run(setup);

    const std::string target = setup.tempFolder + "/" + kDownloadName;
    const bool inPlace = std::filesystem::exists(target);
    fuzz::Require(!ui.ready || inPlace, "an update announced is in place");
    if (failFrom == 0)
        fuzz::Require(!std::filesystem::exists(target + ".part"), "nothing of a download is left half way");
    if (!inPlace) return 0;
    fuzz::Require(server.transfers.size() == 2, "a program is in place only after a check and a download");
    const Transfer& download = server.transfers[1];
    fuzz::Require(download.outcome == HttpOutcome::Complete && download.received == answers[1].body,
                  "a program is in place only when it came whole");
    fuzz::Require(test::TempFolder::ReadFile(target) == download.received,
                  "the program in place is what came");
    const std::optional<uint32_t> seen = StampOf(server.transfers[0].received);
    fuzz::Require(seen && *seen > ownStamp, "a program is in place only when the check saw a newer stamp");
    fuzz::Require(StampOf(download.received) == seen, "the program in place carries the stamp the check saw");
    fuzz::Require(setup.autoConfirm || ui.answer, "a program is downloaded only when the user agreed");
    fuzz::Require(!stopping, "nothing is put in place once the program ends");
    return 0;
}
