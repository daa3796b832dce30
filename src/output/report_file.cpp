#include "report_file.h"

#include <QRandomGenerator>

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
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

std::error_code DiskReportFile::create(const QByteArray& target,
                                       std::optional<mode_t> permissions) {
    discard();
    target_ = target;
    // The folder with its closing slash: the temporary name goes straight after it.
    folder_ = target.left(target.lastIndexOf('/') + 1);
    if (folder_.isEmpty())
        folder_ = "./";
    for (int attempt = 0; attempt < 100; ++attempt) {
        const QByteArray candidate = folder_ + TemporaryName();
        // The mode is narrowed by the user's umask, as for any new file.
        fd_ = ::open(candidate.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd_ >= 0) {
            temporary_ = candidate;
            // A replaced report keeps the permissions its file had.
            if (permissions)
                ::fchmod(fd_, *permissions);
            return {};
        }
        if (errno != EEXIST)
            return LastError();
    }
    return std::make_error_code(std::errc::file_exists);
}

std::error_code DiskReportFile::write(const QByteArray& bytes) {
    const char* data = bytes.constData();
    qsizetype left = bytes.size();
    while (left > 0) {
        const ssize_t written = ::write(fd_, data, static_cast<size_t>(left));
        if (written < 0) {
            if (errno == EINTR)
                continue;
            return LastError();
        }
        data += written;
        left -= written;
    }
    return {};
}

std::error_code DiskReportFile::flush() {
    if (::fsync(fd_) != 0)
        return LastError();
    return {};
}

std::error_code DiskReportFile::commit() {
    const int fd = fd_;
    fd_ = -1;
    // Some file systems report a failed write only when the file is closed.
    // A signal during close() is no such report: the bytes are on the disk
    // already, and the descriptor is gone whatever close() returns.
    if (::close(fd) != 0 && errno != EINTR)
        return LastError();
    if (std::rename(temporary_.constData(), target_.constData()) != 0)
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
