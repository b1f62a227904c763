#include "exchange/zip_library.h"

#include "records/library_on_demand.h"

#include <optional>

namespace kalidor {

const ZipLibrary* zipLibrary() {
    static const std::optional<ZipLibrary> library = []() -> std::optional<ZipLibrary> {
        // The names of the releases Debian has shipped, the newest first.
        void* handle = openLibrary({"libzip.so.5", "libzip.so.4"});
        ZipLibrary found{};
        if (handle == nullptr || !resolve(handle, found.open, "zip_open") ||
            !resolve(handle, found.discard, "zip_discard") ||
            !resolve(handle, found.nameLocate, "zip_name_locate") ||
            !resolve(handle, found.openEntry, "zip_fopen_index") ||
            !resolve(handle, found.read, "zip_fread") ||
            !resolve(handle, found.closeEntry, "zip_fclose")) {
            return std::nullopt;
        }
        return found;
    }();
    return library ? &*library : nullptr;
}

} // namespace kalidor
