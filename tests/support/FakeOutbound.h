#pragma once

#include "platform/HttpClient.h"
#include "platform/SystemInfo.h"

#include <mutex>
#include <string>
#include <vector>

namespace corvelle::test {

// Records every request and answers only when the test calls a recorded `done`: for checking
// what would be sent, and where.
struct RecordingHttpClient : HttpClient {
    struct Call {
        std::string url;
        Headers headers;
        std::string body;
        std::function<void(HttpResult)> done;
        std::string method = "POST";
    };
    void post(const std::string& url, const Headers& headers, std::string body, double,
              std::function<void(HttpResult)> done) override {
        std::lock_guard lock(mutex);
        calls.push_back({url, headers, std::move(body), std::move(done)});
    }
    void put(const std::string& url, const Headers& headers, std::string body, double,
             std::function<void(HttpResult)> done) override {
        std::lock_guard lock(mutex);
        calls.push_back({url, headers, std::move(body), std::move(done), "PUT"});
    }
    void get(const std::string& url, const Headers& headers, double, size_t,
             std::function<void(HttpResult)> done) override {
        std::lock_guard lock(mutex);
        calls.push_back({url, headers, "", std::move(done), "GET"});
    }
    bool waitUntilIdle(double) override { return true; }
    std::vector<Call> recorded() {
        std::lock_guard lock(mutex);
        return calls;
    }

    std::mutex mutex;
    std::vector<Call> calls;
};

struct FixedSystemInfo : SystemInfo {
    std::string machineModel() const override { return "ThinkPad X1 Carbon Gen 11"; }
    std::string osVersion() const override { return "Debian GNU/Linux 12 (bookworm) (kernel 6.1.0-18-amd64)"; }
};

}  // namespace corvelle::test
