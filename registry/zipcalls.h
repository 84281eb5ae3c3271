#pragma once

#include <zip.h>

// The libzip functions the registry's reader calls, reached through a table.
//
// On Linux libzip is loaded when the first zip file is opened, not when the
// program starts: Debian's libzip brings OpenSSL's libcrypto with it, which
// costs every start about 1.7 MiB of memory although most users never open
// a zip file. Windows links its own static libzip, built without crypto.
namespace tavorin::registry {

struct ZipCalls
{
    decltype(&zip_error_init) errorInit;
    decltype(&zip_error_fini) errorFini;
    decltype(&zip_source_buffer_create) sourceBufferCreate;
    decltype(&zip_source_free) sourceFree;
    decltype(&zip_open_from_source) openFromSource;
    decltype(&zip_discard) discard;
    decltype(&zip_get_num_entries) getNumEntries;
    decltype(&zip_get_name) getName;
    decltype(&zip_stat_index) statIndex;
    decltype(&zip_fopen_index) fopenIndex;
    decltype(&zip_fread) fread;
    decltype(&zip_fclose) fclose;
};

// The table, or none where libzip cannot be loaded.
const ZipCalls *zipCalls();

} // namespace tavorin::registry
