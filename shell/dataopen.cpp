#include "shell/dataopen.h"

#include <exception>

#include "platform/forms/msgbox.h"

namespace shell {

bool DataOpener::open(std::initializer_list<forms::Data*> controls) {
  bool all = true;
  for (forms::Data* data : controls) {
    try {
      data->Refresh();
    } catch (const std::exception& e) {
      all = false;
      const QString file = data->DatabaseName().toLower();
      if (files_.contains(file)) continue;
      files_ << file;
      problems_ << QString::fromUtf8(e.what());
    }
  }
  return all;
}

void DataOpener::report() const {
  if (!problems_.isEmpty()) forms::MsgBox(problems_.join(QLatin1Char('\n')), forms::vbExclamation);
}

}  // namespace shell
