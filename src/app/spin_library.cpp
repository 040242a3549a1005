// Loading the spin-control library with dlopen.
#include "app/spin_library.h"

#include <dlfcn.h>

namespace nelvix {
namespace {

/// The interface version this program was built against.
constexpr int kSpinInterfaceVersion = 1;

template <typename Function> Function Resolve(void* handle, const char* name) {
    return reinterpret_cast<Function>(::dlsym(handle, name));
}

} // namespace

bool SpinLibrary::Load(const std::string& nativePath) {
    Unload();
    void* handle = ::dlopen(nativePath.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (handle == nullptr)
        return false;
    auto version = Resolve<int (*)()>(handle, "muscrl32_version");
    m_accepts = Resolve<AcceptsFunction>(handle, "muscrl32_accepts");
    m_step = Resolve<StepFunction>(handle, "muscrl32_step");
    if (version == nullptr || version() != kSpinInterfaceVersion || m_accepts == nullptr ||
        m_step == nullptr) {
        ::dlclose(handle);
        m_accepts = nullptr;
        m_step = nullptr;
        return false;
    }
    m_handle = handle;
    return true;
}

void SpinLibrary::Unload() {
    if (m_handle != nullptr)
        ::dlclose(m_handle);
    m_handle = nullptr;
    m_accepts = nullptr;
    m_step = nullptr;
}

} // namespace nelvix
