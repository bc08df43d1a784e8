// A print system of the test's making: its queues, and the jobs it was
// handed. It installs itself for its lifetime.
#pragma once

#include <QByteArray>
#include <QString>
#include <utility>
#include <vector>

#include "platform/print/catalogue.h"

class FakeSpooler : public print::Spooler {
 public:
  FakeSpooler() : previous_(print::setSpooler(this)) {}
  ~FakeSpooler() override { print::setSpooler(previous_); }
  FakeSpooler(const FakeSpooler&) = delete;
  FakeSpooler& operator=(const FakeSpooler&) = delete;

  std::vector<print::Destination> destinations() override { return queues; }
  std::optional<QPageLayout> defaultPage(const QString&) override { return std::nullopt; }
  bool submit(const QString& queue, const QString&, const QByteArray& pdf) override {
    jobs.emplace_back(queue, pdf);
    return true;
  }

  std::vector<print::Destination> queues;
  std::vector<std::pair<QString, QByteArray>> jobs;

 private:
  print::Spooler* previous_;
};
