#include "tests/shell/shell_fixture.h"

#include "data/install.h"
#include "platform/files/paths.h"
#include "platform/forms/form.h"

void ShellFixture::SetUp() {
  ASSERT_TRUE(root_.isValid());
  files::setRoot(root_.path().toStdString());
  const data::InstallReport report = data::installDataRoot(QString::fromStdString(files::installDir()));
  ASSERT_TRUE(report.ok) << report.errors.join(QLatin1Char('\n')).toStdString();
  messages_ = std::make_unique<forms::ScriptedMessages>(
      [](const forms::Message& m) { ADD_FAILURE() << "unexpected message: " << m.prompt.toStdString(); });
}

void ShellFixture::TearDown() {
  // The windows are program-wide instances: leave every one unloaded for the
  // next test, children before the frame.
  for (forms::Form* form : forms::Form::Forms())
    if (form->IsLoaded() && form->MDIChild()) form->Unload();
  for (forms::Form* form : forms::Form::Forms())
    if (form->IsLoaded()) form->Unload();
  messages_.reset();
}

QString ShellFixture::settingsFile() const {
  return QString::fromStdString(files::installDir()) + QStringLiteral("Duzo98HS.mdb");
}
