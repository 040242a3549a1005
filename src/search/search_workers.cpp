// The global find's walking thread and its workers.
#include "search/search_workers.h"

#include <algorithm>
#include <system_error>

#include "search/search_workers_job.h"
#include "ui/platform.h"
#include "ui/windowless_services.h"

namespace nelvix {

namespace {

/// Events are pumped by the consumer only; a worker's run goes on until it is cancelled.
class CancelPump final : public ui::EventPump {
public:
    explicit CancelPump(const std::atomic<bool>& cancelled) : m_cancelled(cancelled) {}
    bool PumpEvents() override { return !m_cancelled.load(std::memory_order_relaxed); }

private:
    const std::atomic<bool>& m_cancelled;
};

} // namespace

unsigned SearchWorkersForThisMachine() {
    const unsigned cores = std::thread::hardware_concurrency();
    // On one core a worker only adds hand-overs to the same work.
    return cores < 2 ? 0 : std::min(cores, kMaxSearchWorkers);
}

/// A thread's own engine and platform; its message boxes are kept with the file it searches,
/// to be shown when that file is handed on.
class SearchWorkers::Worker final : public ui::MessageBox {
public:
    Worker(SearchWorkers& pool, GlobalFindEngine& like)
        : m_pool(pool), m_pump(pool.m_cancelled), m_platform{*this,
                                                             m_beeper,
                                                             m_clipboard,
                                                             m_pump,
                                                             like.Environment().platform.memory,
                                                             m_fileDialogs},
          m_environment{.platform = m_platform,
                        .workFilePath = like.Environment().workFilePath,
                        .codeDecision = like.Environment().codeDecision,
                        .multiText = like.Environment().multiText,
                        .findNoneTextFile = like.Environment().findNoneTextFile,
                        .cancelled = &pool.m_cancelled},
          m_engine(m_environment) {
        m_engine.Options() = like.Options();
    }

    ui::MessageResult Show(const ui::MessageRequest& request) override {
        if (m_job != nullptr && HandOver())
            m_pool.AddMessage(*m_job, request);
        return ui::MessageResult::Ok;
    }

    void Search(Job& job) {
        m_job = &job;
        std::optional<std::string_view> line = m_engine.FindFirstInFile(job.path, m_pool.m_pattern);
        bool goOn = true;
        while (line && goOn) {
            m_lines.append(*line);
            m_ends.push_back(static_cast<std::uint32_t>(m_lines.size()));
            m_lines.push_back('\0');
            // The file being handed on gets each line at once; a file searched ahead gets them
            // in batches, each of which costs the lock once.
            if (m_lines.size() >= kWorkerBatchBytes || m_pool.IsFirst(job))
                goOn = HandOver();
            if (goOn)
                line = m_engine.FindNextInFile(m_pool.m_pattern);
        }
        if (goOn)
            HandOver();
        m_lines.clear();
        m_ends.clear();
        m_engine.EndFile();
        m_job = nullptr;
    }

private:
    SearchWorkers& m_pool;
    ui::NoBeeper m_beeper;
    ui::NoClipboard m_clipboard;
    CancelPump m_pump;
    ui::NoFileDialogs m_fileDialogs;
    ui::Platform m_platform;
    EngineEnvironment m_environment;
    GlobalFindEngine m_engine;
    Job* m_job = nullptr;
    /// Result lines of `m_job` not yet handed over, each followed by a NUL, and their ends.
    std::string m_lines;
    std::vector<std::uint32_t> m_ends;

