#pragma once

class PictureBox;

// Clears the picture and draws the empty chart: the frame from (50, 10) to (500, 315),
// a grid line every 10 units from 90 down to 0, nine vertical lines, the scale numbers
// (-10 to 100 on the left, 0 to 100 on the right) and the two vertical axis titles.
// Turns retained drawing on first, so the chart survives repaints.
void DrawChartGrid(PictureBox &picture);
