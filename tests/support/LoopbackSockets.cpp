#include "support/LoopbackSockets.h"

#if defined(_WIN32)
#include <winsock2.h>
#include <ws2tcpip.h>

#include <mutex>
#else
#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#endif

#include <algorithm>
#include <system_error>
#include <type_traits>
#include <utility>

namespace kiro::test::sockets {

#if defined(_WIN32)

static_assert(std::is_same_v<SocketHandle, SOCKET>);
static_assert(kNoSocket == INVALID_SOCKET);

namespace {

std::system_error SocketError(const char* what) {
    return std::system_error(WSAGetLastError(), std::system_category(), what);
}

// Winsock is started once for the whole test program and left running until it ends: the
// servers of several tests may be alive at the same time.
void StartWinsock() {
    static std::once_flag started;
    std::call_once(started, [] {
        WSADATA data;
        if (const int failed = WSAStartup(MAKEWORD(2, 2), &data))
            throw std::system_error(failed, std::system_category(), "WSAStartup");
    });
}

// WSA_FLAG_NO_HANDLE_INHERIT keeps it out of started programs.
SOCKET NewTcpSocket() {
    StartWinsock();
    const SOCKET made = WSASocketW(AF_INET, SOCK_STREAM, IPPROTO_TCP, nullptr, 0, WSA_FLAG_NO_HANDLE_INHERIT);
    if (made == INVALID_SOCKET) throw SocketError("WSASocket");
    return made;
}

sockaddr_in LoopbackAddress(uint16_t port) {
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    address.sin_port = htons(port);
    return address;
}

uint16_t LocalPort(SOCKET socket) {
    sockaddr_in address{};
    int length = sizeof address;
    if (getsockname(socket, reinterpret_cast<sockaddr*>(&address), &length) != 0)
        throw SocketError("getsockname");
    return ntohs(address.sin_port);
}

uint16_t PeerPort(SOCKET socket) {
    sockaddr_in address{};
    int length = sizeof address;
    if (getpeername(socket, reinterpret_cast<sockaddr*>(&address), &length) != 0)
        throw SocketError("getpeername");
    return ntohs(address.sin_port);
}

// Closes the socket when an error leaves the function that made it.
class SocketGuard {
  public:
    explicit SocketGuard(SOCKET socket) : socket_(socket) {}
    ~SocketGuard() {
        if (socket_ != INVALID_SOCKET) closesocket(socket_);
    }
    SocketGuard(const SocketGuard&) = delete;
    SocketGuard& operator=(const SocketGuard&) = delete;
    SOCKET get() const { return socket_; }
    SOCKET release() { return std::exchange(socket_, INVALID_SOCKET); }

