#pragma once
// A small pool of threads that read files for the interface thread. On a share that answers in
// a millisecond or two, one reader waits for the network between two files; many reads in flight
// at once take a fraction of that time. The threads only open, read and close; everything the
// reads lead to (the visitor of a listing, the windows, the messages, every write) stays on the
// thread that asked.

#include <QByteArray>

#include <cstddef>
#include <functional>

namespace kalidor {

// The most reads in flight.
inline constexpr int kMostReadsInFlight = 16;

// Runs `read(i)` for every i from 0 to count - 1 on up to `readers` threads of the pool, and
// `use(i)` on the calling thread for each i in increasing order, as soon as read(i) has finished:
// the first results are used while the later ones are still being read. `read` must not throw;
// `use` may, and nothing is then left running. With one reader, everything runs on the calling
// thread.
void readInOrder(size_t count, int readers, const std::function<void(size_t)>& read,
                 const std::function<void(size_t)>& use);

// How many readers a listing of `folder` uses: as many as the pool has on a share, where each read
// waits for the network; one on a local disk, where a read costs only the system's own time and
// threads would only share the processors with the listing.
int readersFor(const QByteArray& folder);

// Gives every listing `readers` readers while it lives: for tests, so that the pool is used on a
// local folder too.
class ScopedReaders {
public:
    explicit ScopedReaders(int readers);
    ~ScopedReaders();
    ScopedReaders(const ScopedReaders&) = delete;
    ScopedReaders& operator=(const ScopedReaders&) = delete;

private:
    int previous_;
};

} // namespace kalidor
