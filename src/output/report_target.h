#pragma once
// What stands at a report's name, and whether a report may take its place.
// A rename would replace whatever is there, regardless of its kind or
// permissions: this is where the writer learns what it must refuse instead,
// and what of an earlier report it must keep.

#include "unique_fd.h"

#include <QByteArray>
#include <optional>
#include <sys/types.h>
#include <system_error>

namespace orvand {

// Causes of a refusal that no system call reports as such.
enum class ReportTargetError {
    ReadOnlyFile = 1,
    NamedPipe,
    Device,
    Socket,
    OtherKind,
    Replaced,
    LinkInSharedFolder,
    PathLinkInSharedFolder,
    OthersFileInSharedFolder,
    LinkedFileInSharedFolder,
    InUse,
};

const std::error_category& ReportTargetCategory();
std::error_code make_error_code(ReportTargetError error);

// The regular file a report replaces, as it was found.
struct EarlierReport {
    dev_t device = 0;
    ino_t inode = 0;
    uid_t owner = 0;
    gid_t group = 0;
    nlink_t links = 1;
    // Set-ID and sticky bits are left out: the program never sets them.
    mode_t permissions = 0;
};

struct ReportTarget {
    // The file the report becomes, for messages: the name itself, or where
    // the chain of symbolic links it starts leads.
    QByteArray path;
    // Empty when the report may be written there.
    std::error_code error;
    // The folder that holds the report, opened once: whatever happens to the
    // path meanwhile, the report goes into this folder or nowhere.
    UniqueFd folder;
    // The report's name in that folder.
    QByteArray name;
    // None for a new file.
    std::optional<EarlierReport> earlier;
    // The earlier report itself (a descriptor that reads and writes nothing).
    UniqueFd earlierFile;
};

// Follows symbolic links, on the way and at the name, and refuses anything
// but a regular file that may be written, or a name where nothing stands yet.
// In a shared folder (sticky, and writable by more than its owner) it follows a
// link and takes a file only when they belong to the user running the program
// or to the folder's owner, and never takes a file with more than one name,
// whatever the system's own protections are set to. A file without any write
// permission bit is refused for every user, root included; for others the
// system's own access check has the last word. A file of the kernel's own file
// systems (proc, sysfs and the like) is no regular file. Nothing is opened for
// reading or writing, so a named pipe or a device never blocks the program.
ReportTarget ResolveReportTarget(const QByteArray& name);

} // namespace orvand

template <> struct std::is_error_code_enum<orvand::ReportTargetError> : std::true_type {};
