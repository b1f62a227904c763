#pragma once
// A system library opened the first time a command needs it, so that start-up does not load it
// and what it brings: its functions are looked up by name.

#include <dlfcn.h>
#include <initializer_list>
#include <type_traits>

namespace kalidor {

// The first of `names` (its releases' file names) that opens; null when none does.
inline void* openLibrary(std::initializer_list<const char*> names) {
    for (const char* name : names) {
        if (void* handle = ::dlopen(name, RTLD_LAZY | RTLD_LOCAL)) {
            return handle;
        }
    }
    return nullptr;
}

// Sets `function` to the library's function `name`; false when it has none.
template <typename Function> bool resolve(void* handle, Function& function, const char* name) {
    static_assert(std::is_pointer_v<Function>);
    function = reinterpret_cast<Function>(::dlsym(handle, name));
    return function != nullptr;
}

} // namespace kalidor
