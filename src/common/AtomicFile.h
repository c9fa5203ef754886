// Whole-file reading and atomic writing: a file is written to a temporary
// file beside it and renamed into place, so a failure leaves the old file
// intact and no temporary file behind.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace pm {

// On failure returns false and puts one sentence naming the file and the
// reason into *error (when given).
bool ReadWholeFile(const std::string& path, std::string& out, std::string* error = nullptr);
// Writes all of bytes to fd, again after interrupted or short writes;
// false with errno set when the system refuses.
bool WriteAll(int fd, std::string_view bytes);
bool WriteFileAtomic(const std::string& path, std::string_view bytes, std::string* error = nullptr);

// Several files that belong together (the parts of a split book, a pair of
// desktop entries): every file is written to its temporary file first, and
// only when all of them are written are they renamed into place, so that a
// full disk or a missing folder changes none of the old files. Temporary
// files not committed are removed when the set goes.
class AtomicFileSet {
public:
    AtomicFileSet() = default;
    AtomicFileSet(const AtomicFileSet&) = delete;
    AtomicFileSet& operator=(const AtomicFileSet&) = delete;
    ~AtomicFileSet();

    // Writes the temporary file of path; on failure every temporary file of
    // the set is removed and *error names the file and the reason.
    bool Add(const std::string& path, std::string_view bytes, std::string* error = nullptr);
    // Renames every file into place, in the order added. A rename that
    // fails (the folder removed in between) stops there: the files before
    // it are replaced, the rest keep their old contents.
    bool Commit(std::string* error = nullptr);
    // Removes the temporary files without replacing anything.
    void Discard();

private:
    struct Pending {
        std::string path, temporary;
    };
    std::vector<Pending> pending_;
};

}  // namespace pm
