// A temporary data root with the first-install databases, and scripted
// message boxes that fail the test when a message comes unasked.
#pragma once

#include <gtest/gtest.h>

#include <QStringList>
#include <QTemporaryDir>
#include <QVariant>
#include <memory>

#include "platform/db/database.h"
#include "platform/forms/control.h"
#include "platform/forms/msgbox.h"

class ShellFixture : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  // The station's settings database, opened directly.
  QString settingsFile() const;
  // A file of the install folder, as a local path.
  QString installFile(const QString& name) const;

  // One value read, or one statement run, through a connection of its own,
  // as another window would see the file. A Null reads as "<null>".
  QString value(const QString& file, const QString& sql, const db::Params& params = {}) const;
  void run(const QString& file, const QString& sql, const db::Params& params = {}) const;
  // The rows of a query, each as its fields joined with "|" (Null as "<null>").
  QStringList rows(const QString& file, const QString& sql, const db::Params& params = {}) const;

  // Unloads every window of the program, children before the frame, so
  // that the next touch loads each afresh from its rows.
  static void unloadAllWindows();

  // A click of the clerk's on a control that has no Value to set (a label,
  // a picture): a press and a release at its centre.
  static void click(forms::Control& control);

  QTemporaryDir root_;
  std::unique_ptr<forms::ScriptedMessages> messages_;
};
