// Reports in KWin's log each window that takes the keyboard.
function report(c) { print("snelk-active " + (c ? c.internalId + " " + c.caption : "none")); }
workspace.clientActivated.connect(report);
report(workspace.activeClient);
