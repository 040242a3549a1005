// A global find on several threads: one walks the file set, a small pool searches its files,
// and the calling thread hands their result lines on. Lines, messages, event pumps and counts
// reach the sink and the progress window in the order a search on one thread gives them.
#pragma once

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <deque>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

#include "fileset/file_set_walk.h"
#include "search/global_find_engine.h"
#include "ui/message_box.h"

namespace nelvix {

/// Files queued and not yet handed on, per worker, once the tree is listed.
inline constexpr std::size_t kFilesAheadPerWorker = 16;
/// Files queued while the tree is still listed: their lines can be handed on only after it.
inline constexpr std::size_t kFilesAheadWhileListing = 2048;
/// Result bytes a worker keeps for one file before it waits for them to be handed on.
inline constexpr std::size_t kWorkerLineBytes = 256 * 1024;
/// Result bytes all files but the first may hold together before their workers wait.
inline constexpr std::size_t kHeldLineBytes = 16 * 1024 * 1024;
/// Result bytes a worker gathers before it hands them over, for a file searched ahead.
inline constexpr std::size_t kWorkerBatchBytes = 16 * 1024;
/// A file's result bytes that the consumer takes in one go while the file is still searched.
inline constexpr std::size_t kHandOnBytes = kWorkerLineBytes / 4;
/// How long the consumer waits for a batch before it takes the lines there are.
inline constexpr std::chrono::milliseconds kHandOnWait{20};
/// Event pumps the listing asks for before a sleeping consumer is woken to make them.
inline constexpr std::size_t kPumpsTogether = 32;
/// Workers a run starts at most, whatever the machine offers.
inline constexpr unsigned kMaxSearchWorkers = 4;

/// The number of workers a global find uses on this machine; 0: search on the calling thread.
unsigned SearchWorkersForThisMachine();

class SearchWorkers {
public:
    /// Starts up to `workers` threads, each with an engine set up like `engine`; Started() is
    /// false when none could start.
    SearchWorkers(GlobalFindEngine& engine, std::string_view pattern, unsigned workers);
    /// Stops the walk and the workers within one directory or chunk and waits for them.
    ~SearchWorkers();
    SearchWorkers(const SearchWorkers&) = delete;
    SearchWorkers& operator=(const SearchWorkers&) = delete;

    bool Started() const { return !m_threads.empty(); }
    /// The run of RunGlobalFind: walks `sjisSpecification` on a thread of its own and hands
    /// every file's lines on from this one.
    /// Nothing when the walk's thread could not start (nothing was searched then).
    std::optional<GlobalFindCounts> Run(std::string_view sjisSpecification,
                                        std::size_t subdirBufferBytes, ResultSink& sink,
                                        SearchProgress& progress);

private:
    struct Job;
    class Worker;
    /// What the consumer took of the first file in one go.
    struct Batch;

    // The walking thread.
    void Walk(std::string sjisSpecification, bool subdirectories, std::size_t subdirBufferBytes);
    bool Queue(const std::string& sjisPath);
    bool ListedOne();
    bool RoomWhileListing();
    void Listed(bool complete);

    // The workers.
    void RunWorker(Worker& worker);
    Job* NextJob();
    /// Moves result lines (each followed by a NUL; `ends` before each NUL) to `job`, waiting
    /// while it holds too many; false once cancelled.
    bool AddLines(Job& job, std::string& lines, std::vector<std::uint32_t>& ends);
    bool IsFirst(const Job& job) const { return m_first.load(std::memory_order_relaxed) == &job; }
    void AddMessage(Job& job, const ui::MessageRequest& request);
    void FinishJob(Job& job);

    // The calling thread.
    /// What comes next in the order of a run on one thread.
    enum class Next { File, Pump, End };
    /// `end` is set for Next::End.
    Next WaitForNext(FileSetWalkEnd& end);
    std::optional<Next> NextUnderLock(FileSetWalkEnd& end);
    /// Whether the first queued file is the next thing to hand on; under the lock.
    bool FirstFileIsNext() const;
    bool HandOnFirst(ResultSink& sink, SearchProgress& progress, GlobalFindCounts& counts);
    void TakeFromFirst(Job& job, Batch& batch);
    void ShowMessagesUpTo(Batch& batch, std::uint64_t line);
    void DropFirst();
    /// Whether the consumer has something to do; under the lock.
    bool ConsumerMayGoOn() const;
    /// Wakes the consumer when it sleeps and may go on; unlocks `lock`.
    void WakeConsumerIfDue(std::unique_lock<std::mutex>& lock);
    void Cancel();

    GlobalFindEngine& m_engine;
    std::string m_pattern;
    std::size_t m_filesAhead = 0;
    std::mutex m_mutex;
    std::condition_variable m_jobReady;   ///< a file was queued, or the run stops
    std::condition_variable m_consumer;   ///< the consumer may go on
    std::condition_variable m_linesTaken; ///< the consumer took lines or files
    std::condition_variable m_room;       ///< the walk may queue again
    std::deque<std::unique_ptr<Job>> m_jobs;
    std::size_t m_nextJob = 0; ///< index in m_jobs of the first job no worker took
    std::size_t m_heldBytes = 0;
    unsigned m_idleWorkers = 0;
    unsigned m_waitingWorkers = 0; ///< for room for their lines
    bool m_walkerWaits = false;
    bool m_consumerSleeps = false;
    /// The listing below the top directory: event pumps it asked for and those the consumer
    /// made; the files queued from its start on are handed on after all of them.
    bool m_listing = false;
    bool m_listed = false;
    bool m_listingComplete = false;
    std::size_t m_pumpsAsked = 0;
    std::size_t m_pumpsMade = 0;
    std::optional<FileSetWalkEnd> m_walkEnd;
    std::atomic<bool> m_cancelled{false};
    /// The file being handed on, or about to be; read without the lock.
    std::atomic<const Job*> m_first{nullptr};
    std::vector<std::unique_ptr<Worker>> m_workers;
    std::vector<std::thread> m_threads;
    std::thread m_walker;
};

} // namespace nelvix
