// The global find's workers and the in-order hand-over of what they found.
#include "search/search_workers.h"

#include <algorithm>
#include <system_error>

#include "ui/platform.h"

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
};

struct SearchWorkers::Batch {
    Job* job = nullptr;
    std::string lines;
    std::vector<std::uint32_t> ends;
    std::vector<Job::Message> messages;
    std::uint64_t linesHandedOn = 0;
    bool last = false;
};

namespace {

/// A worker has no window: nothing it could ask of one is asked during a search.
class NoBeeper final : public ui::Beeper {
public:
    void Beep() override {}
};
class NoClipboard final : public ui::Clipboard {
public:
    std::optional<std::string> ReadText() override { return std::nullopt; }
    bool Empty() override { return false; }
    bool ReplaceText(std::string_view) override { return false; }
};
class NoFileDialogs final : public ui::FileDialogs {
public:
    std::optional<std::string> AskSaveFileName(std::string_view, std::string_view) override {
        return std::nullopt;
    }
};

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
        if (m_job != nullptr)
            m_pool.AddMessage(*m_job, request);
        return ui::MessageResult::Ok;
    }

    void Search(Job& job) {
        m_job = &job;
        std::optional<std::string_view> line = m_engine.FindFirstInFile(job.path, m_pool.m_pattern);
        while (line && m_pool.AddLine(job, *line))
            line = m_engine.FindNextInFile(m_pool.m_pattern);
        m_engine.EndFile();
        m_job = nullptr;
    }

private:
    SearchWorkers& m_pool;
    NoBeeper m_beeper;
    NoClipboard m_clipboard;
    CancelPump m_pump;
    NoFileDialogs m_fileDialogs;
    ui::Platform m_platform;
    EngineEnvironment m_environment;
    GlobalFindEngine m_engine;
    Job* m_job = nullptr;
};

SearchWorkers::SearchWorkers(GlobalFindEngine& engine, std::string_view pattern, unsigned workers)
    : m_engine(engine), m_pattern(pattern) {
    for (unsigned i = 0; i < workers; ++i) {
        m_workers.push_back(std::make_unique<Worker>(*this, engine));
        try {
            m_threads.emplace_back([this, worker = m_workers.back().get()] { Run(*worker); });
        } catch (const std::system_error&) {
            // The run goes on with the workers it has, or on the calling thread.
            m_workers.pop_back();
            break;
        }
    }
    m_filesAhead = m_threads.size() * kFilesAheadPerWorker;
}

SearchWorkers::~SearchWorkers() {
    {
        std::lock_guard lock(m_mutex);
        m_cancelled = true;
    }
    m_jobReady.notify_all();
    m_linesTaken.notify_all();
    for (std::thread& thread : m_threads)
        thread.join();
}

