#include "app/updates/UpdateController.h"

#include "localization/LShell.h"
#include "outbound/UpdateFeed.h"

#include <QDesktopServices>
#include <QMessageBox>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QPushButton>
#include <QUrl>

namespace corvelle {
namespace {

constexpr qint64 maxFeedBytes = 64 * 1024;

QString qs(const std::string& text) { return QString::fromStdString(text); }

}  // namespace

UpdateController::UpdateController(Fetch fetch, Present present, std::string currentVersion)
    : fetch_(std::move(fetch)), present_(std::move(present)), currentVersion_(std::move(currentVersion)) {}

void UpdateController::checkForUpdates() {
    if (*checking_) return;
    *checking_ = true;
    std::weak_ptr<bool> alive = checking_;
    fetch_([this, alive](std::optional<std::string> body, std::string error) {
        if (!alive.lock()) return;
        *checking_ = false;
        if (body) {
            present_(UpdateFeed::evaluate(*body, currentVersion_)
                         .value_or(UpdateCheckResult::failed(L::updateFeedUnreadable())));
        } else {
            present_(UpdateCheckResult::failed(L::updateServerUnreachable(error)));
        }
    });
}

UpdateController::Fetch UpdateController::networkFetch(const std::string& url) {
    return [url](FetchDone done) {
        static QNetworkAccessManager* manager = new QNetworkAccessManager();
        QNetworkRequest request{QUrl(qs(url))};
        request.setTransferTimeout(15000);
        request.setAttribute(QNetworkRequest::RedirectPolicyAttribute, QNetworkRequest::NoLessSafeRedirectPolicy);
        QNetworkReply* reply = manager->get(request);
        QObject::connect(reply, &QNetworkReply::downloadProgress, reply, [reply](qint64 received, qint64) {
            if (received > maxFeedBytes) reply->abort();
        });
        QObject::connect(reply, &QNetworkReply::finished, reply, [reply, done] {
            reply->deleteLater();
            const int status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
            if (reply->error() != QNetworkReply::NoError) {
                done(std::nullopt, reply->errorString().toStdString());
            } else if (status != 200) {
                done(std::nullopt, "HTTP " + std::to_string(status));
            } else if (const QByteArray data = reply->read(maxFeedBytes + 1); data.size() > maxFeedBytes) {
                done(std::nullopt, "feed too large");
            } else {
                done(data.toStdString(), "");
            }
        });
    };
}

void UpdateController::showDialog(const UpdateCheckResult& result, const std::string& currentVersion) {
    auto* box = new QMessageBox();
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->setWindowTitle(QStringLiteral("Corvelle"));
    switch (result.kind) {
        case UpdateCheckResult::Kind::upToDate:
            box->setIcon(QMessageBox::Information);
            box->setText(qs(L::upToDateTitle()));
            box->setInformativeText(qs(L::upToDate(currentVersion)));
            box->addButton(QMessageBox::Ok);
            break;
        case UpdateCheckResult::Kind::available: {
            box->setIcon(QMessageBox::Information);
            box->setText(qs(L::updateAvailableTitle()));
            box->setInformativeText(qs(L::updateAvailable(result.latestVersion, currentVersion)));
            if (!result.downloadUrl.empty()) {
                const QUrl url(qs(result.downloadUrl));
                QObject::connect(box->addButton(qs(L::download()), QMessageBox::AcceptRole), &QPushButton::clicked,
                                 box, [url] { QDesktopServices::openUrl(url); });
            }
            box->addButton(QMessageBox::Close);
            break;
        }
        case UpdateCheckResult::Kind::failed:
            box->setIcon(QMessageBox::Warning);
            box->setText(qs(L::updateFailedTitle()));
            box->setInformativeText(qs(result.failure));
            box->addButton(QMessageBox::Ok);
            break;
    }
    box->show();
    box->raise();
    box->activateWindow();
}

}  // namespace corvelle
