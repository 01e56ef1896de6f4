#pragma once

#include "platform/EventLoop.h"
#include "platform/HttpClient.h"

#include <condition_variable>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <thread>
#include <vector>

typedef void CURL;
typedef void CURLM;

namespace corvelle {

// HttpClient on libcurl: one worker thread drives every transfer; answers are posted to the
// event loop. Certificates and host names are always verified; redirects are not followed.
// Only https URLs are accepted, except plain http to the loopback address (127.0.0.1 or
// [::1]), which is what tests point their local servers at.
class CurlHttpClient : public HttpClient {
public:
    explicit CurlHttpClient(std::shared_ptr<EventLoop> loop);
    // Abandons what is still in flight without calling back.
    ~CurlHttpClient() override;
    CurlHttpClient(const CurlHttpClient&) = delete;
    CurlHttpClient& operator=(const CurlHttpClient&) = delete;

    void post(const std::string& url, const Headers& headers, std::string body, double timeoutSeconds,
              std::function<void(HttpResult)> done) override;
    void put(const std::string& url, const Headers& headers, std::string body, double timeoutSeconds,
             std::function<void(HttpResult)> done) override;
    void get(const std::string& url, const Headers& headers, double timeoutSeconds, size_t maxBodyBytes,
             std::function<void(HttpResult)> done) override;
    bool waitUntilIdle(double seconds) override;

private:
    struct Transfer;
    void send(const char* method, const std::string& url, const Headers& headers, std::string body,
              double timeoutSeconds, std::function<void(HttpResult)> done);
    // Keeps an answer's body up to the transfer's limit; one byte more ends the transfer.
    static size_t keepBody(char* data, size_t size, size_t count, void* transfer);
    void submit(std::unique_ptr<Transfer> transfer, const std::string& url, const Headers& headers,
                double timeoutSeconds, std::function<void(HttpResult)> done);
    // The reason a request cannot be sent, or nothing when `transfer` is ready to go.
    static std::optional<std::string> prepare(Transfer& transfer, const std::string& url, const Headers& headers,
                                              double timeoutSeconds);
    void run();
    void startIncoming();
    void completeFinished();
    void deliver(std::function<void(HttpResult)> done, HttpResult result);

    std::shared_ptr<EventLoop> loop_;
    CURLM* multi_;
    std::mutex mutex_;
    std::condition_variable idle_;
    std::vector<std::unique_ptr<Transfer>> incoming_;  // guarded by mutex_
    size_t inFlight_ = 0;                              // guarded by mutex_
    bool stopping_ = false;                            // guarded by mutex_
    std::map<CURL*, std::unique_ptr<Transfer>> active_;  // worker only
    std::thread worker_;
};

}  // namespace corvelle
