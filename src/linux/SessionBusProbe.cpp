#include "linux/SessionBusProbe.h"

#include <poll.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <cerrno>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <exception>
#include <optional>
#include <string_view>
#include <vector>

namespace corvelle::SessionBusProbe {
namespace {

using Clock = std::chrono::steady_clock;

// A D-Bus address value with its %XX escapes undone.
std::string unescape(std::string_view text) {
    std::string value;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '%' && i + 2 < text.size()) {
            value += static_cast<char>(std::stoi(std::string(text.substr(i + 1, 2)), nullptr, 16));
            i += 2;
        } else {
            value += text[i];
        }
    }
    return value;
}

// The socket of a "unix:path=" or "unix:abstract=" entry of an address; absent for any other.
std::optional<sockaddr_un> socketOf(std::string_view entry) {
    if (!entry.starts_with("unix:")) return std::nullopt;
    std::string_view keys = entry.substr(5);
    while (!keys.empty()) {
        const auto comma = keys.find(',');
        const std::string_view pair = keys.substr(0, comma);
        keys = comma == std::string_view::npos ? std::string_view{} : keys.substr(comma + 1);
        const bool abstract = pair.starts_with("abstract=");
        if (!abstract && !pair.starts_with("path=")) continue;
        std::string path;
        try {
            path = unescape(pair.substr(pair.find('=') + 1));
        } catch (const std::exception&) {
            return std::nullopt;
        }
        sockaddr_un socket{};
        socket.sun_family = AF_UNIX;
        const std::size_t offset = abstract ? 1 : 0;  // an abstract name follows a zero byte
        if (path.empty() || path.find('\0') != std::string::npos || path.size() + offset >= sizeof socket.sun_path) {
            return std::nullopt;
        }
        std::memcpy(socket.sun_path + offset, path.data(), path.size());
        return socket;
    }
    return std::nullopt;
}

// The entries of an address, in the order the bus library tries them.
std::vector<std::optional<sockaddr_un>> socketsOf(std::string_view address) {
    std::vector<std::optional<sockaddr_un>> sockets;
    while (!address.empty()) {
        const auto end = address.find(';');
        if (const auto entry = address.substr(0, end); !entry.empty()) sockets.push_back(socketOf(entry));
        address = end == std::string_view::npos ? std::string_view{} : address.substr(end + 1);
    }
    return sockets;
}

socklen_t lengthOf(const sockaddr_un& socket) {
    const bool abstract = socket.sun_path[0] == '\0';
    const std::size_t name = abstract ? 1 + std::strlen(socket.sun_path + 1) : std::strlen(socket.sun_path) + 1;
    return static_cast<socklen_t>(offsetof(sockaddr_un, sun_path) + name);
}

// Waits for `events` on `fd` until the deadline.
bool ready(int fd, short events, Clock::time_point deadline) {
    for (;;) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
        if (left <= 0) return false;
        pollfd entry{fd, events, 0};
        const int result = poll(&entry, 1, static_cast<int>(left));
        if (result > 0) return true;
        if (result < 0 && errno != EINTR) return false;
    }
}

bool sendAll(int fd, std::string_view bytes, Clock::time_point deadline) {
    while (!bytes.empty()) {
        if (!ready(fd, POLLOUT, deadline)) return false;
        const ssize_t sent = send(fd, bytes.data(), bytes.size(), MSG_NOSIGNAL);
        if (sent < 0 && errno != EAGAIN && errno != EINTR) return false;
        if (sent > 0) bytes.remove_prefix(static_cast<std::size_t>(sent));
    }
    return true;
}

// Reads until `enough` says the bytes so far are a whole answer, the peer closes, or the
// deadline; absent unless enough came.
template <typename Enough>
std::optional<std::string> receive(int fd, Clock::time_point deadline, Enough enough) {
    std::string bytes;
    char buffer[512];
    while (!enough(bytes)) {
        if (!ready(fd, POLLIN, deadline)) return std::nullopt;
        const ssize_t got = recv(fd, buffer, sizeof buffer, 0);
        if (got == 0 || (got < 0 && errno != EAGAIN && errno != EINTR)) return std::nullopt;
        if (got > 0) bytes.append(buffer, static_cast<std::size_t>(got));
        if (bytes.size() > 4096) return std::nullopt;
    }
    return bytes;
}

