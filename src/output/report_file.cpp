#include "report_file.h"

#include <QFile>
#include <QFileInfo>
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

} // namespace

DiskReportFile::~DiskReportFile() {
    discard();
}

std::error_code DiskReportFile::create(const QString& target) {
    discard();
    target_ = QFile::encodeName(target);
    const QByteArray folder = QFile::encodeName(QFileInfo(target).path());
    for (int attempt = 0; attempt < 100; ++attempt) {
        const QByteArray candidate = folder + '/' + TemporaryName();
        // The mode is narrowed by the user's umask, as for any new file.
        fd_ = ::open(candidate.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd_ >= 0) {
            temporary_ = candidate;
            // A replaced report keeps the permissions its file had.
            struct stat existing {};
            if (::stat(target_.constData(), &existing) == 0 && S_ISREG(existing.st_mode))
                ::fchmod(fd_, existing.st_mode & 07777);
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
    if (::close(fd) != 0)
        return LastError();
    if (std::rename(temporary_.constData(), target_.constData()) != 0)
        return LastError();
    temporary_.clear();
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
