#include "report_file.h"

#include <QRandomGenerator>

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

namespace orvand {

namespace {

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

// Makes a rename in the folder last through a power loss. The report is
// whole and in place already, so a file system that does not sync folders
// takes nothing away from it.
void SyncFolder(const QByteArray& folder) {
    const int fd = ::open(folder.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return;
    ::fsync(fd);
    ::close(fd);
}

} // namespace

DiskReportFile::~DiskReportFile() {
    discard();
}

std::error_code DiskReportFile::create(const ReportTarget& target) {
    discard();
    target_ = target;
    inPlace_ = false;
    changed_ = false;
    // The folder with its closing slash: the temporary name goes straight after it.
    folder_ = target.path.left(target.path.lastIndexOf('/') + 1);
    if (folder_.isEmpty())
        folder_ = "./";
    if (!target.earlier)
        return createTemporary();
    // A rename would take the other names' file away from them.
    if (target.earlier->links > 1)
        return openInPlace();
    const std::error_code error = createTemporary();
    if (error == std::errc::permission_denied || error == std::errc::operation_not_permitted)
        return openInPlace(); // a folder this user may not write
    if (error)
        return error;
    if (carriesOwnerAndGroup()) {
        ::fchmod(fd_, target.earlier->permissions);
        return {};
    }
    discard();
    return openInPlace();
}

std::error_code DiskReportFile::createTemporary() {
    for (int attempt = 0; attempt < 100; ++attempt) {
        const QByteArray candidate = folder_ + TemporaryName();
        // The mode is narrowed by the user's umask, as for any new file.
        fd_ = ::open(candidate.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd_ >= 0) {
            temporary_ = candidate;
            return {};
        }
        if (errno != EEXIST)
            return LastError();
    }
    return std::make_error_code(std::errc::file_exists);
}

// The system decides who may give a file to whom (root to anyone; an owner to
// a group the owner is in), so the temporary file simply tries.
bool DiskReportFile::carriesOwnerAndGroup() {
    struct stat status {};
    if (::fstat(fd_, &status) != 0)
        return false;
    const EarlierReport& earlier = *target_.earlier;
    if (status.st_uid == earlier.owner && status.st_gid == earlier.group)
        return true;
    return ::fchown(fd_, status.st_uid == earlier.owner ? uid_t(-1) : earlier.owner,
                    status.st_gid == earlier.group ? gid_t(-1) : earlier.group) == 0;
}

// The very file that was checked, and nothing that took its name since: a
// pipe put there would not block the open, and anything else is refused.
std::error_code DiskReportFile::openInPlace() {
    fd_ =
        ::open(target_.path.constData(), O_WRONLY | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd_ < 0)
        return LastError();
    inPlace_ = true;
    struct stat status {};
    if (::fstat(fd_, &status) != 0)
        return LastError();
    if (!S_ISREG(status.st_mode) || status.st_dev != target_.earlier->device ||
        status.st_ino != target_.earlier->inode)
        return ReportTargetError::Replaced;
    return {};
}

std::error_code DiskReportFile::write(const QByteArray& bytes) {
    const off_t length = bytes.size();
    if (inPlace_) {
        // Whatever can be known to fail is refused before the first byte
        // changes: a length over the file-size limit, or space the disk lacks.
        rlimit limit{};
        if (::getrlimit(RLIMIT_FSIZE, &limit) == 0 && limit.rlim_cur != RLIM_INFINITY &&
            static_cast<rlim_t>(length) > limit.rlim_cur)
            return std::make_error_code(std::errc::file_too_large);
        // The reservation leaves the file's length and bytes as they are,
        // even when it fails half-way; a file system that cannot reserve
        // goes on without.
        int reserved;
        do
            reserved = length > 0 ? ::fallocate(fd_, FALLOC_FL_KEEP_SIZE, 0, length) : 0;
        while (reserved != 0 && errno == EINTR);
        if (reserved != 0 && errno != EOPNOTSUPP && errno != ENOSYS)
            return LastError();
    }
    for (off_t done = 0; done < length;) {
        const ssize_t written =
            calls_.pwrite(fd_, bytes.constData() + done, static_cast<size_t>(length - done), done);
        if (written < 0) {
            if (errno == EINTR)
                continue;
            return LastError();
        }
        done += written;
        changed_ = inPlace_;
    }
    if (inPlace_ && ::ftruncate(fd_, length) != 0)
        return LastError();
    return {};
}

std::error_code DiskReportFile::flush() {
    if (calls_.fsync(fd_) != 0)
        return LastError();
    return {};
}

std::error_code DiskReportFile::commit() {
    const int fd = fd_;
    fd_ = -1;
    // Some file systems report a failed write only when the file is closed.
    // A signal during close() is no such report: the bytes are on the disk
    // already, and the descriptor is gone whatever close() returns.
    if (calls_.close(fd) != 0 && errno != EINTR)
        return LastError();
    if (inPlace_)
        return {};
    if (std::rename(temporary_.constData(), target_.path.constData()) != 0)
        return LastError();
    temporary_.clear();
    SyncFolder(folder_);
    return {};
}

void DiskReportFile::discard() {
    if (fd_ >= 0)
        ::close(fd_);
    fd_ = -1;
    if (!temporary_.isEmpty())
        ::unlink(temporary_.constData());
    temporary_.clear();
}

} // namespace orvand
