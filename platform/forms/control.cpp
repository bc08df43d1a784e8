#include "platform/forms/control.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPalette>
#include <QSignalBlocker>
#include <cmath>
#include <cstring>
#include <utility>

#include "platform/forms/controls.h"
#include "platform/forms/form.h"
#include "platform/forms/screen.h"

namespace forms {

namespace detail {
// The control that last took the focus; SendKeys types into it when the
// window system reports no focus widget (an inactive window, offscreen runs).
Control* g_focus = nullptr;

bool raisesKeyPress(const QKeyEvent& event) {
  const QString text = event.text();
  if (text.isEmpty()) return false;
  switch (event.key()) {
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
    case Qt::Key_Delete:
      return false;
    default:
      return text.at(0).unicode() != 127;  // Delete's own character
  }
}
}  // namespace detail

namespace {
// A key a KeyPress handler put in place of the one pressed, on its way to the
// widget; the filter lets it through.
QKeyEvent* g_replacement = nullptr;
}  // namespace

// Context of the connections to a control's widget and its event filter.
// Deleting it when the widget is released cuts them all.
class ControlLink : public QObject {
 public:
  explicit ControlLink(Control* c) : control_(c) {}
  bool eventFilter(QObject* watched, QEvent* event) override { return control_->filter(watched, event); }

