#pragma once
#include <string>

#include "platform/win32/BodyPieces.h"

namespace kiro::win32_platform {

// What one transfer fetches, copied: the thread that reads it may outlive the request.
struct TransferOrder {
    std::string url;
    std::string userAgent;
    std::string headerBlock;  // the extra header lines, each ended by CR LF
};

// Fetches `order` with WinINet's blocking calls and hands the body to `pieces` in pieces of 512
// bytes, ending with their Finish unless the taker has left. Only http and https addresses are
// fetched, also where a redirect points (and from https only https), and five redirects at most
// are followed. Only a 2xx answer's body is handed on, and a body shorter than its announced length is
// Failed. Every WinINet handle is opened, used and closed on the calling thread alone, so no handle is ever
// closed under a call that uses it.
void RunWinInetTransfer(const TransferOrder& order, BodyPieces& pieces);

}  // namespace kiro::win32_platform
