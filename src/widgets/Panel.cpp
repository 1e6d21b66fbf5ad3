#include "widgets/Panel.h"

namespace tilvaro {

TPanel::TPanel(QWidget* parent) : QWidget(parent) { setAutoFillBackground(true); }

}  // namespace tilvaro