  private:
    SOCKET socket_;
};

void MakeNonBlocking(SOCKET socket) {
    u_long nonBlocking = 1;
    if (ioctlsocket(socket, FIONBIO, &nonBlocking) != 0) throw SocketError("ioctlsocket");
}

bool TryAgain(int error) {
    return error == WSAEWOULDBLOCK || error == WSAEINTR;
}

}  // namespace

SocketHandle ListenOnLoopback(uint16_t& port) {
    SocketGuard listener(NewTcpSocket());
    const sockaddr_in address = LoopbackAddress(0);  // the system picks a free port
    if (bind(listener.get(), reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0)
        throw SocketError("bind");
    if (listen(listener.get(), SOMAXCONN) != 0) throw SocketError("listen");
    // A client that gives up between the wake-up and the accept leaves nothing to accept: a
    // blocking accept would then wait past the server's stop.
    MakeNonBlocking(listener.get());
    port = LocalPort(listener.get());
    return listener.release();
}

SocketHandle AcceptConnection(SocketHandle listener) {
    SocketGuard connection(accept(listener, nullptr, nullptr));
    if (connection.get() == INVALID_SOCKET) return kNoSocket;
    // A blocking send of a large body could wait for ever on a client that stopped reading,
    // and the server could then never stop.
    MakeNonBlocking(connection.get());
    return connection.release();
}

void CloseSocket(SocketHandle socket) {
    closesocket(socket);
}

WakeChannel OpenWakeChannel() {
    SocketGuard listener(NewTcpSocket());
    const sockaddr_in any = LoopbackAddress(0);
    if (bind(listener.get(), reinterpret_cast<const sockaddr*>(&any), sizeof any) != 0)
        throw SocketError("bind");
    if (listen(listener.get(), 1) != 0) throw SocketError("listen");
    SocketGuard writer(NewTcpSocket());
    const sockaddr_in target = LoopbackAddress(LocalPort(listener.get()));
    if (connect(writer.get(), reinterpret_cast<const sockaddr*>(&target), sizeof target) != 0)
        throw SocketError("connect");
    // Another program on this machine may have connected to the port first: only our own
    // connection becomes the reading end.
    const uint16_t writerPort = LocalPort(writer.get());
    for (;;) {
        SocketGuard reader(accept(listener.get(), nullptr, nullptr));
        if (reader.get() == INVALID_SOCKET) throw SocketError("accept");
        if (PeerPort(reader.get()) == writerPort) return {reader.release(), writer.release()};
    }
}

void Wake(const WakeChannel& channel) {
    const char stop = 1;
    send(channel.write, &stop, 1, 0);
}

void CloseWakeChannel(WakeChannel& channel) {
    for (SocketHandle* end : {&channel.read, &channel.write}) {
        if (*end != kNoSocket) closesocket(*end);
        *end = kNoSocket;
    }
}

Wait WaitFor(SocketHandle socket, Direction direction, SocketHandle wake, int timeoutMs) {
    const SHORT events = direction == Direction::Receive ? POLLRDNORM : POLLWRNORM;
    WSAPOLLFD watched[] = {{socket, events, 0}, {wake, POLLRDNORM, 0}};
    const int ready = WSAPoll(watched, 2, timeoutMs);
    if (ready < 0 || watched[1].revents != 0) return Wait::Stopping;
    return ready == 0 ? Wait::TimedOut : Wait::Ready;
}

SocketIo SendSome(SocketHandle socket, std::span<const uint8_t> bytes) {
    const int piece = static_cast<int>(std::min<size_t>(bytes.size(), 1 << 30));
    const int sent = send(socket, reinterpret_cast<const char*>(bytes.data()), piece, 0);
    if (sent > 0) return {static_cast<size_t>(sent), false};
    return {0, sent == 0 || !TryAgain(WSAGetLastError())};
}

SocketIo ReceiveSome(SocketHandle socket, std::span<char> buffer) {
    const int room = static_cast<int>(std::min<size_t>(buffer.size(), 1 << 30));
    const int got = recv(socket, buffer.data(), room, 0);
    if (got > 0) return {static_cast<size_t>(got), false};
    return {0, got == 0 || !TryAgain(WSAGetLastError())};
}

#else

namespace {

std::system_error SocketError(const char* what) {
    return std::system_error(errno, std::generic_category(), what);
}

bool TryAgain(int error) {
    return error == EINTR || error == EAGAIN || error == EWOULDBLOCK;
}

}  // namespace

SocketHandle ListenOnLoopback(uint16_t& port) {
    const int listener = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (listener < 0) throw SocketError("socket");
    try {
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        address.sin_port = 0;  // the system picks a free port
        if (bind(listener, reinterpret_cast<sockaddr*>(&address), sizeof address) < 0)
            throw SocketError("bind");
        if (listen(listener, SOMAXCONN) < 0) throw SocketError("listen");
        socklen_t length = sizeof address;
        if (getsockname(listener, reinterpret_cast<sockaddr*>(&address), &length) < 0)
            throw SocketError("getsockname");
        port = ntohs(address.sin_port);
        return listener;
    } catch (...) {
        close(listener);
        throw;
    }
}

SocketHandle AcceptConnection(SocketHandle listener) {
    const int connection = accept4(listener, nullptr, nullptr, SOCK_CLOEXEC);
    return connection < 0 ? kNoSocket : connection;
}

void CloseSocket(SocketHandle socket) {
    close(socket);
}

WakeChannel OpenWakeChannel() {
    int ends[2];
    if (pipe2(ends, O_CLOEXEC) < 0) throw SocketError("pipe2");
    return {ends[0], ends[1]};
}

void Wake(const WakeChannel& channel) {
    const char stop = 1;
    [[maybe_unused]] const ssize_t written = write(channel.write, &stop, 1);
}

void CloseWakeChannel(WakeChannel& channel) {
    for (SocketHandle* end : {&channel.read, &channel.write}) {
        if (*end != kNoSocket) close(*end);
        *end = kNoSocket;
    }
}

Wait WaitFor(SocketHandle socket, Direction direction, SocketHandle wake, int timeoutMs) {
    const short events = direction == Direction::Receive ? POLLIN : POLLOUT;
    pollfd watched[] = {{socket, events, 0}, {wake, POLLIN, 0}};
    for (;;) {
        const int ready = poll(watched, 2, timeoutMs);
        if (ready < 0 && errno == EINTR) continue;
        if (ready < 0 || watched[1].revents != 0) return Wait::Stopping;
        return ready == 0 ? Wait::TimedOut : Wait::Ready;
    }
}

// MSG_NOSIGNAL: a client that hung up must give an error here, not a SIGPIPE.
SocketIo SendSome(SocketHandle socket, std::span<const uint8_t> bytes) {
    const ssize_t sent = send(socket, bytes.data(), bytes.size(), MSG_NOSIGNAL | MSG_DONTWAIT);
    if (sent > 0) return {static_cast<size_t>(sent), false};
    return {0, sent == 0 || !TryAgain(errno)};
}

SocketIo ReceiveSome(SocketHandle socket, std::span<char> buffer) {
    const ssize_t got = recv(socket, buffer.data(), buffer.size(), MSG_DONTWAIT);
    if (got > 0) return {static_cast<size_t>(got), false};
    return {0, got == 0 || !TryAgain(errno)};
}

#endif

}  // namespace kiro::test::sockets
