// The spin-control library: loaded once at start-up, needed by the settings dialogs' number
// fields, and unloaded at exit.
#pragma once

#include <cstddef>
#include <string>

namespace nelvix {

/// The library's file name; found through the program's run path when no path is given.
inline constexpr const char* kSpinLibraryName = "libmuscrl32.so";

class SpinLibrary {
public:
    using AcceptsFunction = int (*)(unsigned int codePoint);
    using StepFunction = int (*)(const char* text, int delta, char* out, std::size_t outSize);

    SpinLibrary() = default;
    ~SpinLibrary() { Unload(); }
    SpinLibrary(const SpinLibrary&) = delete;
    SpinLibrary& operator=(const SpinLibrary&) = delete;

    /// Loads `nativePath` (a bare name searches the run path and the system's library folders);
    /// false when it cannot be loaded or lacks one of its functions.
    bool Load(const std::string& nativePath);
    void Unload();
    bool IsLoaded() const { return m_handle != nullptr; }

    /// The library's rules; only while loaded.
    AcceptsFunction Accepts() const { return m_accepts; }
    StepFunction Step() const { return m_step; }

private:
    void* m_handle = nullptr;
    AcceptsFunction m_accepts = nullptr;
    StepFunction m_step = nullptr;
};

} // namespace nelvix
