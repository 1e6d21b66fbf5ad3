#include "editor/EditFormNames.h"

#include <QLabel>
#include <utility>

#include "editor/EditForm.h"
#include "widgets/ClickLabel.h"
#include "widgets/ControlLabel.h"
#include "widgets/Edit97.h"
#include "widgets/LayerGrid.h"
#include "widgets/ListBox.h"
#include "widgets/ScrollBar.h"
#include "widgets/UpDown.h"

namespace tilvaro {

void NameEditFormControls(TEditForm& form) {
  const std::pair<QLabel*, QWidget*> labelled[] = {
      {form.Lbl_Name, form.Edit_Name},
      {form.Lbl_Author, form.Edit_Author},
      {form.Lbl_Back, form.Edit_Back},
      {form.Lbl_LayerCount, form.SBar_LayerCount},
      {form.Lbl_3D, form.SBar_3D},
      {form.Lbl_Layer, form.UpDown_Layer},
      {form.Lbl_Tiles, form.LBox_Tiles},
  };
  for (const auto& [label, control] : labelled) NameByLabel(*label, *control);
  form.Img_qmLogo->setAccessibleName(QString::fromLatin1(TEditForm::kWebAddress));
  form.Lbl_Copyright->setAccessibleName(QString::fromLatin1(TEditForm::kContactAddress));
  form.Layer_Control->setAccessibleName(LayerGridName(form.UpDown_Layer->Position()));
}

QString LayerGridName(int layer) { return QStringLiteral("Ebene %1").arg(layer); }

}  // namespace tilvaro
