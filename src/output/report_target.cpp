#include "report_target.h"

#include <QList>

#include <cerrno>
#include <climits>
#include <deque>
#include <fcntl.h>
#include <linux/magic.h>
#include <string>
#include <sys/stat.h>
#include <sys/vfs.h>
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
        case ReportTargetError::LinkInSharedFolder:
            return "The name is a link that another user made in a shared folder.";
        case ReportTargetError::PathLinkInSharedFolder:
            return "The path leads through a link that another user made in a shared folder.";
        case ReportTargetError::OthersFileInSharedFolder:
            return "The file belongs to another user in a shared folder.";
        case ReportTargetError::LinkedFileInSharedFolder:
            return "The file has more than one name in a shared folder.";
        case ReportTargetError::InUse:
            return "The file is in use by another program.";
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

// Where other users may add names, but not take away one another's: the
// system's folder for temporary files is the usual one.
bool IsShared(const struct stat& folder) {
    return (folder.st_mode & S_ISVTX) && (folder.st_mode & (S_IWGRP | S_IWOTH));
}

// An entry of a shared folder that anyone but the user running the program or
// the folder's owner put there: what it leads to, or what the report would
// become, was chosen by another user.
bool PlantedByAnother(const struct stat& folder, const struct stat& entry) {
    return IsShared(folder) && entry.st_uid != ::geteuid() && entry.st_uid != folder.st_uid;
}

// What looks like a file there is a setting of the kernel's.
bool OnKernelFileSystem(int fd) {
    struct statfs fs {};
    if (::fstatfs(fd, &fs) != 0)
        return false;
    switch (fs.f_type) {
    case PROC_SUPER_MAGIC:
    case SYSFS_MAGIC:
    case DEBUGFS_MAGIC:
    case CGROUP_SUPER_MAGIC:
    case CGROUP2_SUPER_MAGIC:
    case SECURITYFS_MAGIC:
    case TRACEFS_MAGIC:
        return true;
    default:
        return false;
    }
}

// Puts the names of path in front of those still to walk. A path that ends in
// a slash names a folder.
void PrependNames(const QByteArray& path, std::deque<QByteArray>& names) {
    if (path.endsWith('/'))
        names.push_front(".");
    const QList<QByteArray> parts = path.split('/');
    for (auto part = parts.crbegin(); part != parts.crend(); ++part)
        if (!part->isEmpty())
            names.push_front(*part);
}

QByteArray LinkText(int link, std::error_code& error) {
    char buffer[PATH_MAX];
    const ssize_t length = ::readlinkat(link, "", buffer, sizeof buffer);
    if (length < 0)
        error = Errno(errno);
    else if (length == 0)
        error = Errno(ENOENT);
    else if (static_cast<size_t>(length) == sizeof buffer)
        error = Errno(ENAMETOOLONG);
    return error ? QByteArray() : QByteArray(buffer, length);
}

UniqueFd OpenFolder(int at, const char* name) {
    return UniqueFd(::openat(at, name, O_PATH | O_DIRECTORY | O_CLOEXEC));
}

// What stands at the report's name, in a folder as it was found.
std::error_code CheckEarlier(ReportTarget& target, const struct stat& folder, UniqueFd entry,
                             const struct stat& status) {
    if (!S_ISREG(status.st_mode))
        return KindError(status.st_mode);
    if (OnKernelFileSystem(entry.get()))
        return ReportTargetError::OtherKind;
    if (PlantedByAnother(folder, status))
        return ReportTargetError::OthersFileInSharedFolder;
    // Another user may have added the second name, and the file it shares
    // would get the report in place.
    if (status.st_nlink > 1 && IsShared(folder))
        return ReportTargetError::LinkedFileInSharedFolder;
    // Root may write anything; a file nobody may write is still the owner's
    // protection of it.
    if ((status.st_mode & 0222) == 0)
        return ReportTargetError::ReadOnlyFile;
    if (::faccessat(target.folder.get(), target.name.constData(), W_OK,
                    AT_EACCESS | AT_SYMLINK_NOFOLLOW) != 0)
        return Errno(errno);
    target.earlier = EarlierReport{status.st_dev, status.st_ino,   status.st_uid,
                                   status.st_gid, status.st_nlink, status.st_mode & 0777};
    target.earlierFile = std::move(entry);
    return {};
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
    ReportTarget target;
    target.path = name;
    // The system takes no longer path, and would not take a link to it either.
    if (name.size() >= PATH_MAX) {
        target.error = Errno(ENAMETOOLONG);
        return target;
    }
    UniqueFd folder = OpenFolder(AT_FDCWD, name.startsWith('/') ? "/" : ".");
    std::deque<QByteArray> names;
    PrependNames(name, names);
    int links = 0;
    while (folder.valid() && !names.empty()) {
        const QByteArray part = names.front();
        names.pop_front();
        const bool atName = names.empty();
        UniqueFd entry(::openat(folder.get(), part.constData(), O_PATH | O_NOFOLLOW | O_CLOEXEC));
        struct stat status {
        }, folderStatus{};
        if (!entry.valid() || ::fstat(entry.get(), &status) != 0 ||
            ::fstat(folder.get(), &folderStatus) != 0) {
            if (errno != ENOENT || !atName) {
                target.error = Errno(errno);
                return target;
            }
            // Nothing there yet: the report is a new file.
            target.name = part;
            target.folder = std::move(folder);
            if (OnKernelFileSystem(target.folder.get()))
                target.error = ReportTargetError::OtherKind;
            return target;
        }
        if (S_ISLNK(status.st_mode)) {
            if (PlantedByAnother(folderStatus, status)) {
                target.error = atName ? ReportTargetError::LinkInSharedFolder
                                      : ReportTargetError::PathLinkInSharedFolder;
                return target;
            }
            if (++links > kMaxLinks) {
                target.error = Errno(ELOOP);
                return target;
            }
            const QByteArray text = LinkText(entry.get(), target.error);
            if (target.error)
                return target;
            // A relative link is read from the folder that holds the link.
            if (atName)
                target.path = text.startsWith('/')
                                  ? text
                                  : target.path.left(target.path.lastIndexOf('/') + 1) + text;
            if (text.startsWith('/'))
                folder = OpenFolder(AT_FDCWD, "/");
            PrependNames(text, names);
            continue;
        }
        if (!atName) {
            if (!S_ISDIR(status.st_mode)) {
                target.error = Errno(ENOTDIR);
                return target;
            }
            folder = std::move(entry);
            continue;
        }
        target.name = part;
        // A folder that may be read can be synced and asked for its default
        // permissions; one that may only be searched still takes the report.
        UniqueFd readable(::openat(folder.get(), ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC));
        target.folder = readable.valid() ? std::move(readable) : std::move(folder);
        target.error = CheckEarlier(target, folderStatus, std::move(entry), status);
        return target;
    }
    target.error = Errno(folder.valid() ? ENOENT : errno);
    return target;
}

} // namespace orvand
