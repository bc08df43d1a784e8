// The links between windows of different subsystems. The subsystems link
// only the shell, so a shell window that reaches a window of another
// subsystem goes through a hook; the launcher, which links them all,
// connects the hooks once at start.
#pragma once

namespace shell {

// The keypad's approval names the manager in the removal dialog; the sales
// window opens the tender dialog and the removal dialog.
void ConnectSubsystems();

}  // namespace shell
