#include "LoopbackHttpsServer.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <openssl/err.h>
#include <openssl/evp.h>
#include <openssl/pem.h>
#include <openssl/ssl.h>
#include <openssl/x509v3.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cstdio>
#include <memory>
#include <stdexcept>

namespace kiro::test {
namespace {

template <typename T, void (*Free)(T*)>
struct Freer {
    void operator()(T* object) const { Free(object); }
};
using KeyPtr = std::unique_ptr<EVP_PKEY, Freer<EVP_PKEY, EVP_PKEY_free>>;
using CertificatePtr = std::unique_ptr<X509, Freer<X509, X509_free>>;
using SslPtr = std::unique_ptr<SSL, Freer<SSL, SSL_free>>;

// A self-signed certificate for 127.0.0.1, valid for a day.
CertificatePtr MakeCertificate(EVP_PKEY* key) {
    CertificatePtr certificate(X509_new());
    X509_set_version(certificate.get(), 2);
    ASN1_INTEGER_set(X509_get_serialNumber(certificate.get()), 1);
    X509_gmtime_adj(X509_getm_notBefore(certificate.get()), -3600);
    X509_gmtime_adj(X509_getm_notAfter(certificate.get()), 86400);
    X509_set_pubkey(certificate.get(), key);
    X509_NAME* name = X509_get_subject_name(certificate.get());
    X509_NAME_add_entry_by_txt(name, "CN", MBSTRING_ASC, reinterpret_cast<const unsigned char*>("127.0.0.1"),
                               -1, -1, 0);
    X509_set_issuer_name(certificate.get(), name);
    X509V3_CTX context;
    X509V3_set_ctx(&context, certificate.get(), certificate.get(), nullptr, nullptr, 0);
    for (const char* extension : {"IP:127.0.0.1", "critical,CA:TRUE"}) {
        const int id = extension[0] == 'I' ? NID_subject_alt_name : NID_basic_constraints;
        X509_EXTENSION* made = X509V3_EXT_conf_nid(nullptr, &context, id, extension);
        if (!made) return nullptr;
        X509_add_ext(certificate.get(), made, -1);
        X509_EXTENSION_free(made);
    }
    if (!X509_sign(certificate.get(), key, EVP_sha256())) return nullptr;
    return certificate;
}

std::string ReasonPhrase(int status) {
    return status == 200 ? "OK" : status == 302 ? "Found" : "Not Found";
}

}  // namespace

LoopbackHttpsServer::LoopbackHttpsServer(const std::string& caFile) {
    const KeyPtr key(EVP_EC_gen("P-256"));
    const CertificatePtr certificate = key ? MakeCertificate(key.get()) : nullptr;
    if (!certificate) throw std::runtime_error("no test certificate");
    FILE* file = std::fopen(caFile.c_str(), "w");
    const bool written = file && PEM_write_X509(file, certificate.get()) == 1;
    if (file) (void)std::fclose(file);
    if (!written) throw std::runtime_error("no CA file");

    SSL_CTX* context = SSL_CTX_new(TLS_server_method());
    context_ = context;
    if (!context || SSL_CTX_use_certificate(context, certificate.get()) != 1 ||
        SSL_CTX_use_PrivateKey(context, key.get()) != 1)
        throw std::runtime_error("no TLS context");

    listener_ = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t size = sizeof address;
    if (listener_ < 0 || ::bind(listener_, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
        ::listen(listener_, 8) != 0 ||
        ::getsockname(listener_, reinterpret_cast<sockaddr*>(&address), &size) != 0)
        throw std::runtime_error("cannot listen");
    port_ = ntohs(address.sin_port);
    thread_ = std::thread([this] { Serve(); });
}

LoopbackHttpsServer::~LoopbackHttpsServer() {
    stopping_ = true;
    if (thread_.joinable()) thread_.join();
    if (listener_ >= 0) ::close(listener_);
    SSL_CTX_free(static_cast<SSL_CTX*>(context_));
}

std::string LoopbackHttpsServer::Url(const std::string& path) const {
    return "https://127.0.0.1:" + std::to_string(port_) + path;
}

void LoopbackHttpsServer::Answer(const std::string& path, int status, const std::string& body,
                                 std::vector<std::string> headerLines) {
    std::lock_guard lock(mutex_);
    replies_[path] = Reply{status, body, std::move(headerLines)};
}

std::vector<std::string> LoopbackHttpsServer::Requests() const {
    std::lock_guard lock(mutex_);
    return requests_;
}

void LoopbackHttpsServer::Serve() {
    while (!stopping_) {
        pollfd waiting{listener_, POLLIN, 0};
        if (::poll(&waiting, 1, 50) <= 0) continue;
        const int socket = ::accept4(listener_, nullptr, nullptr, SOCK_CLOEXEC);
        if (socket < 0) continue;
        HandleConnection(socket);
        ::close(socket);
    }
}

void LoopbackHttpsServer::HandleConnection(int socket) {
    // A client that refuses the certificate, or never speaks, must not hold the server.
    const timeval limit{2, 0};
    ::setsockopt(socket, SOL_SOCKET, SO_RCVTIMEO, &limit, sizeof limit);
    const SslPtr ssl(SSL_new(static_cast<SSL_CTX*>(context_)));
    SSL_set_fd(ssl.get(), socket);
    if (SSL_accept(ssl.get()) != 1) return;
    std::string request;
    char buffer[1024];
    while (request.find("\r\n\r\n") == std::string::npos) {
        const int got = SSL_read(ssl.get(), buffer, sizeof buffer);
        if (got <= 0) return;
        request.append(buffer, static_cast<size_t>(got));
    }
    const size_t pathStart = request.find(' ') + 1;
    const std::string path = request.substr(pathStart, request.find(' ', pathStart) - pathStart);
    Reply reply;
    {
        std::lock_guard lock(mutex_);
        requests_.push_back(path);
        if (const auto found = replies_.find(path); found != replies_.end()) reply = found->second;
    }
    std::string answer =
        "HTTP/1.1 " + std::to_string(reply.status) + " " + ReasonPhrase(reply.status) + "\r\n";
    for (const std::string& line : reply.headerLines) answer += line + "\r\n";
    answer +=
        "Content-Length: " + std::to_string(reply.body.size()) + "\r\nConnection: close\r\n\r\n" + reply.body;
    SSL_write(ssl.get(), answer.data(), static_cast<int>(answer.size()));
    SSL_shutdown(ssl.get());
}

}  // namespace kiro::test
