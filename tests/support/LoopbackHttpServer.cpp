#include "support/LoopbackHttpServer.h"

#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <climits>
#include <system_error>

namespace kiro::test {

namespace {

// A request head longer than this does not come from a client under test.
constexpr size_t kMaxRequestHead = 64 * 1024;
constexpr std::string_view kNotFoundPage = "<html><body><h1>404 Not Found</h1></body></html>";
constexpr std::string_view kEndOfHead = "\r\n\r\n";

std::system_error LastSystemError(const char* what) {
    return std::system_error(errno, std::generic_category(), what);
}

std::span<const uint8_t> Bytes(std::string_view text) {
    return {reinterpret_cast<const uint8_t*>(text.data()), text.size()};
}

enum class Wait { Ready, TimedOut, Stopping };

// Waits until `socket` has one of `events`, the time runs out (-1: never) or the server stops.
Wait WaitFor(int socket, short events, int wake, int timeoutMs) {
    pollfd watched[] = {{socket, events, 0}, {wake, POLLIN, 0}};
    for (;;) {
        const int ready = poll(watched, 2, timeoutMs);
        if (ready < 0 && errno == EINTR) continue;
        if (ready < 0 || watched[1].revents != 0) return Wait::Stopping;
        return ready == 0 ? Wait::TimedOut : Wait::Ready;
    }
}

// Sends everything unless the client goes away or the server stops. MSG_NOSIGNAL: a client that
// hung up must give an error here, not a SIGPIPE that ends the whole test program.
bool SendAll(int socket, int wake, std::span<const uint8_t> bytes) {
    while (!bytes.empty()) {
        if (WaitFor(socket, POLLOUT, wake, -1) != Wait::Ready) return false;
        const ssize_t sent = send(socket, bytes.data(), bytes.size(), MSG_NOSIGNAL | MSG_DONTWAIT);
        if (sent < 0 && (errno == EINTR || errno == EAGAIN)) continue;
        if (sent <= 0) return false;
        bytes = bytes.subspan(static_cast<size_t>(sent));
    }
    return true;
}

// True when the time passed with the client still there.
bool HoldUnlessClientLeaves(int socket, int wake, std::chrono::milliseconds holdFor) {
    const auto until = std::chrono::steady_clock::now() + holdFor;
    for (;;) {
        const auto left =
            std::chrono::duration_cast<std::chrono::milliseconds>(until - std::chrono::steady_clock::now());
        if (left.count() <= 0) return true;
        const int timeoutMs = static_cast<int>(std::min<long long>(left.count(), INT_MAX));
        const Wait wait = WaitFor(socket, POLLIN, wake, timeoutMs);
        if (wait == Wait::TimedOut) return true;
        if (wait == Wait::Stopping) return false;
        // Readable: the client closed (nothing to read) or sent something we ignore.
        char ignored[512];
        const ssize_t got = recv(socket, ignored, sizeof ignored, MSG_DONTWAIT);
        if (got == 0 || (got < 0 && errno != EINTR && errno != EAGAIN)) return false;
    }
}

// The request line and header lines, without the empty line that ends them.
std::optional<std::string> ReadRequestHead(int socket, int wake) {
    std::string head;
    char chunk[4096];
    while (head.find(kEndOfHead) == std::string::npos) {
        if (head.size() > kMaxRequestHead) return std::nullopt;
        if (WaitFor(socket, POLLIN, wake, -1) != Wait::Ready) return std::nullopt;
        const ssize_t got = recv(socket, chunk, sizeof chunk, 0);
        if (got < 0 && errno == EINTR) continue;
        if (got <= 0) return std::nullopt;
        head.append(chunk, static_cast<size_t>(got));
    }
    head.resize(head.find(kEndOfHead));
    return head;
}

RecordedRequest ParseRequest(const std::string& head) {
    RecordedRequest request;
    size_t lineStart = 0;
    bool firstLine = true;
    while (lineStart <= head.size()) {
        size_t lineEnd = head.find("\r\n", lineStart);
        if (lineEnd == std::string::npos) lineEnd = head.size();
        const std::string line = head.substr(lineStart, lineEnd - lineStart);
        if (firstLine) {
            // "GET /path HTTP/1.1"
            const size_t space = line.find(' ');
            request.method = line.substr(0, space);
            if (space != std::string::npos)
                request.path = line.substr(space + 1, line.find(' ', space + 1) - space - 1);
            firstLine = false;
        } else {
            request.headers.push_back(line);
        }
        lineStart = lineEnd + 2;
    }
    return request;
}

const char* ReasonPhrase(int status) {
    switch (status) {
        case 200:
            return "OK";
        case 301:
            return "Moved Permanently";
        case 302:
            return "Found";
        case 304:
            return "Not Modified";
        case 404:
            return "Not Found";
        case 405:
            return "Method Not Allowed";
        case 500:
            return "Internal Server Error";
        default:
            return "Answer";
    }
}

}  // namespace

std::optional<std::string> RecordedRequest::Header(std::string_view name) const {
    const auto sameLetter = [](char a, char b) {
        return std::tolower(static_cast<unsigned char>(a)) == std::tolower(static_cast<unsigned char>(b));
    };
    for (const std::string& line : headers) {
        const size_t colon = line.find(':');
        if (colon != name.size() || !std::equal(name.begin(), name.end(), line.begin(), sameLetter)) continue;
        const size_t value = line.find_first_not_of(" \t", colon + 1);
        return value == std::string::npos ? std::string() : line.substr(value);
    }
    return std::nullopt;
}

LoopbackHttpServer::LoopbackHttpServer() {
    try {
        Listen();
        acceptor_ = std::thread([this] { AcceptConnections(); });
    } catch (...) {
        CloseDescriptors();
        throw;
    }
}

LoopbackHttpServer::~LoopbackHttpServer() {
    const char stop = 1;
    [[maybe_unused]] const ssize_t written = write(wakeWrite_, &stop, 1);
    acceptor_.join();
    CloseDescriptors();
}

void LoopbackHttpServer::Listen() {
    listener_ = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (listener_ < 0) throw LastSystemError("socket");
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    address.sin_port = 0;  // the system picks a free port
    if (bind(listener_, reinterpret_cast<sockaddr*>(&address), sizeof address) < 0)
        throw LastSystemError("bind");
    if (listen(listener_, SOMAXCONN) < 0) throw LastSystemError("listen");
    socklen_t length = sizeof address;
    if (getsockname(listener_, reinterpret_cast<sockaddr*>(&address), &length) < 0)
        throw LastSystemError("getsockname");
    port_ = ntohs(address.sin_port);
    int wake[2];
    if (pipe2(wake, O_CLOEXEC) < 0) throw LastSystemError("pipe2");
    wakeRead_ = wake[0];
    wakeWrite_ = wake[1];
}

void LoopbackHttpServer::CloseDescriptors() {
    for (int descriptor : {listener_, wakeRead_, wakeWrite_})
        if (descriptor >= 0) close(descriptor);
}

std::string LoopbackHttpServer::Url(std::string_view path) const {
    return "http://127.0.0.1:" + std::to_string(port_) + std::string(path);
}

void LoopbackHttpServer::Serve(const std::string& path, std::span<const uint8_t> body) {
    std::lock_guard lock(mutex_);
    replies_[path] = Reply{200, {}, {body.begin(), body.end()}};
}

void LoopbackHttpServer::Serve(const std::string& path, std::string_view body) {
    Serve(path, Bytes(body));
}

void LoopbackHttpServer::Answer(const std::string& path, int status, std::string_view body,
                                std::vector<std::string> headerLines) {
    const std::span<const uint8_t> bytes = Bytes(body);
    std::lock_guard lock(mutex_);
    replies_[path] = Reply{status, std::move(headerLines), {bytes.begin(), bytes.end()}};
}

void LoopbackHttpServer::ServeGenerated(const std::string& path, std::string_view start, uint64_t size) {
    const std::span<const uint8_t> bytes = Bytes(start);
    std::lock_guard lock(mutex_);
    Reply& reply = replies_[path] = Reply{200, {}, {bytes.begin(), bytes.end()}};
    reply.generatedSize = size;
}

void LoopbackHttpServer::AnnounceLength(const std::string& path, uint64_t length) {
    std::lock_guard lock(mutex_);
    replies_[path].announcedLength = length;
}

void LoopbackHttpServer::CloseWithoutAnswer(const std::string& path) {
    std::lock_guard lock(mutex_);
    replies_[path].noAnswer = true;
}

void LoopbackHttpServer::DropAfter(const std::string& path, size_t bytes) {
    std::lock_guard lock(mutex_);
    faults_[path] = BodyFault{bytes, std::nullopt};
}

void LoopbackHttpServer::StallAfter(const std::string& path, size_t bytes,
                                    std::chrono::milliseconds holdFor) {
    std::lock_guard lock(mutex_);
    faults_[path] = BodyFault{bytes, holdFor};
}

std::vector<RecordedRequest> LoopbackHttpServer::Requests() const {
    std::lock_guard lock(mutex_);
    return requests_;
}

size_t LoopbackHttpServer::RequestCount() const {
    std::lock_guard lock(mutex_);
    return requests_.size();
}

void LoopbackHttpServer::AcceptConnections() {
    while (WaitFor(listener_, POLLIN, wakeRead_, -1) == Wait::Ready) {
        const int socket = accept4(listener_, nullptr, nullptr, SOCK_CLOEXEC);
        // A client may give up between the wake-up and the accept.
        if (socket < 0) continue;
        JoinFinishedConnections(false);
        Connection& connection = connections_.emplace_back();
        connection.thread = std::thread([this, socket, &connection] {
            HandleConnection(socket);
            close(socket);
            connection.finished = true;
        });
    }
    JoinFinishedConnections(true);
}

void LoopbackHttpServer::JoinFinishedConnections(bool all) {
    for (auto connection = connections_.begin(); connection != connections_.end();) {
        if (!all && !connection->finished) {
            ++connection;
            continue;
        }
        connection->thread.join();
        connection = connections_.erase(connection);
    }
}

void LoopbackHttpServer::HandleConnection(int socket) {
    const std::optional<std::string> head = ReadRequestHead(socket, wakeRead_);
    if (!head) return;
    RecordedRequest request = ParseRequest(*head);
    Reply reply{404, {}, {kNotFoundPage.begin(), kNotFoundPage.end()}};
    std::optional<BodyFault> fault;
    {
        std::lock_guard lock(mutex_);
        if (request.method != "GET") {
            reply = Reply{405, {}, {}};
        } else if (const auto found = replies_.find(request.path); found != replies_.end()) {
            reply = found->second;
        }
        if (const auto found = faults_.find(request.path); found != faults_.end()) fault = found->second;
        requests_.push_back(std::move(request));
    }
    SendReply(socket, reply, fault);
}

void LoopbackHttpServer::SendReply(int socket, const Reply& reply, const std::optional<BodyFault>& fault) {
    if (reply.noAnswer) return;
    const uint64_t size = reply.BodySize();
    std::string head = "HTTP/1.1 " + std::to_string(reply.status) + " " + ReasonPhrase(reply.status) + "\r\n";
    for (const std::string& line : reply.headerLines) head += line + "\r\n";
    head += "Content-Length: " + std::to_string(reply.announcedLength.value_or(size)) +
            "\r\nConnection: close\r\n\r\n";
    if (!SendAll(socket, wakeRead_, Bytes(head))) return;

    const uint64_t first = fault ? std::min<uint64_t>(fault->afterBytes, size) : size;
    if (!SendBody(socket, reply, 0, first)) return;
    if (!fault || !fault->stall || !HoldUnlessClientLeaves(socket, wakeRead_, *fault->stall)) return;
    SendBody(socket, reply, first, size);
}

bool LoopbackHttpServer::SendBody(int socket, const Reply& reply, uint64_t from, uint64_t to) {
    const std::span<const uint8_t> stored(reply.body);
    if (from < stored.size()) {
        const uint64_t end = std::min<uint64_t>(to, stored.size());
        if (!SendAll(socket, wakeRead_, stored.subspan(from, end - from))) return false;
        bodyBytesSent_ += end - from;
        from = end;
    }
    if (from >= to) return true;
    // The filler goes out a chunk at a time, so a body of any size costs one chunk of memory.
    const std::vector<uint8_t> filler(64 * 1024, 0x5A);
    while (from < to) {
        const size_t piece = static_cast<size_t>(std::min<uint64_t>(to - from, filler.size()));
        if (!SendAll(socket, wakeRead_, std::span(filler).first(piece))) return false;
        bodyBytesSent_ += piece;
        from += piece;
    }
    return true;
}

}  // namespace kiro::test
