#pragma once
// NameByLabel: makes a label the name that assistive tools give the control beside it. The label
// becomes the control's buddy (the label relation screen readers follow), and the control's
// accessible name the label's text without its '&' marks and its closing colon, so that the edit
// beside "Name:" is read as "Name, text field".

class QLabel;
class QWidget;

namespace tilvaro {

void NameByLabel(QLabel& label, QWidget& control);

}  // namespace tilvaro
