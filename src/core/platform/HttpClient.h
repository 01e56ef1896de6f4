#pragma once

#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace corvelle {

struct HttpResult {
    std::optional<int> status;  // the HTTP status code; absent on a transport error or time-out
    std::string error;          // what went wrong when there is no status
};

// Asynchronous HTTPS client. The request runs off the caller's thread; `done` is called
// exactly once, on the main event loop.
class HttpClient {
public:
    using Headers = std::vector<std::pair<std::string, std::string>>;
    virtual ~HttpClient() = default;
    virtual void post(const std::string& url, const Headers& headers, std::string body, double timeoutSeconds,
                      std::function<void(HttpResult)> done) = 0;
};

}  // namespace corvelle
