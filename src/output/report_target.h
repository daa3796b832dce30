#pragma once
// What stands at a report's name, and whether a report may take its place.
// A rename would replace whatever is there, regardless of its kind or
// permissions: this is where the writer learns what it must refuse instead,
// and what of an earlier report it must keep.

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
    // The file the report becomes: the name itself, or the end of the chain
    // of symbolic links it starts. A link that leads nowhere names a new file.
    QByteArray path;
    // Empty when the report may be written there.
    std::error_code error;
    // None for a new file.
    std::optional<EarlierReport> earlier;
};

// Follows symbolic links and refuses anything but a regular file that may be
// written, or a name where nothing stands yet. A file without any write
// permission bit is refused for every user, root included; for others the
// system's own access check has the last word. Nothing is opened, so a named
// pipe or a device never blocks the program.
ReportTarget ResolveReportTarget(const QByteArray& name);

} // namespace orvand

template <> struct std::is_error_code_enum<orvand::ReportTargetError> : std::true_type {};
