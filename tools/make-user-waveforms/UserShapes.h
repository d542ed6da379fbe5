#pragma once

// The fifteen single-cycle user shapes before scaling, x in [0, 1).
// Shapes 1 to 13 are smooth; 14 and 15 are busy.
constexpr int kNumUserShapes = 15;

double userShape(int table, double x);
