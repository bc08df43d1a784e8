#include "platform/forms/inet.h"

#include <QEventLoop>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QTimer>
#include <QUrl>
#include <memory>

namespace forms {

namespace {
struct ReplyDeleter {
  void operator()(QNetworkReply* reply) const {
    reply->disconnect();
    if (!reply->isFinished()) reply->abort();
    delete reply;
  }
};
}  // namespace

Inet::Inet(Form* form, const char* name, int index) : Control(form, name, index) {}

void Inet::releasing() {
  // The window unloads while a request waits: the wait ends, unanswered.
  if (waiting_) {
    cancelled_ = true;
    waiting_->quit();
  }
}

QString Inet::OpenURL(const QString& url) {
  touch();
  if (waiting_) throw Error(QStringLiteral("Still executing last request"), 35764);
  const QUrl target(url);
  if (!target.isValid() || target.scheme().isEmpty())
    throw Error(QStringLiteral("Invalid URL: %1").arg(url), 35754);

  QNetworkAccessManager manager;
  QNetworkRequest request(target);
  const std::unique_ptr<QNetworkReply, ReplyDeleter> reply(manager.get(request));
  QEventLoop loop;
  QTimer clock;
  clock.setSingleShot(true);
  bool timedOut = false;
  QObject::connect(reply.get(), &QNetworkReply::finished, &loop, &QEventLoop::quit);
  QObject::connect(&clock, &QTimer::timeout, &loop, [&] {
    timedOut = true;
    loop.quit();
  });
  cancelled_ = false;
  waiting_ = &loop;
  clock.start(timeoutMs_);
  if (!reply->isFinished()) loop.exec();
  waiting_ = nullptr;

  if (!reply->isFinished()) {
    if (timedOut) throw Error(QStringLiteral("Request timed out"), 35761);
    throw InetCancelled();  // the window went, or the program is quitting
  }
  if (cancelled_) throw InetCancelled();
  if (reply->error() != QNetworkReply::NoError) throw Error(reply->errorString(), 35750);
  const int status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
  if (status != 200) throw Error(QStringLiteral("HTTP status %1 for %2").arg(status).arg(url), 35750);
  return QString::fromUtf8(reply->readAll());
}

}  // namespace forms
