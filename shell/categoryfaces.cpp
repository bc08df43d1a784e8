#include "shell/categoryfaces.h"

#include "platform/db/recordset.h"
#include "platform/forms/types.h"
#include "shell/frmInfor.h"
#include "shell/steps.h"

namespace shell {

namespace {

// The caption of a slot: the settings window's box as it stands.
QString slotCaption(int slot) {
  return Infor().txtm(slot).Text();
}

// The picture path of a slot: field pN of the first row. No row and a field
// without a value are failures, like a file that does not load.
QString slotPicture(forms::Data& datMain, int slot) {
  db::Recordset& rs = datMain.Recordset();
  const QString field = QStringLiteral("p%1").arg(slot);
  const int column = int(rs.fieldNames().indexOf(field));
  if (rs.recordCount() == 0 || column < 0)
    throw forms::Error(QStringLiteral("No picture for slot %1").arg(slot));
  const QVariant value = rs.valueAt(0, column);
  if (value.isNull()) throw forms::Error(QStringLiteral("No picture for slot %1").arg(slot));
  return value.toString();
}

void captionFace(const FaceButton& face, int slot) {
  forms::CommandButton& b = *face.button;
  switch (face.kind) {
    case FaceKind::Preview:
      runStep([&] { b.setPicture(QString()); });
      runStep([&] { b.setCaption(slotCaption(slot)); });
      break;
    case FaceKind::Category:
      runStep([&] { b.setCaption(slotCaption(slot)); });
      break;
    case FaceKind::Page:
      runStep([&] { b.setCaption(slotCaption(slot)); });
      runStep([&] { b.setPicture(QString()); });
      break;
  }
}

void pictureFace(const FaceButton& face, int slot, forms::Data& datMain) {
  forms::CommandButton& b = *face.button;
  runStep([&] { b.setPicture(QString()); });
  enum class Picture { Shown, Empty, Failed } picture = Picture::Failed;
  runStep([&] {
    const QString path = slotPicture(datMain, slot);
    if (!path.isEmpty()) b.setPicture(path);
    picture = path.isEmpty() ? Picture::Empty : Picture::Shown;
  });
  if (picture == Picture::Failed)
    runStep([&] { b.setCaption(slotCaption(slot)); });
  else if (face.kind != FaceKind::Category)
    runStep([&] { b.setCaption(QString()); });
}

}  // namespace

bool isCaptionMode(const QString& menuMode) {
  return menuMode == QLatin1String("2.Custom");
}

void SetCategoryFaces(const FaceSlots& buttons, const std::function<QString()>& menuMode,
                      forms::Data& datMain) {
  bool captions = true;
  runStep([&] { captions = isCaptionMode(menuMode()); });
  for (int slot = 0; slot < kCategorySlots; ++slot) {
    for (const FaceButton& face : buttons[slot]) {
      if (face.button == nullptr) continue;
      if (captions)
        captionFace(face, slot);
      else
        pictureFace(face, slot, datMain);
    }
  }
}

QString settingsMenuMode() {
  return Infor().lblMainMu.Caption();
}

}  // namespace shell