void pad(std::string& message, std::size_t alignment) {
    while (message.size() % alignment != 0) message.push_back('\0');
}

void putWord(std::string& message, std::uint32_t value) {
    for (int shift = 0; shift < 32; shift += 8) message.push_back(static_cast<char>(value >> shift));
}

// One header field of a little-endian message: its code, a one-letter signature and a text.
void putField(std::string& message, char code, char type, std::string_view text) {
    pad(message, 8);
    message += {code, 1, type, '\0'};
    putWord(message, static_cast<std::uint32_t>(text.size()));
    message += text;
    message.push_back('\0');
}

// The bus daemon's Hello call, which every connection makes first.
std::string hello() {
    std::string message{'l', 1, 0, 1};  // little-endian, method call, no flags, version 1
    putWord(message, 0);                 // no body
    putWord(message, 1);                 // serial
    putWord(message, 0);                 // the fields' length, below
    putField(message, 1, 'o', "/org/freedesktop/DBus");
    putField(message, 6, 's', "org.freedesktop.DBus");
    putField(message, 2, 's', "org.freedesktop.DBus");
    putField(message, 3, 's', "Hello");
    const auto length = static_cast<std::uint32_t>(message.size() - 16);
    for (int i = 0; i < 4; ++i) message[12 + i] = static_cast<char>(length >> (8 * i));
    pad(message, 8);
    return message;
}

std::string hexOfUid() {
    static constexpr char digits[] = "0123456789abcdef";
    std::string hex;
    for (char c : std::to_string(geteuid())) hex += {digits[c >> 4], digits[c & 15]};
    return hex;
}

struct Socket {
    int fd = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
    ~Socket() {
        if (fd >= 0) close(fd);
    }
};

// Connects without waiting for longer than the deadline; absent when nothing listens there.
std::optional<bool> connected(int fd, const sockaddr_un& address, Clock::time_point deadline) {
    if (connect(fd, reinterpret_cast<const sockaddr*>(&address), lengthOf(address)) == 0) return true;
    // A listener whose queue is full takes no more: it is there but does not answer.
    if (errno == EAGAIN) return false;
    if (errno != EINPROGRESS) return std::nullopt;
    int error = 0;
    socklen_t size = sizeof error;
    if (!ready(fd, POLLOUT, deadline)) return false;
    getsockopt(fd, SOL_SOCKET, SO_ERROR, &error, &size);
    return error == 0 ? std::optional(true) : std::nullopt;
}

Outcome talk(int fd, Clock::time_point deadline) {
    const std::string auth = std::string(1, '\0') + "AUTH EXTERNAL " + hexOfUid() + "\r\n";
    if (!sendAll(fd, auth, deadline)) return Outcome::silent;
    const auto line = receive(fd, deadline, [](const std::string& bytes) { return bytes.find("\r\n") != std::string::npos; });
    if (!line) return Outcome::silent;
    // A bus that asks for another mechanism is alive; the bus library takes it from there.
    if (!line->starts_with("OK ")) return Outcome::answers;
    if (!sendAll(fd, "BEGIN\r\n" + hello(), deadline)) return Outcome::silent;
    // The fixed part of any message's header is 16 bytes.
    const auto reply = receive(fd, deadline, [](const std::string& bytes) { return bytes.size() >= 16; });
    return reply ? Outcome::answers : Outcome::silent;
}

}  // namespace

std::string address() {
    if (const char* value = std::getenv("DBUS_SESSION_BUS_ADDRESS"); value && *value) return value;
    if (const char* runtime = std::getenv("XDG_RUNTIME_DIR"); runtime && *runtime) {
        return "unix:path=" + std::string(runtime) + "/bus";
    }
    return {};
}

Outcome probe(const std::string& address, std::chrono::milliseconds timeout) {
    const auto deadline = Clock::now() + timeout;
    for (const auto& entry : socketsOf(address)) {
        // The bus library would try this one next; what it does there is not ours to know.
        if (!entry) return Outcome::unprobed;
        Socket socket;
        if (socket.fd < 0) return Outcome::unprobed;
        const auto taken = connected(socket.fd, *entry, deadline);
        if (!taken) continue;
        return *taken ? talk(socket.fd, deadline) : Outcome::silent;
    }
    return Outcome::absent;
}

}  // namespace corvelle::SessionBusProbe
