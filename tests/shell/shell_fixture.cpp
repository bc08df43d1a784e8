#include "tests/shell/shell_fixture.h"

#include <QApplication>
#include <QMouseEvent>
#include <algorithm>
#include <vector>

#include "data/install.h"
#include "platform/db/recordset.h"
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
  // next test.
  unloadAllWindows();
  messages_.reset();
}

void ShellFixture::unloadAllWindows() {
  // An unload step may create another window: each pass goes over the forms
  // as they were when it began, and skips one a step has ended since.
  const auto alive = [](forms::Form* form) {
    const std::vector<forms::Form*>& now = forms::Form::Forms();
    return std::find(now.begin(), now.end(), form) != now.end();
  };
  for (forms::Form* form : std::vector<forms::Form*>(forms::Form::Forms()))
    if (alive(form) && form->IsLoaded() && form->MDIChild()) form->Unload();
  for (forms::Form* form : std::vector<forms::Form*>(forms::Form::Forms()))
    if (alive(form) && form->IsLoaded()) form->Unload();
}

QString ShellFixture::settingsFile() const {
  return installFile(QStringLiteral("Duzo98HS.mdb"));
}

QString ShellFixture::installFile(const QString& name) const {
  return QString::fromStdString(files::installDir()) + name;
}

QString ShellFixture::value(const QString& file, const QString& sql, const db::Params& params) const {
  auto db = db::Database::open(file);
  const QVariant v = db->scalar(sql, params);
  return v.isNull() ? QStringLiteral("<null>") : v.toString();
}

void ShellFixture::run(const QString& file, const QString& sql, const db::Params& params) const {
  auto db = db::Database::open(file);
  db->execute(sql, params);
}

QStringList ShellFixture::rows(const QString& file, const QString& sql, const db::Params& params) const {
  auto db = db::Database::open(file);
  auto rs = db->openRecordset(sql, params);
  QStringList out;
  for (int i = 0; i < rs->recordCount(); ++i) {
    QStringList cells;
    for (int c = 0; c < rs->fieldCount(); ++c) {
      const QVariant v = rs->valueAt(i, c);
      cells << (v.isNull() ? QStringLiteral("<null>") : v.toString());
    }
    out << cells.join(QLatin1Char('|'));
  }
  return out;
}

void ShellFixture::click(forms::Control& control) {
  QWidget* w = control.widget();
  ASSERT_NE(w, nullptr) << control.Name().toStdString() << " is not on screen";
  const QPointF centre(w->width() / 2.0, w->height() / 2.0);
  QMouseEvent press(QEvent::MouseButtonPress, centre, w->mapToGlobal(centre), Qt::LeftButton, Qt::LeftButton,
                    Qt::NoModifier);
  QMouseEvent release(QEvent::MouseButtonRelease, centre, w->mapToGlobal(centre), Qt::LeftButton,
                      Qt::NoButton, Qt::NoModifier);
  QApplication::sendEvent(w, &press);
  QApplication::sendEvent(w, &release);
}
