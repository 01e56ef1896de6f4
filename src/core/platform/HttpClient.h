#pragma once

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace corvelle {

struct HttpResult {
    std::optional<int> status;  // the HTTP status code; absent on a transport error or time-out
    std::string error;          // what went wrong when there is no status
    std::string body;           // the answer's body (get only)

    // The server accepted the request: a status from 200 to 299.
    bool succeeded() const { return status && *status >= 200 && *status <= 299; }
};

// Asynchronous HTTPS client. post(), put() and get() may be called from any thread; the request runs
// off the caller's thread and `done` is called exactly once, on the main event loop, unless the
// client is destroyed first (requests still in flight then are abandoned without a callback).
// Redirects are not followed: a 3xx is the result.
class HttpClient {
public:
    using Headers = std::vector<std::pair<std::string, std::string>>;
    virtual ~HttpClient() = default;
    virtual void post(const std::string& url, const Headers& headers, std::string body, double timeoutSeconds,
                      std::function<void(HttpResult)> done) = 0;
    // The same with the method PUT, which replaces what the server holds at `url`.
    virtual void put(const std::string& url, const Headers& headers, std::string body, double timeoutSeconds,
                     std::function<void(HttpResult)> done) = 0;
    // Fetches `url`; an answer whose body exceeds `maxBodyBytes` is a failure without a status.
    virtual void get(const std::string& url, const Headers& headers, double timeoutSeconds, size_t maxBodyBytes,
                     std::function<void(HttpResult)> done) = 0;
    // Blocks for at most `seconds` until no request is in flight (their callbacks are then
    // queued on the event loop). True when none is left. Used at quit, off the event loop.
    virtual bool waitUntilIdle(double seconds) = 0;
};

}  // namespace corvelle
