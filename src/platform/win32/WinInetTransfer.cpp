#include "platform/win32/WinInetTransfer.h"

#include <windows.h>
#include <wininet.h>

#include <cctype>
#include <charconv>
#include <optional>
#include <string_view>

#include "core/base/Format.h"
#include "platform/win32/Win32Handle.h"

namespace kiro::win32_platform {

namespace {

// Every transfer comes from the server itself: no cached copy is taken and none is made, and a
// proxy is asked not to answer from its cache. The text-transfer flag changes FTP transfers
// only, which are never started.
constexpr DWORD kOpenFlags = INTERNET_FLAG_RELOAD | INTERNET_FLAG_NO_CACHE_WRITE |
                             INTERNET_FLAG_PRAGMA_NOCACHE | INTERNET_FLAG_TRANSFER_ASCII;
static_assert(kOpenFlags == 0x84000101);

// WinINet would follow redirects without end, and to wherever they point: they are followed
// here, a few times at most and only to the web.
constexpr DWORD kFollowNoRedirect = INTERNET_FLAG_NO_AUTO_REDIRECT;
constexpr int kMostRedirects = 5;

constexpr DWORD kPieceBytes = 512;
constexpr DWORD kConnectTimeoutMs = 30 * 1000;
// A connection can hang without ever breaking: a minute without a byte ends it.
constexpr DWORD kReceiveTimeoutMs = 60 * 1000;

bool IsSuccess(DWORD status) {
    return status >= 200 && status < 300;
}

// The answers that name another address for the resource in their Location.
bool IsRedirect(DWORD status) {
    return status == 301 || status == 302 || status == 303 || status == 307 || status == 308;
}

// WinINet's description of its error (its numbers are not in the system's message table),
// with the number for whoever has to look it up.
std::string ErrorText(DWORD error) {
    char* text = nullptr;
    const DWORD length =
        FormatMessageA(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_IGNORE_INSERTS |
                           FORMAT_MESSAGE_FROM_HMODULE | FORMAT_MESSAGE_FROM_SYSTEM,
                       GetModuleHandleA("wininet.dll"), error, 0, reinterpret_cast<LPSTR>(&text), 0, nullptr);
    std::string description(text ? text : "", text ? length : 0);
    LocalFree(text);
    while (!description.empty() &&
           (std::isspace(static_cast<unsigned char>(description.back())) || description.back() == '.'))
        description.pop_back();
    if (description.empty()) return Format("WinINet error %lu", error);
    return Format("%s (WinINet error %lu)", description.c_str(), error);
}

HttpResult Failure(const char* what, DWORD error) {
    return {HttpOutcome::Failed, std::string(what) + ": " + ErrorText(error)};
}

bool SetTimeout(HINTERNET session, DWORD option, DWORD milliseconds) {
    return InternetSetOptionA(session, option, &milliseconds, sizeof milliseconds);
}

// The length the answer announced; nothing when it announced none (or one that is no number).
std::optional<uint64_t> AnnouncedLength(HINTERNET answer) {
    char text[32] = {};
    DWORD size = sizeof text;
    if (!HttpQueryInfoA(answer, HTTP_QUERY_CONTENT_LENGTH, text, &size, nullptr)) return std::nullopt;
    uint64_t length = 0;
    const auto [end, error] = std::from_chars(text, text + size, length);
    if (error != std::errc() || end != text + size) return std::nullopt;
    return length;
}

// The body, piece by piece; the result unless the taker left.
std::optional<HttpResult> HandOnBody(HINTERNET answer, BodyPieces& pieces) {
    const std::optional<uint64_t> announced = AnnouncedLength(answer);
    uint64_t received = 0;
    for (;;) {
        std::vector<uint8_t> piece(kPieceBytes);
        DWORD got = 0;
        if (!InternetReadFile(answer, piece.data(), kPieceBytes, &got))
            return Failure("the connection broke", GetLastError());
        if (got == 0) break;
        received += got;
        piece.resize(got);
        if (!pieces.Put(std::move(piece))) return std::nullopt;
    }
    // WinINet reports a connection closed early as the body's end.
    if (announced && received < *announced)
        return HttpResult{HttpOutcome::Failed, Format("the connection broke after %llu of %llu bytes",
                                                      static_cast<unsigned long long>(received),
                                                      static_cast<unsigned long long>(*announced))};
    return HttpResult{HttpOutcome::Complete, {}};
}

// A text header of the answer; nothing when it has none.
std::optional<std::string> TextHeader(HINTERNET answer, DWORD header) {
    std::string text(256, '\0');
    for (;;) {
        DWORD size = static_cast<DWORD>(text.size());
        if (HttpQueryInfoA(answer, header, text.data(), &size, nullptr)) {
            text.resize(size);
            return text;
        }
        // On a buffer too small, `size` is the bytes needed.
        if (GetLastError() != ERROR_INSUFFICIENT_BUFFER || size <= text.size()) return std::nullopt;
        text.resize(size);
    }
}

// Where a redirect's Location points, which may be relative to the address that answered.
std::optional<std::string> RedirectTarget(const std::string& from, const std::string& location) {
    std::string target(INTERNET_MAX_URL_LENGTH, '\0');
    for (;;) {
        DWORD size = static_cast<DWORD>(target.size());
        if (InternetCombineUrlA(from.c_str(), location.c_str(), target.data(), &size, ICU_NO_ENCODE)) {
            target.resize(size);
            return target;
        }
        if (GetLastError() != ERROR_INSUFFICIENT_BUFFER || size <= target.size()) return std::nullopt;
        target.resize(size);
    }
}

std::optional<HttpResult> Transfer(const TransferOrder& order, BodyPieces& pieces) {
    if (!IsWebAddress(order.url)) return HttpResult{HttpOutcome::Failed, kNotAWebAddress};
    const InternetHandle session(
        InternetOpenA(order.userAgent.c_str(), INTERNET_OPEN_TYPE_PRECONFIG, nullptr, nullptr, 0));
    if (!session.Valid()) return Failure("the Internet functions could not be opened", GetLastError());
    if (!SetTimeout(session.Get(), INTERNET_OPTION_CONNECT_TIMEOUT, kConnectTimeoutMs) ||
        !SetTimeout(session.Get(), INTERNET_OPTION_RECEIVE_TIMEOUT, kReceiveTimeoutMs))
        return Failure("the time limits could not be set", GetLastError());

    const std::string& headers = order.headerBlock;
    std::string url = order.url;
    for (int redirects = 0;; ++redirects) {
        // Declared after the session: a child handle is closed before its parent.
        const InternetHandle answer(
            InternetOpenUrlA(session.Get(), url.c_str(), headers.empty() ? nullptr : headers.c_str(),
                             static_cast<DWORD>(headers.size()), kOpenFlags | kFollowNoRedirect, 0));
        if (!answer.Valid()) return Failure("the server could not be reached", GetLastError());
        if (pieces.TakerLeft()) return std::nullopt;

        DWORD status = 0;
        DWORD statusSize = sizeof status;
        if (!HttpQueryInfoA(answer.Get(), HTTP_QUERY_STATUS_CODE | HTTP_QUERY_FLAG_NUMBER, &status,
                            &statusSize, nullptr))
            return Failure("the server's answer could not be read", GetLastError());
        const std::optional<std::string> location =
            IsRedirect(status) ? TextHeader(answer.Get(), HTTP_QUERY_LOCATION) : std::nullopt;
        if (!location) {
            if (!IsSuccess(status))
                return HttpResult{HttpOutcome::Failed, Format("the server answered with status %lu", status)};
            return HandOnBody(answer.Get(), pieces);
        }
        if (redirects == kMostRedirects)
            return HttpResult{HttpOutcome::Failed, Format("more than %d redirects", kMostRedirects)};
        const std::optional<std::string> target = RedirectTarget(url, *location);
        if (!target || !MayRedirect(url, *target))
            return HttpResult{HttpOutcome::Failed,
                              "a redirect off the web or off https was not followed: " + *location};
        url = *target;
    }
}

}  // namespace

void RunWinInetTransfer(const TransferOrder& order, BodyPieces& pieces) {
    if (std::optional<HttpResult> result = Transfer(order, pieces)) pieces.Finish(std::move(*result));
}

}  // namespace kiro::win32_platform
