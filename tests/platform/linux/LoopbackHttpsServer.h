#pragma once
#include <atomic>
#include <map>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace kiro::test {

// A small HTTPS server on 127.0.0.1 for tests of where a client follows redirects: it makes its
// own P-256 key and a certificate for 127.0.0.1, which it writes to `caFile` for the client to
// trust, and answers each GET from a table, one connection at a time.
class LoopbackHttpsServer {
  public:
    // Throws std::runtime_error when it cannot listen or make its certificate.
    explicit LoopbackHttpsServer(const std::string& caFile);
    ~LoopbackHttpsServer();
    LoopbackHttpsServer(const LoopbackHttpsServer&) = delete;
    LoopbackHttpsServer& operator=(const LoopbackHttpsServer&) = delete;

    // "https://127.0.0.1:PORT" followed by `path`.
    std::string Url(const std::string& path) const;
    // GET `path` answers with the status, the header lines ("Location: ...") and the body.
    void Answer(const std::string& path, int status, const std::string& body,
                std::vector<std::string> headerLines = {});
    // The paths asked for so far.
    std::vector<std::string> Requests() const;

  private:
    struct Reply {
        int status = 404;
        std::string body;
        std::vector<std::string> headerLines;
    };
    void Serve();
    void HandleConnection(int socket);

    void* context_ = nullptr;  // the SSL_CTX
    int listener_ = -1;
    int port_ = 0;
    std::atomic<bool> stopping_ = false;
    mutable std::mutex mutex_;
    std::map<std::string, Reply> replies_;
    std::vector<std::string> requests_;
    std::thread thread_;
};

}  // namespace kiro::test
