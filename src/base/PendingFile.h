#pragma once

#include <cstdio>
#include <string>
#include <string_view>

namespace orvane {

// A file written under a temporary name beside its target and put in the target's place only
// when it is complete, so that the target holds either its old bytes or all of the new ones:
// never a part, and never nothing because a run was cancelled or the disk filled up. A target
// reached through symlinks is written through them (the links stay), and an existing target
// keeps its permission bits. Destroyed before Commit, it leaves the target as it was.
class PendingFile {
public:
    PendingFile() = default;
    ~PendingFile();
    PendingFile(const PendingFile&) = delete;
    PendingFile& operator=(const PendingFile&) = delete;

    // Makes the temporary file for target (discarding any earlier one); false with the reason.
    bool Open(const std::string& target);
    bool IsOpen() const { return file_ != nullptr; }
    // Where the bytes go; writes through it must be reported with Check.
    std::FILE* File() const { return file_; }

    bool Write(std::string_view bytes);
    // Records the outcome of a write made through File(): false fails the file with errno.
    bool Check(bool written);

    // Flushes the bytes to the disk and closes the temporary file, keeping it for Replace.
    bool Finish();
    // Puts the finished file in the target's place.
    bool Replace();
    // Finish, then Replace; on failure the temporary file is removed.
    bool Commit();
    // Removes the temporary file; the target stays as it was.
    void Discard();

    // The path the caller named, and why the file failed (empty while it has not).
    const std::string& Target() const { return target_; }
    const std::string& Reason() const { return reason_; }
    bool Failed() const { return !reason_.empty(); }

private:
    bool Fail(const std::string& reason);

    std::string target_;   // as named by the caller
    std::string resolved_; // after following symlinks
    std::string temporary_;
    std::FILE* file_ = nullptr;
    bool finished_ = false;
    std::string reason_;
};

} // namespace orvane
