#pragma once
// The editor window's command keys: Ctrl+N, Ctrl+O and Ctrl+S run New, Open and Save exactly as a
// click on their buttons does, wherever the focus is in the window (a field included), and also
// while the preview window, a tool window of this one, is the active window. While the input
// dialog or a message box is up they do nothing: the window then takes no input.

namespace tilvaro {

class TEditForm;

void InstallCommandKeys(TEditForm& form);

}  // namespace tilvaro