 private:
  Control* control_;
};

namespace {
int roundTwips(double twips) {
  return int(std::lround(twips));
}
}  // namespace

Control::Control(Form* form, const char* name, int index)
    : form_(form), name_(QString::fromUtf8(name)), index_(index) {
  form_->registerControl(this);
}

Control::~Control() {
  if (detail::g_focus == this) detail::g_focus = nullptr;
  delete link_;
  link_ = nullptr;
  if (form_) form_->unregisterControl(this);
}

void Control::touch() const {
  form_->ensureLoaded();
}

bool Control::designing() const {
  return form_->designing_;
}

void Control::fire(const std::function<void()>& handler) const {
  if (!handler) return;
  if (eventNesting_ >= kMaxEventNesting) throw Error(QStringLiteral("Out of stack space"), 28);
  ++eventNesting_;
  struct Unnest {
    int& nesting;
    ~Unnest() { --nesting; }
  } unnest{eventNesting_};
  form_->runEvent(handler);
}

// ---- text

QString Control::Text() const {
  touch();
  return p_.text;
}

void Control::setText(const QString& text) {
  touch();
  storeText(text);
}

namespace {

// A text the control lets go of that nothing else holds any more is
// overwritten before it is freed: boxes hold card numbers and track texts,
// and a freed buffer keeps its characters in the process's memory. A text
// still held elsewhere (by the caller, by the widget) is left to its holders.
void letGoOfText(QString& old) {
  if (old.isDetached()) WipeText(old);
}

}  // namespace

void WipeText(QString& text) {
  QString::DataPointer& d = text.data_ptr();
  if (d.isMutable()) {
    char16_t* const start = d.data() - d.freeSpaceAtBegin();
    const qsizetype room = d.freeSpaceAtBegin() + d.size + d.freeSpaceAtEnd();
    ::explicit_bzero(start, size_t(room) * sizeof(char16_t));
  }
  text = QString();
}

void Control::storeText(const QString& text) {
  if (p_.text == text) return;  // only a real change raises the change event
  QString old = std::exchange(p_.text, text);
  if (widget_) {
    const QSignalBlocker block(widget_.data());
    pushText();
  } else if (!designing()) {
    pushText();  // controls without a widget (menus) show it elsewhere
  }
  letGoOfText(old);  // the widget shows the new text now
  if (!designing()) textChanged();
}

void Control::userText(const QString& text) {
  if (p_.text == text) return;
  QString old = std::exchange(p_.text, text);
  letGoOfText(old);
  textChanged();
}

// ---- plain properties

QString Control::Tag() const {
  touch();
  return p_.tag;
}

void Control::setTag(const QString& tag) {
  touch();
  p_.tag = tag;
}

QString Control::ToolTipText() const {
  touch();
  return p_.toolTip;
}

void Control::setToolTipText(const QString& tip) {
  touch();
  p_.toolTip = tip;
  if (widget_) widget_->setToolTip(tip);
}

bool Control::Enabled() const {
  touch();
  return p_.enabled;
}

void Control::setEnabled(bool enabled) {
  touch();
  p_.enabled = enabled;
  if (widget_) widget_->setEnabled(enabled);
  if (!designing()) stateChanged();
}

bool Control::Visible() const {
  touch();
  return p_.visible;
}

void Control::setVisible(bool visible) {
  touch();
  p_.visible = visible;
  if (widget_) widget_->setVisible(visible);
  if (!designing()) stateChanged();
}

int Control::Left() const {
  touch();
  return p_.left;
}
int Control::Top() const {
  touch();
  return p_.top;
}
int Control::Width() const {
  touch();
  return p_.width;
}
int Control::Height() const {
  touch();
  return p_.height;
}

void Control::setLeft(double twips) {
  Move(twips, Top());
}
void Control::setTop(double twips) {
  Move(Left(), twips);
}
void Control::setWidth(double twips) {
  Move(Left(), Top(), twips);
}
void Control::setHeight(double twips) {
  Move(Left(), Top(), Width(), twips);
}

void Control::Move(double left, double top, double width, double height) {
  touch();
  p_.left = roundTwips(left);
  p_.top = roundTwips(top);
  if (width >= 0) p_.width = roundTwips(width);
  if (height >= 0) p_.height = roundTwips(height);
  if (widget_) {
    widget_->setGeometry(twipsToPixelsX(p_.left), twipsToPixelsY(p_.top), twipsToPixelsX(p_.width),
                         twipsToPixelsY(p_.height));
    layoutChanged();
  }
}

Color Control::BackColor() const {
  touch();
  return p_.back;
}

void Control::setBackColor(Color color) {
  touch();
  p_.back = color;
  if (widget_) applyColors();
}

Color Control::ForeColor() const {
  touch();
  return p_.fore;
}

void Control::setForeColor(Color color) {
  touch();
  p_.fore = color;
  if (widget_) applyColors();
}

FontInfo Control::Font() const {
  touch();
  return p_.font;
}

void Control::setFont(const FontInfo& font) {
  touch();
  p_.font = font;
  if (widget_) {
    widget_->setFont(toQFont(p_.font));
    layoutChanged();
  }
}

void Control::setFont(const QString& name, double size, bool bold) {
  FontInfo f = Font();
  f.name = name;
  f.size = size;
  f.bold = bold;
  setFont(f);
}

QString Control::FontName() const {
  return Font().name;
}
void Control::setFontName(const QString& name) {
  FontInfo f = Font();
  f.name = name;
  setFont(f);
}
double Control::FontSize() const {
  return Font().size;
}
void Control::setFontSize(double size) {
  FontInfo f = Font();
  f.size = size;
  setFont(f);
}
bool Control::FontBold() const {
  return Font().bold;
}
void Control::setFontBold(bool bold) {
  FontInfo f = Font();
  f.bold = bold;
  setFont(f);
}

void Control::SetFocus() {
  touch();
  if (!widget_ || !p_.visible || !p_.enabled) return;
  detail::g_focus = this;
  widget_->setFocus(Qt::OtherFocusReason);
}

void Control::setContainer(Frame& frame) {
  container_ = &frame;
}

void Control::applyColors() {
  if (!widget_) return;
  QPalette pal = QApplication::palette(widget_);
  // A control's colours are its own: a system colour is the style's colour for
  // that role, never the colour of the frame holding the control (a text box
  // in a yellow frame stays white).
  for (int group = 0; group < QPalette::NColorGroups; ++group) {
    const auto g = QPalette::ColorGroup(group);
    for (QPalette::ColorRole role : {QPalette::Window, QPalette::Base, QPalette::Button, QPalette::WindowText,
                                     QPalette::Text, QPalette::ButtonText})
      pal.setBrush(g, role, pal.brush(g, role));
  }
  if (!isSystemColor(p_.back)) {
    const QColor c = toQColor(p_.back);
    pal.setColor(QPalette::Window, c);
    pal.setColor(QPalette::Base, c);
    pal.setColor(QPalette::Button, c);
    widget_->setAutoFillBackground(true);
  }
  if (!isSystemColor(p_.fore)) {
    const QColor c = toQColor(p_.fore);
    pal.setColor(QPalette::WindowText, c);
    pal.setColor(QPalette::Text, c);
    pal.setColor(QPalette::ButtonText, c);
  }
  widget_->setPalette(pal);
}

// ---- life with the form

void Control::build(QWidget* parent) {
  link_ = new ControlLink(this);
  QWidget* w = createWidget(parent);
  widget_ = w;
  if (w) {
    w->setObjectName(name_);
    w->setGeometry(twipsToPixelsX(p_.left), twipsToPixelsY(p_.top), twipsToPixelsX(p_.width),
                   twipsToPixelsY(p_.height));
    w->setFont(toQFont(p_.font));
    w->setEnabled(p_.enabled);
    w->setToolTip(p_.toolTip);
    applyColors();
    {
      const QSignalBlocker block(w);
      pushText();
      pushExtra();
    }
    w->setVisible(p_.visible);
  }
  built();
  if (bound_) bound_->attachBinding();
}

void Control::release() {
  if (bound_) bound_->detachBinding();
  releasing();
  if (detail::g_focus == this) detail::g_focus = nullptr;
  delete link_;  // cuts the connections to the old widget and its filter
  link_ = nullptr;
  widget_ = nullptr;
  resetToDesign();
}

void Control::endDesign() {
  design_ = p_;
  saveDesign();
}

void Control::resetToDesign() {
  p_ = design_;
  restoreDesign();
}

void Control::watch(QWidget* w) {
  if (w && link_) w->installEventFilter(link_);
}

bool Control::filter(QObject* watched, QEvent* event) {
  switch (event->type()) {
    case QEvent::KeyPress: {
      auto* ke = static_cast<QKeyEvent*>(event);
      if (!detail::raisesKeyPress(*ke)) return false;
      if (ke == g_replacement || !takesKeysFrom(watched)) return false;
      const int original = ke->text().at(0).unicode();
      int key = original;
      if (form_->keyPreview_) {
        form_->previewed_ = ke;
        form_->keyPress(key);
        if (key == 0 || !widget_) return true;
      }
      keyPressed(key);
      if (key == 0 || !widget_) return true;
      if (key != original) {
        // The handler replaced the key: deliver the replacement instead.
        QKeyEvent replacement(QEvent::KeyPress, Qt::Key_unknown, ke->modifiers(), QString(QChar(key)));
        g_replacement = &replacement;
        QCoreApplication::sendEvent(watched, &replacement);
        g_replacement = nullptr;
        return true;
      }
      return false;
    }
    case QEvent::MouseButtonRelease: {
      auto* me = static_cast<QMouseEvent*>(event);
      auto* w = qobject_cast<QWidget*>(watched);
      if (me->button() == Qt::LeftButton && w && w->rect().contains(me->position().toPoint()))
        mouseReleased();
      return false;
    }
    case QEvent::FocusIn:
      detail::g_focus = this;
      gotFocus();
      return false;
    case QEvent::FocusOut:
      lostFocus();
      return false;
    default:
      return false;
  }
}

}  // namespace forms
