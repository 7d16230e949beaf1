#include "platform/SafeFile.h"

#include "base/Errors.h"

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <random>
#include <sys/stat.h>
#include <unistd.h>

namespace fretlo {
namespace {

[[noreturn]] void FailWithErrno(const std::string& path, int error) {
    throw EFretloError(Format("Cannot write \"%s\": %s", path.c_str(), std::strerror(error)));
}

// An open descriptor that is closed on every path.
class TFileHandle {
public:
    explicit TFileHandle(int fd) : Fd(fd) {}
    TFileHandle(const TFileHandle&) = delete;
    TFileHandle& operator=(const TFileHandle&) = delete;
    ~TFileHandle() {
        if (Fd >= 0) ::close(Fd);
    }
    int Get() const { return Fd; }
    // Closes now so that a late write error (NFS, quota) is reported.
    int Close() {
        const int result = ::close(Fd);
        Fd = -1;
        return result;
    }

private:
    int Fd;
};

// The temporary file beside the target; removed unless it was renamed into place.
class TTempFile {
public:
    explicit TTempFile(const std::string& target);
    TTempFile(const TTempFile&) = delete;
    TTempFile& operator=(const TTempFile&) = delete;
    ~TTempFile() {
        if (!Committed) ::unlink(Path.c_str());
    }
    const std::string& Name() const { return Path; }
    TFileHandle& File() { return Handle; }
    void MarkCommitted() { Committed = true; }

private:
    static int CreateUnique(const std::string& target, std::string& path);
    std::string Path;
    TFileHandle Handle;
    bool Committed = false;
};

TTempFile::TTempFile(const std::string& target) : Handle(CreateUnique(target, Path)) {}

int TTempFile::CreateUnique(const std::string& target, std::string& path) {
    const auto slash = target.rfind('/');
    const std::string folder = slash == std::string::npos ? std::string() : target.substr(0, slash + 1);
    const std::string base = slash == std::string::npos ? target : target.substr(slash + 1);
    std::random_device seed;
    std::mt19937 random(seed());
    int error = EEXIST;
    for (int attempt = 0; attempt < 100 && error == EEXIST; ++attempt) {
        path = Format("%s.%s.%08x.tmp", folder.c_str(), base.c_str(), static_cast<unsigned>(random()));
        // Mode 0666 lets the umask decide for a new file, as any other program's save would.
        const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0) return fd;
        error = errno;
    }
    FailWithErrno(target, error);
}

// Follows symbolic links so that saving through a link updates the file it points to.
std::string ResolveTarget(const std::string& path) {
    char resolved[PATH_MAX];
    struct stat info {};
    if (::lstat(path.c_str(), &info) == 0 && S_ISLNK(info.st_mode) &&
        ::realpath(path.c_str(), resolved) != nullptr)
        return resolved;
    return path;
}

void CopyOwnershipAndMode(int fd, const std::string& target) {
    struct stat info {};
    if (::stat(target.c_str(), &info) != 0) return;
    // Changing the owner only succeeds for privileged users; the group may work too.
    if (::fchown(fd, info.st_uid, info.st_gid) != 0) (void)::fchown(fd, static_cast<uid_t>(-1), info.st_gid);
    if (::fchmod(fd, info.st_mode & 07777) != 0) FailWithErrno(target, errno);
}

void WriteAll(int fd, const std::vector<uint8_t>& bytes, const std::string& target) {
    size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0) {
            if (errno == EINTR) continue;
            FailWithErrno(target, errno);
        }
        done += static_cast<size_t>(n);
    }
}

// Makes the rename itself durable; a failure here no longer endangers either file.
void SyncFolder(const std::string& target) {
    const auto slash = target.rfind('/');
    const std::string folder = slash == std::string::npos ? "." : target.substr(0, slash + 1);
    TFileHandle dir(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (dir.Get() >= 0) (void)::fsync(dir.Get());
}

// Devices, pipes and sockets (/dev/stdout, a FIFO) are written to, never replaced.
void WriteSpecialFile(const std::string& target, const std::vector<uint8_t>& bytes, const std::string& path) {
    TFileHandle file(::open(target.c_str(), O_WRONLY | O_CLOEXEC));
    if (file.Get() < 0) FailWithErrno(path, errno);
    WriteAll(file.Get(), bytes, path);
    if (file.Close() != 0) FailWithErrno(path, errno);
}

}  // namespace

void WriteFileAtomically(const std::string& path, const std::vector<uint8_t>& bytes) {
    const std::string target = ResolveTarget(path);
    struct stat info {};
    if (::stat(target.c_str(), &info) == 0) {
        if (S_ISDIR(info.st_mode)) FailWithErrno(path, EISDIR);
        if (!S_ISREG(info.st_mode)) return WriteSpecialFile(target, bytes, path);
        // Renaming would replace a file the user cannot write; writing in place would fail.
        if (::access(target.c_str(), W_OK) != 0) FailWithErrno(path, errno);
    }
    TTempFile temp(target);
    CopyOwnershipAndMode(temp.File().Get(), target);
    WriteAll(temp.File().Get(), bytes, path);
    if (::fsync(temp.File().Get()) != 0) FailWithErrno(path, errno);
    if (temp.File().Close() != 0) FailWithErrno(path, errno);
    if (::rename(temp.Name().c_str(), target.c_str()) != 0) FailWithErrno(path, errno);
    temp.MarkCommitted();
    SyncFolder(target);
}

std::vector<uint8_t> ReadWholeFile(const std::string& path) {
    const auto fail = [&path](int error) -> std::vector<uint8_t> {
        throw EFretloError(Format("Cannot open \"%s\": %s", path.c_str(), std::strerror(error)));
    };
    TFileHandle file(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
    if (file.Get() < 0) return fail(errno);
    struct stat info {};
    if (::fstat(file.Get(), &info) != 0) return fail(errno);
    if (S_ISDIR(info.st_mode)) return fail(EISDIR);
    std::vector<uint8_t> bytes;
    bytes.reserve(info.st_size > 0 ? static_cast<size_t>(info.st_size) : 0);
    uint8_t chunk[65536];
    for (;;) {
        const ssize_t n = ::read(file.Get(), chunk, sizeof chunk);
        if (n < 0) {
            if (errno == EINTR) continue;
            return fail(errno);
        }
        if (n == 0) break;
        bytes.insert(bytes.end(), chunk, chunk + n);
    }
    return bytes;
}

}  // namespace fretlo
