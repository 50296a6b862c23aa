#pragma once
// The socket calls of the loopback server that differ between POSIX sockets and Winsock, so
// that the server itself is written once. No system header is included here: the tests that
// use the server must not get windows.h with it.
#include <cstddef>
#include <cstdint>
#include <span>

namespace kiro::test::sockets {

// A socket (Winsock's SOCKET is an unsigned integer of pointer size) or, on POSIX, any
// descriptor poll can watch.
#if defined(_WIN32)
using SocketHandle = std::uintptr_t;
inline constexpr SocketHandle kNoSocket = ~SocketHandle{0};
#else
using SocketHandle = int;
inline constexpr SocketHandle kNoSocket = -1;
#endif

// Each of these throws std::system_error naming the call that failed. No socket made here is
// inherited by a program the tests start: a child holding a copy would keep a connection open
// after the server closed it.

// A TCP socket listening on 127.0.0.1, on a port the system picked (returned in `port`).
SocketHandle ListenOnLoopback(uint16_t& port);
// The next waiting connection; kNoSocket when the client gave up in the meantime. Sends and
// receives on it never block.
SocketHandle AcceptConnection(SocketHandle listener);
void CloseSocket(SocketHandle socket);

// Wakes every wait of the server at once when it stops: a byte written into `write` makes
// `read` readable, and stays so because nobody reads it. A pipe on POSIX; Winsock can only
// wait on sockets, so there it is a connected pair of loopback sockets.
struct WakeChannel {
    SocketHandle read = kNoSocket;
    SocketHandle write = kNoSocket;
};
WakeChannel OpenWakeChannel();
void Wake(const WakeChannel& channel);
void CloseWakeChannel(WakeChannel& channel);

enum class Wait { Ready, TimedOut, Stopping };
enum class Direction { Receive, Send };
// Waits until `socket` can receive (a listener: can accept) or send, the time runs out (-1:
// never) or the wake channel's reading end `wake` wakes it.
Wait WaitFor(SocketHandle socket, Direction direction, SocketHandle wake, int timeoutMs);

// What one send or receive did: no bytes and not ended means try again once the socket is
// ready. A peer that hung up gives an error here, never a signal that ends the test program.
struct SocketIo {
    size_t bytes = 0;
    bool ended = false;  // the peer closed the connection or it broke
};
SocketIo SendSome(SocketHandle socket, std::span<const uint8_t> bytes);
SocketIo ReceiveSome(SocketHandle socket, std::span<char> buffer);

}  // namespace kiro::test::sockets
