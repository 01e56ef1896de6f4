#pragma once

#include "support/Fixtures.h"
#include "support/ManualEventLoop.h"

#include <httplib.h>

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace corvelle::test {

// A real HTTP server on 127.0.0.1 in the test process. It records every POST and PUT body and answers with
// the configured status, or, while stalled, holds the request without answering. A GET is
// answered with the configured status and body, sent in chunks (no declared length) under
// /chunked. With `tls` it speaks HTTPS with a self-signed certificate that no client should trust.
class LocalHttpServer {
public:
    struct Request { std::string body; };

    explicit LocalHttpServer(bool tls = false)
        : scheme_(tls ? "https" : "http"),
          server_(tls ? std::make_unique<httplib::SSLServer>(fixture("tls/self-signed.crt").c_str(),
                                                             fixture("tls/self-signed.key").c_str())
                      : std::make_unique<httplib::Server>()) {
        const auto keep = [this](const httplib::Request& request, httplib::Response& response) {
            std::unique_lock lock(mutex_);
            requests_.push_back({request.body});
            released_.wait_for(lock, std::chrono::seconds(30), [this] { return !stalled_; });
            response.status = status_;
            if (status_ >= 300 && status_ < 400) response.set_header("Location", url("/moved"));
        };
        server_->Post(".*", keep);
        server_->Put(".*", keep);
        server_->Get(".*", [this](const httplib::Request& request, httplib::Response& response) {
            std::lock_guard lock(mutex_);
            response.status = status_;
            if (request.path != "/chunked") {
                response.set_content(body_, "application/json");
                return;
            }
            response.set_chunked_content_provider("application/json", [body = body_](size_t, httplib::DataSink& sink) {
                sink.write(body.data(), body.size());
                sink.done();
                return true;
            });
        });
        // One request per connection: stopping never waits for an idle keep-alive connection.
        server_->set_keep_alive_max_count(1);
        port_ = server_->bind_to_any_port("127.0.0.1");
        thread_ = std::thread([this] { server_->listen_after_bind(); });
        while (!server_->is_running()) std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    ~LocalHttpServer() {
        setStalled(false);
        server_->stop();
        thread_.join();
    }

    std::string url(const std::string& path) const {
        return scheme_ + "://127.0.0.1:" + std::to_string(port_) + path;
    }

    void setStatus(int status) {
        std::lock_guard lock(mutex_);
        status_ = status;
    }
    void setBody(std::string body) {
        std::lock_guard lock(mutex_);
        body_ = std::move(body);
    }
    void setStalled(bool stalled) {
        {
            std::lock_guard lock(mutex_);
            stalled_ = stalled;
        }
        released_.notify_all();
    }
    std::vector<Request> requests() const {
        std::lock_guard lock(mutex_);
        return requests_;
    }

private:
    std::string scheme_;
    std::unique_ptr<httplib::Server> server_;
    int port_ = 0;
    std::thread thread_;
    mutable std::mutex mutex_;
    std::condition_variable released_;
    std::vector<Request> requests_;
    int status_ = 200;
    std::string body_;
    bool stalled_ = false;
};

// Runs the loop's posted work until `done` holds or `seconds` of real time passed.
template <typename Predicate>
bool runUntil(ManualEventLoop& loop, Predicate done, double seconds = 10) {
    const auto end = std::chrono::steady_clock::now() + std::chrono::duration<double>(seconds);
    for (;;) {
        loop.runPosted();
        if (done()) return true;
        if (std::chrono::steady_clock::now() > end) return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
}

}  // namespace corvelle::test
