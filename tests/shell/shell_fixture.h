// A temporary data root with the first-install databases, and scripted
// message boxes that fail the test when a message comes unasked.
#pragma once

#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <memory>

#include "platform/forms/msgbox.h"

class ShellFixture : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  // The station's settings database, opened directly.
  QString settingsFile() const;

  QTemporaryDir root_;
  std::unique_ptr<forms::ScriptedMessages> messages_;
};
