// A TCP relay on loopback that holds every chunk it forwards for a fixed time before passing it
// on, in each direction and in order: a network link with a known one-way delay, put between a
// share's client and its server to measure the program as a school's network makes it wait.
//
//   delay_proxy <listen port> <target port> [one-way delay in ms, default 1]
//
// Listens on 127.0.0.1 only and forwards each connection to 127.0.0.1:<target port>. A chunk
// read at time t is written at t + delay whatever came before it, so chunks in flight overlap
// as on a real link: the delay is a latency, not a throttle. Runs until killed.

#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <deque>
#include <mutex>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <sys/prctl.h>
#include <sys/socket.h>
#include <thread>
#include <unistd.h>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

struct Chunk {
    Clock::time_point due;
    std::vector<char> bytes; // empty: the sender closed its side
};

// One direction of a connection: a reader queues what arrives, stamped with the time it is due,
// and a writer sends each chunk once it is due.
class DelayedPipe {
public:
    DelayedPipe(int from, int to, Clock::duration delay) : from_(from), to_(to), delay_(delay) {}

    void read() {
        std::vector<char> buffer(64 * 1024);
        for (;;) {
            const ssize_t got = ::recv(from_, buffer.data(), buffer.size(), 0);
            Chunk chunk{Clock::now() + delay_, {}};
            if (got > 0) {
                chunk.bytes.assign(buffer.begin(), buffer.begin() + got);
            }
            push(std::move(chunk));
            if (got <= 0) {
                return;
            }
        }
    }

    void write() {
        for (;;) {
            const Chunk chunk = pop();
            std::this_thread::sleep_until(chunk.due);
            if (chunk.bytes.empty() || !sendAll(chunk.bytes)) {
                ::shutdown(to_, SHUT_WR);
                ::shutdown(from_, SHUT_RD);
                return;
            }
        }
    }

private:
    void push(Chunk chunk) {
        {
            const std::lock_guard lock(mutex_);
            queue_.push_back(std::move(chunk));
        }
        ready_.notify_one();
    }

    Chunk pop() {
        std::unique_lock lock(mutex_);
        ready_.wait(lock, [this] { return !queue_.empty(); });
        Chunk chunk = std::move(queue_.front());
        queue_.pop_front();
        return chunk;
    }

    bool sendAll(const std::vector<char>& bytes) {
        size_t sent = 0;
        while (sent < bytes.size()) {
            const ssize_t done =
                ::send(to_, bytes.data() + sent, bytes.size() - sent, MSG_NOSIGNAL);
            if (done <= 0) {
                return false;
            }
            sent += static_cast<size_t>(done);
        }
        return true;
    }

    int from_;
    int to_;
    Clock::duration delay_;
    std::mutex mutex_;
    std::condition_variable ready_;
    std::deque<Chunk> queue_;
};

sockaddr_in loopback(int port) {
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    address.sin_port = htons(static_cast<uint16_t>(port));
    return address;
}

// Small chunks go out at once: the relay adds its delay and nothing else.
void sendWithoutWaiting(int socket) {
    const int on = 1;
    ::setsockopt(socket, IPPROTO_TCP, TCP_NODELAY, &on, sizeof on);
}

// Relays one accepted connection until both directions are closed, then closes both sockets.
void relay(int client, int targetPort, Clock::duration delay) {
    const int server = ::socket(AF_INET, SOCK_STREAM, 0);
    const sockaddr_in target = loopback(targetPort);
    if (server < 0 ||
        ::connect(server, reinterpret_cast<const sockaddr*>(&target), sizeof target) != 0) {
        std::perror("delay_proxy: connect");
        ::close(client);
        if (server >= 0) {
            ::close(server);
        }
        return;
    }
    sendWithoutWaiting(client);
    sendWithoutWaiting(server);
    DelayedPipe up(client, server, delay);
    DelayedPipe down(server, client, delay);
    std::thread threads[] = {
        std::thread(&DelayedPipe::read, &up), std::thread(&DelayedPipe::write, &up),
        std::thread(&DelayedPipe::read, &down), std::thread(&DelayedPipe::write, &down)};
    for (std::thread& thread : threads) {
        thread.join();
    }
    ::close(client);
    ::close(server);
}

int usage() {
    std::fputs("usage: delay_proxy <listen port> <target port> [delay ms]\n", stderr);
    return 2;
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 3 || argc > 4) {
        return usage();
    }
    const int listenPort = std::atoi(argv[1]);
    const int targetPort = std::atoi(argv[2]);
    const double delayMs = argc == 4 ? std::atof(argv[3]) : 1.0;
    if (listenPort <= 0 || targetPort <= 0 || delayMs < 0) {
        return usage();
    }
    const auto delay = std::chrono::duration_cast<Clock::duration>(
        std::chrono::duration<double, std::milli>(delayMs));

    // Chunks wake their writer at their due time, not up to 50 µs later.
    ::prctl(PR_SET_TIMERSLACK, 1UL);

    const int listener = ::socket(AF_INET, SOCK_STREAM, 0);
    const int on = 1;
    ::setsockopt(listener, SOL_SOCKET, SO_REUSEADDR, &on, sizeof on);
    const sockaddr_in address = loopback(listenPort);
    if (listener < 0 ||
        ::bind(listener, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0 ||
        ::listen(listener, 16) != 0) {
        std::perror("delay_proxy: listen");
        return 1;
    }
    for (;;) {
        const int client = ::accept(listener, nullptr, nullptr);
        if (client < 0) {
            continue;
        }
        std::thread(relay, client, targetPort, delay).detach();
    }
}