void SearchWorkers::Run(Worker& worker) {
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

bool SearchWorkers::AddLine(Job& job, std::string_view line) {
    std::unique_lock lock(m_mutex);
    // The first file's lines are always taken, so a later file that waits here never holds
    // up the run; memory stays within a few of these limits whatever the tree holds.
    m_linesTaken.wait(lock, [&] { return m_cancelled || job.lines.size() < kWorkerLineBytes; });
    if (m_cancelled)
        return false;
    job.lines.append(line);
    job.ends.push_back(static_cast<std::uint32_t>(job.lines.size()));
    job.lines.push_back('\0');
    ++job.linesFound;
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

bool SearchWorkers::ConsumerMayGoOn() const {
    const Job& first = *m_jobs.front();
    if (first.lines.size() >= kHandOnBytes || !first.messages.empty())
        return true;
    // A sleeping consumer is woken for several finished files, not for each: a wake-up costs
    // more than handing on a small file.
    const std::size_t wanted = std::min(m_jobs.size(), std::max<std::size_t>(m_filesAhead / 2, 1));
    std::size_t done = 0;
    while (done < wanted && m_jobs[done]->done)
        ++done;
    return done == wanted;
}

void SearchWorkers::WakeConsumerIfDue(std::unique_lock<std::mutex>& lock) {
    const bool wake = m_consumerSleeps && ConsumerMayGoOn();
    lock.unlock();
    if (wake)
        m_jobChanged.notify_one();
}

void SearchWorkers::TakeFromFirst(Batch& batch) {
    std::unique_lock lock(m_mutex);
    Job& job = *m_jobs.front();
    // Lines of a file still being searched are taken in batches, or after a short wait, so
    // that the first hits of a long file show while it is searched.
    if (!job.done) {
        m_consumerSleeps = true;
        while (!m_jobChanged.wait_for(lock, kHandOnWait, [this] { return ConsumerMayGoOn(); }) &&
               job.ends.empty()) {
        }
        m_consumerSleeps = false;
    }
    batch.lines.clear();
    batch.ends.clear();
    batch.lines.swap(job.lines);
    batch.ends.swap(job.ends);
    batch.messages.insert(batch.messages.end(), std::make_move_iterator(job.messages.begin()),
                          std::make_move_iterator(job.messages.end()));
    job.messages.clear();
    batch.last = job.done;
    lock.unlock();
    m_linesTaken.notify_all();
}

void SearchWorkers::ShowMessagesUpTo(Batch& batch, std::uint64_t line) {
    auto shown = batch.messages.begin();
    for (; shown != batch.messages.end() && shown->beforeLine <= line; ++shown)
        m_engine.Environment().platform.messageBox.Show(shown->request);
    batch.messages.erase(batch.messages.begin(), shown);
}

bool SearchWorkers::HandOnFirst(ResultSink& sink, SearchProgress& progress,
                                std::uint32_t& filesSearched, std::uint32_t& hits) {
    Batch batch;
    const std::string_view path = m_jobs.front()->path;
    const std::size_t slash = path.rfind('/');
    progress.ShowFileName(slash == std::string_view::npos ? path : path.substr(slash + 1));
    // A file that cannot be opened still counts: it was handed over.
    ++filesSearched;
    do {
        TakeFromFirst(batch);
        std::uint32_t from = 0;
        for (const std::uint32_t end : batch.ends) {
            ShowMessagesUpTo(batch, batch.linesHandedOn);
            ++batch.linesHandedOn;
            ++hits;
            progress.ShowHitCount(hits);
            if (!sink.Add(std::string_view(batch.lines).substr(from, end - from)) ||
                !m_engine.KeepGoing(progress))
                return false;
            from = end + 1;
        }
    } while (!batch.last);
    ShowMessagesUpTo(batch, batch.linesHandedOn);
    {
        std::lock_guard lock(m_mutex);
        m_jobs.pop_front();
        --m_nextJob;
    }
    // As after a search on one thread: events run once after a file without a match.
    return batch.linesHandedOn > 0 || m_engine.KeepGoing(progress);
}

bool SearchWorkers::Search(const std::string& sjisPath, ResultSink& sink, SearchProgress& progress,
                           std::uint32_t& filesSearched, std::uint32_t& hits) {
    while (m_jobs.size() >= m_filesAhead)
        if (!HandOnFirst(sink, progress, filesSearched, hits))
            return false;
    std::unique_lock lock(m_mutex);
    m_jobs.push_back(std::make_unique<Job>());
    m_jobs.back()->path = sjisPath;
    const bool wake = m_idleWorkers > 0;
    lock.unlock();
    if (wake)
        m_jobReady.notify_one();
    return true;
}

bool SearchWorkers::Finish(ResultSink& sink, SearchProgress& progress, std::uint32_t& filesSearched,
                           std::uint32_t& hits) {
    while (!m_jobs.empty())
        if (!HandOnFirst(sink, progress, filesSearched, hits))
            return false;
    return true;
}

} // namespace nelvix
