// The desktop as the tests see it: a default application for .xlsx files or
// none, and every file it was asked to open. It installs itself for its
// lifetime.
#pragma once

#include <QStringList>
#include <functional>

#include "platform/sheet/sheet.h"

class RecordedDesktop : public sheet::Desktop {
 public:
  RecordedDesktop() : previous_(sheet::setDesktop(this)) {}
  ~RecordedDesktop() override { sheet::setDesktop(previous_); }
  RecordedDesktop(const RecordedDesktop&) = delete;
  RecordedDesktop& operator=(const RecordedDesktop&) = delete;

  QString defaultApplication() override {
    if (onQuery) onQuery();
    ++queries;
    return application;
  }
  bool open(const QString& path) override {
    opened << path;
    return true;
  }

  QString application = QStringLiteral("calc.desktop");
  QStringList opened;
  int queries = 0;
  std::function<void()> onQuery;

 private:
  sheet::Desktop* previous_;
};
