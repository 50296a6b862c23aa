#include "platform/linux/CurlHttpClient.h"

#include <exception>
#include <memory>
#include <optional>

#include "core/base/Format.h"

namespace kiro::linux_platform {

namespace {

// More redirects than this are a loop or a misconfigured server.
constexpr long kMaxRedirects = 5;
constexpr long kConnectTimeoutSeconds = 30;
// A connection can hang without ever breaking: under a byte a second for a minute ends it.
constexpr long kLowSpeedBytesPerSecond = 1;
constexpr long kLowSpeedSeconds = 60;
// Only the web's own schemes, also where a redirect points: a server must not be able to send
// the transfer to a local file or another protocol. A transfer that started on https stays on it.
constexpr const char* kAllowedProtocols = "http,https";
constexpr const char* kSecureProtocols = "https";

struct Transfer {
    const CurlLibrary& curl;
    CURL* handle;
    const HttpRequest& request;
    const std::function<bool(std::span<const uint8_t>)>& receive;
    bool stopped = false;
    bool refusedAnswer = false;
    // An exception must not unwind through libcurl's C frames: it is kept, the transfer ended,
    // and it is thrown again once libcurl has returned.
    std::exception_ptr exception = nullptr;
};

bool IsSuccess(long status) {
    return status >= 200 && status < 300;
}

bool CancelRequested(const Transfer& transfer) {
    return transfer.request.cancelled && transfer.request.cancelled();
}

size_t ReceiveBody(char* data, size_t size, size_t count, void* context) {
    auto& transfer = *static_cast<Transfer*>(context);
    long status = 0;
    transfer.curl.easy_getinfo(transfer.handle, CURLINFO_RESPONSE_CODE, &status);
    if (!IsSuccess(status)) {
        transfer.refusedAnswer = true;
        return CURL_WRITEFUNC_ERROR;
    }
    const size_t bytes = size * count;
    try {
        if (CancelRequested(transfer) || !transfer.receive({reinterpret_cast<const uint8_t*>(data), bytes})) {
            transfer.stopped = true;
            return CURL_WRITEFUNC_ERROR;
        }
    } catch (...) {
        transfer.exception = std::current_exception();
        return CURL_WRITEFUNC_ERROR;
    }
    return bytes;
}

// libcurl calls this often while data flows and about once a second while none comes, so a
// cancel is noticed even on a stalled connection.
int CheckCancel(void* context, curl_off_t, curl_off_t, curl_off_t, curl_off_t) {
    auto& transfer = *static_cast<Transfer*>(context);
    try {
        if (!CancelRequested(transfer)) return 0;
        transfer.stopped = true;
    } catch (...) {
        transfer.exception = std::current_exception();
    }
    return 1;
}

using HandlePtr = std::unique_ptr<CURL, decltype(&curl_easy_cleanup)>;
using HeaderListPtr = std::unique_ptr<curl_slist, decltype(&curl_slist_free_all)>;

// The request's header lines as libcurl's list; nothing when memory ran out.
std::optional<HeaderListPtr> HeaderList(const CurlLibrary& curl, const std::vector<std::string>& lines) {
    HeaderListPtr list(nullptr, curl.slist_free_all);
    for (const std::string& line : lines) {
        // Appending returns the list's head, the same one after the first line.
        curl_slist* head = curl.slist_append(list.get(), line.c_str());
        if (!head) return std::nullopt;
        if (!list) list.reset(head);
    }
    return list;
}

}  // namespace

CurlHttpClient::CurlHttpClient(std::string caFile) : caFile_(std::move(caFile)) {}

CurlHttpClient::~CurlHttpClient() {
    if (ready_) curl_->global_cleanup();
}

void CurlHttpClient::OpenLibrary() {
    curl_ = CurlLibrary::Open(openError_);
    if (!curl_) return;
    ready_ = curl_->global_init(CURL_GLOBAL_DEFAULT) == CURLE_OK;
    if (!ready_) openError_ = "the HTTP library could not be set up";
}

HttpResult CurlHttpClient::Get(const HttpRequest& request,
                               const std::function<bool(std::span<const uint8_t>)>& receive) {
    // libcurl would take an address without a scheme for http.
    if (!IsWebAddress(request.url)) return {HttpOutcome::Failed, kNotAWebAddress};
    // The first request opens libcurl; requests on other threads wait until it is open.
    std::call_once(openOnce_, [this] { OpenLibrary(); });
    if (!ready_) return {HttpOutcome::Failed, openError_};
    const CurlLibrary& curl = *curl_;
    HandlePtr handle(curl.easy_init(), curl.easy_cleanup);
    std::optional<HeaderListPtr> headers = HeaderList(curl, request.headers);
    if (!handle || !headers) return {HttpOutcome::Failed, "out of memory"};

    Transfer transfer{curl, handle.get(), request, receive};
    char errorText[CURL_ERROR_SIZE] = {};
    CURLcode setup = CURLE_OK;
    const auto set = [&](CURLoption option, auto value) {
        if (setup == CURLE_OK) setup = curl.easy_setopt(handle.get(), option, value);
    };
    set(CURLOPT_ERRORBUFFER, errorText);
    set(CURLOPT_URL, request.url.c_str());
    set(CURLOPT_PROTOCOLS_STR, kAllowedProtocols);
    set(CURLOPT_REDIR_PROTOCOLS_STR,
        HasScheme(request.url, "https://") ? kSecureProtocols : kAllowedProtocols);
    if (!caFile_.empty()) set(CURLOPT_CAINFO, caFile_.c_str());
    set(CURLOPT_USERAGENT, request.userAgent.c_str());
    set(CURLOPT_HTTPHEADER, headers->get());
    set(CURLOPT_FOLLOWLOCATION, 1L);
    set(CURLOPT_MAXREDIRS, kMaxRedirects);
    set(CURLOPT_CONNECTTIMEOUT, kConnectTimeoutSeconds);
    set(CURLOPT_LOW_SPEED_LIMIT, kLowSpeedBytesPerSecond);
    set(CURLOPT_LOW_SPEED_TIME, kLowSpeedSeconds);
    // libcurl's own time-outs would otherwise use SIGALRM, which belongs to the whole process
    // and cannot be used from worker threads.
    set(CURLOPT_NOSIGNAL, 1L);
    set(CURLOPT_WRITEFUNCTION, &ReceiveBody);
    set(CURLOPT_WRITEDATA, static_cast<void*>(&transfer));
    set(CURLOPT_NOPROGRESS, 0L);
    set(CURLOPT_XFERINFOFUNCTION, &CheckCancel);
    set(CURLOPT_XFERINFODATA, static_cast<void*>(&transfer));
    if (setup != CURLE_OK) return {HttpOutcome::Failed, curl.easy_strerror(setup)};

    const CURLcode code = curl.easy_perform(handle.get());
    if (transfer.exception) std::rethrow_exception(transfer.exception);
    if (transfer.stopped) return {HttpOutcome::Stopped, {}};
    if (code != CURLE_OK && !transfer.refusedAnswer)
        return {HttpOutcome::Failed, errorText[0] ? errorText : curl.easy_strerror(code)};
    long status = 0;
    curl.easy_getinfo(handle.get(), CURLINFO_RESPONSE_CODE, &status);
    if (!IsSuccess(status))
        return {HttpOutcome::Failed, Format("the server answered with status %ld", status)};
    return {HttpOutcome::Complete, {}};
}

}  // namespace kiro::linux_platform
