#pragma once
#include <algorithm>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <list>
#include <map>
#include <mutex>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <thread>
#include <utility>
#include <vector>

#include "support/LoopbackSockets.h"

namespace kiro::test {

// One request as the server read it.
struct RecordedRequest {
    std::string method;
    std::string path;
    std::vector<std::string> headers;  // the header lines as sent, "Name: value"

    // The value of the first header of that name (compared without regard to case).
    std::optional<std::string> Header(std::string_view name) const;
};

// A real HTTP/1.1 server on 127.0.0.1, on a port the system chose, for tests of code that
// fetches over the network. Every answer announces its whole body in Content-Length (unless a
// test says otherwise) and closes the connection; each connection is served on its own thread.
// A path without an answer gets 404 with a small page, a method other than GET 405. All members
// may be called from any thread.
class LoopbackHttpServer {
  public:
    // Listens at once; throws std::system_error when it cannot.
    LoopbackHttpServer();
    // Ends every connection, a stalled one too, and waits for their threads.
    ~LoopbackHttpServer();
    LoopbackHttpServer(const LoopbackHttpServer&) = delete;
    LoopbackHttpServer& operator=(const LoopbackHttpServer&) = delete;

    // "http://127.0.0.1:PORT" followed by `path`.
    std::string Url(std::string_view path) const;

    // GET `path` answers 200 with `body`.
    void Serve(const std::string& path, std::span<const uint8_t> body);
    void Serve(const std::string& path, std::string_view body);
    // GET `path` answers with any status, a body and extra header lines ("Location: /new").
    void Answer(const std::string& path, int status, std::string_view body,
                std::vector<std::string> headerLines = {});
    // GET `path` answers 200 with a body of `size` bytes made while it is sent: `start`, then
    // filler. However large, it is never held in memory.
    void ServeGenerated(const std::string& path, std::string_view start, uint64_t size);
    // The answer for `path` announces `length` in its Content-Length, whatever its body is; set
    // after the answer, which a new Serve or Answer replaces whole.
    void AnnounceLength(const std::string& path, uint64_t length);
    // The answer for `path` announces no length at all (nor chunks): the body ends where the
    // connection closes, whole or not. Set after the answer, as AnnounceLength.
    void AnnounceNoLength(const std::string& path);
    // A request for `path` is read, then the connection is closed without any answer.
    void CloseWithoutAnswer(const std::string& path);

    // Faults in the body of the answer for `path`, whichever answer it is; the announced length
    // stays the whole body's. The last one set for a path counts.
    //
    // The connection is closed after `bytes` bytes of the body.
    void DropAfter(const std::string& path, size_t bytes);
    // After `bytes` bytes of the body nothing comes for `holdFor` (or until the client leaves or
    // the server stops), then the rest.
    void StallAfter(const std::string& path, size_t bytes, std::chrono::milliseconds holdFor);

    std::vector<RecordedRequest> Requests() const;
    size_t RequestCount() const;
    // Waits until `count` requests have come in all, at most `limit`; whether they came.
    bool WaitForRequests(size_t count, std::chrono::milliseconds limit) const;
    // Body bytes handed to the system for sending, over every answer so far.
    uint64_t BodyBytesSent() const { return bodyBytesSent_; }

  private:
    struct Reply {
        Reply() = default;
        Reply(int code, std::vector<std::string> lines, std::vector<uint8_t> bytes)
            : status(code), headerLines(std::move(lines)), body(std::move(bytes)) {}

        int status = 200;
        std::vector<std::string> headerLines;
        std::vector<uint8_t> body;
        // Filler after `body` up to this size, made while it is sent.
        uint64_t generatedSize = 0;
        std::optional<uint64_t> announcedLength;
        bool noLength = false;
        bool noAnswer = false;

        uint64_t BodySize() const { return std::max<uint64_t>(body.size(), generatedSize); }
    };
    struct BodyFault {
        size_t afterBytes = 0;
        std::optional<std::chrono::milliseconds> stall;  // none: the connection is dropped
    };
    struct Connection {
        std::thread thread;
        std::atomic<bool> finished = false;
    };

    void CloseSockets();
    void AcceptConnections();
    void JoinFinishedConnections(bool all);
    void HandleConnection(sockets::SocketHandle socket);
    void SendReply(sockets::SocketHandle socket, const Reply& reply, const std::optional<BodyFault>& fault);
    // Sends bytes [from, to) of the reply's body.
    bool SendBody(sockets::SocketHandle socket, const Reply& reply, uint64_t from, uint64_t to);

    sockets::SocketHandle listener_ = sockets::kNoSocket;
    // Woken once when the server stops; every wait also watches its reading end.
    sockets::WakeChannel wake_;
    uint16_t port_ = 0;

    mutable std::mutex mutex_;
    std::map<std::string, Reply> replies_;
    std::map<std::string, BodyFault> faults_;
    std::vector<RecordedRequest> requests_;
    mutable std::condition_variable requestCame_;
    std::atomic<uint64_t> bodyBytesSent_ = 0;

    // Only the accepting thread touches the connections.
    std::list<Connection> connections_;
    std::thread acceptor_;
};

}  // namespace kiro::test
