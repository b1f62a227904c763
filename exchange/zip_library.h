#pragma once
// libzip, opened the first time a zipped export is read: the program starts without it and the
// libraries it brings (libcrypto, bzip2, lzma), which cost every start-up a few milliseconds
// for a file read once a year.

#include <zip.h>

namespace kalidor {

struct ZipLibrary {
    decltype(&::zip_open) open;
    decltype(&::zip_discard) discard;
    decltype(&::zip_name_locate) nameLocate;
    decltype(&::zip_fopen_index) openEntry;
    decltype(&::zip_fread) read;
    decltype(&::zip_fclose) closeEntry;
};

// Null when the machine has no libzip.
const ZipLibrary* zipLibrary();

} // namespace kalidor
