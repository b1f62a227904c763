#include "records/reading_pool.h"

#include <algorithm>
#include <atomic>
#include <condition_variable>
#include <linux/magic.h>
#include <memory>
#include <mutex>
#include <sys/statfs.h>
#include <thread>
#include <unistd.h>
#include <vector>

namespace kalidor {

namespace {

// One request: its reads are claimed one at a time by the pool's threads.
struct Job {
    size_t count = 0;
    const std::function<void(size_t)>* read = nullptr;
    std::atomic<size_t> next{0};
    std::atomic<bool> abandoned{false};
    std::unique_ptr<std::atomic<bool>[]> done;
};

class Pool {
public:
    Pool() {
        for (int i = 0; i < kMostReadsInFlight; ++i) {
            threads_.emplace_back([this] { serve(); });
        }
    }
    ~Pool() {
        {
            const std::lock_guard lock(mutex_);
            stopping_ = true;
        }
        wake_.notify_all();
        for (std::thread& thread : threads_) {
            thread.join();
        }
    }

    // Lends `readers` threads to the job until its reads are all claimed, then waits for them
    // to leave it.
    void run(Job& job, int readers, const std::function<void()>& useAll) {
        {
            const std::lock_guard lock(mutex_);
            job_ = &job;
            wanted_ = readers;
            ++generation_;
        }
        wake_.notify_all();
        struct Leave {
            Pool& pool;
            Job& job;
            ~Leave() {
                job.abandoned = true;
                std::unique_lock lock(pool.mutex_);
                pool.wanted_ = 0;
                pool.left_.wait(lock, [this] { return pool.busy_ == 0; });
                pool.job_ = nullptr;
            }
        } leave{*this, job};
        useAll();
    }

private:
    void serve() {
        unsigned long seen = 0;
        std::unique_lock lock(mutex_);
        for (;;) {
            wake_.wait(lock, [&] { return stopping_ || (generation_ != seen && wanted_ > 0); });
            if (stopping_) {
                return;
            }
            seen = generation_;
            --wanted_;
            ++busy_;
            Job& job = *job_;
            lock.unlock();
            for (size_t i = job.next++; i < job.count && !job.abandoned; i = job.next++) {
                (*job.read)(i);
                job.done[i] = true;
                job.done[i].notify_one();
            }
            lock.lock();
            if (--busy_ == 0) {
                left_.notify_all();
            }
        }
    }

    std::mutex mutex_;
    std::condition_variable wake_;
    std::condition_variable left_;
    std::vector<std::thread> threads_;
    Job* job_ = nullptr;
    unsigned long generation_ = 0;
    int wanted_ = 0;
    int busy_ = 0;
    bool stopping_ = false;
};

// One request at a time: the reads of a listing are asked for by the interface thread only, and
// a request that came while another ran would only wait for its threads.
std::mutex oneJobAtATime;

// The readers every listing uses, when a test set them; 0 lets the folder decide.
int forcedReaders = 0;

} // namespace

int readersFor(const QByteArray& folder) {
    if (forcedReaders > 0) {
        return forcedReaders;
    }
    struct statfs info {};
    if (::statfs(folder.isEmpty() ? "." : folder.constData(), &info) != 0) {
        return kMostReadsInFlight;
    }
    constexpr unsigned long kNtfs3Magic = 0x7366746e;
    switch (static_cast<unsigned long>(info.f_type)) {
    case EXT4_SUPER_MAGIC: // ext2 and ext3 too
    case XFS_SUPER_MAGIC:
    case BTRFS_SUPER_MAGIC:
    case F2FS_SUPER_MAGIC:
    case TMPFS_MAGIC:
    case OVERLAYFS_SUPER_MAGIC:
    case MSDOS_SUPER_MAGIC:
    case EXFAT_SUPER_MAGIC:
    case kNtfs3Magic:
        return 1;
    default:
        return kMostReadsInFlight;
    }
}

ScopedReaders::ScopedReaders(int readers) : previous_(forcedReaders) {
    forcedReaders = readers;
}

ScopedReaders::~ScopedReaders() {
    forcedReaders = previous_;
}

void readInOrder(size_t count, int readers, const std::function<void(size_t)>& read,
                 const std::function<void(size_t)>& use) {
    readers = std::clamp(readers, 1, kMostReadsInFlight);
    if (readers == 1 || count < 2) {
        for (size_t i = 0; i < count; ++i) {
            read(i);
            use(i);
        }
        return;
    }
    static Pool pool;
    // A child process forked from this one has none of the pool's threads.
    static const pid_t owner = ::getpid();
    if (::getpid() != owner) {
        readInOrder(count, 1, read, use);
        return;
    }
    const std::lock_guard lock(oneJobAtATime);
    Job job;
    job.count = count;
    job.read = &read;
    job.done = std::make_unique<std::atomic<bool>[]>(count);
    pool.run(job, static_cast<int>(std::min<size_t>(count, static_cast<size_t>(readers))), [&] {
        for (size_t i = 0; i < count; ++i) {
            job.done[i].wait(false);
            use(i);
        }
    });
}

} // namespace kalidor
