#include "linux/CurlHttpClient.h"

#include <curl/curl.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <string_view>

namespace corvelle {
namespace {

size_t discardBody(char*, size_t size, size_t count, void*) { return size * count; }

// One part of a parsed URL, as curl will use it; empty when absent.
std::string urlPart(CURLU* url, CURLUPart part) {
    char* text = nullptr;
    if (curl_url_get(url, part, &text, 0) != CURLUE_OK || !text) return {};
    std::string result(text);
    curl_free(text);
    return result;
}

bool unsafeHeaderText(const std::string& text) { return text.find_first_of("\r\n") != std::string::npos; }

long timeoutMilliseconds(double seconds) {
    // curl reads 0 as "no time-out": every request keeps a bound of at least 1 ms.
    if (!(seconds > 0)) return 1;
    return static_cast<long>(std::clamp(std::ceil(seconds * 1000.0), 1.0, 86'400'000.0));
}

}  // namespace

struct CurlHttpClient::Transfer {
    CURL* easy = nullptr;
    CURLU* url = nullptr;
    curl_slist* headers = nullptr;
    const char* method = "GET";  // GET, or POST or PUT with `body`
    std::string body;
    std::string response;
    size_t maxResponse = 0;
    bool tooLarge = false;
    std::function<void(HttpResult)> done;

