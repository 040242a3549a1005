// Temporary folders and files for tests, and the shared test texts.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace nelvix::test {

/// A fresh folder under the system's temporary directory, removed with everything in it when
/// the object goes.
class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::string& Path() const { return m_path; }
    /// Writes `bytes` to `name` inside the folder and returns the full path.
    std::string Write(std::string_view name, std::string_view bytes) const;
    std::string PathOf(std::string_view name) const { return m_path + "/" + std::string(name); }

private:
    std::string m_path;
};

/// Makes `folder` the working folder for the object's life, then returns to the one before.
class WorkingFolder {
public:
    explicit WorkingFolder(const std::string& folder);
    ~WorkingFolder();
    WorkingFolder(const WorkingFolder&) = delete;
    WorkingFolder& operator=(const WorkingFolder&) = delete;

private:
    std::string m_previous;
};

/// The names in `folder`, sorted.
std::vector<std::string> NamesIn(const std::string& folder);

/// The whole content of a file, or an empty string when it cannot be read.
std::string ReadFileBytes(const std::string& path);

/// A file of tests/data.
std::string TestDataPath(std::string_view name);

} // namespace nelvix::test
