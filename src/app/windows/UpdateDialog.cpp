#include "app/windows/UpdateDialog.h"

#include "localization/LShell.h"

#include <QDesktopServices>
#include <QMessageBox>
#include <QPushButton>
#include <QUrl>

namespace corvelle {
namespace {

QString qs(const std::string& text) { return QString::fromStdString(text); }

void fill(QMessageBox& box, const UpdateCheckResult& result, const std::string& currentVersion) {
    using Kind = UpdateCheckResult::Kind;
    switch (result.kind) {
        case Kind::upToDate:
            box.setIcon(QMessageBox::Information);
            box.setText(qs(L::upToDateTitle()));
            box.setInformativeText(qs(L::upToDate(currentVersion)));
            box.addButton(QMessageBox::Ok);
            return;
        case Kind::available:
            box.setIcon(QMessageBox::Information);
            box.setText(qs(L::updateAvailableTitle()));
            box.setInformativeText(qs(L::updateAvailable(result.latestVersion, currentVersion)));
            if (!result.downloadUrl.empty()) {
                const QUrl url(qs(result.downloadUrl));
                QObject::connect(box.addButton(qs(L::download()), QMessageBox::AcceptRole), &QPushButton::clicked,
                                 &box, [url] { QDesktopServices::openUrl(url); });
            }
            box.addButton(QMessageBox::Close);
            return;
        case Kind::unreachable:
        case Kind::unreadable:
            box.setIcon(QMessageBox::Warning);
            box.setText(qs(L::updateFailedTitle()));
            box.setInformativeText(qs(result.kind == Kind::unreachable ? L::updateServerUnreachable(result.reason)
                                                                        : L::updateFeedUnreadable()));
            box.addButton(QMessageBox::Ok);
            return;
    }
}

}  // namespace

void showUpdateDialog(const UpdateCheckResult& result, const std::string& currentVersion) {
    auto* box = new QMessageBox();
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->setWindowTitle(QStringLiteral("Corvelle"));
    fill(*box, result, currentVersion);
    box->show();
    box->raise();
    box->activateWindow();
}

}  // namespace corvelle