    ~Transfer() {
        curl_easy_cleanup(easy);
        curl_url_cleanup(url);
        curl_slist_free_all(headers);
    }
};

size_t CurlHttpClient::keepBody(char* data, size_t size, size_t count, void* target) {
    auto& transfer = *static_cast<CurlHttpClient::Transfer*>(target);
    const size_t length = size * count;
    if (transfer.response.size() + length > transfer.maxResponse) {
        transfer.tooLarge = true;
        return 0;
    }
    transfer.response.append(data, length);
    return length;
}

CurlHttpClient::CurlHttpClient(std::shared_ptr<EventLoop> loop) : loop_(std::move(loop)) {
    static const CURLcode initialised = curl_global_init(CURL_GLOBAL_DEFAULT);
    (void)initialised;
    multi_ = curl_multi_init();
    worker_ = std::thread([this] { run(); });
}

CurlHttpClient::~CurlHttpClient() {
    {
        std::lock_guard lock(mutex_);
        stopping_ = true;
    }
    curl_multi_wakeup(multi_);
    worker_.join();
    curl_multi_cleanup(multi_);
}

void CurlHttpClient::post(const std::string& url, const Headers& headers, std::string body, double timeoutSeconds,
                          std::function<void(HttpResult)> done) {
    send("POST", url, headers, std::move(body), timeoutSeconds, std::move(done));
}

void CurlHttpClient::put(const std::string& url, const Headers& headers, std::string body, double timeoutSeconds,
                         std::function<void(HttpResult)> done) {
    send("PUT", url, headers, std::move(body), timeoutSeconds, std::move(done));
}

void CurlHttpClient::send(const char* method, const std::string& url, const Headers& headers, std::string body,
                          double timeoutSeconds, std::function<void(HttpResult)> done) {
    auto transfer = std::make_unique<Transfer>();
    transfer->method = method;
    transfer->body = std::move(body);
    submit(std::move(transfer), url, headers, timeoutSeconds, std::move(done));
}

void CurlHttpClient::get(const std::string& url, const Headers& headers, double timeoutSeconds, size_t maxBodyBytes,
                         std::function<void(HttpResult)> done) {
    auto transfer = std::make_unique<Transfer>();
    transfer->maxResponse = maxBodyBytes;
    submit(std::move(transfer), url, headers, timeoutSeconds, std::move(done));
}

void CurlHttpClient::submit(std::unique_ptr<Transfer> transfer, const std::string& url, const Headers& headers,
                            double timeoutSeconds, std::function<void(HttpResult)> done) {
    if (auto refused = prepare(*transfer, url, headers, timeoutSeconds)) {
        deliver(std::move(done), HttpResult{std::nullopt, *refused, {}});
        return;
    }
    transfer->done = std::move(done);
    {
        std::lock_guard lock(mutex_);
        if (stopping_) return;
        incoming_.push_back(std::move(transfer));
        ++inFlight_;
    }
    curl_multi_wakeup(multi_);
}

bool CurlHttpClient::waitUntilIdle(double seconds) {
    std::unique_lock lock(mutex_);
    const auto limit = std::chrono::duration<double>(seconds > 0 ? std::min(seconds, 86400.0) : 0.0);
    return idle_.wait_for(lock, limit, [this] { return inFlight_ == 0; });
}

std::optional<std::string> CurlHttpClient::prepare(Transfer& transfer, const std::string& url,
                                                   const Headers& headers, double timeoutSeconds) {
    transfer.url = curl_url();
    if (!transfer.url || curl_url_set(transfer.url, CURLUPART_URL, url.c_str(), 0) != CURLUE_OK) {
        return "not a valid URL";
    }
    const auto scheme = urlPart(transfer.url, CURLUPART_SCHEME);
    const auto host = urlPart(transfer.url, CURLUPART_HOST);
    const bool loopback = host == "127.0.0.1" || host == "[::1]";
    if (scheme != "https" && !(scheme == "http" && loopback)) return "only https URLs are sent";

    // Without this, curl waits for a "100 Continue" before sending bodies over 1 KiB.
    transfer.headers = curl_slist_append(nullptr, "Expect:");
    for (const auto& [name, value] : headers) {
        if (unsafeHeaderText(name) || unsafeHeaderText(value)) return "header with a line break";
        transfer.headers = curl_slist_append(transfer.headers, (name + ": " + value).c_str());
    }

    CURL* easy = transfer.easy = curl_easy_init();
    if (!easy || !transfer.headers) return "out of memory";
    curl_easy_setopt(easy, CURLOPT_CURLU, transfer.url);
    curl_easy_setopt(easy, CURLOPT_PROTOCOLS_STR, scheme.c_str());
    curl_easy_setopt(easy, CURLOPT_FOLLOWLOCATION, 0L);
    curl_easy_setopt(easy, CURLOPT_SSL_VERIFYPEER, 1L);
    curl_easy_setopt(easy, CURLOPT_SSL_VERIFYHOST, 2L);
    if (std::string_view(transfer.method) != "GET") {
        curl_easy_setopt(easy, CURLOPT_POST, 1L);
        // A PUT with the body given like a POST's, rather than read through a callback.
        if (std::string_view(transfer.method) == "PUT") curl_easy_setopt(easy, CURLOPT_CUSTOMREQUEST, "PUT");
        curl_easy_setopt(easy, CURLOPT_POSTFIELDS, transfer.body.data());
        curl_easy_setopt(easy, CURLOPT_POSTFIELDSIZE_LARGE, static_cast<curl_off_t>(transfer.body.size()));
        curl_easy_setopt(easy, CURLOPT_WRITEFUNCTION, discardBody);
    } else {
        curl_easy_setopt(easy, CURLOPT_HTTPGET, 1L);
        // A declared length over the limit is refused before any of the body arrives.
        curl_easy_setopt(easy, CURLOPT_MAXFILESIZE_LARGE, static_cast<curl_off_t>(transfer.maxResponse));
        curl_easy_setopt(easy, CURLOPT_WRITEFUNCTION, keepBody);
        curl_easy_setopt(easy, CURLOPT_WRITEDATA, &transfer);
    }
    curl_easy_setopt(easy, CURLOPT_HTTPHEADER, transfer.headers);
    curl_easy_setopt(easy, CURLOPT_TIMEOUT_MS, timeoutMilliseconds(timeoutSeconds));
    curl_easy_setopt(easy, CURLOPT_NOSIGNAL, 1L);
    // Cleaning up must not wait for a name look-up that hangs: quitting stays quick.
    curl_easy_setopt(easy, CURLOPT_QUICK_EXIT, 1L);
    // A loopback request never goes through a proxy from the environment.
    if (loopback) curl_easy_setopt(easy, CURLOPT_NOPROXY, "*");
    return std::nullopt;
}

void CurlHttpClient::run() {
    for (;;) {
        {
            std::lock_guard lock(mutex_);
            if (stopping_) break;
        }
        startIncoming();
        int running = 0;
        curl_multi_perform(multi_, &running);
        completeFinished();
        curl_multi_poll(multi_, nullptr, 0, 1000, nullptr);
    }
    for (auto& [easy, transfer] : active_) curl_multi_remove_handle(multi_, easy);
    active_.clear();
    std::lock_guard lock(mutex_);
    incoming_.clear();
}

void CurlHttpClient::startIncoming() {
    std::vector<std::unique_ptr<Transfer>> batch;
    {
        std::lock_guard lock(mutex_);
        batch.swap(incoming_);
    }
    for (auto& transfer : batch) {
        curl_multi_add_handle(multi_, transfer->easy);
        active_[transfer->easy] = std::move(transfer);
    }
}

void CurlHttpClient::completeFinished() {
    int left = 0;
    while (CURLMsg* message = curl_multi_info_read(multi_, &left)) {
        if (message->msg != CURLMSG_DONE) continue;
        CURL* easy = message->easy_handle;
        const CURLcode code = message->data.result;
        auto transfer = std::move(active_[easy]);
        active_.erase(easy);
        curl_multi_remove_handle(multi_, easy);
        long status = 0;
        HttpResult result;
        if (code == CURLE_OK && curl_easy_getinfo(easy, CURLINFO_RESPONSE_CODE, &status) == CURLE_OK && status > 0) {
            result.status = static_cast<int>(status);
            result.body = std::move(transfer->response);
        } else if (transfer->tooLarge || code == CURLE_FILESIZE_EXCEEDED) {
            result.error = "answer larger than " + std::to_string(transfer->maxResponse) + " bytes";
        } else {
            result.error = code == CURLE_OK ? "no HTTP answer" : curl_easy_strerror(code);
        }
        deliver(std::move(transfer->done), std::move(result));
        transfer.reset();
        {
            std::lock_guard lock(mutex_);
            --inFlight_;
        }
        idle_.notify_all();
    }
}

void CurlHttpClient::deliver(std::function<void(HttpResult)> done, HttpResult result) {
    loop_->post([done = std::move(done), result = std::move(result)] { done(result); });
}

}  // namespace corvelle
