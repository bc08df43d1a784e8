#include "platform/forms/data.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QStyle>
#include <QToolButton>
#include <algorithm>

namespace forms {

Data::Data(Form* form, const char* name, int index) : Control(form, name, index) {
  // A data control shows no bar until the window makes it visible.
  p_.visible = false;
  p_.back = vbWindowBackground;
  p_.fore = vbWindowText;
  control_.rowShown = [this] {
    tellClients(false);
    fire(onReposition);
  };
  control_.validate = [this](int& action, bool& save) {
    if (onValidate) fire([&] { onValidate(action, save); });
  };
}

QWidget* Data::createWidget(QWidget* parent) {
  auto* bar = new QFrame(parent);
  bar->setFrameShape(QFrame::Panel);
  bar->setFrameShadow(QFrame::Sunken);
  auto* row = new QHBoxLayout(bar);
  row->setContentsMargins(1, 1, 1, 1);
  row->setSpacing(1);
  auto button = [&](QStyle::StandardPixmap icon, const char* name, Button which) {
    auto* b = new QToolButton(bar);
    b->setObjectName(QString::fromLatin1(name));
    b->setIcon(bar->style()->standardIcon(icon));
    b->setAutoRaise(true);
    b->setFocusPolicy(Qt::NoFocus);
    QObject::connect(b, &QToolButton::clicked, link(), [this, which] { navigate(which); });
    return b;
  };
  row->addWidget(button(QStyle::SP_MediaSkipBackward, "first", Button::First));
  row->addWidget(button(QStyle::SP_MediaSeekBackward, "previous", Button::Previous));
  auto* caption = new QLabel(bar);
  caption->setObjectName(QStringLiteral("caption"));
  caption->setAlignment(Qt::AlignCenter);
  row->addWidget(caption, 1);
  row->addWidget(button(QStyle::SP_MediaSeekForward, "next", Button::Next));
  row->addWidget(button(QStyle::SP_MediaSkipForward, "last", Button::Last));
  return bar;
}

void Data::pushText() {
  if (!widget_) return;
  if (auto* caption = widget_->findChild<QLabel*>(QStringLiteral("caption"))) caption->setText(p_.text);
}

void Data::navigate(Button button) {
  touch();
  fire([this, button] {
    if (!control_.isOpen()) return;
    db::Recordset& rs = control_.recordset();
    const int count = rs.recordCount();
    if (count == 0) return;
    const int at = rs.absolutePosition();
    switch (button) {
      case Button::First:
        rs.moveFirst();
        break;
      case Button::Last:
        rs.moveLast();
        break;
      case Button::Next:
        // On the last row the bar stays; past the end it comes back to it.
        if (at == count - 1) return;
        if (rs.eof()) {
          rs.moveLast();
          return;
        }
        rs.moveNext();
        if (control_.isOpen() && &control_.recordset() == &rs && rs.eof() && rs.recordCount() > 0)
          rs.moveLast();
        break;
      case Button::Previous:
        if (at == 0) return;
        if (rs.bof()) {
          rs.moveFirst();
          return;
        }
        rs.movePrevious();
        if (control_.isOpen() && &control_.recordset() == &rs && rs.bof() && rs.recordCount() > 0)
          rs.moveFirst();
        break;
    }
  });
}

QString Data::DatabaseName() const {
  touch();
  return d_.databaseName;
}

void Data::setDatabaseName(const QString& path) {
  touch();
  d_.databaseName = path;
}

QString Data::RecordSource() const {
  touch();
  return d_.recordSource;
}

void Data::setRecordSource(const QString& tableOrSql, const db::Params& params) {
  touch();
  d_.recordSource = tableOrSql;
  d_.params = params;
}

QString Data::Connect() const {
  touch();
  return d_.connect;
}

void Data::setConnect(const QString& connect) {
  touch();
  d_.connect = connect;
}

void Data::Refresh() {
  touch();
  refreshed_ = true;
  askClientsToStore();
  control_.setDatabaseName(d_.databaseName);
  control_.setRecordSource(d_.recordSource, d_.params);
  try {
    control_.refresh();
  } catch (...) {
    tellClients(true);
    throw;
  }
  tellClients(true);
}

void Data::addClient(DataClient* client) {
  if (client && std::find(clients_.begin(), clients_.end(), client) == clients_.end())
    clients_.push_back(client);
}

void Data::removeClient(DataClient* client) {
  clients_.erase(std::remove(clients_.begin(), clients_.end(), client), clients_.end());
}

// A client may run the window's code (a message about a refused store), which
// may remove clients: the loops go over a copy and skip the ones gone.
void Data::tellClients(bool reopened) {
  const std::vector<DataClient*> clients = clients_;
  for (DataClient* c : clients)
    if (std::find(clients_.begin(), clients_.end(), c) != clients_.end()) c->dataChanged(reopened);
}

void Data::askClientsToStore() {
  const std::vector<DataClient*> clients = clients_;
  for (DataClient* c : clients)
    if (std::find(clients_.begin(), clients_.end(), c) != clients_.end()) c->storePendingEdit();
}

db::Recordset& Data::Recordset() {
  touch();
  return control_.recordset();
}

db::Database& Data::Database() {
  touch();
  return control_.database();
}

void Data::UpdateRecord() {
  touch();
  control_.updateRecord();
}

void Data::UpdateControls() {
  touch();
  control_.updateControls();
}

void Data::formLoaded() {
  // A data control the load step did not refresh opens with its source.
  if (refreshed_ || d_.databaseName.isEmpty() || d_.recordSource.isEmpty()) return;
  Refresh();
}

void Data::formUnloading() {
  // An edit still open in a grid is stored as the bound controls' values are.
  askClientsToStore();
  try {
    control_.release();
  } catch (...) {
    tellClients(true);
    throw;
  }
  tellClients(true);
}

}  // namespace forms
