// The files of a run on several threads as the walk, the workers and the calling thread share
// them; for the pool's own source files only.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "search/search_workers.h"
#include "ui/message_box.h"

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

} // namespace nelvix
