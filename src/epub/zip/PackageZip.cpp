// The zip container through libzip, built in memory and written by the
// caller in one piece. Built as the "pellmark-zip" module.
#include <zip.h>

#include <algorithm>

#include "epub/zip/ZipModule.h"

namespace pm::epub {
namespace {

// Zip entries carry MS-DOS dates, which start in 1980.
constexpr std::time_t kEarliestZipDate = 315619200;  // 1980-01-02

std::string LibzipError(zip_error_t* e) {
    std::string text = zip_error_strerror(e);
    zip_error_fini(e);
    return text;
}

}  // namespace

std::string Package(const std::vector<PackageFile>& files, std::time_t modified, std::string* error) {
    auto fail = [&](std::string why) {
        if (error) *error = std::move(why);
        return std::string();
    };
    zip_error_t ze;
    zip_error_init(&ze);
    zip_source_t* buffer = zip_source_buffer_create(nullptr, 0, 0, &ze);
    if (!buffer) return fail(LibzipError(&ze));
    zip_t* archive = zip_open_from_source(buffer, ZIP_TRUNCATE, &ze);
    if (!archive) {
        zip_source_free(buffer);
        return fail(LibzipError(&ze));
    }
    zip_error_fini(&ze);
    zip_source_keep(buffer);  // the bytes are read back after closing
    const std::time_t date = std::max(modified, kEarliestZipDate);
    bool first = true;
    for (const PackageFile& f : files) {
        zip_source_t* s = zip_source_buffer(archive, f.bytes.data(), f.bytes.size(), 0);
        const zip_int64_t index = s ? zip_file_add(archive, f.name.c_str(), s, ZIP_FL_OVERWRITE) : -1;
        if (index < 0) {
            if (s) zip_source_free(s);
            std::string why = zip_strerror(archive);
            zip_discard(archive);
            zip_source_free(buffer);
            return fail(why);
        }
        const auto i = static_cast<zip_uint64_t>(index);
        // The first entry ("mimetype") is stored, so that a reader finds
        // the type of the file at a fixed place.
        zip_set_file_compression(archive, i, first ? ZIP_CM_STORE : ZIP_CM_DEFLATE, first ? 0 : 9);
        zip_file_set_mtime(archive, i, date, 0);
        first = false;
    }
    if (zip_close(archive) < 0) {
        std::string why = zip_strerror(archive);
        zip_discard(archive);
        zip_source_free(buffer);
        return fail(why);
    }
    zip_stat_t st;
    zip_stat_init(&st);
    std::string bytes;
    if (zip_source_stat(buffer, &st) == 0 && zip_source_open(buffer) == 0) {
        bytes.resize(static_cast<size_t>(st.size));
        const zip_int64_t got = zip_source_read(buffer, bytes.data(), st.size);
        if (got < 0 || static_cast<zip_uint64_t>(got) != st.size) bytes.clear();
        zip_source_close(buffer);
    }
    zip_source_free(buffer);
    if (bytes.empty()) return fail("the zip container could not be read back");
    return bytes;
}

}  // namespace pm::epub

extern "C" __attribute__((visibility("default"))) bool pm_zip_package(const std::vector<pm::epub::PackageFile>* files,
                                                                      std::time_t modified, std::string* bytes,
                                                                      std::string* error) {
    *bytes = pm::epub::Package(*files, modified, error);
    return !bytes->empty();
}
