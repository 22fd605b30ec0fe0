#include "loopback_http_server.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <stdexcept>

namespace kestrel::test {
namespace {

// Bounds every wait, so that a misbehaving client fails a test instead of hanging it.
constexpr int kPatienceMs = 5000;

int loopbackSocket(std::uint16_t& port) {
    const int fd = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof address;
    if (fd < 0 || bind(fd, reinterpret_cast<sockaddr*>(&address), length) != 0 ||
        getsockname(fd, reinterpret_cast<sockaddr*>(&address), &length) != 0) {
        throw std::runtime_error("cannot bind a loopback socket");
    }
    port = ntohs(address.sin_port);
    return fd;
}

std::string loopbackUrl(std::uint16_t port) {
    return "http://127.0.0.1:" + std::to_string(port) + "/";
}

bool readable(int fd, int timeoutMs) {
    pollfd watched{fd, POLLIN, 0};
    return poll(&watched, 1, timeoutMs) > 0;
}

// Reads up to the blank line that ends the request head.
std::string readHead(int connection) {
    std::string head;
    char buffer[4096];
    while (head.find("\r\n\r\n") == std::string::npos && readable(connection, kPatienceMs)) {
        const ssize_t n = recv(connection, buffer, sizeof buffer, 0);
        if (n <= 0) break;
        head.append(buffer, static_cast<std::size_t>(n));
    }
    return head;
}

enum class Sending { done, hungUp, stalled };

// Adds what the kernel took to sent; stops when the client hangs up or stops reading.
Sending sendAll(int connection, const std::string& bytes, std::size_t& sent) {
    for (std::size_t at = 0; at < bytes.size();) {
        const ssize_t n = send(connection, bytes.data() + at, bytes.size() - at, MSG_NOSIGNAL);
        if (n <= 0)
            return errno == EPIPE || errno == ECONNRESET ? Sending::hungUp : Sending::stalled;
        at += static_cast<std::size_t>(n);
        sent += static_cast<std::size_t>(n);
    }
    return Sending::done;
}

}  // namespace

LoopbackHttpServer::LoopbackHttpServer(Reply reply) : reply_(std::move(reply)) {
    listener_ = loopbackSocket(port_);
    if (listen(listener_, 8) != 0) throw std::runtime_error("cannot listen on loopback");
    thread_ = std::thread([this] { serve(); });
}

LoopbackHttpServer::~LoopbackHttpServer() {
    stopping_ = true;
    thread_.join();
    close(listener_);
}

std::string LoopbackHttpServer::url() const { return loopbackUrl(port_); }

std::vector<Exchange> LoopbackHttpServer::exchanges(std::size_t count) {
    std::unique_lock lock(mutex_);
    finished_.wait_for(lock, std::chrono::milliseconds(2 * kPatienceMs),
                       [&] { return exchanges_.size() >= count; });
    return exchanges_;
}

void LoopbackHttpServer::serve() {
    while (!stopping_) {
        if (!readable(listener_, 50)) continue;
        const int connection = accept4(listener_, nullptr, nullptr, SOCK_CLOEXEC);
        if (connection < 0) continue;
        ++accepted_;
        const timeval patience{kPatienceMs / 1000, 0};
        setsockopt(connection, SOL_SOCKET, SO_SNDTIMEO, &patience, sizeof patience);
        Exchange done = exchange(connection);
        close(connection);
        const std::lock_guard lock(mutex_);
        exchanges_.push_back(std::move(done));
        finished_.notify_all();
    }
}

Exchange LoopbackHttpServer::exchange(int connection) const {
    Exchange result;
    const std::string head = readHead(connection);
    std::size_t lineEnd = head.find("\r\n");
    if (lineEnd == std::string::npos) return result;
    result.requestLine = head.substr(0, lineEnd);
    for (std::size_t at = lineEnd + 2;; at = lineEnd + 2) {
        lineEnd = head.find("\r\n", at);
        if (lineEnd == std::string::npos || lineEnd == at) break;  // the blank line ends the head
        result.headerLines.push_back(head.substr(at, lineEnd - at));
    }

    std::size_t headSent = 0;
    const std::size_t announced = reply_.body.size() * reply_.copies + (reply_.stalls ? 1 : 0);
    const std::string replyHead =
        reply_.statusLine.empty()
            ? std::string()
            : reply_.statusLine + "\r\nContent-Length: " + std::to_string(announced) + "\r\n\r\n";
    Sending sending = sendAll(connection, replyHead, headSent);
    for (std::size_t copy = 0; sending == Sending::done && copy < reply_.copies; ++copy) {
        sending = sendAll(connection, reply_.body, result.bodyBytesSent);
    }
    // After a complete reply, wait for the client to close its end.
    char extra;
    result.clientClosed = sending == Sending::hungUp ||
                          (sending == Sending::done && readable(connection, kPatienceMs) &&
                           recv(connection, &extra, 1, 0) <= 0);
    return result;
}

RefusingPort::RefusingPort() : socket_(loopbackSocket(port_)) {}

RefusingPort::~RefusingPort() { close(socket_); }

std::string RefusingPort::url() const { return loopbackUrl(port_); }

}  // namespace kestrel::test
