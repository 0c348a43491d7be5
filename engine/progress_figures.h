// The run's progress figures, free of the platform: the bar's position and the undo script's percentage and numbering.
#pragma once

#include <string>

// The positions the move pass reports run from 0 to this.
const int kProgressRange = 1000;

// 100 x i / (n - 1) to the nearest whole number, a half going to the even one; 0 for n = 1.
int Percentage(int i, int n);

// The position of file i of n on the 0..kProgressRange bar, worked out the way the x87
// unit does it in extended precision: the quotient rounded, times the range rounded,
// then cut to an integer. 0 for n = 1.
int ProgressPosition(int i, int n);

// Adds i in decimal, padded with "0" on the left to the width of n - 1.
void AppendIndexText(std::string& out, int i, int n);
