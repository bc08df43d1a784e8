// A small HTTP server inside a test: listens on 127.0.0.1 at a free port and
// answers each GET from a table of paths. No network is needed.
#pragma once

#include <QByteArray>
#include <QHostAddress>
#include <QMap>
#include <QString>
#include <QStringList>
#include <QTcpServer>
#include <QTcpSocket>

class LocalHttpServer : public QObject {
 public:
  struct Answer {
    int status = 200;
    QByteArray body;
    bool silent = false;  // never answers (a server that hangs)
  };

  LocalHttpServer() {
    connect(&server_, &QTcpServer::newConnection, this, [this] {
      while (QTcpSocket* socket = server_.nextPendingConnection()) {
        socket->setParent(this);
        connect(socket, &QTcpSocket::readyRead, this, [this, socket] { serve(socket); });
      }
    });
    server_.listen(QHostAddress::LocalHost, 0);
  }

  bool listening() const { return server_.isListening(); }
  // "http://127.0.0.1:PORT"
  QString base() const { return QStringLiteral("http://127.0.0.1:%1").arg(server_.serverPort()); }
  void set(const QString& path, Answer answer) { answers_[path] = std::move(answer); }
  void clear() {
    answers_.clear();
    requested_.clear();
  }
  const QStringList& requested() const { return requested_; }

  // A base address where nothing listens: connections are refused.
  static QString refusingBase() {
    QTcpServer probe;
    probe.listen(QHostAddress::LocalHost, 0);
    const quint16 port = probe.serverPort();
    probe.close();
    return QStringLiteral("http://127.0.0.1:%1").arg(port);
  }

 private:
  void serve(QTcpSocket* socket) {
    QByteArray& pending = buffers_[socket];
    pending += socket->readAll();
    if (!pending.contains("\r\n\r\n")) return;
    const QList<QByteArray> requestLine = pending.left(pending.indexOf("\r\n")).split(' ');
    const QString path = requestLine.size() > 1 ? QString::fromUtf8(requestLine[1]) : QString();
    requested_ << path;
    buffers_.remove(socket);
    const Answer answer = answers_.value(path, Answer{404, "not here", false});
    if (answer.silent) return;
    const QByteArray reason = answer.status == 200 ? "OK" : "Error";
    socket->write("HTTP/1.1 " + QByteArray::number(answer.status) + " " + reason +
                  "\r\nContent-Type: text/plain\r\nContent-Length: " +
                  QByteArray::number(answer.body.size()) + "\r\nConnection: close\r\n\r\n" + answer.body);
    socket->disconnectFromHost();
  }

  QTcpServer server_;
  QMap<QString, Answer> answers_;
  QMap<QTcpSocket*, QByteArray> buffers_;
  QStringList requested_;
};
