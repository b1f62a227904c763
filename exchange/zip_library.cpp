#include "exchange/zip_library.h"

#include <dlfcn.h>
#include <optional>
#include <type_traits>

namespace kalidor {

const ZipLibrary* zipLibrary() {
    static const std::optional<ZipLibrary> library = []() -> std::optional<ZipLibrary> {
        void* handle = nullptr;
        // The names of the releases Debian has shipped, the newest first.
        for (const char* name : {"libzip.so.5", "libzip.so.4"}) {
            handle = handle != nullptr ? handle : ::dlopen(name, RTLD_LAZY | RTLD_LOCAL);
        }
        if (handle == nullptr) {
            return std::nullopt;
        }
        const auto symbol = [handle](auto& function, const char* name) {
            function = reinterpret_cast<std::remove_reference_t<decltype(function)>>(
                ::dlsym(handle, name));
            return function != nullptr;
        };
        ZipLibrary found{};
        if (!symbol(found.open, "zip_open") || !symbol(found.discard, "zip_discard") ||
            !symbol(found.nameLocate, "zip_name_locate") ||
            !symbol(found.openEntry, "zip_fopen_index") || !symbol(found.read, "zip_fread") ||
            !symbol(found.closeEntry, "zip_fclose")) {
            return std::nullopt;
        }
        return found;
    }();
    return library ? &*library : nullptr;
}

} // namespace kalidor
