#pragma once
#include <atomic>
#include <chrono>
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
#include <vector>

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
// fetches over the network. Every answer announces its whole body in Content-Length and closes
// the connection; each connection is served on its own thread. A path without an answer gets
// 404 with a small page, a method other than GET 405. All members may be called from any thread.
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

  private:
    struct Reply {
        int status = 200;
        std::vector<std::string> headerLines;
        std::vector<uint8_t> body;
    };
    struct BodyFault {
        size_t afterBytes = 0;
        std::optional<std::chrono::milliseconds> stall;  // none: the connection is dropped
    };
    struct Connection {
        std::thread thread;
        std::atomic<bool> finished = false;
    };

    void Listen();
    void CloseDescriptors();
    void AcceptConnections();
    void JoinFinishedConnections(bool all);
    void HandleConnection(int socket);
    void SendReply(int socket, const Reply& reply, const std::optional<BodyFault>& fault) const;

    int listener_ = -1;
    // Written once when the server stops; every wait also watches its reading end.
    int wakeRead_ = -1;
    int wakeWrite_ = -1;
    uint16_t port_ = 0;

    mutable std::mutex mutex_;
    std::map<std::string, Reply> replies_;
    std::map<std::string, BodyFault> faults_;
    std::vector<RecordedRequest> requests_;

    // Only the accepting thread touches the connections.
    std::list<Connection> connections_;
    std::thread acceptor_;
};

}  // namespace kiro::test
