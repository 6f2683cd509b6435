#include "base/PendingFile.h"

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <random>
#include <sstream>
#include <system_error>

#include <sys/stat.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace orvane {

namespace {

// The file to replace: symlinks are followed, even to a file that does not exist yet, so that
// the link itself survives the rename.
fs::path ResolveLinks(const fs::path& target, std::error_code& ec) {
    constexpr int kMaxLinks = 40; // the kernel's own limit
    fs::path resolved = target;
    for (int links = 0; links <= kMaxLinks; ++links) {
        if (!fs::is_symlink(fs::symlink_status(resolved, ec))) {
            ec.clear(); // a missing file or a path that cannot be searched fails on creation
            return resolved;
        }
        const fs::path link = fs::read_symlink(resolved, ec);
        if (ec)
            return {};
        resolved = link.is_absolute() ? link : resolved.parent_path() / link;
    }
    ec = std::make_error_code(std::errc::too_many_symbolic_link_levels);
    return {};
}

// A name beside the target that no other file has yet, hidden from directory listings.
fs::path TemporaryBeside(const fs::path& target, int attempt) {
    static thread_local std::mt19937 generator{std::random_device{}()};
    std::ostringstream name;
    name << '.' << target.filename().string() << '.' << std::hex << generator() << attempt
         << ".tmp";
    return target.parent_path() / name.str();
}

} // namespace

PendingFile::~PendingFile() {
    Discard();
}

bool PendingFile::Fail(const std::string& reason) {
    if (reason_.empty())
        reason_ = reason;
    return false;
}

bool PendingFile::Open(const std::string& target) {
    Discard();
    target_ = target;
    reason_.clear();
    finished_ = false;

    std::error_code ec;
    const fs::path resolved = ResolveLinks(target, ec);
    if (ec)
        return Fail(ec.message());
    const fs::file_status old = fs::status(resolved, ec);
    if (fs::is_directory(old))
        return Fail("a directory of that name is in the way");
    resolved_ = resolved.string();

    constexpr int kAttempts = 10;
    for (int attempt = 0; attempt < kAttempts; ++attempt) {
        const fs::path temporary = TemporaryBeside(resolved, attempt);
        // "x": never write through a file someone else made under that name.
        file_ = std::fopen(temporary.c_str(), "wbx");
        if (file_ != nullptr) {
            temporary_ = temporary.string();
            break;
        }
        if (errno != EEXIST)
            return Fail(std::strerror(errno));
    }
    if (file_ == nullptr)
        return Fail("no temporary file could be made beside it");
    // Before any byte goes in, so that a private file is never readable by others on the way.
    if (fs::exists(old) &&
        ::fchmod(::fileno(file_), static_cast<mode_t>(old.permissions() & fs::perms::all)) != 0) {
        const int error = errno;
        Discard();
        return Fail(std::strerror(error));
    }
    return true;
}

bool PendingFile::Write(std::string_view bytes) {
    if (file_ == nullptr)
        return false;
    return Check(bytes.empty() ||
                 std::fwrite(bytes.data(), 1, bytes.size(), file_) == bytes.size());
}

bool PendingFile::Check(bool written) {
    if (written)
        return true;
    return Fail(std::strerror(errno != 0 ? errno : EIO));
}

bool PendingFile::Finish() {
    if (finished_)
        return !Failed();
    if (file_ == nullptr)
        return Fail("it was not opened");
    bool ok = std::fflush(file_) == 0;
    // Without this a crash after the rename could leave an empty file in place of the old one.
    ok = ok && ::fsync(::fileno(file_)) == 0;
    const int error = errno;
    ok = std::fclose(file_) == 0 && ok;
    file_ = nullptr;
    finished_ = true;
    if (!ok)
        Fail(std::strerror(error != 0 ? error : EIO));
    return !Failed();
}

bool PendingFile::Replace() {
    if (!finished_ || Failed() || temporary_.empty())
        return Fail("it was not completely written");
    std::error_code ec;
    fs::rename(temporary_, resolved_, ec);
    if (ec)
        return Fail(ec.message());
    temporary_.clear();
    return true;
}

bool PendingFile::Commit() {
    const bool ok = Finish() && Replace();
    if (!ok)
        Discard();
    return ok;
}

void PendingFile::Discard() {
    if (file_ != nullptr) {
        std::fclose(file_);
        file_ = nullptr;
    }
    if (!temporary_.empty()) {
        std::error_code ignored;
        fs::remove(temporary_, ignored);
        temporary_.clear();
    }
}

} // namespace orvane
