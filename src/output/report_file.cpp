#include "report_file.h"

#include "extended_attributes.h"

#include <QRandomGenerator>

#include <cerrno>
#include <fcntl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

namespace orvand {

namespace {

// How long a report waits for another program that writes the same file in
// place: far longer than a report takes, short enough not to hang the window
// on a lock someone keeps.
constexpr int kLockAttempts = 200;
constexpr useconds_t kLockPause = 10'000;

std::error_code LastError() {
    return {errno, std::generic_category()};
}

// ".orvand-" and eight letters or digits: far below any file system's limit, so
// the temporary name never fails where the report's own name would fit.
QByteArray TemporaryName() {
    static constexpr char kAlphabet[] = "abcdefghijklmnopqrstuvwxyz0123456789";
    QByteArray name = ".orvand-";
    for (int i = 0; i < 8; ++i)
        name.append(kAlphabet[QRandomGenerator::global()->bounded(int(sizeof kAlphabet) - 1)]);
    return name + ".tmp";
}

bool SameFile(const struct stat& status, dev_t device, ino_t inode) {
    return status.st_dev == device && status.st_ino == inode;
}

// Whether name in folder is, this moment, the file of device and inode.
bool Holds(int folder, const QByteArray& name, dev_t device, ino_t inode) {
    struct stat status {};
    return ::fstatat(folder, name.constData(), &status, AT_SYMLINK_NOFOLLOW) == 0 &&
           SameFile(status, device, inode);
}

// A temporary name of the writer's, removed when it goes out of scope, but only
// while it holds the file the writer left there: never what someone else put
// in its place.
class TemporaryEntry {
  public:
    TemporaryEntry(int folder, QByteArray name, int fd) : folder_(folder), name_(std::move(name)) {
        struct stat status {};
        if (::fstat(fd, &status) == 0)
            holds(status.st_dev, status.st_ino);
    }
    ~TemporaryEntry() { remove(); }
    TemporaryEntry(const TemporaryEntry&) = delete;
    TemporaryEntry& operator=(const TemporaryEntry&) = delete;

    void holds(dev_t device, ino_t inode) { device_ = device, inode_ = inode; }
    void remove() {
        if (!name_.isEmpty() && Holds(folder_, name_, device_, inode_))
            ::unlinkat(folder_, name_.constData(), 0);
        name_.clear();
    }

