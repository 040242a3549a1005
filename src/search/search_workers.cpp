// The global find's walker and workers, and the in-order hand-over of what they found.
#include "search/search_workers.h"

#include <algorithm>
#include <system_error>

#include "ui/platform.h"
#include "ui/windowless_services.h"

namespace nelvix {

/// One file of the run: queued by the walk, searched by a worker, handed on by the consumer.
struct SearchWorkers::Job {
    struct Message {
        std::uint64_t beforeLine = 0; ///< shown before the result line with this index
        ui::MessageRequest request;
    };

    std::string path;
    /// Result lines found and not yet taken, each followed by a NUL as the engine's own result
    /// line is (sinks may rely on it); `ends` holds where each ends, before its NUL.
    std::string lines;
    std::vector<std::uint32_t> ends;
    std::vector<Message> messages;
    std::uint64_t linesFound = 0;
    bool done = false;
    /// Queued once the listing below the top directory began: handed on after all its pumps.
    bool afterListing = false;
};

struct SearchWorkers::Batch {
    std::string lines;
    std::vector<std::uint32_t> ends;
    std::vector<Job::Message> messages;
    std::uint64_t linesHandedOn = 0;
    bool last = false;
};

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

// The calling thread.

bool SearchWorkers::FirstFileIsNext() const {
    return !m_jobs.empty() && (!m_jobs.front()->afterListing || (m_listed && m_listingComplete));
}

std::optional<SearchWorkers::Next> SearchWorkers::NextUnderLock(FileSetWalkEnd& end) {
    if (!m_jobs.empty() && !m_jobs.front()->afterListing)
        return Next::File;
    if (m_pumpsMade < m_pumpsAsked) {
        ++m_pumpsMade;
        return Next::Pump;
    }
    if (FirstFileIsNext())
        return Next::File;
    // The walk has ended, and every file before its end was handed on: the files of an
    // incomplete listing are not.
    if (m_walkEnd && (m_jobs.empty() || !m_listingComplete)) {
        end = *m_walkEnd;
        return Next::End;
    }
    return std::nullopt;
}

SearchWorkers::Next SearchWorkers::WaitForNext(FileSetWalkEnd& end) {
    std::unique_lock lock(m_mutex);
    for (;;) {
        if (const std::optional<Next> next = NextUnderLock(end))
            return *next;
        m_consumerSleeps = true;
        m_consumer.wait_for(lock, kHandOnWait);
        m_consumerSleeps = false;
    }
}

bool SearchWorkers::ConsumerMayGoOn() const {
    if (!FirstFileIsNext())
        return m_walkEnd.has_value() || m_pumpsAsked - m_pumpsMade >= kPumpsTogether ||
               (m_listed && m_pumpsMade < m_pumpsAsked);
    const Job& first = *m_jobs.front();
    if (first.lines.size() >= kHandOnBytes || !first.messages.empty())
        return true;
    if (!first.done)
        return false;
    // A sleeping consumer is woken for several finished files, not for each: a wake-up costs
    // more than handing on a small file. A file whose worker waits for its lines counts as
    // finished, and so does every file once the lines held reach their limit.
    if (m_heldBytes >= kHeldLineBytes)
        return true;
    const std::size_t wanted = std::min(m_jobs.size(), std::max<std::size_t>(m_filesAhead / 2, 1));
    std::size_t ready = 0;
    while (ready < wanted &&
           (m_jobs[ready]->done || m_jobs[ready]->lines.size() >= kWorkerLineBytes))
        ++ready;
    return ready == wanted;
}

void SearchWorkers::WakeConsumerIfDue(std::unique_lock<std::mutex>& lock) {
    const bool wake = m_consumerSleeps && ConsumerMayGoOn();
    lock.unlock();
    if (wake)
        m_consumer.notify_one();
}

void SearchWorkers::TakeFromFirst(Job& job, Batch& batch) {
    std::unique_lock lock(m_mutex);
    // Lines of a file still being searched are taken in batches, or after a short wait, so
    // that the first hits of a long file show while it is searched.
    if (!job.done) {
        m_consumerSleeps = true;
        while (!m_consumer.wait_for(lock, kHandOnWait, [this] { return ConsumerMayGoOn(); }) &&
               job.ends.empty() && !job.done) {
        }
        m_consumerSleeps = false;
    }
    batch.lines.clear();
    batch.ends.clear();
    batch.lines.swap(job.lines);
    batch.ends.swap(job.ends);
    m_heldBytes -= batch.lines.size();
    batch.messages.insert(batch.messages.end(), std::make_move_iterator(job.messages.begin()),
                          std::make_move_iterator(job.messages.end()));
    job.messages.clear();
    batch.last = job.done;
    const bool wake = m_waitingWorkers > 0;
    lock.unlock();
    if (wake)
        m_linesTaken.notify_all();
}

void SearchWorkers::ShowMessagesUpTo(Batch& batch, std::uint64_t line) {
    auto shown = batch.messages.begin();
    for (; shown != batch.messages.end() && shown->beforeLine <= line; ++shown)
        m_engine.Environment().platform.messageBox.Show(shown->request);
    batch.messages.erase(batch.messages.begin(), shown);
}

void SearchWorkers::DropFirst() {
    std::unique_lock lock(m_mutex);
    m_jobs.pop_front();
    --m_nextJob;
    m_first = m_jobs.empty() ? nullptr : m_jobs.front().get();
    // Room for the walk, and a new first file whose worker may go on.
    const bool wakeWalker = m_walkerWaits && m_jobs.size() <= m_filesAhead / 2;
    const bool wakeWorkers = m_waitingWorkers > 0;
    lock.unlock();
    if (wakeWalker)
        m_room.notify_one();
    if (wakeWorkers)
        m_linesTaken.notify_all();
}

bool SearchWorkers::HandOnFirst(ResultSink& sink, SearchProgress& progress,
                                GlobalFindCounts& counts) {
    Job* job = nullptr;
    {
        std::lock_guard lock(m_mutex);
        job = m_jobs.front().get();
    }
    Batch batch;
    // As the walk on one thread does, on this thread, in order: the file is searched and
    // its lines dropped.
    if (m_engine.PassesOver(job->path)) {
        do
            TakeFromFirst(*job, batch);
        while (!batch.last);
        DropFirst();
        return true;
    }
    const std::string_view path = job->path;
    const std::size_t slash = path.rfind('/');
    progress.ShowFileName(slash == std::string_view::npos ? path : path.substr(slash + 1));
    // A file that cannot be opened still counts: it was handed over.
    ++counts.filesSearched;
    do {
        TakeFromFirst(*job, batch);
        std::uint32_t from = 0;
        for (const std::uint32_t end : batch.ends) {
            ShowMessagesUpTo(batch, batch.linesHandedOn);
            ++batch.linesHandedOn;
            ++counts.hits;
            progress.ShowHitCount(counts.hits);
            if (!sink.Add(std::string_view(batch.lines).substr(from, end - from)) ||
                !m_engine.KeepGoing(progress))
                return false;
            from = end + 1;
        }
    } while (!batch.last);
    ShowMessagesUpTo(batch, batch.linesHandedOn);
    DropFirst();
    // As after a search on one thread: events run once after a file without a match.
    return batch.linesHandedOn > 0 || m_engine.KeepGoing(progress);
}

} // namespace nelvix
