#include "support/LoopbackHttpServer.h"

#include <algorithm>
#include <cctype>
#include <climits>

namespace kiro::test {

using namespace sockets;

namespace {

// A request head longer than this does not come from a client under test.
constexpr size_t kMaxRequestHead = 64 * 1024;
constexpr std::string_view kNotFoundPage = "<html><body><h1>404 Not Found</h1></body></html>";
constexpr std::string_view kEndOfHead = "\r\n\r\n";

std::span<const uint8_t> Bytes(std::string_view text) {
    return {reinterpret_cast<const uint8_t*>(text.data()), text.size()};
}

// Sends everything unless the client goes away or the server stops.
bool SendAll(SocketHandle socket, SocketHandle wake, std::span<const uint8_t> bytes) {
    while (!bytes.empty()) {
        if (WaitFor(socket, Direction::Send, wake, -1) != Wait::Ready) return false;
        const SocketIo sent = SendSome(socket, bytes);
        if (sent.ended) return false;
        bytes = bytes.subspan(sent.bytes);
    }
    return true;
}

// True when the time passed with the client still there.
bool HoldUnlessClientLeaves(SocketHandle socket, SocketHandle wake, std::chrono::milliseconds holdFor) {
    const auto until = std::chrono::steady_clock::now() + holdFor;
    for (;;) {
        const auto left =
            std::chrono::duration_cast<std::chrono::milliseconds>(until - std::chrono::steady_clock::now());
        if (left.count() <= 0) return true;
        const int timeoutMs = static_cast<int>(std::min<long long>(left.count(), INT_MAX));
        const Wait wait = WaitFor(socket, Direction::Receive, wake, timeoutMs);
        if (wait == Wait::TimedOut) return true;
        if (wait == Wait::Stopping) return false;
        // Readable: the client closed (nothing to read) or sent something we ignore.
        char ignored[512];
        if (ReceiveSome(socket, ignored).ended) return false;
    }
}

// The request line and header lines, without the empty line that ends them.
std::optional<std::string> ReadRequestHead(SocketHandle socket, SocketHandle wake) {
    std::string head;
    char chunk[4096];
    while (head.find(kEndOfHead) == std::string::npos) {
        if (head.size() > kMaxRequestHead) return std::nullopt;
        if (WaitFor(socket, Direction::Receive, wake, -1) != Wait::Ready) return std::nullopt;
        const SocketIo got = ReceiveSome(socket, chunk);
        if (got.ended) return std::nullopt;
        head.append(chunk, got.bytes);
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
        listener_ = ListenOnLoopback(port_);
        wake_ = OpenWakeChannel();
        acceptor_ = std::thread([this] { AcceptConnections(); });
    } catch (...) {
        CloseSockets();
        throw;
    }
}

LoopbackHttpServer::~LoopbackHttpServer() {
    Wake(wake_);
    acceptor_.join();
    CloseSockets();
}

void LoopbackHttpServer::CloseSockets() {
    if (listener_ != kNoSocket) CloseSocket(listener_);
    CloseWakeChannel(wake_);
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

void LoopbackHttpServer::AnnounceNoLength(const std::string& path) {
    std::lock_guard lock(mutex_);
    replies_[path].noLength = true;
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

bool LoopbackHttpServer::WaitForRequests(size_t count, std::chrono::milliseconds limit) const {
    std::unique_lock lock(mutex_);
    return requestCame_.wait_for(lock, limit, [&] { return requests_.size() >= count; });
}

void LoopbackHttpServer::AcceptConnections() {
    while (WaitFor(listener_, Direction::Receive, wake_.read, -1) == Wait::Ready) {
        const SocketHandle socket = AcceptConnection(listener_);
        // A client may give up between the wake-up and the accept.
        if (socket == kNoSocket) continue;
        JoinFinishedConnections(false);
        Connection& connection = connections_.emplace_back();
        connection.thread = std::thread([this, socket, &connection] {
            HandleConnection(socket);
            CloseSocket(socket);
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

void LoopbackHttpServer::HandleConnection(SocketHandle socket) {
    const std::optional<std::string> head = ReadRequestHead(socket, wake_.read);
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
    requestCame_.notify_all();
    SendReply(socket, reply, fault);
}

void LoopbackHttpServer::SendReply(SocketHandle socket, const Reply& reply,
                                   const std::optional<BodyFault>& fault) {
    if (reply.noAnswer) return;
    const uint64_t size = reply.BodySize();
    std::string head = "HTTP/1.1 " + std::to_string(reply.status) + " " + ReasonPhrase(reply.status) + "\r\n";
    for (const std::string& line : reply.headerLines) head += line + "\r\n";
    if (!reply.noLength)
        head += "Content-Length: " + std::to_string(reply.announcedLength.value_or(size)) + "\r\n";
    head += "Connection: close\r\n\r\n";
    if (!SendAll(socket, wake_.read, Bytes(head))) return;

    const uint64_t first = fault ? std::min<uint64_t>(fault->afterBytes, size) : size;
    if (!SendBody(socket, reply, 0, first)) return;
    if (!fault || !fault->stall || !HoldUnlessClientLeaves(socket, wake_.read, *fault->stall)) return;
    SendBody(socket, reply, first, size);
}

bool LoopbackHttpServer::SendBody(SocketHandle socket, const Reply& reply, uint64_t from, uint64_t to) {
    const std::span<const uint8_t> stored(reply.body);
    if (from < stored.size()) {
        const uint64_t end = std::min<uint64_t>(to, stored.size());
        if (!SendAll(socket, wake_.read, stored.subspan(from, end - from))) return false;
        bodyBytesSent_ += end - from;
        from = end;
    }
    if (from >= to) return true;
    // The filler goes out a chunk at a time, so a body of any size costs one chunk of memory.
    const std::vector<uint8_t> filler(64 * 1024, 0x5A);
    while (from < to) {
        const size_t piece = static_cast<size_t>(std::min<uint64_t>(to - from, filler.size()));
        if (!SendAll(socket, wake_.read, std::span(filler).first(piece))) return false;
        bodyBytesSent_ += piece;
        from += piece;
    }
    return true;
}

}  // namespace kiro::test
