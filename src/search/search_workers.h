// A small pool of threads that search the files of a global find ahead of the thread that
// hands their result lines on. Lines, messages and counts reach the sink in file order, exactly
// as a search on one thread would give them.
#pragma once

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <deque>
#include <memory>
#include <mutex>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

#include "search/global_find_engine.h"
#include "ui/message_box.h"

namespace nelvix {

/// Files handed to the workers and not yet handed on, per worker.
inline constexpr std::size_t kFilesAheadPerWorker = 4;
/// Result bytes a worker keeps for one file before it waits for them to be handed on.
inline constexpr std::size_t kWorkerLineBytes = 256 * 1024;
/// A file's result bytes that the consumer takes in one go while the file is still searched.
inline constexpr std::size_t kHandOnBytes = kWorkerLineBytes / 4;
/// How long the consumer waits for a batch before it takes the lines there are.
inline constexpr std::chrono::milliseconds kHandOnWait{20};
/// Workers a run starts at most, whatever the machine offers.
inline constexpr unsigned kMaxSearchWorkers = 4;

/// The number of workers a global find uses on this machine; 0: search on the calling thread.
unsigned SearchWorkersForThisMachine();

class SearchWorkers {
public:
    /// Starts up to `workers` threads, each with an engine set up like `engine`; Started() is
    /// false when none could start.
    SearchWorkers(GlobalFindEngine& engine, std::string_view pattern, unsigned workers);
    /// Stops the workers within one chunk of their files and waits for them.
    ~SearchWorkers();
    SearchWorkers(const SearchWorkers&) = delete;
    SearchWorkers& operator=(const SearchWorkers&) = delete;

    bool Started() const { return !m_threads.empty(); }
    /// Queues `sjisPath`, first handing on finished files while the queue is full. False when
    /// the run must stop (as SearchFileIntoSink).
    bool Search(const std::string& sjisPath, ResultSink& sink, SearchProgress& progress,
                std::uint32_t& filesSearched, std::uint32_t& hits);
    /// Hands on every queued file; false when the run must stop.
    bool Finish(ResultSink& sink, SearchProgress& progress, std::uint32_t& filesSearched,
                std::uint32_t& hits);

private:
    struct Job;
    class Worker;
    /// What the consumer took of the first file in one go.
    struct Batch;

    void Run(Worker& worker);
    Job* NextJob();
    /// Adds one result line to `job`, waiting while it holds too many; false once cancelled.
    bool AddLine(Job& job, std::string_view line);
    void AddMessage(Job& job, const ui::MessageRequest& request);
    void FinishJob(Job& job);
    /// Whether the consumer has enough of the first files to hand on; under the lock.
    bool ConsumerMayGoOn() const;
    /// Wakes the consumer when it sleeps and may go on; unlocks `lock`.
    void WakeConsumerIfDue(std::unique_lock<std::mutex>& lock);
    bool HandOnFirst(ResultSink& sink, SearchProgress& progress, std::uint32_t& filesSearched,
                     std::uint32_t& hits);
    void TakeFromFirst(Batch& batch);
    void ShowMessagesUpTo(Batch& batch, std::uint64_t line);

    GlobalFindEngine& m_engine;
    std::string m_pattern;
    std::size_t m_filesAhead = 0;
    std::mutex m_mutex;
    std::condition_variable m_jobReady;   ///< a job was queued, or the pool stops
    std::condition_variable m_jobChanged; ///< the consumer may go on
    std::condition_variable m_linesTaken; ///< the consumer emptied a job's lines
    std::deque<std::unique_ptr<Job>> m_jobs;
    std::size_t m_nextJob = 0; ///< index in m_jobs of the first job no worker took
    unsigned m_idleWorkers = 0;
    bool m_consumerSleeps = false;
    std::atomic<bool> m_cancelled{false};
    std::vector<std::unique_ptr<Worker>> m_workers;
    std::vector<std::thread> m_threads;
};

} // namespace nelvix
