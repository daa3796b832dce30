#include "report_target.h"

#include <cerrno>
#include <climits>
#include <fcntl.h>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

namespace orvand {

namespace {

// As many links as the system itself follows before it gives up.
constexpr int kMaxLinks = 40;

class TargetCategory final : public std::error_category {
  public:
    const char* name() const noexcept override { return "report target"; }
    std::string message(int value) const override {
        switch (static_cast<ReportTargetError>(value)) {
        case ReportTargetError::ReadOnlyFile:
            return "The file is read-only.";
        case ReportTargetError::NamedPipe:
            return "That name is a named pipe, not a regular file.";
        case ReportTargetError::Device:
            return "That name is a device, not a regular file.";
        case ReportTargetError::Socket:
            return "That name is a socket, not a regular file.";
        case ReportTargetError::Replaced:
            return "The file was replaced meanwhile.";
        case ReportTargetError::OtherKind:
            break;
        }
        return "That name is not a regular file.";
    }
};

std::error_code Errno(int value) {
    return {value, std::generic_category()};
}

std::error_code KindError(mode_t mode) {
    if (S_ISDIR(mode))
        return Errno(EISDIR);
    if (S_ISFIFO(mode))
        return ReportTargetError::NamedPipe;
    if (S_ISCHR(mode) || S_ISBLK(mode))
        return ReportTargetError::Device;
    if (S_ISSOCK(mode))
        return ReportTargetError::Socket;
    return ReportTargetError::OtherKind;
}

// A relative link is read from the folder that holds the link.
QByteArray LinkTarget(const QByteArray& link, std::error_code& error) {
    char buffer[PATH_MAX];
    const ssize_t length = ::readlink(link.constData(), buffer, sizeof buffer);
    if (length < 0) {
        error = Errno(errno);
        return link;
    }
    if (static_cast<size_t>(length) == sizeof buffer) {
        error = Errno(ENAMETOOLONG);
        return link;
    }
    const QByteArray target(buffer, length);
    if (target.startsWith('/'))
        return target;
    return link.left(link.lastIndexOf('/') + 1) + target;
}

} // namespace

const std::error_category& ReportTargetCategory() {
    static const TargetCategory category;
    return category;
}

std::error_code make_error_code(ReportTargetError error) {
    return {static_cast<int>(error), ReportTargetCategory()};
}

ReportTarget ResolveReportTarget(const QByteArray& name) {
    ReportTarget target{name, {}, std::nullopt};
    for (int links = 0;; ++links) {
        struct stat status {};
        if (::lstat(target.path.constData(), &status) != 0) {
            // Nothing there yet: the report is a new file. Any other cause
            // (a missing folder on the way among them) is the writer's to tell.
            if (errno != ENOENT)
                target.error = Errno(errno);
            return target;
        }
        if (S_ISLNK(status.st_mode)) {
            if (links == kMaxLinks) {
                target.error = Errno(ELOOP);
                return target;
            }
            target.path = LinkTarget(target.path, target.error);
            if (target.error)
                return target;
            continue;
        }
        if (!S_ISREG(status.st_mode)) {
            target.error = KindError(status.st_mode);
        } else if ((status.st_mode & 0222) == 0) {
            // Root may write anything; a file nobody may write is still
            // the owner's protection of it.
            target.error = ReportTargetError::ReadOnlyFile;
        } else if (::faccessat(AT_FDCWD, target.path.constData(), W_OK, AT_EACCESS) != 0) {
            target.error = Errno(errno);
        } else {
            target.earlier = EarlierReport{status.st_dev, status.st_ino,   status.st_uid,
                                           status.st_gid, status.st_nlink, status.st_mode & 0777};
        }
        return target;
    }
}

} // namespace orvand
