#include "support/LocalHttpServer.h"

#include <openssl/evp.h>
#include <openssl/rsa.h>
#include <openssl/x509.h>

#include <chrono>
#include <filesystem>
#include <stdexcept>

namespace testing_support {

namespace {

std::unique_ptr<httplib::Server> SelfSignedServer() {
    EVP_PKEY* key = EVP_RSA_gen(2048);
    X509* cert = X509_new();
    if (key == nullptr || cert == nullptr) {
        throw std::runtime_error("cannot make a certificate");
    }
    ASN1_INTEGER_set(X509_get_serialNumber(cert), 1);
    X509_gmtime_adj(X509_getm_notBefore(cert), -3600);
    X509_gmtime_adj(X509_getm_notAfter(cert), 3600);
    X509_set_pubkey(cert, key);
    X509_NAME* name = X509_get_subject_name(cert);
    X509_NAME_add_entry_by_txt(name, "CN", MBSTRING_ASC,
                               reinterpret_cast<const unsigned char*>("127.0.0.1"), -1, -1, 0);
    X509_set_issuer_name(cert, name);
    X509_sign(cert, key, EVP_sha256());
    auto server = std::make_unique<httplib::SSLServer>(cert, key);
    X509_free(cert);
    EVP_PKEY_free(key);
    return server;
}

}  // namespace

LocalHttpServer::LocalHttpServer(Kind kind)
    : m_kind(kind),
      m_server(kind == Kind::Plain ? std::make_unique<httplib::Server>() : SelfSignedServer()) {}

LocalHttpServer::~LocalHttpServer() {
    m_server->stop();
    if (m_thread.joinable()) {
        m_thread.join();
    }
}

void LocalHttpServer::Start() {
    m_port = m_server->bind_to_any_port("127.0.0.1");
    if (m_port <= 0) {
        throw std::runtime_error("cannot bind a test server");
    }
    m_thread = std::thread([this] { m_server->listen_after_bind(); });
    // stop() only reaches a server that is already listening.
    while (!m_server->is_running()) {
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
}

std::string LocalHttpServer::Base() const {
    return std::string(m_kind == Kind::Plain ? "http" : "https") +
           "://127.0.0.1:" + std::to_string(m_port);
}

std::wstring LocalHttpServer::Url(const std::string& path) const {
    return std::filesystem::path(Base() + path).wstring();
}

}  // namespace testing_support