  private:
    int folder_;
    QByteArray name_;
    dev_t device_ = 0;
    ino_t inode_ = 0;
};

bool OverSizeLimit(off_t length) {
    rlimit limit{};
    return ::getrlimit(RLIMIT_FSIZE, &limit) == 0 && limit.rlim_cur != RLIM_INFINITY &&
           static_cast<rlim_t>(length) > limit.rlim_cur;
}

// One writer in place at a time, the program's other instances included. A
// file system without such locks is written as before.
std::error_code LockAlone(int fd) {
    struct flock lock {};
    lock.l_type = F_WRLCK;
    lock.l_whence = SEEK_SET;
    for (int attempt = 0;; ++attempt) {
        if (::fcntl(fd, F_OFD_SETLK, &lock) == 0)
            return {};
        if (errno != EAGAIN && errno != EACCES && errno != EINTR)
            return {};
        if (attempt == kLockAttempts)
            return ReportTargetError::InUse;
        ::usleep(kLockPause);
    }
}

// The earlier report's owner, group, attributes and permission bits, in that
// order: a change of owner may clear attributes, and an ACL sets the group
// bits. The system decides who may give a file to whom (root to anyone; an
// owner to a group the owner is in), so the temporary file simply tries.
bool TakeOverEarlier(int fd, const ReportTarget& target) {
    const EarlierReport& earlier = *target.earlier;
    struct stat status {};
    if (::fstat(fd, &status) != 0)
        return false;
    if ((status.st_uid != earlier.owner || status.st_gid != earlier.group) &&
        ::fchown(fd, status.st_uid == earlier.owner ? uid_t(-1) : earlier.owner,
                 status.st_gid == earlier.group ? gid_t(-1) : earlier.group) != 0)
        return false;
    const std::optional<ExtendedAttributes> attributes =
        ReadExtendedAttributes(target.earlierFile.get());
    return attributes && GiveExtendedAttributes(fd, *attributes) &&
           ::fchmod(fd, earlier.permissions) == 0;
}

} // namespace

std::error_code DiskReportFile::write(const ReportTarget& target, const QByteArray& bytes) {
    changed_ = false;
    // A rename would take the other names' file away from them.
    if (target.earlier && target.earlier->links > 1)
        return writeInPlace(target, bytes);
    bool inPlace = false;
    const std::error_code error = writeInOneStep(target, bytes, inPlace);
    return inPlace ? writeInPlace(target, bytes) : error;
}

std::error_code DiskReportFile::writeInOneStep(const ReportTarget& target, const QByteArray& bytes,
                                               bool& inPlace) {
    const int folder = target.folder.get();
    // Private until it is whole: only then does it get the permissions of
    // the file it replaces.
    QByteArray name;
    UniqueFd fd;
    for (int attempt = 0; attempt < 100 && !fd.valid(); ++attempt) {
        name = TemporaryName();
        fd.reset(calls_.openat(folder, name.constData(),
                               O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600));
        if (!fd.valid() && errno != EEXIST)
            break;
    }
    if (!fd.valid()) {
        // A folder this user may not write, or that nobody may change.
        inPlace = target.earlier && (errno == EACCES || errno == EPERM);
        return LastError();
    }
    TemporaryEntry temporary(folder, name, fd.get());
    if (const std::error_code error = writeBytes(fd.get(), bytes, false))
        return error;
    if (target.earlier) {
        if (!TakeOverEarlier(fd.get(), target)) {
            inPlace = true;
            return {};
        }
    } else if (::fchmod(fd.get(), NewFileMode(folder)) != 0) {
        return LastError();
    }
    if (calls_.fsync(fd.get()) != 0)
        return LastError();
    if (const std::error_code error = closeWritten(fd.release()))
        return error;
    const std::error_code error = putInPlace(target, name);
    // After an exchange, the earlier report's last name is the temporary one.
    if (!error && target.earlier)
        temporary.holds(target.earlier->device, target.earlier->inode);
    temporary.remove();
    // Makes the rename last through a power loss; a file system that does not
    // sync folders takes nothing away from the report.
    if (!error)
        calls_.fsync(folder);
    return error;
}

// Replaces the checked earlier report by an exchange of the two names, so that
// nothing but that file can be taken away, or takes a name that is still free.
// Where the file system has neither, a rename right after a last look.
std::error_code DiskReportFile::putInPlace(const ReportTarget& target,
                                           const QByteArray& temporary) {
    const int folder = target.folder.get();
    const char* const from = temporary.constData();
    const char* const to = target.name.constData();
    const unsigned flag = target.earlier ? RENAME_EXCHANGE : RENAME_NOREPLACE;
    if (calls_.renameat2(folder, from, folder, to, flag) == 0) {
        if (!target.earlier ||
            Holds(folder, temporary, target.earlier->device, target.earlier->inode))
            return {};
        // Something else had taken the name: it goes back there.
        calls_.renameat2(folder, from, folder, to, RENAME_EXCHANGE);
        return ReportTargetError::Replaced;
    }
    if (errno == EEXIST || errno == ENOENT)
        return ReportTargetError::Replaced;
    if (errno != EINVAL)
        return LastError();
    struct stat status {};
    const bool taken = ::fstatat(folder, to, &status, AT_SYMLINK_NOFOLLOW) == 0;
    if (taken != target.earlier.has_value() ||
        (taken && !SameFile(status, target.earlier->device, target.earlier->inode)))
        return ReportTargetError::Replaced;
    if (::renameat(folder, from, folder, to) != 0)
        return LastError();
    return {};
}

// The very file that was checked, and nothing that took its name since: a
// pipe put there would not block the open, and anything else is refused.
std::error_code DiskReportFile::writeInPlace(const ReportTarget& target, const QByteArray& bytes) {
    UniqueFd fd(calls_.openat(target.folder.get(), target.name.constData(),
                              O_WRONLY | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY | O_CLOEXEC, 0));
    if (!fd.valid()) {
        // Gone, or a link or a pipe without a reader in its place.
        if (errno == ENOENT || errno == ELOOP || errno == ENXIO)
            return ReportTargetError::Replaced;
        return LastError();
    }
    struct stat status {};
    if (::fstat(fd.get(), &status) != 0)
        return LastError();
    if (!S_ISREG(status.st_mode) ||
        !SameFile(status, target.earlier->device, target.earlier->inode))
        return ReportTargetError::Replaced;
    if (const std::error_code error = LockAlone(fd.get()))
        return error;
    if (const std::error_code error = writeBytes(fd.get(), bytes, true))
        return error;
    if (calls_.fsync(fd.get()) != 0)
        return LastError();
    return closeWritten(fd.release());
}

// Whatever can be known to fail is refused before the first byte: a length
// over the file-size limit, and in place, space the disk lacks. The
// reservation leaves the file's length and bytes as they are, even when it
// fails half-way; a file system that cannot reserve goes on without.
std::error_code DiskReportFile::writeBytes(int fd, const QByteArray& bytes, bool inPlace) {
    const off_t length = bytes.size();
    if (OverSizeLimit(length))
        return std::make_error_code(std::errc::file_too_large);
    if (inPlace && length > 0) {
        int reserved;
        do
            reserved = ::fallocate(fd, FALLOC_FL_KEEP_SIZE, 0, length);
        while (reserved != 0 && errno == EINTR);
        if (reserved != 0 && errno != EOPNOTSUPP && errno != ENOSYS)
            return LastError();
    }
    for (off_t done = 0; done < length;) {
        const ssize_t written =
            calls_.pwrite(fd, bytes.constData() + done, static_cast<size_t>(length - done), done);
        if (written < 0) {
            if (errno == EINTR)
                continue;
            return LastError();
        }
        done += written;
        changed_ = changed_ || inPlace;
    }
    if (inPlace && ::ftruncate(fd, length) != 0)
        return LastError();
    return {};
}

// Some file systems report a failed write only when the file is closed. A
// signal during close() is no such report: the bytes are on the disk already,
// and the descriptor is gone whatever close() returns.
std::error_code DiskReportFile::closeWritten(int fd) {
    if (calls_.close(fd) != 0 && errno != EINTR)
        return LastError();
    return {};
}

} // namespace orvand
