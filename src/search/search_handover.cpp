// The calling thread's side of a run on several threads: it hands the files' lines, messages
// and the listing's event pumps on in the order of a run on one thread.
#include <algorithm>

#include "search/search_workers.h"
#include "search/search_workers_job.h"
#include "ui/platform.h"

namespace nelvix {

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
    progress.ShowFileName(FileNamePart(job->path));
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
