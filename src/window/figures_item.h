#pragma once

class Form1;
class QMenu;

// The menu's item that opens the window of the run's figures, or brings it forward.
void addFiguresItem(QMenu &menu, Form1 &form);
