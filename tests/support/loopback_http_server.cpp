#include "loopback_http_server.h"

#ifdef _WIN32
#include <winsock2.h>
#include <ws2tcpip.h>
#else
#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#endif

#include <algorithm>
#include <chrono>
#include <stdexcept>

namespace kestrel::test {
namespace {

// Bounds every wait, so that a misbehaving client fails a test instead of hanging it.
constexpr int kPatienceMs = 5000;

// The few socket calls that differ between POSIX and Winsock.
#ifdef _WIN32
using socklen_t = int;

NativeSocket openSocket() {
    static const bool started = [] {
        WSADATA data;
        return WSAStartup(MAKEWORD(2, 2), &data) == 0;
    }();
    return started ? socket(AF_INET, SOCK_STREAM, IPPROTO_TCP) : INVALID_SOCKET;
}
bool valid(NativeSocket s) { return s != INVALID_SOCKET; }
NativeSocket acceptConnection(NativeSocket listener) { return accept(listener, nullptr, nullptr); }
void closeSocket(NativeSocket s) { closesocket(s); }
int pollSockets(pollfd* watched, int timeoutMs) { return WSAPoll(watched, 1, timeoutMs); }
long sendSome(NativeSocket s, const char* data, std::size_t size) {
    return send(s, data, static_cast<int>(std::min<std::size_t>(size, 1 << 20)), 0);
}
bool peerHungUp() {
    const int error = WSAGetLastError();
    return error == WSAECONNRESET || error == WSAECONNABORTED;
}
void setSendPatience(NativeSocket s) {
    const DWORD patience = kPatienceMs;
    setsockopt(s, SOL_SOCKET, SO_SNDTIMEO, reinterpret_cast<const char*>(&patience),
               sizeof patience);
}
#else
NativeSocket openSocket() { return socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0); }
bool valid(NativeSocket s) { return s >= 0; }
NativeSocket acceptConnection(NativeSocket listener) {
    return accept4(listener, nullptr, nullptr, SOCK_CLOEXEC);
}
void closeSocket(NativeSocket s) { close(s); }
int pollSockets(pollfd* watched, int timeoutMs) { return poll(watched, 1, timeoutMs); }
long sendSome(NativeSocket s, const char* data, std::size_t size) {
    return send(s, data, size, MSG_NOSIGNAL);
}
bool peerHungUp() { return errno == EPIPE || errno == ECONNRESET; }
void setSendPatience(NativeSocket s) {
    const timeval patience{kPatienceMs / 1000, 0};
    setsockopt(s, SOL_SOCKET, SO_SNDTIMEO, &patience, sizeof patience);
}
#endif

NativeSocket loopbackSocket(std::uint16_t& port) {
    const NativeSocket s = openSocket();
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof address;
    if (!valid(s) || bind(s, reinterpret_cast<sockaddr*>(&address), length) != 0 ||
        getsockname(s, reinterpret_cast<sockaddr*>(&address), &length) != 0) {
        throw std::runtime_error("cannot bind a loopback socket");
    }
    port = ntohs(address.sin_port);
    return s;
}

std::string loopbackUrl(std::uint16_t port) {
    return "http://127.0.0.1:" + std::to_string(port) + "/";
}

bool readable(NativeSocket s, int timeoutMs) {
    pollfd watched{};
    watched.fd = s;
    watched.events = POLLIN;
    return pollSockets(&watched, timeoutMs) > 0;
}

// Reads up to the blank line that ends the request head.
std::string readHead(NativeSocket connection) {
    std::string head;
    char buffer[4096];
    while (head.find("\r\n\r\n") == std::string::npos && readable(connection, kPatienceMs)) {
        const auto n = recv(connection, buffer, sizeof buffer, 0);
        if (n <= 0) break;
        head.append(buffer, static_cast<std::size_t>(n));
    }
    return head;
}

enum class Sending { done, hungUp, stalled };

// Adds what the kernel took to sent; stops when the client hangs up or stops reading. With a
// trickle, hands over one byte at a time and waits that long after each, watching for the
// client to hang up meanwhile.
Sending sendAll(NativeSocket connection, const std::string& bytes, std::size_t& sent,
                std::chrono::milliseconds trickle = {}) {
    for (std::size_t at = 0; at < bytes.size();) {
        const std::size_t size = trickle.count() > 0 ? 1 : bytes.size() - at;
        const long n = sendSome(connection, bytes.data() + at, size);
        if (n <= 0) return peerHungUp() ? Sending::hungUp : Sending::stalled;
        at += static_cast<std::size_t>(n);
        sent += static_cast<std::size_t>(n);
        char extra;
        if (trickle.count() > 0 && readable(connection, static_cast<int>(trickle.count())) &&
            recv(connection, &extra, 1, 0) <= 0) {
            return Sending::hungUp;
        }
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
    closeSocket(listener_);
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
        const NativeSocket connection = acceptConnection(listener_);
        if (!valid(connection)) continue;
        ++accepted_;
        setSendPatience(connection);
        Exchange done = exchange(connection);
        closeSocket(connection);
        const std::lock_guard lock(mutex_);
        exchanges_.push_back(std::move(done));
        finished_.notify_all();
    }
}

Exchange LoopbackHttpServer::exchange(NativeSocket connection) const {
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
    // Each connection carries one exchange, and the reply says so: a client must not send a
    // second request on it.
    const std::size_t announced = reply_.body.size() * reply_.copies + (reply_.stalls ? 1 : 0);
    std::string replyHead;
    if (!reply_.statusLine.empty()) {
        replyHead = reply_.statusLine + "\r\nContent-Length: " + std::to_string(announced) +
                    "\r\nConnection: close\r\n";
        for (const std::string& line : reply_.headerLines) replyHead += line + "\r\n";
        replyHead += "\r\n";
    }
    Sending sending = sendAll(connection, replyHead, headSent);
    for (std::size_t copy = 0; sending == Sending::done && copy < reply_.copies; ++copy) {
        sending = sendAll(connection, reply_.body, result.bodyBytesSent, reply_.trickle);
    }
    // After a complete reply, wait for the client to close its end.
    char extra;
    result.clientClosed = sending == Sending::hungUp ||
                          (sending == Sending::done && readable(connection, kPatienceMs) &&
                           recv(connection, &extra, 1, 0) <= 0);
    return result;
}

RefusingPort::RefusingPort() : socket_(loopbackSocket(port_)) {}

RefusingPort::~RefusingPort() { closeSocket(socket_); }

std::string RefusingPort::url() const { return loopbackUrl(port_); }

UnansweredPort::UnansweredPort() : listener_(loopbackSocket(port_)) {
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    address.sin_port = htons(port_);
    // A queue of one place, taken by a connection that is never accepted.
    queued_ = openSocket();
    if (listen(listener_, 0) != 0 || !valid(queued_) ||
        connect(queued_, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0) {
        throw std::runtime_error("cannot fill a loopback listener's queue");
    }
}

UnansweredPort::~UnansweredPort() {
    closeSocket(queued_);
    closeSocket(listener_);
}

std::string UnansweredPort::url() const { return loopbackUrl(port_); }

}  // namespace kestrel::test
