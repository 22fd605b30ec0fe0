#pragma once

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace kestrel::test {

// A socket as the system hands it out: a descriptor on POSIX, a SOCKET (an unsigned handle) on
// Windows.
#ifdef _WIN32
using NativeSocket = std::uintptr_t;
#else
using NativeSocket = int;
#endif

// What the server answers to every request: the status line, then Content-Length and
// "Connection: close" headers and any extra header lines, and `copies` back-to-back copies of
// body (so a large body needs no large buffer).
struct Reply {
    std::string statusLine = "HTTP/1.1 200 OK";
    std::string body;
    std::size_t copies = 1;
    std::vector<std::string> headerLines = {};  // without their CR LF
    // When not zero the body goes out one byte at a time, this long apart, until the client
    // hangs up.
    std::chrono::milliseconds trickle{0};
    // The head announces one byte more than the body, and after the body nothing more comes;
    // with an empty status line nothing at all is sent. The server waits for the client to
    // give up.
    bool stalls = false;
};

// One request as the server saw it, and how the reply went.
struct Exchange {
    std::string requestLine;
    std::vector<std::string> headerLines;  // raw, in order, without the CR LF
    std::size_t bodyBytesSent = 0;         // short of the full body when the client hung up early
    bool clientClosed = false;             // the client closed the connection within seconds
};

// A tiny HTTP/1.1 server on 127.0.0.1 and an ephemeral port. One thread serves the connections
// one after another, one request each, and records every exchange.
class LoopbackHttpServer {
  public:
    explicit LoopbackHttpServer(Reply reply = {});
    ~LoopbackHttpServer();
    LoopbackHttpServer(const LoopbackHttpServer&) = delete;
    LoopbackHttpServer& operator=(const LoopbackHttpServer&) = delete;

    std::uint16_t port() const { return port_; }
    std::string url() const;  // http://127.0.0.1:PORT/
    std::size_t connectionsAccepted() const { return accepted_; }

    // Waits up to a few seconds for `count` finished exchanges; returns all finished so far.
    std::vector<Exchange> exchanges(std::size_t count);

  private:
    void serve();
    Exchange exchange(NativeSocket connection) const;

    const Reply reply_;
    NativeSocket listener_{};
    std::uint16_t port_ = 0;
    std::atomic<bool> stopping_ = false;
    std::atomic<std::size_t> accepted_ = 0;
    std::mutex mutex_;
    std::condition_variable finished_;
    std::vector<Exchange> exchanges_;
    std::thread thread_;
};

// A loopback port that refuses connections: bound, so no one else takes it, but not listening.
class RefusingPort {
  public:
    RefusingPort();
    ~RefusingPort();
    RefusingPort(const RefusingPort&) = delete;
    RefusingPort& operator=(const RefusingPort&) = delete;

    std::string url() const;

  private:
    std::uint16_t port_ = 0;  // first: the socket's initialiser sets it
    NativeSocket socket_{};
};

// A loopback port that never answers a connection: it listens, but its queue is already full,
// so the system leaves a new connection waiting in its handshake.
class UnansweredPort {
  public:
    UnansweredPort();
    ~UnansweredPort();
    UnansweredPort(const UnansweredPort&) = delete;
    UnansweredPort& operator=(const UnansweredPort&) = delete;

    std::string url() const;

  private:
    std::uint16_t port_ = 0;  // first: the listener's initialiser sets it
    NativeSocket listener_{};
    NativeSocket queued_{};  // the one connection that fills the queue
};

}  // namespace kestrel::test
