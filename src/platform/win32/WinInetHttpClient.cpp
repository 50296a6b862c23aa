#include "platform/win32/WinInetHttpClient.h"

#include <memory>
#include <optional>
#include <system_error>
#include <thread>

#include "platform/win32/BodyPieces.h"
#include "platform/win32/WinInetTransfer.h"

namespace kiro::win32_platform {

namespace {

// How often the cancel question is asked while nothing arrives: a cancel feels immediate.
constexpr std::chrono::milliseconds kAskEvery{100};
// How far the reading thread may read ahead of the receiver, in pieces of 512 bytes.
constexpr size_t kPiecesAhead = 64;

TransferOrder OrderFor(const HttpRequest& request) {
    TransferOrder order{request.url, request.userAgent, {}};
    for (const std::string& line : request.headers) order.headerBlock += line + "\r\n";
    return order;
}

// However the caller leaves (a result, a stop, an exception), the reading thread is waited for
// when it has finished, and otherwise told that nobody takes its pieces any more and left to end
// by itself.
class ReadingThread {
  public:
    ReadingThread(TransferOrder order, const std::shared_ptr<BodyPieces>& pieces)
        : pieces_(pieces),
          thread_([order = std::move(order), pieces] { RunWinInetTransfer(order, *pieces); }) {}
    ~ReadingThread() {
        if (pieces_->Finished()) {
            thread_.join();
            return;
        }
        pieces_->Leave();
        thread_.detach();
    }
    ReadingThread(const ReadingThread&) = delete;
    ReadingThread& operator=(const ReadingThread&) = delete;

  private:
    std::shared_ptr<BodyPieces> pieces_;
    std::thread thread_;
};

}  // namespace

HttpResult WinInetHttpClient::Get(const HttpRequest& request,
                                  const std::function<bool(std::span<const uint8_t>)>& receive) {
    const auto cancelRequested = [&] { return request.cancelled && request.cancelled(); };
    // Shared with the reading thread, which may outlive this call.
    const auto pieces = std::make_shared<BodyPieces>(kPiecesAhead);
    std::optional<ReadingThread> reading;
    try {
        reading.emplace(OrderFor(request), pieces);
    } catch (const std::system_error& error) {
        return {HttpOutcome::Failed, std::string("the transfer could not be started: ") + error.what()};
    }

    std::vector<uint8_t> piece;
    for (;;) {
        switch (pieces->Take(kAskEvery, piece)) {
            case BodyPieces::Next::Nothing:
                if (cancelRequested()) return {HttpOutcome::Stopped, {}};
                break;
            case BodyPieces::Next::Piece:
                if (cancelRequested() || !receive(piece)) return {HttpOutcome::Stopped, {}};
                break;
            case BodyPieces::Next::Finished:
                return pieces->Result();
        }
    }
}

}  // namespace kiro::win32_platform
