#include "zipcalls.h"

#include <QtGlobal>

#ifndef Q_OS_WIN
#include <QLibrary>

#include <optional>
#include <type_traits>
#endif

namespace tavorin::registry {

#ifdef Q_OS_WIN

const ZipCalls *zipCalls()
{
    static const ZipCalls calls { zip_error_init, zip_error_fini, zip_source_buffer_create,
        zip_source_free, zip_open_from_source, zip_discard, zip_get_num_entries, zip_get_name,
        zip_stat_index, zip_fopen_index, zip_fread, zip_fclose };
    return &calls;
}

#else

namespace {

// Every function of the table from the library, or none if one is missing.
std::optional<ZipCalls> loaded()
{
    // Debian's libzip4 (libzip.so.4), else whatever libzip.so names. Kept
    // loaded for the program's life: what it gives is called later.
    static QLibrary library(QStringLiteral("zip"), 4);
    if (!library.load()) {
        library.setFileName(QStringLiteral("zip"));
        if (!library.load())
            return std::nullopt;
    }
    bool complete = true;
    const auto take = [&complete](auto &call, const char *name) {
        call = reinterpret_cast<std::remove_reference_t<decltype(call)>>(library.resolve(name));
        complete = complete && call != nullptr;
    };
    ZipCalls calls {};
    take(calls.errorInit, "zip_error_init");
    take(calls.errorFini, "zip_error_fini");
    take(calls.sourceBufferCreate, "zip_source_buffer_create");
    take(calls.sourceFree, "zip_source_free");
    take(calls.openFromSource, "zip_open_from_source");
    take(calls.discard, "zip_discard");
    take(calls.getNumEntries, "zip_get_num_entries");
    take(calls.getName, "zip_get_name");
    take(calls.statIndex, "zip_stat_index");
    take(calls.fopenIndex, "zip_fopen_index");
    take(calls.fread, "zip_fread");
    take(calls.fclose, "zip_fclose");
    if (!complete)
        return std::nullopt;
    return calls;
}

} // namespace

const ZipCalls *zipCalls()
{
    static const std::optional<ZipCalls> calls = loaded();
    return calls ? &*calls : nullptr;
}

#endif

} // namespace tavorin::registry