    bool HandOver() { return m_ends.empty() || m_pool.AddLines(*m_job, m_lines, m_ends); }
};

SearchWorkers::SearchWorkers(GlobalFindEngine& engine, std::string_view pattern, unsigned workers)
    : m_engine(engine), m_pattern(pattern) {
    for (unsigned i = 0; i < workers; ++i) {
        m_workers.push_back(std::make_unique<Worker>(*this, engine));
        try {
            m_threads.emplace_back([this, worker = m_workers.back().get()] { RunWorker(*worker); });
        } catch (const std::system_error&) {
            // The run goes on with the workers it has, or on the calling thread.
            m_workers.pop_back();
            break;
        }
    }
    m_filesAhead = m_threads.size() * kFilesAheadPerWorker;
}

SearchWorkers::~SearchWorkers() {
    Cancel();
    if (m_walker.joinable())
        m_walker.join();
    for (std::thread& thread : m_threads)
        thread.join();
}

void SearchWorkers::Cancel() {
    {
        std::lock_guard lock(m_mutex);
        m_cancelled = true;
    }
    m_jobReady.notify_all();
    m_linesTaken.notify_all();
    m_room.notify_all();
    m_consumer.notify_all();
}

std::optional<GlobalFindCounts> SearchWorkers::Run(std::string_view sjisSpecification,
                                                   std::size_t subdirBufferBytes, ResultSink& sink,
                                                   SearchProgress& progress) {
    try {
        m_walker = std::thread(&SearchWorkers::Walk, this, std::string(sjisSpecification),
                               m_engine.SearchSubdirectories(), subdirBufferBytes);
    } catch (const std::system_error&) {
        return std::nullopt;
    }
    GlobalFindCounts counts;
    for (;;) {
        FileSetWalkEnd end = FileSetWalkEnd::Done;
        const Next next = WaitForNext(end);
        if (next == Next::End) {
            counts.stopped = end == FileSetWalkEnd::Stopped;
            counts.subdirectoryOverflow = end == FileSetWalkEnd::SubdirectoryOverflow;
            return counts;
        }
        const bool goOn =
            next == Next::Pump ? m_engine.KeepGoing(progress) : HandOnFirst(sink, progress, counts);
        if (!goOn) {
            Cancel();
            counts.stopped = true;
            return counts;
        }
    }
}

// The walking thread.

void SearchWorkers::Walk(std::string sjisSpecification, bool subdirectories,
                         std::size_t subdirBufferBytes) {
    const WalkAhead ahead{[this] { return RoomWhileListing(); },
                          [this](bool complete) { Listed(complete); }};
    const FileSetWalkEnd end = WalkFileSet(
        sjisSpecification, subdirectories, subdirBufferBytes,
        [this](const std::string& path) { return Queue(path); }, [this] { return ListedOne(); },
        kUnlimitedListBytes, &ahead);
    {
        std::lock_guard lock(m_mutex);
        m_walkEnd = end;
    }
    m_consumer.notify_all();
}

bool SearchWorkers::Queue(const std::string& sjisPath) {
    std::unique_lock lock(m_mutex);
    // While the tree is listed the consumer hands nothing on past the top directory's files,
    // so the walk may not wait for it then: it visits only where RoomWhileListing found room.
    if ((!m_listing || m_listed) && m_jobs.size() >= m_filesAhead) {
        // Woken when half the queue was handed on, not for each file.
        m_walkerWaits = true;
        m_room.wait(lock, [this] { return m_cancelled || m_jobs.size() <= m_filesAhead / 2; });
        m_walkerWaits = false;
    }
    if (m_cancelled)
        return false;
    m_jobs.push_back(std::make_unique<Job>());
    m_jobs.back()->path = sjisPath;
    m_jobs.back()->afterListing = m_listing;
    if (m_jobs.size() == 1)
        m_first = m_jobs.front().get();
    const bool wakeWorker = m_idleWorkers > 0;
    const bool wakeConsumer = m_consumerSleeps && m_jobs.size() == 1;
    lock.unlock();
    if (wakeWorker)
        m_jobReady.notify_one();
    if (wakeConsumer)
        m_consumer.notify_one();
    return true;
}

bool SearchWorkers::ListedOne() {
    std::unique_lock lock(m_mutex);
    if (m_cancelled)
        return false;
    m_listing = true;
    ++m_pumpsAsked;
    // The consumer is woken for a few dozen pumps at a time: each is little work.
    const bool wake = m_consumerSleeps && (m_pumpsAsked - m_pumpsMade) % kPumpsTogether == 0;
    lock.unlock();
    if (wake)
        m_consumer.notify_one();
    return true;
}

bool SearchWorkers::RoomWhileListing() {
    std::lock_guard lock(m_mutex);
    return m_jobs.size() < kFilesAheadWhileListing;
}

void SearchWorkers::Listed(bool complete) {
    {
        std::lock_guard lock(m_mutex);
        m_listed = true;
        m_listingComplete = complete;
    }
    m_consumer.notify_all();
}

// The workers.

void SearchWorkers::RunWorker(Worker& worker) {
    while (Job* job = NextJob()) {
        worker.Search(*job);
        FinishJob(*job);
    }
}

SearchWorkers::Job* SearchWorkers::NextJob() {
    std::unique_lock lock(m_mutex);
    ++m_idleWorkers;
    m_jobReady.wait(lock, [this] { return m_cancelled || m_nextJob < m_jobs.size(); });
    --m_idleWorkers;
    if (m_cancelled)
        return nullptr;
    return m_jobs[m_nextJob++].get();
}

bool SearchWorkers::AddLines(Job& job, std::string& lines, std::vector<std::uint32_t>& ends) {
    std::unique_lock lock(m_mutex);
    // The first file's lines are always taken, so a later file that waits here never holds
    // up the run; memory stays within these limits whatever the tree holds.
    const auto room = [&] {
        return m_cancelled || (job.lines.size() < kWorkerLineBytes &&
                               (m_heldBytes < kHeldLineBytes || &job == m_jobs.front().get()));
    };
    if (!room()) {
        // The consumer may be waiting for this file to finish: it is told that it will not.
        if (m_consumerSleeps)
            m_consumer.notify_one();
        ++m_waitingWorkers;
        m_linesTaken.wait(lock, room);
        --m_waitingWorkers;
    }
    if (m_cancelled)
        return false;
    const auto base = static_cast<std::uint32_t>(job.lines.size());
    job.lines.append(lines);
    for (const std::uint32_t end : ends)
        job.ends.push_back(base + end);
    m_heldBytes += lines.size();
    job.linesFound += ends.size();
    lines.clear();
    ends.clear();
    WakeConsumerIfDue(lock);
    return true;
}

void SearchWorkers::AddMessage(Job& job, const ui::MessageRequest& request) {
    std::unique_lock lock(m_mutex);
    job.messages.push_back({job.linesFound, request});
    WakeConsumerIfDue(lock);
}

void SearchWorkers::FinishJob(Job& job) {
    std::unique_lock lock(m_mutex);
    job.done = true;
    WakeConsumerIfDue(lock);
}

} // namespace nelvix
