#pragma once
// A file's extended attributes, its access ACL among them, as a whole: what a
// replaced report must carry over so that no one gains or loses a permission.
// Files are named by descriptor, of any kind, so that the file that was
// checked is the one read.

#include <QByteArray>
#include <optional>
#include <sys/types.h>
#include <utility>
#include <vector>

namespace orvand {

using ExtendedAttributes = std::vector<std::pair<QByteArray, QByteArray>>;

// Every attribute the user may see; none on a file system that keeps none.
// Nothing when one of them cannot be read.
std::optional<ExtendedAttributes> ReadExtendedAttributes(int fd);

// Gives the file open at fd exactly these attributes: each one set, any other
// it has (one it inherited from its folder) removed. False when one of them
// could not be set or removed.
bool GiveExtendedAttributes(int fd, const ExtendedAttributes& attributes);

// The permission bits a file made in folder gets by the system's rule: those
// of the folder's default ACL, where it has one, else 0666 less the umask.
mode_t NewFileMode(int folder);

} // namespace orvand
