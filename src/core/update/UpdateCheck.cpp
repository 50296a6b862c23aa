#include "core/update/UpdateCheck.h"

#include <memory>

#include "core/base/Format.h"
#include "core/update/BuildCheck.h"
#include "core/update/ProgramStamp.h"
#include "core/update/TransferLimits.h"
#include "core/update/VersionResourceScanner.h"

namespace kiro {
namespace {

// A download too broken to finish, or stopped: nothing of it is kept.
class PartialDownload {
  public:
    PartialDownload(FileSystem& files, std::string path) : files_(files), path_(std::move(path)) {}
    ~PartialDownload() {
        if (!kept_) files_.Remove(path_);
    }
    PartialDownload(const PartialDownload&) = delete;
    PartialDownload& operator=(const PartialDownload&) = delete;
    void Keep() { kept_ = true; }

  private:
    FileSystem& files_;
    std::string path_;
    bool kept_ = false;
};

// No new build is this many times the size of the running one: a server that sends more is not
// sending a program, and the download must not fill the disk or run without end.
constexpr uint64_t kMaxGrowth = 64;

std::span<const uint8_t> Bytes(const std::string& text) {
    return {reinterpret_cast<const uint8_t*>(text.data()), text.size()};
}

}  // namespace

std::string StampRecord(uint32_t stamp, const Clock& clock) {
    static constexpr const char* kWeekdays[7] = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
    static constexpr const char* kMonths[12] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                                "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
    const LocalTime t = clock.LocalTimeOf(stamp);
    return Format("0x%08X --> %.3s %.3s%3d %.2d:%.2d:%.2d %d", stamp, kWeekdays[t.weekday % 7],
                  kMonths[(t.month + 11) % 12], t.day, t.hour, t.minute, t.second, t.year);
}

UpdateCheck::UpdateCheck(FileSystem& files, HttpClient& http, const Clock& clock, UpdateUi& ui,
                         const std::atomic<bool>& stopping)
    : files_(files), http_(http), clock_(clock), ui_(ui), stopping_(stopping) {}

HttpRequest UpdateCheck::Request(const std::string& url, std::function<bool()> overLimit) const {
    HttpRequest request;
    request.url = url;
    request.userAgent = kUpdateAgent;
    // From the server itself, never from a cache on the way.
    request.headers = {"Pragma: no-cache", "Cache-Control: no-cache"};
    request.cancelled = [this, overLimit = std::move(overLimit)] { return stopping_.load() || overLimit(); };
    return request;
}

UpdateCheck::Found UpdateCheck::CheckForUpdate(const UpdateCheckSetup& setup) {
    Found found;
    const ProgramStampRead own = ReadProgramStamp(files_, setup.programPath);
    if (!own.opened) {
        if (!setup.programPath.empty()) ui_.OwnProgramUnreadable();
        return found;
    }
    // A file of no known kind has no rule to compare by.
    if (own.tooShort || !own.kind) return found;
    TransferLimits limits(clock_);
    limits.Within(setup.checkLimitMs);
    std::string head;
    http_.Get(Request(setup.url, [&limits] { return limits.Exceeded(); }),
              [&head](std::span<const uint8_t> piece) {
                  head.append(reinterpret_cast<const char*>(piece.data()), piece.size());
                  return head.size() < kStampSearchBytes;
              });
    // A check that ran out of time has failed, whatever part of an answer it got.
    if (limits.Exceeded() || stopping_) return found;
    if (head.size() > kStampSearchBytes) head.resize(kStampSearchBytes);
    // Only a program the running one could be replaced by counts: its own kind, its stamp by
    // its own format's rule.
    if (FindProgramKind(Bytes(head)) != own.kind) return found;
    const std::optional<uint32_t> server = FindProgramStamp(Bytes(head), own.kind->format);
    if (!server) return found;
    ui_.RecordStamps(StampRecord(own.stamp, clock_), StampRecord(*server, clock_));
    found = {*server > own.stamp, *server, *own.kind};
    if (!found.newer) ui_.ShowNoNewVersion();
    return found;
}

void UpdateCheck::Reset() {
    ui_.ShowProgressText(false);
    ui_.SetProgress(0);
}

void UpdateCheck::Run(const UpdateCheckSetup& setup) {
    const Found found = CheckForUpdate(setup);
    if (!found.newer || stopping_) return;
    // Downloading a build that the updater could never put in place would only fail at exit.
    if (!files_.MayReplace(setup.programPath)) {
        ui_.ShowUpdateByPackageManager();
        return;
    }
    if (!setup.autoConfirm && !ui_.AskToDownload(stopping_)) return;
    uint64_t ownLength = 0;
    const bool downloaded = !files_.SizeOf(setup.programPath, ownLength) && ownLength != 0 &&
                            !files_.MakeFolder(setup.tempFolder) && Download(setup, ownLength, found);
    if (downloaded) return;
    Reset();
    // The user asked for the new build: a bar that merely went back to empty would not tell
    // them it never came. A program that is ending has no one to tell.
    if (!stopping_) ui_.ShowDownloadFailed();
}

std::string UpdateCheck::FetchSignature(const UpdateCheckSetup& setup) {
    TransferLimits limits(clock_);
    limits.Within(setup.checkLimitMs);
    std::string signature;
    const HttpResult result =
        http_.Get(Request(SignatureAddressOf(setup.url), [&limits] { return limits.Exceeded(); }),
                  [&signature](std::span<const uint8_t> piece) {
                      signature.append(reinterpret_cast<const char*>(piece.data()), piece.size());
                      return signature.size() <= kMostSignatureBytes;
                  });
    if (result.outcome != HttpOutcome::Complete) return {};
    return signature;
}

bool UpdateCheck::Download(const UpdateCheckSetup& setup, uint64_t ownLength, const Found& found) {
    const std::string target = setup.tempFolder + "/" + kDownloadName;
    // The download grows under another name: a program file broken off half way, or one that
    // fails its checks, is never where the updater looks for it.
    const std::string part = target + ".part";
    std::error_code error;
    std::unique_ptr<WritableFile> file = files_.CreateFile(part, error);
    if (!file) return false;
    PartialDownload partial(files_, part);
    ui_.ShowProgressText(true);
    ui_.SetProgress(0);

    TransferLimits limits(clock_);
    limits.AtLeast(setup.leastDownloadBytesPerSecond, setup.downloadRateWindowMs);
    uint64_t total = 0;
    BuildCheck build(found.kind, found.serverStamp);
    VersionResourceScanner versionResource;
    bool written = true;
    const HttpResult result = http_.Get(
        Request(setup.url, [&limits] { return limits.Exceeded(); }), [&](std::span<const uint8_t> piece) {
            const std::string_view bytes(reinterpret_cast<const char*>(piece.data()), piece.size());
            if (total + piece.size() > ownLength * kMaxGrowth) return written = false;
            if (file->Append(bytes)) return written = false;
            build.Feed(piece);
            versionResource.Feed(piece);
            limits.Received(piece.size());
            total += piece.size();
            ui_.SetProgress(static_cast<int>(std::min<uint64_t>(total * 100 / ownLength, 99)));
            return true;
        });
    if (file->Close() || !written || result.outcome != HttpOutcome::Complete || stopping_) return false;
    if (total < ownLength / 2) return false;
    // A body without a length that broke off counts as complete for HTTP: the seal tells. Only
    // the build the check saw is taken: not a page the server sends instead, nor another build
    // that replaced it meanwhile, nor one of another kind.
    const std::string signature = setup.signatures ? FetchSignature(setup) : std::string();
    if (build.Finish(setup.signatures, Bytes(signature)) != BuildFault::None || stopping_) return false;
    // The updater checks the signature once more before it replaces anything.
    const std::string signatureCopy = SignatureAddressOf(target);
    if (setup.signatures && files_.WriteFile(signatureCopy, signature, Durability::Flushed)) return false;
    if (files_.Rename(part, target) || files_.SyncFolder(setup.tempFolder)) return false;
    partial.Keep();

    ui_.SetProgress(100);
    // Our Linux programs carry their version in a note among the first bytes, a Windows program
    // in its version resource.
    const ProgramVersion version =
        FindProgramVersion(build.Head()).value_or(versionResource.Found().value_or(ProgramVersion{}));
    ui_.SetProgressText(Format("New Ver %d.%d.%d.%d (%d)", static_cast<int>(version.high >> 16),
                               static_cast<int>(version.high & 0xFFFF), static_cast<int>(version.low >> 16),
                               static_cast<int>(version.low & 0xFFFF), static_cast<int>(total)));
    ui_.UpdateReady();
    if (!setup.autoConfirm) ui_.ShowUpdatedNotice();
    return true;
}

}  // namespace kiro
