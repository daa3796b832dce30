#include "extended_attributes.h"

#include <QList>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/xattr.h>
#include <unistd.h>

namespace orvand {

namespace {

// The path under which the system lets a descriptor that reads nothing be
// asked for its file's attributes.
QByteArray PathOf(int fd) {
    return "/proc/self/fd/" + QByteArray::number(fd);
}

// The names of list, each ended by a zero byte.
std::vector<QByteArray> Names(const QByteArray& list) {
    std::vector<QByteArray> names;
    for (const QByteArray& name : list.split('\0'))
        if (!name.isEmpty())
            names.push_back(name);
    return names;
}

// Asks size(nullptr, 0) for the size, then fill(buffer, size); again when the
// value grew meanwhile.
template <typename Size, typename Fill> std::optional<QByteArray> ReadValue(Size size, Fill fill) {
    for (int attempt = 0; attempt < 8; ++attempt) {
        const ssize_t needed = size();
        if (needed < 0)
            return std::nullopt;
        QByteArray value(needed, '\0');
        const ssize_t got = needed == 0 ? 0 : fill(value.data(), value.size());
        if (got >= 0)
            return value.left(got);
        if (errno != ERANGE)
            return std::nullopt;
    }
    return std::nullopt;
}

// Reads the umask without changing it, where the system tells it.
mode_t CurrentUmask() {
    char status[4096];
    const int fd = ::open("/proc/self/status", O_RDONLY | O_CLOEXEC);
    const ssize_t length = fd < 0 ? -1 : ::read(fd, status, sizeof status - 1);
    if (fd >= 0)
        ::close(fd);
    if (length > 0) {
        status[length] = '\0';
        if (const char* line = std::strstr(status, "\nUmask:"))
            return static_cast<mode_t>(std::strtoul(line + 7, nullptr, 8)) & 0777;
    }
    const mode_t mask = ::umask(022);
    ::umask(mask);
    return mask;
}

} // namespace

std::optional<ExtendedAttributes> ReadExtendedAttributes(int fd) {
    const QByteArray path = PathOf(fd);
    const std::optional<QByteArray> list = ReadValue(
        [&] { return ::listxattr(path.constData(), nullptr, 0); },
        [&](char* buffer, size_t size) { return ::listxattr(path.constData(), buffer, size); });
    if (!list)
        return errno == ENOTSUP ? std::optional(ExtendedAttributes()) : std::nullopt;
    ExtendedAttributes attributes;
    for (const QByteArray& name : Names(*list)) {
        const std::optional<QByteArray> value =
            ReadValue([&] { return ::getxattr(path.constData(), name.constData(), nullptr, 0); },
                      [&](char* buffer, size_t size) {
                          return ::getxattr(path.constData(), name.constData(), buffer, size);
                      });
        if (!value)
            return std::nullopt;
        attributes.emplace_back(name, *value);
    }
    return attributes;
}

bool GiveExtendedAttributes(int fd, const ExtendedAttributes& attributes) {
    for (const auto& [name, value] : attributes)
        if (::fsetxattr(fd, name.constData(), value.constData(), value.size(), 0) != 0)
            return false;
    const std::optional<QByteArray> list =
        ReadValue([&] { return ::flistxattr(fd, nullptr, 0); },
                  [&](char* buffer, size_t size) { return ::flistxattr(fd, buffer, size); });
    if (!list)
        return errno == ENOTSUP && attributes.empty();
    for (const QByteArray& name : Names(*list)) {
        const bool wanted =
            std::any_of(attributes.begin(), attributes.end(),
                        [&](const auto& attribute) { return attribute.first == name; });
        if (!wanted && ::fremovexattr(fd, name.constData()) != 0)
            return false;
    }
    return true;
}

mode_t NewFileMode(int folder) {
    // A default ACL takes the umask's place: its entries for the owner, the
    // group class and others limit the 0666 a new file asks for. Its form: a
    // four-byte version, then eight bytes an entry (tag, permissions, id),
    // least significant byte first.
    constexpr unsigned kOwner = 0x01, kGroup = 0x04, kMask = 0x10, kOthers = 0x20;
    const QByteArray path = PathOf(folder);
    const char* const name = "system.posix_acl_default";
    const std::optional<QByteArray> acl =
        ReadValue([&] { return ::getxattr(path.constData(), name, nullptr, 0); },
                  [&](char* buffer, size_t size) {
                      return ::getxattr(path.constData(), name, buffer, size);
                  });
    if (!acl || acl->size() < 4 + 8)
        return 0666 & ~CurrentUmask();
    mode_t owner = 0, group = 0, mask = 0, others = 0;
    bool masked = false;
    for (qsizetype at = 4; at + 8 <= acl->size(); at += 8) {
        const auto byte = [&](int i) { return static_cast<unsigned>(uchar(acl->at(at + i))); };
        const unsigned tag = byte(0) | byte(1) << 8;
        const mode_t permissions = (byte(2) | byte(3) << 8) & 07;
        if (tag == kOwner)
            owner = permissions;
        else if (tag == kGroup)
            group = permissions;
        else if (tag == kMask)
            mask = permissions, masked = true;
        else if (tag == kOthers)
            others = permissions;
    }
    return (owner << 6 | (masked ? mask : group) << 3 | others) & 0666;
}

} // namespace orvand
