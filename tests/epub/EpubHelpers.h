// Shared pieces of the EPUB tests: the XML parser's verdict, the container
// read back with libzip, and epubcheck when it is installed.
#pragma once

#include <libxml/parser.h>
#include <libxml/xmlerror.h>
#include <sys/wait.h>
#include <zip.h>

#include <array>
#include <cstdio>
#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "common/Cp1251.h"

namespace pm::test {

// Windows-1251 from the UTF-8 of the test source.
inline std::string W(const std::string& utf8) { return cp1251::FromUtf8(utf8); }

// True when libxml2 reads xml as a well-formed document; the first error in
// *why otherwise. Nothing is fetched (no DTD, no network).
inline bool WellFormed(const std::string& xml, std::string* why = nullptr) {
    xmlResetLastError();
    xmlDocPtr doc = xmlReadMemory(xml.data(), static_cast<int>(xml.size()), "test.xhtml", "UTF-8",
                                  XML_PARSE_NONET | XML_PARSE_NOERROR | XML_PARSE_NOWARNING);
    if (doc) {
        xmlFreeDoc(doc);
        return true;
    }
    if (why) {
        const xmlError* e = xmlGetLastError();
        *why = e && e->message ? std::string(e->message) + " at line " + std::to_string(e->line) : "unknown";
    }
    return false;
}

// A body fragment inside an XHTML document with the namespaces it may use.
inline std::string XhtmlPage(const std::string& body) {
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<html xmlns=\"http://www.w3.org/1999/xhtml\" "
           "xmlns:epub=\"http://www.idpf.org/2007/ops\"><head><title>t</title></head><body>" +
           body + "</body></html>";
}

struct ZipEntry {
    std::string name;
    std::string bytes;
    int compression = 0;  // ZIP_CM_STORE, ZIP_CM_DEFLATE
};

// The entries of a zip file in their order; empty when it is not one.
inline std::vector<ZipEntry> Unzip(const std::string& bytes) {
    std::vector<ZipEntry> out;
    zip_error_t ze;
    zip_error_init(&ze);
    zip_source_t* src = zip_source_buffer_create(bytes.data(), bytes.size(), 0, &ze);
    zip_t* za = src ? zip_open_from_source(src, ZIP_RDONLY | ZIP_CHECKCONS, &ze) : nullptr;
    zip_error_fini(&ze);
    if (!za) {
        if (src) zip_source_free(src);
        return out;
    }
    for (zip_int64_t i = 0; i < zip_get_num_entries(za, 0); ++i) {
        zip_stat_t st;
        zip_stat_init(&st);
        if (zip_stat_index(za, static_cast<zip_uint64_t>(i), 0, &st) != 0) continue;
        ZipEntry e{st.name, std::string(static_cast<size_t>(st.size), '\0'), st.comp_method};
        if (zip_file_t* f = zip_fopen_index(za, static_cast<zip_uint64_t>(i), 0)) {
            zip_fread(f, e.bytes.data(), st.size);
            zip_fclose(f);
        }
        out.push_back(std::move(e));
    }
    zip_close(za);
    return out;
}

inline std::map<std::string, std::string> EntryMap(const std::vector<ZipEntry>& entries) {
    std::map<std::string, std::string> m;
    for (const ZipEntry& e : entries) m[e.name] = e.bytes;
    return m;
}

// epubcheck's report of the book, or nothing when epubcheck is not
// installed (Debian's package puts its jar here). code gets its status.
inline std::optional<std::string> Epubcheck(const std::string& path, int& code) {
    const char* jar = "/usr/share/java/epubcheck.jar";
    if (!std::filesystem::exists(jar) || std::system("command -v java >/dev/null 2>&1") != 0) return std::nullopt;
    const std::string cmd = std::string("java -jar ") + jar + " '" + path + "' 2>&1";
    FILE* p = ::popen(cmd.c_str(), "r");
    if (!p) return std::nullopt;
    std::string out;
    std::array<char, 4096> buf{};
    size_t got = 0;
    while ((got = std::fread(buf.data(), 1, buf.size(), p)) > 0) out.append(buf.data(), got);
    const int status = ::pclose(p);
    code = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return out;
}

}  // namespace pm::test
