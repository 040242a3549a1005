// The file iterator of a file set: the files of each full path pattern in turn.
#include "fileset/file_set.h"

#include <sys/stat.h>

#include "base/native_path.h"
#include "fileset/directory_listing.h"

namespace nelvix {

struct FileSet::State {
    std::vector<std::string> patterns;
    std::size_t current = 0; // the pattern being listed; patterns.size() once the set has ended
    SplitPath split;         // of the current pattern
    DirectoryListing listing;

    /// The next file of the current pattern, or nothing when its listing is exhausted.
    std::optional<std::string> NextOfCurrent() {
        struct stat st {};
        while (listing.Next() != nullptr) {
            // Directories and devices, FIFOs and sockets are passed over unopened.
            if (listing.Kind(false, st) != EntryKind::File)
                continue;
            const std::string_view sjisName = listing.SjisName();
            if (!WildcardMatch(split.name, sjisName))
                continue;
            std::string path;
            path.reserve(split.directory.size() + sjisName.size());
            path.append(split.directory).append(sjisName);
            return path;
        }
        listing.Close();
        return std::nullopt;
    }

    /// The first file of the current pattern or of the following ones.
    std::optional<std::string> FirstFromCurrent() {
        for (; current < patterns.size(); ++current) {
            split = SplitDirectory(patterns[current]);
            if (!listing.Open(SjisPathToNative(split.directory)))
                continue; // a directory that cannot be listed contributes nothing
            if (std::optional<std::string> file = NextOfCurrent())
                return file;
        }
        return std::nullopt;
    }
};

FileSet::FileSet() : m_state(new State) {}

FileSet::~FileSet() {
    delete m_state;
}

std::optional<std::string> FileSet::FirstFile(std::string_view sjisSpecification) {
    EndFiles();
    m_state->patterns = SpecificationPatterns(sjisSpecification);
    m_state->current = 0;
    return m_state->FirstFromCurrent();
}

std::optional<std::string> FileSet::NextFile() {
    if (m_state->current >= m_state->patterns.size())
        return std::nullopt;
    if (std::optional<std::string> file = m_state->NextOfCurrent())
        return file;
    ++m_state->current;
    return m_state->FirstFromCurrent();
}

void FileSet::EndFiles() {
    m_state->listing.Close();
    m_state->current = m_state->patterns.size();
}

} // namespace nelvix
